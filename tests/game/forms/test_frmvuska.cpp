#include <memory>

#include <QAccessible>
#include <QAction>
#include <QKeyEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <utility>

#include "game/forms/cardtable.h"
#include "game/forms/frmasetukset.h"
#include "game/forms/frmkysynimi.h"
#include "game/forms/frmvuska.h"
#include "game/forms/tablespeech.h"
#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/appearance.h"
#include "platform/lifetime.h"
#include "platform/picture.h"
#include "platform/registry.h"
#include "platform/screen.h"
#include "tests/support/fakes.h"
#include "tests/support/gamewindow.h"
#include "tests/support/hands.h"
#include "tests/support/messageboxscript.h"
#include "tests/support/modal.h"
#include "tests/support/picturefolder.h"
#include "tests/support/sandbox.h"

using namespace vuska;
using vuska::test::FakeClock;
using vuska::test::MessageBoxScript;

namespace {

void store(const QString& name, const QString& value)
{
    QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, name, 1, value));
}

// The winner of the last game begins, cards move at once: with no run yet, the computer
// begins every game and its first card is down as soon as its pause is over.
void storeComputerBegins()
{
    store(QStringLiteral("PelinAloitustapa"), QStringLiteral("Edellisen pelin voittanut"));
    store(QStringLiteral("NaytaKorttienSiirto"), QStringLiteral("False"));
}

// One run of the game program: the window over a picture folder of its own.
struct Game : vuska::test::GameWindow {
    using GameWindow::GameWindow;
    // Runs the starter's one tick, as the event loop would right after start-up.
    void tick()
    {
        QVERIFY(window->tmrAjastin()->isActive());
        window->tmrAjastin_Timer();
    }
    // Lets the real starter tick of a shown window run (events are handled while it waits).
    void settle() { QTRY_VERIFY(!window->tmrAjastin()->isActive()); }
    // Shows the window active, with the starter of the first deal held back.
    void showActive()
    {
        window->tmrAjastin()->stop();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->tmrAjastin()->start();
    }
    // Start-up, the window shown active, and the first deal's starter run.
    void startShown()
    {
        window->Form_Load();
        showActive();
        settle();
    }
    int played()
    {
        int count = 0;
        for (int i = 0; i < SlotCount; ++i)
            count += game().CardPlayed[size_t(i)] ? 1 : 0;
        return count;
    }
};

} // namespace

class TestFrmVuska : public QObject {
    Q_OBJECT

    QTemporaryDir pictures_;
    std::unique_ptr<QTemporaryDir> config_;
    int ends_ = 0;

private slots:
    void initTestCase()
    {
        platform::applyProgramFont();
        vuska::test::writeCardPictures(pictures_.path());
        platform::lifetime::setEndHandler([this](int) { ++ends_; });
    }

    void init()
    {
        config_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", config_->path().toLocal8Bit());
        platform::lifetime::reset();
        platform::screen::setTwipsPerPixelOverride(15, 15);
        ends_ = 0;
    }

    void cleanup() { platform::screen::setTwipsPerPixelOverride(0, 0); }

    // With no stored values the game starts with its defaults, deals its first game at once
    // and writes nothing to the store.
    void startsWithDefaultsAndWritesNothing()
    {
        Game g(pictures_.path());
        g.window->Form_Load();
        QCOMPARE(g.window->heightTwips(), 8160);
        QCOMPARE(g.game().StartMode, QStringLiteral("Vuoroaloitus"));
        QVERIFY(g.game().ShowShuffleAndDeal);
        QVERIFY(g.game().ShowCardMovement);
        QCOMPARE(g.game().AnimationSteps, qint16(40));
        QCOMPARE(g.game().WinStreak, qint16(0));
        QVERIFY(g.game().GameInProgress);
        QVERIFY(g.window->mNaytaPainikkeet()->isChecked());
        QCOMPARE(g.game().ProgramFolder, pictures_.path());
        for (int k = 0; k < SlotCount; ++k) {
            QCOMPARE(g.window->table()->left(k), mdlVuska::handLeft(k));
            QCOMPARE(g.window->table()->top(k), mdlVuska::handTop(k));
            QVERIFY(g.window->table()->visible(k));
            QVERIFY(!g.window->table()->card(k)->picture().isNull());
        }
        QVERIFY(!QFile::exists(platform::registry::hiveFilePath(platform::registry::Hive::CurrentUser)));
        QVERIFY(!QDir(config_->path() + QStringLiteral("/vuska-registry")).exists());
        QCOMPARE(ends_, 0);
    }

    void settingsFallBack_data()
    {
        QTest::addColumn<QString>("speed");
        QTest::addColumn<int>("steps");
        QTest::newRow("0") << "0" << 40;
        QTest::newRow("3") << "3" << 25;
        QTest::newRow("6") << "6" << 10;
        QTest::newRow("7") << "7" << 40;
        QTest::newRow("x") << "x" << 40;
        QTest::newRow("abc") << "abc" << 40;
        QTest::newRow("empty") << "" << 40;
        QTest::newRow("padded") << " 3" << 40;
    }

    // Stored settings are taken only when they hold one of their known texts exactly.
    void settingsFallBack()
    {
        QFETCH(QString, speed);
        QFETCH(int, steps);
        store(QStringLiteral("Animaationopeus"), speed);
        store(QStringLiteral("NaytaKorttienSiirto"), QStringLiteral("true"));
        store(QStringLiteral("NaytaKorttienSekoitusJaJako"), QStringLiteral("False"));
        store(QStringLiteral("PelinAloitustapa"), QStringLiteral("Pienimmän kortin omistaja"));
        Game g(pictures_.path());
        g.window->Form_Load();
        QCOMPARE(int(g.game().AnimationSteps), steps);
        QVERIFY(g.game().ShowCardMovement);
        QVERIFY(!g.game().ShowShuffleAndDeal);
        QCOMPARE(g.game().StartMode, QStringLiteral("Vuoroaloitus"));
    }

    // Known texts are taken as they are.
    void settingsTaken()
    {
        store(QStringLiteral("NaytaKorttienSiirto"), QStringLiteral("False"));
        store(QStringLiteral("PelinAloitustapa"), QStringLiteral("Pienimman kortin omistaja"));
        store(QStringLiteral("NaytaPainikkeet"), QStringLiteral("False"));
        Game g(pictures_.path());
        g.window->Form_Load();
        QVERIFY(!g.game().ShowCardMovement);
        QCOMPARE(g.game().StartMode, QStringLiteral("Pienimman kortin omistaja"));
        QVERIFY(!g.window->mNaytaPainikkeet()->isChecked());
        QCOMPARE(g.window->heightTwips(), 7670);
        QVERIFY(!g.window->cmdPainike(1)->isEnabled());
    }

    // A value 2048 bytes or longer, or of another type, reads as missing.
    void oversizedOrForeignValuesFallBack()
    {
        store(QStringLiteral("PelinAloitustapa"), QString(2048, QLatin1Char('x')));
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, QStringLiteral("Animaationopeus"), 4, 3));
        Game g(pictures_.path());
        g.window->Form_Load();
        QCOMPARE(g.game().StartMode, QStringLiteral("Vuoroaloitus"));
        QCOMPARE(g.game().AnimationSteps, qint16(40)); // a DWORD 3 reads as "003"
    }

    void displayCheck_data()
    {
        QTest::addColumn<int>("twips");
        QTest::addColumn<bool>("warned");
        QTest::addColumn<int>("height");
        QTest::newRow("96 dpi") << 15 << false << 8160;
        QTest::newRow("120 dpi") << 12 << false << 6720;
        QTest::newRow("144 dpi") << 10 << true << 8160;
    }

    // Only the two display factors the layout was made for pass without a warning.
    void displayCheck()
    {
        QFETCH(int, twips);
        QFETCH(bool, warned);
        QFETCH(int, height);
        platform::screen::setTwipsPerPixelOverride(twips, twips);
        MessageBoxScript boxes;
        if (warned)
            boxes.ok();
        Game g(pictures_.path());
        g.window->Form_Load();
        QCOMPARE(g.window->heightTwips(), height);
        QCOMPARE(boxes.shown().size(), warned ? 1 : 0);
        if (warned) {
            QCOMPARE(boxes.last().title, QStringLiteral("Tiedoksi"));
            QCOMPARE(boxes.last().text,
                     QStringLiteral("Ohjelman ulkoasussa saattaa esiintyä puutteita\nkäyttämilläsi näytön asetuksilla."));
            QCOMPARE(boxes.last().icon, platform::MsgIcon::Information);
        }
    }

    // The table is 452 x 455 pixels and the buttons sit where the layout puts them, at
    // either display factor.
    void pixelLayout()
    {
        for (int twips : {15, 12}) {
            platform::screen::setTwipsPerPixelOverride(twips, twips);
            Game g(pictures_.path());
            g.window->Form_Load();
            const QRect table = g.window->table()->geometry();
            QCOMPARE(table.size(), QSize(452, 455));
            QCOMPARE(g.window->cmdPainike(0)->y(), 470);
            QCOMPARE(g.window->cmdPainike(1)->y(), 470);
            QCOMPARE(g.window->cmdPainike(0)->x(), qRound((452.0 * twips - 2 * 1335) / twips));
            QCOMPARE(g.window->cmdPainike(1)->x(), qRound((452.0 * twips - 1335 + 80.0 / 15 * twips) / twips));
            // The row of buttons lies inside the client area when shown.
            QVERIFY(g.window->cmdPainike(0)->geometry().bottom() < g.window->centralWidget()->height());
            QVERIFY(!(g.window->windowFlags() & Qt::WindowMaximizeButtonHint));
            QVERIFY(g.window->windowFlags() & Qt::WindowMinimizeButtonHint);
            QCOMPARE(g.window->windowTitle(), QStringLiteral("Vuska"));
        }
    }

    void cardAtDoubleRatio_data()
    {
        QTest::addColumn<QSize>("pictureSize");
        QTest::addColumn<bool>("doubleDensity");
        QTest::newRow("our 160 x 256 card") << QSize(160, 256) << true;
        QTest::newRow("a player's own 80 x 128 card") << QSize(80, 128) << false;
    }

    // On a 200 % screen our card shows each of its own pixels once, whole at 80 x 127; a
    // player's own card has each pixel doubled, sharp, as before.
    void cardAtDoubleRatio()
    {
        QFETCH(QSize, pictureSize);
        QFETCH(bool, doubleDensity);
        QImage pattern(pictureSize, QImage::Format_RGB32);
        for (int y = 0; y < pattern.height(); ++y)
            for (int x = 0; x < pattern.width(); ++x)
                pattern.setPixel(x, y, qRgb(x * 255 / pattern.width(), (x + y) % 2 * 255, y * 255 / pattern.height()));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kortti.jpg"));
        QVERIFY(pattern.save(path, "JPEG", 95));
        const QImage loaded = platform::loadPicture(path); // what the JPEG decodes to

        CardTable table(nullptr);
        table.setHeight(0, 127);
        QVERIFY(table.loadPicture(0, path));
        QImage shown(160, 254, QImage::Format_RGB32);
        shown.setDevicePixelRatio(2);
        shown.fill(Qt::magenta);
        table.card(0)->render(&shown);
        shown.setDevicePixelRatio(1);
        const QImage expected = doubleDensity ? loaded.copy(0, 0, 160, 254)
                                              : loaded.copy(0, 0, 80, 127).scaled(160, 254);
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));
    }

    // Loading the back ten times in a row shares one picture, yet whatever happens to the
    // file between two loads is seen: gone, it cannot be loaded; changed, the new one shows.
    void repeatedLoadFollowsTheFile_data()
    {
        QTest::addColumn<QString>("between");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<bool>("shared");
        QTest::addColumn<QSize>("shownSize");
        QTest::newRow("unchanged") << "" << true << true << QSize(80, 128);
        QTest::newRow("removed") << "remove" << false << false << QSize();
        QTest::newRow("replaced") << "replace" << true << false << QSize(40, 50);
    }
    void repeatedLoadFollowsTheFile()
    {
        QFETCH(QString, between);
        QFETCH(bool, loads);
        QFETCH(bool, shared);
        QFETCH(QSize, shownSize);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tausta.jpg"));
        const auto write = [&](QSize size) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::blue);
            return image.save(path, "JPEG");
        };
        QVERIFY(write(QSize(160, 256)));
        CardTable table(nullptr);
        QVERIFY(table.loadPicture(0, path));
        if (between == QLatin1String("remove"))
            QVERIFY(QFile::remove(path));
        else if (between == QLatin1String("replace"))
            QVERIFY(write(QSize(40, 50)));
        QCOMPARE(table.loadPicture(1, path), loads);
        if (!loads)
            return;
        QCOMPARE(table.card(1)->picture().cacheKey() == table.card(0)->picture().cacheKey(), shared);
        QCOMPARE(table.card(1)->picture().deviceIndependentSize().toSize(), shownSize);
    }

    // The starter's tick decides once per deal, even when a tick comes again during the
    // computer's pause; the new-game command is unavailable meanwhile but quitting is not.
    void starterDecidesOncePerDeal()
    {
        store(QStringLiteral("PelinAloitustapa"), QStringLiteral("Edellisen pelin voittanut"));
        store(QStringLiteral("NaytaKorttienSiirto"), QStringLiteral("False"));
        Game g(pictures_.path());
        g.window->Form_Load();
        bool newGameDuringPause = true;
        bool quitDuringPause = false;
        g.clock.onPause = [&] {
            newGameDuringPause = g.window->cmdPainike(0)->isEnabled() || g.window->mUusiPeli()->isEnabled();
            quitDuringPause = g.window->cmdPainike(1)->isEnabled() && g.window->mLopeta()->isEnabled();
            g.window->tmrAjastin()->start(); // a tick that arrives while the first still runs
            g.window->tmrAjastin_Timer();
        };
        g.tick();
        g.clock.onPause = {};
        // The tick that came meanwhile is still due; it decides nothing more.
        g.window->tmrAjastin_Timer();
        QCOMPARE(g.clock.pauses, 1);
        QVERIFY(!newGameDuringPause);
        QVERIFY(quitDuringPause);
        QVERIFY(!g.window->tmrAjastin()->isActive());
        QCOMPARE(g.played(), 1);
        // The human is to answer: the command is back.
        QVERIFY(g.game().HumanToPlay);
        QVERIFY(g.window->cmdPainike(0)->isEnabled());
        QVERIFY(g.window->mUusiPeli()->isEnabled());
    }

    // A deal made while the starter lets events run gets a decision of its own.
    void dealDuringStarterGetsItsOwnDecision()
    {
        store(QStringLiteral("NaytaKorttienSiirto"), QStringLiteral("False"));
        Game g(pictures_.path());
        g.window->Form_Load();
        QTimer::singleShot(0, g.window.get(), [&] { g.window->mUusiPeli_Click(); });
        g.tick(); // alternation: the human begins, then the new deal comes in
        QVERIFY(g.game().HumanStartedGame);
        QCOMPARE(g.clock.pauses, 0);
        QVERIFY(g.window->tmrAjastin()->isActive());
        g.tick(); // the new deal's own decision: the computer's turn
        QVERIFY(!g.game().HumanStartedGame);
        QCOMPARE(g.clock.pauses, 1);
        QVERIFY(!g.window->tmrAjastin()->isActive());
    }

    // Two new-game commands in quick succession (a doubled or repeating F2): the first deal's
    // starter, due but not yet run when the second deal begins, decides nothing, and the
    // second deal gets exactly one decision. The computer begins each deal here, so a second
    // decision would show as a second card of its own on the table.
    void quickNewGamesDecideOnce()
    {
        storeComputerBegins();
        Game g(pictures_.path());
        g.startShown();
        QCOMPARE(g.clock.pauses, 1);
        QTest::keyClick(g.window.get(), Qt::Key_F2);
        QThread::msleep(5); // the first deal's starter tick is due, its event not yet handled
        QTest::keyClick(g.window.get(), Qt::Key_F2);
        g.settle();
        QCOMPARE(g.clock.pauses, 2);
        QCOMPARE(g.played(), 1);
        QVERIFY(g.game().HumanToPlay);
    }

    void focusComesBackAfterTheComputersTurn_data()
    {
        QTest::addColumn<int>("tabs"); // Tab presses from the hand, where the focus starts
        QTest::newRow("left alone on the hand") << 0;
        QTest::newRow("player tabbed to Uusi peli") << 1;
        QTest::newRow("player tabbed to Lopeta") << 2;
    }

    // After the computer's turn, Enter presses "Uusi peli" again: the guard's disabling of the
    // button while the computer played (or while the window was first shown) must not leave
    // the focus on "Lopeta", nor take away a focus the player put there himself; a deal keeps
    // the focus where it was.
    void focusComesBackAfterTheComputersTurn()
    {
        QFETCH(int, tabs);
        storeComputerBegins();
        Game g(pictures_.path());
        g.startShown();
        QCOMPARE(QApplication::focusWidget(), g.window->table()->card(5));
        for (int i = 0; i < tabs; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* const focused =
            tabs == 0 ? static_cast<QWidget*>(g.window->table()->card(5)) : g.window->cmdPainike(tabs - 1);
        QCOMPARE(QApplication::focusWidget(), focused);
        g.window->mUusiPeli_Click();
        g.settle();
        QCOMPARE(g.clock.pauses, 2); // the computer began both games
        QCOMPARE(QApplication::focusWidget(), focused);
        MessageBoxScript boxes;
        if (tabs == 2)
            boxes.no();
        const auto dealt = g.game().CardName;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(boxes.shown().size(), tabs == 2 ? 1 : 0);
        QCOMPARE(g.game().CardName != dealt, tabs != 2);
    }

    // The guard follows the two flags: disabled exactly while the computer is to play in a
    // running game.
    void newGameGuardFollowsFlags()
    {
        Game g(pictures_.path());
        g.window->Form_Load();
        for (const bool humanToPlay : {false, true}) {
            for (const bool inProgress : {false, true}) {
                g.game().HumanToPlay = humanToPlay;
                g.game().GameInProgress = inProgress;
                const bool expected = humanToPlay || !inProgress;
                QCOMPARE(g.window->cmdPainike(0)->isEnabled(), expected);
                QCOMPARE(g.window->mUusiPeli()->isEnabled(), expected);
                QVERIFY(g.window->cmdPainike(1)->isEnabled());
            }
        }
    }

    void newGameNeverDuringComputerPause_data()
    {
        QTest::addColumn<QString>("way");
        for (const char* way : {"Alt+U before the card", "button during the pause", "Enter during the pause",
                                "F2 during the pause", "menu during the pause", "command during the pause"})
            QTest::newRow(way) << QString::fromLatin1(way);
    }

    // However the new-game command is given, it does nothing while the computer is to play:
    // not even a click that was already on its way (an access key clicks a moment later)
    // when the human's card handed the lead to the computer.
    void newGameNeverDuringComputerPause()
    {
        QFETCH(QString, way);
        store(QStringLiteral("NaytaKorttienSiirto"), QStringLiteral("False"));
        Game g(pictures_.path());
        g.window->Form_Load();
        g.window->show();
        g.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(g.window.get()));
        g.settle(); // alternation: the human leads the first game
        // His heart loses to the computer's ace, and the computer leads the next trick.
        vuska::test::setHands(g.game(), {"herttaa", "risti9", "risti7", "risti4", "ruutu5",
                                         "hertta3", "pata4", "pata5", "pata6", "pata7"});
        const auto dealt = g.game().CardName;
        if (way.startsWith(QLatin1String("Alt+U")))
            QTest::keyClick(g.window.get(), Qt::Key_U, Qt::AltModifier);
        g.clock.onPause = [&] {
            if (way.startsWith(QLatin1String("button")))
                g.window->cmdPainike(0)->click();
            else if (way.startsWith(QLatin1String("Enter")))
                QTest::keyClick(g.window.get(), Qt::Key_Return);
            else if (way.startsWith(QLatin1String("F2")))
                QTest::keyClick(g.window.get(), Qt::Key_F2);
            else if (way.startsWith(QLatin1String("menu")))
                g.window->mUusiPeli()->trigger();
            else if (way.startsWith(QLatin1String("command")))
                g.window->mUusiPeli_Click();
            QTest::qWait(250); // long enough for a click on its way to arrive
        };
        QTest::mouseClick(g.window->table()->card(5), Qt::LeftButton, {}, QPoint(40, 60));
        g.clock.onPause = {};
        QCOMPARE(g.clock.pauses, 1);
        QCOMPARE(g.game().CardName, dealt);
        QVERIFY(!g.window->tmrAjastin()->isActive());
        QVERIFY(g.game().ComputerHasLed);
        QVERIFY(g.game().HumanToPlay);
        QCOMPARE(g.played(), 3);
        // Now that the human is to answer, the command works again.
        QTest::keyClick(g.window.get(), Qt::Key_F2);
        QVERIFY(g.window->tmrAjastin()->isActive());
        QVERIFY(g.game().CardName != dealt);
    }

    void cardChoiceBeforeTheStarterIsIgnored_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<bool>("counts"); // once the starter has given the human the lead
        QTest::newRow("mouse click") << 0 << true;
        QTest::newRow("key 1") << 1 << true;
        QTest::newRow("keypad 1") << 2 << true;
        QTest::newRow("Space on the focused card") << 3 << true;
        QTest::newRow("screen reader's press") << 4 << true;
        QTest::newRow("key 1 held down") << 5 << false;
        QTest::newRow("Ctrl+1") << 6 << false;
    }

    // A card chosen after a deal but before its starter has decided who begins is not a move,
    // however it was chosen: the new game's flags are not known yet. A held key or one with
    // a modifier never plays.
    void cardChoiceBeforeTheStarterIsIgnored()
    {
        QFETCH(int, way);
        QFETCH(bool, counts);
        Game g(pictures_.path());
        g.startShown();
        QVERIFY(g.game().HumanToPlay); // the flags the next deal inherits
        CardImage* card = g.window->table()->card(5);
        QCOMPARE(QApplication::focusWidget(), card);
        const auto choose = [&] {
            switch (way) {
            case 0:
                QTest::mouseClick(card, Qt::LeftButton, {}, QPoint(40, 60));
                break;
            case 1:
            case 2:
                QTest::keyClick(card, Qt::Key_1, way == 2 ? Qt::KeypadModifier : Qt::NoModifier);
                break;
            case 3:
                QTest::keyClick(card, Qt::Key_Space);
                break;
            case 4:
                QAccessible::queryAccessibleInterface(card)->actionInterface()->doAction(
                    QAccessibleActionInterface::pressAction());
                QCoreApplication::processEvents(); // the press comes through the event loop, as a click
                break;
            default: {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_1, way == 6 ? Qt::ControlModifier : Qt::NoModifier,
                                QStringLiteral("1"), way == 5);
                QApplication::sendEvent(card, &press);
            }
            }
        };
        g.window->mUusiPeli_Click();
        QVERIFY(g.window->tmrAjastin()->isActive());
        choose();
        QCOMPARE(g.played(), 0);
        g.game().StartMode = StartModes::PreviousWinner;
        g.game().WinStreak = 1;
        g.tick();
        QVERIFY(g.game().HumanStartedGame);
        choose();
        QCOMPARE(g.game().CardPlayed[5], counts);
    }

    // A screen reader's press is a click: it returns at once and plays through the event loop,
    // and cannot reach the table past a modal window of the game.
    void readersPressIsAClick()
    {
        Game g(pictures_.path());
        g.startShown();
        QVERIFY(g.game().HumanToPlay);
        const auto press = [&] {
            QAccessible::queryAccessibleInterface(g.window->table()->card(5))->actionInterface()->doAction(
                QAccessibleActionInterface::pressAction());
        };
        {
            const vuska::test::OnModal inSettings([&](QWidget* dialog) {
                press();
                QCoreApplication::processEvents();
                QCOMPARE(g.played(), 0);
                dialog->close();
            });
            g.window->mNaytaAsetukset_Click();
        }
        QCoreApplication::processEvents();
        QCOMPARE(g.played(), 0);
        press();
        QCOMPARE(g.played(), 0); // nothing runs inside the reader's call
        QTRY_VERIFY(g.game().CardPlayed[5]);
    }

    // Every card's name follows what it shows in every deal: the computer's cards that lay face
    // up on the table in one game are face down in its hand in the next.
    void cardNamesFollowEveryDeal()
    {
        storeComputerBegins();
        Game g(pictures_.path());
        g.startShown();
        for (int deal = 0; deal < 3; ++deal) {
            QCOMPARE(g.played(), 1); // the computer's first card shows its face on the table
            g.window->mUusiPeli_Click();
            for (int k = 0; k < SlotCount; ++k) {
                const QString name =
                    QAccessible::queryAccessibleInterface(g.window->table()->card(k))->text(QAccessible::Name);
                const QString shown = isComputerSlot(k) ? QStringLiteral("tietokoneen kortti, kuvapuoli alaspäin")
                                                        : speech::cardWords(g.game().CardSuit[size_t(k)],
                                                                            g.game().CardValue[size_t(k)]);
                QVERIFY2(name == shown, qPrintable(QStringLiteral("deal %1, slot %2: %3").arg(deal).arg(k).arg(name)));
            }
            g.settle();
        }
    }

    void focusFrameOnlyForTheCardKeys_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("framed");
        QTest::newRow("Esc, answered Ei") << "Esc" << false;
        QTest::newRow("Enter") << "Enter" << false;
        QTest::newRow("Alt") << "Alt" << false;
        QTest::newRow("the row hidden from Uusi peli") << "hide row" << false;
        QTest::newRow("Tab from Lopeta into the hand") << "Tab" << true;
        QTest::newRow("Shift+Tab from Uusi peli into the hand") << "Shift+Tab" << true;
    }

    // The card that holds the focus is framed only once the keys of the cards are used: the
    // window's own keys and a focus Qt hands on leave the table as a mouse player knows it.
    void focusFrameOnlyForTheCardKeys()
    {
        QFETCH(QString, way);
        QFETCH(bool, framed);
        Game g(pictures_.path());
        g.startShown();
        CardImage* card = g.window->table()->card(5);
        MessageBoxScript boxes;
        if (way == QLatin1String("Esc")) {
            boxes.no();
            QTest::keyClick(card, Qt::Key_Escape);
        } else if (way == QLatin1String("Enter")) {
            QTest::keyClick(card, Qt::Key_Return);
        } else if (way == QLatin1String("Alt")) {
            QTest::keyClick(card, Qt::Key_Alt, Qt::AltModifier);
        } else if (way == QLatin1String("hide row")) {
            g.window->cmdPainike(0)->setFocus(Qt::TabFocusReason);
            g.window->mNaytaPainikkeet()->trigger();
        } else {
            const bool back = way == QLatin1String("Shift+Tab");
            g.window->cmdPainike(back ? 0 : 1)->setFocus(Qt::TabFocusReason);
            QTest::keyClick(QApplication::focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                            back ? Qt::ShiftModifier : Qt::NoModifier);
        }
        g.settle();
        // Alt leaves the focus on the menu bar; back on the card, the frame shows or not.
        card->setFocus(Qt::ActiveWindowFocusReason);
        QCOMPARE(card->focusFrameShown(), framed);
    }

    void closeDuringDealIsAskedAfterIt_data()
    {
        QTest::addColumn<bool>("quit");
        QTest::newRow("No: the game goes on") << false;
        QTest::newRow("Yes: the program ends") << true;
    }

    // The close box pressed while a deal runs: the window stays, and once the deal is done
    // the quit question decides.
    void closeDuringDealIsAskedAfterIt()
    {
        QFETCH(bool, quit);
        Game g(pictures_.path());
        g.window->Form_Load();
        g.game().ShowShuffleAndDeal = true;
        g.game().AnimationSteps = 10;
        g.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(g.window.get()));
        g.settle();
        MessageBoxScript boxes;
        quit ? boxes.yes() : boxes.no();
        bool askedDuringDeal = false;
        bool closed = false;
        boxes.whileShown = [&](const platform::MessageBoxRequest&) { askedDuringDeal = !g.window->isEnabled(); };
        const QMetaObject::Connection during =
            connect(g.window->table(), &CardTable::stepShown, this, [&](CardPictures::Step) {
                if (!std::exchange(closed, true))
                    g.window->windowHandle()->close(); // as the window manager sends it
            });
        g.window->mUusiPeli_Click();
        disconnect(during);
        QVERIFY(closed);
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.last().title, QStringLiteral("Lopeta"));
        QVERIFY(!askedDuringDeal);
        QCOMPARE(ends_, quit ? 1 : 0);
        QCOMPARE(g.window->isVisible(), !quit);
        QCOMPARE(g.window->tmrAjastin()->isActive(), !quit);
    }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<int>("focus"); // -1: no button has the focus
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("quitAsked");
        QTest::newRow("Enter, no button focused") << -1 << int(Qt::Key_Return) << false;
        QTest::newRow("keypad Enter, no button focused") << -1 << int(Qt::Key_Enter) << false;
        QTest::newRow("Enter on Uusi peli") << 0 << int(Qt::Key_Return) << false;
        QTest::newRow("Enter on Lopeta") << 1 << int(Qt::Key_Return) << true;
        QTest::newRow("Space on Lopeta") << 1 << int(Qt::Key_Space) << true;
        QTest::newRow("Esc on Uusi peli") << 0 << int(Qt::Key_Escape) << true;
        QTest::newRow("Esc, no button focused") << -1 << int(Qt::Key_Escape) << true;
    }

    // Enter presses the button that has the focus, and "Uusi peli" only while the focus is
    // elsewhere; Esc is "Lopeta" wherever the focus is.
    void enterPressesTheFocusedButton()
    {
        QFETCH(int, focus);
        QFETCH(int, key);
        QFETCH(bool, quitAsked);
        Game g(pictures_.path());
        g.window->Form_Load();
        g.window->show();
        g.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(g.window.get()));
        g.settle();
        if (focus >= 0)
            g.window->cmdPainike(focus)->setFocus(Qt::TabFocusReason);
        else if (QWidget* w = QApplication::focusWidget())
            w->clearFocus();
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : g.window.get();
        QCOMPARE(target == g.window->cmdPainike(focus < 0 ? 0 : focus), focus >= 0);
        MessageBoxScript boxes;
        if (quitAsked)
            boxes.no();
        const auto dealt = g.game().CardName;
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(boxes.shown().size(), quitAsked ? 1 : 0);
        if (quitAsked)
            QCOMPARE(boxes.last().title, QStringLiteral("Lopeta"));
        // Uusi peli with no run to lose deals at once.
        QCOMPARE(g.game().CardName != dealt, !quitAsked);
    }

    void oneQuestionAtATime_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("yes");
        QTest::newRow("task manager while Lopeta asks, No") << "Lopeta" << "task manager" << false;
        QTest::newRow("session end while Lopeta asks, Yes") << "Lopeta" << "session end" << true;
        QTest::newRow("Lopeta button while the close box asks, No") << "close box" << "Lopeta button" << false;
        QTest::newRow("Lopeta menu while the session asks, Yes") << "session end" << "Lopeta menu" << true;
        QTest::newRow("Uusi peli button while F2 asks, No") << "F2" << "Uusi peli button" << false;
        QTest::newRow("Uusi peli menu while the button asks, Yes") << "Uusi peli button" << "Uusi peli menu" << true;
    }

    // A second request while a quit or new-game question is open asks nothing more (an access
    // key's click arrives a moment after the key, beside a close request or F2): the open
    // question's answer is the answer to both.
    void oneQuestionAtATime()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, yes);
        Game g(pictures_.path());
        g.startShown();
        g.game().WinStreak = 1; // a run to lose: a new game asks
        g.game().BestScores[9] = 1; // but one too short for the list: no name entry
        const vuska::test::NoModalExpected noDialog;
        const auto act = [&](const QString& way) {
            if (way == QLatin1String("Lopeta"))
                g.window->mLopeta_Click();
            else if (way == QLatin1String("Lopeta button"))
                g.window->cmdPainike(1)->click();
            else if (way == QLatin1String("Lopeta menu"))
                g.window->mLopeta()->trigger();
            else if (way == QLatin1String("close box"))
                g.window->close();
            else if (way == QLatin1String("session end"))
                g.window->Form_QueryUnload(UnloadMode::AppWindows);
            else if (way == QLatin1String("task manager"))
                g.window->Form_QueryUnload(UnloadMode::AppTaskManager);
            else if (way == QLatin1String("F2"))
                QTest::keyClick(g.window.get(), Qt::Key_F2);
            else if (way == QLatin1String("Uusi peli button"))
                g.window->cmdPainike(0)->click();
            else if (way == QLatin1String("Uusi peli menu"))
                g.window->mUusiPeli()->trigger();
            else
                QFAIL(qPrintable(way));
        };
        MessageBoxScript boxes;
        yes ? boxes.yes() : boxes.no();
        bool asked = false;
        boxes.whileShown = [&](const platform::MessageBoxRequest&) {
            if (!std::exchange(asked, true))
                act(second);
        };
        const auto dealt = g.game().CardName;
        act(first);
        QCOMPARE(boxes.shown().size(), 1);
        const bool quit = boxes.last().title == QLatin1String("Lopeta");
        QCOMPARE(ends_, quit && yes ? 1 : 0);
        QCOMPARE(g.window->isVisible(), !(quit && yes));
        QCOMPARE(g.game().CardName != dealt, !quit && yes);
    }

    // Quitting with a run that beats the tenth entry asks for the name before the end.
    void quittingWithAQualifyingRunAsksTheName()
    {
        Game g(pictures_.path());
        g.window->Form_Load();
        g.window->show();
        g.settle();
        g.game().WinStreak = 3;
        MessageBoxScript boxes;
        boxes.yes();
        {
            const vuska::test::OnModal naming([&](QWidget* w) {
                QCOMPARE(w, static_cast<QWidget*>(&g.window->kysyNimi()));
                g.window->kysyNimi().txtNimi()->setText(QStringLiteral("Lopettaja"));
                QTest::keyClick(g.window->kysyNimi().txtNimi(), Qt::Key_Return);
            });
            g.window->mLopeta_Click();
        }
        QCOMPARE(ends_, 1);
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, QStringLiteral("ParasPelaaja0")),
                 QStringLiteral("Lopettaja"));
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, QStringLiteral("ParasTulos0")), QStringLiteral("3"));
    }

    // The first deal comes before the settings are read: laid out at once, whatever they say;
    // the next deal follows them.
    void firstDealBeforeTheSettings()
    {
        store(QStringLiteral("NaytaKorttienSekoitusJaJako"), QStringLiteral("True"));
        store(QStringLiteral("Animaationopeus"), QStringLiteral("6"));
        Game g(pictures_.path());
        int steps = 0;
        connect(g.window->table(), &CardTable::stepShown, this, [&](CardPictures::Step) { ++steps; });
        g.window->Form_Load();
        QCOMPARE(steps, 0);
        QVERIFY(g.game().ShowShuffleAndDeal);
        QCOMPARE(g.game().AnimationSteps, qint16(10));
        g.tick();
        g.window->mUusiPeli_Click();
        QCOMPARE(steps, 240 + 1 + 1 + 10 * 10); // the shuffle, then the deal in ten steps a card
    }

    // A new game asks only when a running game would end a run of won games.
    void newGameAsksBeforeAbandoningARun()
    {
        Game g(pictures_.path());
        g.window->Form_Load();
        g.tick();

        // No run: no question (the script has no answer, so any box would fail the test).
        {
            MessageBoxScript boxes;
            g.game().WinStreak = 0;
            g.window->mUusiPeli_Click();
            QVERIFY(g.window->tmrAjastin()->isActive());
            QCOMPARE(boxes.shown().size(), 0);
        }
        g.tick();

        // A run of 3 against a tenth entry of 3: the question, then the run simply ends.
        g.game().WinStreak = 3;
        g.game().BestScores[9] = 3;
        {
            MessageBoxScript boxes;
            boxes.no();
            const auto before = g.game().CardName;
            g.window->mUusiPeli_Click();
            QCOMPARE(boxes.last().title, QStringLiteral("Uusi peli"));
            QCOMPARE(boxes.last().text, QStringLiteral("Haluatko varmasti keskeyttää nykyisen pelin ja\naloittaa uuden?"));
            QCOMPARE(boxes.last().buttons, platform::MsgButtons::YesNo);
            QCOMPARE(boxes.last().defaultButton, platform::MsgDefault::First);
            QCOMPARE(boxes.last().icon, platform::MsgIcon::Question);
            QCOMPARE(boxes.last().helpContext, 15);
            QCOMPARE(boxes.last().helpFile, pictures_.path() + QStringLiteral("/vuska.hlp"));
            QCOMPARE(g.game().CardName, before); // No: the game goes on untouched
            QCOMPARE(g.game().WinStreak, qint16(3));
            QVERIFY(!g.window->tmrAjastin()->isActive());
        }
        {
            MessageBoxScript boxes;
            boxes.yes();
            g.window->mUusiPeli_Click();
            QCOMPARE(g.game().WinStreak, qint16(0));
            QVERIFY(g.window->tmrAjastin()->isActive());
        }
        g.tick();

        // After a finished game the run goes on into the next without a question.
        g.game().GameInProgress = false;
        g.game().WinStreak = 2;
        g.window->mUusiPeli_Click();
        QCOMPARE(g.game().WinStreak, qint16(2));
        QVERIFY(g.game().GameInProgress);
    }

    // Quitting asks first, with No as the default; No keeps everything as it was.
    void quitAsksFirst()
    {
        Game g(pictures_.path());
        g.window->Form_Load();
        g.window->show();
        g.tick();
        {
            MessageBoxScript boxes;
            boxes.no();
            g.window->cmdPainike_Click(1);
            QCOMPARE(boxes.last().text, QStringLiteral("Haluatko varmasti lopettaa Vuska-ohjelman käytön?"));
            QCOMPARE(boxes.last().title, QStringLiteral("Lopeta"));
            QCOMPARE(boxes.last().defaultButton, platform::MsgDefault::Second);
            QCOMPARE(ends_, 0);
            QVERIFY(g.window->isVisible());
        }
        {
            // The close box asks the same, and No keeps the window open.
            MessageBoxScript boxes;
            boxes.no();
            QVERIFY(!g.window->close());
            QCOMPARE(boxes.shown().size(), 1);
            QVERIFY(g.window->isVisible());
        }
        {
            MessageBoxScript boxes;
            boxes.yes();
            g.window->close();
            QCOMPARE(ends_, 1);
            QVERIFY(!g.window->isVisible());
        }
    }

    // Quitting while the computer pauses before its card ends the game there: the card is
    // never played.
    void quitDuringComputerPause()
    {
        store(QStringLiteral("PelinAloitustapa"), QStringLiteral("Edellisen pelin voittanut"));
        Game g(pictures_.path());
        g.window->Form_Load();
        g.window->show();
        MessageBoxScript boxes;
        boxes.yes();
        g.clock.onPause = [&] { g.window->mLopeta_Click(); };
        g.tick();
        QCOMPARE(ends_, 1);
        for (int i = 0; i < SlotCount; ++i)
            QVERIFY(!g.game().CardPlayed[size_t(i)]);
    }

    // A request to end from outside (a task manager, the session) while a dialog is open
    // over the computer's pause: the question, then a clean end with the dialog closed and
    // no card played.
    void endRequestWhileDialogOverPause()
    {
        store(QStringLiteral("PelinAloitustapa"), QStringLiteral("Edellisen pelin voittanut"));
        Game g(pictures_.path());
        g.window->Form_Load();
        g.window->show();
        MessageBoxScript boxes;
        boxes.yes();
        bool dialogWasOpen = false;
        g.clock.onPause = [&] {
            const vuska::test::OnModal endRequest([&](QWidget*) {
                dialogWasOpen = g.window->asetukset().isVisible();
                g.window->Form_QueryUnload(UnloadMode::AppTaskManager);
            });
            g.window->mNaytaAsetukset_Click();
        };
        g.tick();
        QVERIFY(dialogWasOpen);
        QCOMPARE(boxes.last().title, QStringLiteral("Lopeta"));
        QCOMPARE(ends_, 1);
        QVERIFY(!g.window->asetukset().isVisible());
        QVERIFY(!g.window->isVisible());
        for (int i = 0; i < SlotCount; ++i)
            QVERIFY(!g.game().CardPlayed[size_t(i)]);
    }

    // A request to end that comes while the name entry is open keeps the run under the
    // name typed so far, and the entry is not asked for twice.
    void endRequestDuringNameEntry()
    {
        Game g(pictures_.path());
        g.window->Form_Load();
        g.window->show();
        g.game().WinStreak = 6;
        MessageBoxScript boxes;
        boxes.yes();
        {
            const vuska::test::OnModal endRequest([&](QWidget*) {
                g.window->kysyNimi().txtNimi()->setText(QStringLiteral("Kesken"));
                g.window->Form_QueryUnload(UnloadMode::AppWindows);
            });
            g.window->showNameEntry();
        }
        QCOMPARE(ends_, 1);
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, QStringLiteral("ParasPelaaja0")),
                 QStringLiteral("Kesken"));
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, QStringLiteral("ParasTulos0")), QStringLiteral("6"));
        QVERIFY(!g.window->kysyNimi().isVisible());
    }

    // Other unload reasons, such as the program's own, close without a question.
    void programUnloadAsksNothing()
    {
        Game g(pictures_.path());
        g.window->Form_Load();
        MessageBoxScript boxes;
        QVERIFY(!g.window->Form_QueryUnload(UnloadMode::FormCode));
        QCOMPARE(boxes.shown().size(), 0);
    }

    // A missing card back ends the program already at start-up, after its message.
    void missingBackEndsAtStartUp()
    {
        QTemporaryDir folder;
        vuska::test::writeCardPictures(folder.path());
        QVERIFY(QFile::remove(folder.path() + QStringLiteral("/tausta.jpg")));
        MessageBoxScript boxes;
        boxes.ok();
        Game g(folder.path());
        g.window->Form_Load();
        QCOMPARE(boxes.last().text, QStringLiteral("Tiedostoa ") + folder.path() +
                                        QStringLiteral("/tausta.jpg ei löydy.\nOle hyvä ja asenna ohjelma uudelleen."));
        QCOMPARE(ends_, 1);
        QVERIFY(!g.window->isVisible());
        QVERIFY(!g.window->tmrAjastin()->isActive());
    }

    // A damaged face of the human's: the message names its full path and offers help at
    // topic 9, then the program ends.
    void damagedFaceEndsTheProgram()
    {
        QTemporaryDir folder;
        QFile::copy(pictures_.path() + QStringLiteral("/tausta.jpg"), folder.path() + QStringLiteral("/tausta.jpg"));
        for (const QString& name : vuska::test::allCardNames()) {
            QFile f(folder.path() + QLatin1Char('/') + name + QStringLiteral(".jpg"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("\xFF\xD8 not really a picture");
        }
        MessageBoxScript boxes;
        boxes.ok();
        Game g(folder.path());
        g.window->Form_Load();
        QCOMPARE(boxes.last().text, QStringLiteral("Tiedostoa ") + g.game().CardPicturePath[5] +
                                        QStringLiteral(" ei löydy.\nOle hyvä ja asenna ohjelma uudelleen."));
        QCOMPARE(boxes.last().helpContext, 9);
        QCOMPARE(boxes.last().title, QStringLiteral("Virhe"));
        QCOMPARE(ends_, 1);
    }

    // A store folder that cannot be written: reads give nothing, the game still runs.
    void unwritableStoreFolder()
    {
        QTemporaryDir dir;
        QFile blocker(dir.path() + QStringLiteral("/file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("XDG_CONFIG_HOME", (dir.path() + QStringLiteral("/file/config")).toLocal8Bit());
        Game g(pictures_.path());
        g.window->Form_Load();
        QCOMPARE(g.game().StartMode, QStringLiteral("Vuoroaloitus"));
        QVERIFY(!WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, QStringLiteral("NaytaPainikkeet"), 1,
                                    QStringLiteral("False")));
        g.tick();
        QVERIFY(g.game().HumanToPlay);
        QCOMPARE(ends_, 0);
    }

    // A damaged store file is put aside and the game starts with its defaults; the next
    // write succeeds.
    void damagedStoreFile()
    {
        store(QStringLiteral("PelinAloitustapa"), QStringLiteral("Aloittaja arvotaan"));
        const QString file = platform::registry::hiveFilePath(platform::registry::Hive::CurrentUser);
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(QByteArray(4096, 'x'));
        }
        Game g(pictures_.path());
        g.window->Form_Load();
        QCOMPARE(g.game().StartMode, QStringLiteral("Vuoroaloitus"));
        const QStringList aside = QDir(QFileInfo(file).path()).entryList({QStringLiteral("*.damaged-*")});
        QCOMPARE(aside.size(), 1);
        store(QStringLiteral("NaytaPainikkeet"), QStringLiteral("False"));
        QCOMPARE(ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, QStringLiteral("NaytaPainikkeet")),
                 QStringLiteral("False"));
    }
};

VUSKA_TEST_MAIN(TestFrmVuska)
#include "test_frmvuska.moc"
