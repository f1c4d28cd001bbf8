#include "tests/support/modal.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace vuska::test {

void closeModals()
{
    for (int guard = 0; guard < 20; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->hide();
    }
}

OnModal::OnModal(std::function<void(QWidget*)> action, int timeoutMs) : timer_(std::make_unique<QTimer>())
{
    timer_->setInterval(5);
    QObject::connect(timer_.get(), &QTimer::timeout, [this, action = std::move(action), timeoutMs] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        if (acted_) {
            // Left open after the action: fail rather than wait for a user who never comes.
            if (leftOpen_.hasExpired()) {
                QTest::qFail("a modal dialog stayed open after the test's action", __FILE__, __LINE__);
                closeModals();
            }
            return;
        }
        // A user acts in the dialog once it is up and has the keyboard focus; on a loaded
        // machine the window system may take its time to hand it over.
        if (!seen_) {
            seen_ = true;
            activeBy_ = QDeadlineTimer(timeoutMs);
        }
        if (!dialog->isActiveWindow() && !activeBy_.hasExpired())
            return;
        acted_ = true;
        leftOpen_ = QDeadlineTimer(timeoutMs);
        const QPointer<QWidget> watched = dialog;
        action(dialog);
        if (QTest::currentTestFailed() && watched && watched->isVisible())
            closeModals();
    });
    timer_->start();
}

OnModal::~OnModal()
{
    timer_->stop();
    if (!acted_)
        QTest::qFail("the modal dialog the test waited for never appeared", __FILE__, __LINE__);
}

NoModalExpected::NoModalExpected() : timer_(std::make_unique<QTimer>())
{
    timer_->setInterval(5);
    QObject::connect(timer_.get(), &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            const QByteArray message = "a modal dialog came up that the test did not expect: " +
                                       modal->objectName().toUtf8() + " \"" + modal->windowTitle().toUtf8() + '"';
            QTest::qFail(message.constData(), __FILE__, __LINE__);
            closeModals();
        }
    });
    timer_->start();
}

NoModalExpected::~NoModalExpected() = default;

} // namespace vuska::test
