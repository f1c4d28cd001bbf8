#include <functional>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/messagebox.h"
#include "tests/support/sandbox.h"

using platform::MessageBoxRequest;
using platform::MsgAnswer;

namespace {

// Acts on the box once it is up; later steps wait for the box that is up then.
void whenBoxIsUp(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(box);
        }
    });
    timer->start();
}

QPushButton* button(QWidget* box, const char* name)
{
    return box->findChild<QPushButton*>(QString::fromLatin1(name));
}

} // namespace

class TestPlatformMessageBox : public QObject {
    Q_OBJECT

private slots:
    // A Yes/No box answers by its buttons only: Enter takes the default, Esc is ignored.
    void yesNoBox()
    {
        MessageBoxRequest request;
        request.text = QStringLiteral("Kysymys?");
        request.title = QStringLiteral("Otsikko");
        request.buttons = platform::MsgButtons::YesNo;
        request.defaultButton = platform::MsgDefault::Second;
        QString yesText, noText, title;
        whenBoxIsUp([&](QWidget* box) {
            yesText = button(box, "yesButton")->text();
            noText = button(box, "noButton")->text();
            title = box->windowTitle();
            QTest::keyClick(box, Qt::Key_Escape);
            QVERIFY(box->isVisible());
            QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(platform::messageBox(request), MsgAnswer::No);
        QCOMPARE(yesText, QStringLiteral("&Kyllä"));
        QCOMPARE(noText, QStringLiteral("&Ei"));
        QCOMPARE(title, QStringLiteral("Otsikko"));

        whenBoxIsUp([](QWidget* box) { button(box, "yesButton")->click(); });
        QCOMPARE(platform::messageBox(request), MsgAnswer::Yes);
    }

    // An OK box takes Esc as OK, and shows its text as plain text with a lone carriage
    // return as a line break.
    void okBoxShowsPlainText()
    {
        MessageBoxRequest request;
        request.text = QStringLiteral("<b>x</b>,\rtoinen rivi");
        request.title = QStringLiteral("Virhe");
        request.icon = platform::MsgIcon::Exclamation;
        QString shown;
        Qt::TextFormat format = Qt::RichText;
        whenBoxIsUp([&](QWidget* box) {
            auto* text = box->findChild<QLabel*>(QStringLiteral("text"));
            shown = text->text();
            format = text->textFormat();
            QCOMPARE(button(box, "okButton")->text(), QStringLiteral("OK"));
            QVERIFY(!button(box, "helpButton"));
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(platform::messageBox(request), MsgAnswer::Ok);
        QCOMPARE(shown, QStringLiteral("<b>x</b>,\ntoinen rivi"));
        QCOMPARE(format, Qt::PlainText);
    }

    // The help button leaves the box open; when the help file cannot be opened, a box
    // says so, and the first box still waits for its answer.
    void helpButtonKeepsTheBoxOpen()
    {
        MessageBoxRequest request;
        request.text = QStringLiteral("Tiedostoa ei löydy.");
        request.title = QStringLiteral("Virhe");
        request.helpFile = QStringLiteral("/ei/ole/vuska.hlp");
        request.helpContext = 9;
        QString failure;
        bool stillOpen = false;
        whenBoxIsUp([&](QWidget* box) {
            QCOMPARE(button(box, "helpButton")->text(), QStringLiteral("Ohje"));
            whenBoxIsUp([&, box](QWidget* second) {
                failure = second->findChild<QLabel*>(QStringLiteral("text"))->text();
                button(second, "okButton")->click();
                stillOpen = box->isVisible();
                button(box, "okButton")->click();
            });
            button(box, "helpButton")->click();
        });
        QCOMPARE(platform::messageBox(request), MsgAnswer::Ok);
        QCOMPARE(failure, QStringLiteral("Ohjetiedoston vuska.hlp avaus ei onnistu."));
        QVERIFY(stillOpen);
    }
};

VUSKA_TEST_MAIN(TestPlatformMessageBox)
#include "test_platform_messagebox.moc"
