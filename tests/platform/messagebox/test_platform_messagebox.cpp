#include <functional>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
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

    void boxFitsTheScreen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("broken");   // wider than the screen's room: must be broken
        QTest::addColumn<bool>("atBlanks"); // each broken line ends at a blank
        const QString folder = QStringLiteral("C:\\Program Files\\") + QString(200, QLatin1Char('k'));
        QTest::newRow("short lines stay as they are")
            << QStringLiteral("Haluatko korvata siellä mahdollisesti olevat samannimiset\ntiedostot?") << false
            << false;
        QTest::newRow("a path of 200 characters") << QStringLiteral("Kansio ") + folder +
                                                         QStringLiteral(" on jo olemassa.\n\nHaluatko korvata?")
                                                  << true << false;
        QTest::newRow("a long line with blanks")
            << QString(40, QLatin1Char('x')).append(QLatin1Char(' ')).repeated(8) + QStringLiteral("loppu") << true
            << true;
        QTest::newRow("one unbroken word") << QString(600, QChar(0x00e4)) << true << false;
    }

    // No box is wider than the screen's room, so its buttons can always be reached; a long
    // line is broken, at blanks where it has them, and loses no character; lines that fit
    // are not touched.
    void boxFitsTheScreen()
    {
        QFETCH(QString, text);
        QFETCH(bool, broken);
        QFETCH(bool, atBlanks);
        MessageBoxRequest request;
        request.text = text;
        request.title = QStringLiteral("Kansio jo olemassa");
        request.icon = platform::MsgIcon::Question;
        request.buttons = platform::MsgButtons::YesNo;
        QString shown;
        QRect box, room, buttons;
        whenBoxIsUp([&](QWidget* w) {
            shown = w->findChild<QLabel*>(QStringLiteral("text"))->text();
            box = w->frameGeometry();
            room = w->screen()->availableGeometry();
            for (const char* name : {"yesButton", "noButton"}) {
                QPushButton* b = button(w, name);
                buttons |= QRect(b->mapToGlobal(QPoint(0, 0)), b->size());
            }
            button(w, "noButton")->click();
        });
        QCOMPARE(platform::messageBox(request), MsgAnswer::No);
        QVERIFY2(box.width() <= room.width(), qPrintable(QStringLiteral("%1 > %2").arg(box.width()).arg(room.width())));
        QVERIFY(room.contains(buttons));
        QCOMPARE(QString(shown).remove(QLatin1Char('\n')), QString(text).remove(QLatin1Char('\n')));
        if (!broken)
            QCOMPARE(shown, text);
        else
            QVERIFY(shown.count(QLatin1Char('\n')) > text.count(QLatin1Char('\n')));
        const QStringList lines = shown.split(QLatin1Char('\n'));
        for (qsizetype i = 0; atBlanks && i + 1 < lines.size(); ++i)
            QVERIFY2(lines[i].endsWith(QLatin1Char(' ')), qPrintable(lines[i]));
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
