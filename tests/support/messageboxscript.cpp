#include "tests/support/messageboxscript.h"

#include <QTest>

namespace vuska::test {

MessageBoxScript::MessageBoxScript()
{
    platform::setMessageBoxHandler([this](const platform::MessageBoxRequest& r) { return respond(r); });
}

MessageBoxScript::~MessageBoxScript()
{
    platform::setMessageBoxHandler({});
    if (!answers_.empty()) {
        const QByteArray message = QByteArray::number(qulonglong(answers_.size())) +
                                   " scripted message box answer(s) left unused";
        QTest::qFail(message.constData(), __FILE__, __LINE__);
    }
    if (overrun_)
        QTest::qFail("a message box appeared that the script did not expect", __FILE__, __LINE__);
}

MessageBoxScript& MessageBoxScript::answer(platform::MsgAnswer answer)
{
    answers_.push_back(answer);
    return *this;
}

platform::MsgAnswer MessageBoxScript::respond(const platform::MessageBoxRequest& request)
{
    shown_.append(request);
    if (whileShown)
        whileShown(request);
    if (answers_.empty()) {
        overrun_ = true;
        qWarning("unexpected message box: %s / %s", qPrintable(request.title), qPrintable(request.text));
        return request.buttons == platform::MsgButtons::YesNo ? platform::MsgAnswer::No : platform::MsgAnswer::Ok;
    }
    const platform::MsgAnswer a = answers_.front();
    answers_.pop_front();
    return a;
}

} // namespace vuska::test
