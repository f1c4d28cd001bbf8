#include <memory>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "game/forms/cardtable.h"
#include "game/forms/frmkysynimi.h"
#include "game/forms/frmvuska.h"
#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/appearance.h"
#include "platform/lifetime.h"
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
using vuska::test::setHands;

namespace {

QString read(const QString& name)
{
    return ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, name);
}

// The real game window, played by clicking the human's card pictures.
struct Player : vuska::test::GameWindow {
    explicit Player(const QString& folder) : GameWindow(folder, 11)
    {
        window->Form_Load();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    // Deals the given cards instead of drawn ones, then lets the starter's tick run.
    void deal(std::initializer_list<const char*> cards)
    {
        setHands(game(), cards);
        QTRY_VERIFY(!window->tmrAjastin()->isActive());
    }
    void newGame(std::initializer_list<const char*> cards)
    {
        window->mUusiPeli_Click();
        deal(cards);
    }
    void click(int slot) { QTest::mouseClick(window->table()->card(slot), Qt::LeftButton, {}, QPoint(40, 60)); }
    bool played(int slot) { return game().CardPlayed[size_t(slot)]; }
};

// Types a name into the name entry once it is up and confirms it.
std::unique_ptr<vuska::test::OnModal> enterNameWhenAsked(const QString& name)
{
    return std::make_unique<vuska::test::OnModal>([name](QWidget* w) {
        auto* dialog = qobject_cast<frmKysyNimi*>(w);
        QVERIFY2(dialog, "the dialog that came up is not the name entry");
        dialog->txtNimi()->selectAll();
        dialog->txtNimi()->insert(name); // typed; keyClicks knows no letters beyond ASCII
        QTest::keyClick(dialog->txtNimi(), Qt::Key_Return);
    });
}

} // namespace

class TestWholeGame : public QObject {
    Q_OBJECT

    QTemporaryDir pictures_;
    std::unique_ptr<QTemporaryDir> config_;

private slots:
    void initTestCase()
    {
        platform::applyProgramFont();
        vuska::test::writeCardPictures(pictures_.path());
        platform::lifetime::setEndHandler([](int) {});
        platform::screen::setTwipsPerPixelOverride(15, 15);
    }

    void init()
    {
        config_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", config_->path().toLocal8Bit());
        platform::lifetime::reset();
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, QStringLiteral("NaytaKorttienSiirto"), 1,
                                   QStringLiteral("False")));
    }

    // A won game, then a lost one: the run of one reaches the empty list under the name
    // the player types; a refused card on the way changes nothing.
    void wonThenLostWithNameEntry()
    {
        Player p(pictures_.path());
        MessageBoxScript boxes;

        // First game: the human begins (alternation) and holds the five highest spades.
        p.deal({"pata2", "pata3", "pata4", "pata5", "pata6", "pataa", "pata13", "pata12", "pata11", "pata10"});
        QVERIFY(p.game().HumanToPlay);
        boxes.ok();
        for (int slot = 5; slot <= 9; ++slot) {
            p.click(slot);
            QVERIFY(p.played(slot));
        }
        QCOMPARE(boxes.last().text, QStringLiteral("Onnittelut, voitit pelin!"));
        QCOMPARE(p.game().WinStreak, qint16(1));
        QVERIFY(!p.game().GameInProgress);
        QVERIFY(p.window->cmdPainike(0)->isEnabled());

        // Second game: no question (the game is over), the computer begins and leads its
        // hearts; the human must follow with his.
        p.newGame({"herttaa", "hertta13", "hertta12", "hertta11", "hertta10",
                   "pata7", "hertta2", "hertta3", "hertta4", "hertta5"});
        QCOMPARE(p.clock.pauses, 1);
        QVERIFY(p.game().ComputerHasLed);
        boxes.ok();
        p.click(5); // a spade while holding hearts: refused
        QCOMPARE(boxes.last().title, QStringLiteral("Lyötävä herttaa"));
        QVERIFY(!p.played(5));
        for (int slot = 6; slot <= 9; ++slot) {
            p.click(slot);
            QVERIFY(p.played(slot));
        }
        // The last trick: the spade, being all the human has left.
        boxes.ok();
        {
            const auto naming = enterNameWhenAsked(QStringLiteral("Eetu"));
            p.click(5);
        }
        QCOMPARE(boxes.last().text, QStringLiteral("Harmi, hävisit pelin!"));
        QCOMPARE(p.game().WinStreak, qint16(0));
        QCOMPARE(p.game().BestNames[0], QStringLiteral("Eetu"));
        QCOMPARE(p.game().BestScores[0], qint16(1));
        QCOMPARE(read(QStringLiteral("ParasPelaaja0")), QStringLiteral("Eetu"));
        QCOMPARE(read(QStringLiteral("ParasTulos0")), QStringLiteral("1"));
        QCOMPARE(p.clock.pauses, 5);
    }

    // A run that does not beat the tenth entry ends without the name entry.
    void runBelowTheListEndsQuietly()
    {
        for (int i = 0; i < 10; ++i) {
            QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, QStringLiteral("ParasTulos%1").arg(i), 1,
                                       QStringLiteral("5")));
        }
        Player p(pictures_.path());
        MessageBoxScript boxes;
        const vuska::test::NoModalExpected noNameEntry;
        p.deal({"pata2", "pata3", "pata4", "pata5", "pata6", "pataa", "pata13", "pata12", "pata11", "pata10"});
        boxes.ok();
        for (int slot = 5; slot <= 9; ++slot)
            p.click(slot);
        QCOMPARE(p.game().WinStreak, qint16(1));
        p.newGame({"herttaa", "hertta13", "hertta12", "hertta11", "hertta10",
                   "hertta6", "hertta2", "hertta3", "hertta4", "hertta5"});
        boxes.ok();
        for (int slot = 5; slot <= 9; ++slot)
            p.click(slot);
        QCOMPARE(boxes.last().text, QStringLiteral("Harmi, hävisit pelin!"));
        QCOMPARE(p.game().WinStreak, qint16(0));
        QCOMPARE(p.game().BestScores[0], qint16(5));
        QCOMPARE(read(QStringLiteral("ParasPelaaja0")), QStringLiteral("Not Found"));
    }

    // Abandoning a running game after a won one asks first; Yes hands the run to the list.
    void abandoningARunningGame()
    {
        Player p(pictures_.path());
        MessageBoxScript boxes;
        p.deal({"pata2", "pata3", "pata4", "pata5", "pata6", "pataa", "pata13", "pata12", "pata11", "pata10"});
        boxes.ok();
        for (int slot = 5; slot <= 9; ++slot)
            p.click(slot);
        p.newGame({"herttaa", "hertta13", "hertta12", "hertta11", "hertta10",
                   "hertta6", "hertta2", "hertta3", "hertta4", "hertta5"});
        p.click(5);
        QVERIFY(p.game().GameInProgress);
        QVERIFY(p.game().HumanToPlay);
        boxes.yes();
        {
            const auto naming = enterNameWhenAsked(QStringLiteral("Keskeyttäjä"));
            p.window->cmdPainike_Click(0);
        }
        QCOMPARE(boxes.last().title, QStringLiteral("Uusi peli"));
        QCOMPARE(p.game().BestNames[0], QStringLiteral("Keskeyttäjä"));
        QCOMPARE(p.game().WinStreak, qint16(0));
        QVERIFY(p.window->tmrAjastin()->isActive());
    }
};

VUSKA_TEST_MAIN(TestWholeGame)
#include "test_wholegame.moc"
