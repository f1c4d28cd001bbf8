#include <algorithm>
#include <functional>
#include <memory>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
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
#include "tests/support/accessiblewindow.h"
#include "tests/support/fakes.h"
#include "tests/support/gamewindow.h"
#include "tests/support/hands.h"
#include "tests/support/keys.h"
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

// Runs `seen` on each event of one kind that reaches an object.
class EventWatch : public QObject {
public:
    EventWatch(QObject* watched, QEvent::Type type, std::function<void()> seen) : type_(type), seen_(std::move(seen))
    {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == type_)
            seen_();
        return false;
    }

private:
    QEvent::Type type_;
    std::function<void()> seen_;
};

// The accessible name of a slot's card picture, as a screen reader reads it.
QString cardName(Player& p, int slot)
{
    return QAccessible::queryAccessibleInterface(p.window->table()->card(slot))->text(QAccessible::Name);
}

// Presses Enter on the message box once it is up, after checking what it says.
std::unique_ptr<vuska::test::OnModal> enterOnBox(const QString& saying)
{
    return std::make_unique<vuska::test::OnModal>([saying](QWidget* box) {
        auto* label = box->findChild<QLabel*>(QStringLiteral("text"));
        QVERIFY2(label, "the dialog that came up is not a message box");
        QVERIFY2(label->text().contains(saying), qPrintable(label->text()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
}

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

    // A whole game with the keys alone, as a player who cannot see it hears it: the number
    // keys and Space play, the arrows move the focus over the cards still in the hand, a
    // wrong suit is refused as a click is, and each key's news is told on the focused card.
    void wholeGameByKeysAsHeard()
    {
        Player p(pictures_.path());
        p.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.window.get()));
        p.deal({"hertta3", "pata4", "risti6", "ruutu2", "ruutu13", "pata10", "hertta9", "risti2", "ruutu5", "pataa"});
        QVERIFY(p.game().LoadCardFaces()); // the dealt faces, for the names
        CardTable* table = p.window->table();
        QCOMPARE(QApplication::focusWidget(), table->card(5));
        QVERIFY(!table->card(5)->focusFrameShown()); // until the keyboard is used on the table
        QCOMPARE(vuska::test::accessibilityFaults(p.window.get()), QStringList());
        QCOMPARE(cardName(p, 5), QStringLiteral("pata 10"));
        QCOMPARE(cardName(p, 9), QStringLiteral("pata ässä"));
        QCOMPARE(cardName(p, 0), QStringLiteral("tietokoneen kortti, kuvapuoli alaspäin"));

        // The offscreen platform activates no window when a box closes; a window manager
        // gives the activation back to the game.
        const auto backFromBox = [&p] {
            p.window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(p.window.get()));
        };
        // The news a reader hears: the notice's name each time it appears.
        QWidget* notice = p.window->table()->newsNotice();
        QCOMPARE(QAccessible::queryAccessibleInterface(notice)->role(), QAccessible::Notification);
        QStringList heard;
        const EventWatch shown(notice, QEvent::Show, [&] { heard << notice->accessibleName(); });
        p.clock.onPause = [&] {
            vuska::test::press(Qt::Key_2); // the computer's turn: no card counts
        };
        struct Step {
            Qt::Key key;
            int played;       // the slot that leaves the hand, or -1
            int focusAfter;   // the card with the focus afterwards
            QStringList told; // what the reader hears meanwhile
        };
        const Step steps[] = {
            {Qt::Key_1, 5, 6, {"Löit pata 10. Tietokone lyö pata 4. Voitit tikin. Sinun vuorosi."}},
            {Qt::Key_1, -1, 6, {}},
            {Qt::Key_Right, -1, 7, {}},
            {Qt::Key_Space, 7, 8,
             {"Löit risti 2. Tietokone lyö risti 6. Tietokone voitti tikin. Tietokoneen vuoro.",
              "Tietokone lyö ruutu 2. Sinun vuorosi."}},
            {Qt::Key_2, -1, 8, {}}, // a heart: refused
            {Qt::Key_Space, 8, 9, {"Löit ruutu 5. Voitit tikin. Sinun vuorosi."}},
            {Qt::Key_Left, -1, 6, {}},
            {Qt::Key_Space, 6, 9, {"Löit hertta 9. Tietokone lyö hertta 3. Voitit tikin. Sinun vuorosi."}},
        };
        for (const Step& step : steps) {
            const QByteArray where = QByteArray::number(int(&step - steps));
            const auto refusal = step.key == Qt::Key_2 ? enterOnBox(QStringLiteral("lyönyt eteen ruutua,"))
                                                    : nullptr;
            heard.clear();
            const int before = int(std::count(p.game().CardPlayed.begin(), p.game().CardPlayed.end(), true));
            vuska::test::press(step.key);
            const int after = int(std::count(p.game().CardPlayed.begin(), p.game().CardPlayed.end(), true));
            QVERIFY2(step.played < 0 ? after == before : p.played(step.played), where);
            if (refusal)
                backFromBox();
            QVERIFY2(QApplication::focusWidget() == table->card(step.focusAfter), where);
            QVERIFY2(table->card(step.focusAfter)->focusFrameShown(), where);
            QCOMPARE(heard, step.told);
        }
        QCOMPARE(p.clock.pauses, 1);
        QCOMPARE(cardName(p, 5), QStringLiteral("pata 10, oma kortti pöydällä"));
        QCOMPARE(cardName(p, 2), QStringLiteral("risti 6, tietokoneen kortti pöydällä"));

        // The last card: the computer cannot follow, and the result box comes up after the news.
        heard.clear();
        {
            const auto result = enterOnBox(QStringLiteral("Onnittelut, voitit pelin!"));
            vuska::test::press(Qt::Key_5);
        }
        QCOMPARE(heard, QStringList{QStringLiteral("Löit pata ässä. Tietokone lyö ruutu kuningas. Voitit tikin.")});
        backFromBox();
        QVERIFY(p.played(9));
        QVERIFY(!p.game().GameInProgress);
        QCOMPARE(p.game().WinStreak, qint16(1));
        QCOMPARE(cardName(p, 4), QStringLiteral("ruutu kuningas, tietokoneen kortti pöydällä"));
        // With the hand empty the focus stays on the last card, and Enter deals anew.
        QCOMPARE(QApplication::focusWidget(), table->card(9));
        const auto dealt = p.game().CardName;
        vuska::test::press(Qt::Key_Return);
        QVERIFY(p.game().CardName != dealt);
        QCOMPARE(QApplication::focusWidget(), table->card(9));
    }
};

VUSKA_TEST_MAIN(TestWholeGame)
#include "test_wholegame.moc"
