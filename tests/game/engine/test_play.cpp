#include <QTest>

#include "game/engine/mdlvuska.h"
#include "platform/lifetime.h"
#include "tests/support/enginefakes.h"
#include "tests/support/hands.h"
#include "tests/support/messageboxscript.h"
#include "tests/support/sandbox.h"

using namespace vuska;
using vuska::test::FakeClock;
using vuska::test::FakePictures;
using vuska::test::FakeUser;
using vuska::test::MessageBoxScript;
using vuska::test::ScriptedRandom;
using vuska::test::setHands;

namespace {

struct Table : vuska::test::EngineTable {

    Table()
    {
        game.ProgramFolder = QStringLiteral("/peli");
        game.ShowCardMovement = true;
        game.AnimationSteps = 10;
        game.GameInProgress = true;
        picturesAtHands();
    }
    void humanLeads()
    {
        game.HumanToPlay = true;
        game.HumanHasLead = true;
        game.ComputerHasLed = false;
    }
    void click(int slot) { game.imgKortti_MouseDown(slot, Qt::LeftButton); }
};

} // namespace

class TestPlay : public QObject {
    Q_OBJECT

private slots:
    void init() { platform::lifetime::reset(); }

    // Clicks that are not moves change nothing: other buttons, computer cards, played
    // cards, and any click while the human is not to play.
    void clicksThatAreNotMoves()
    {
        Table t;
        setHands(t.game, {"hertta2", "hertta3", "hertta4", "hertta5", "hertta6",
                          "pata2", "pata3", "pata4", "pata5", "pata6"});
        t.humanLeads();
        t.game.imgKortti_MouseDown(5, Qt::RightButton);
        t.game.imgKortti_MouseDown(5, Qt::MiddleButton);
        t.click(0);
        t.click(4);
        QCOMPARE(t.playedCount(0, 9), 0);
        t.game.CardPlayed[6] = true;
        t.click(6);
        QCOMPARE(t.playedCount(0, 9), 1);
        t.game.HumanToPlay = false;
        t.click(7);
        QCOMPARE(t.playedCount(0, 9), 1);
        QCOMPARE(t.pictures.glideSteps, 0);
    }

    // The human leads; the computer answers at once, without a pause, with its 2 of the
    // led suit, and the human's higher card takes the trick and the next lead.
    void humanLeadsAndWinsTrick()
    {
        Table t;
        setHands(t.game, {"pataa", "hertta9", "hertta2", "risti4", "ruutu5",
                          "hertta10", "pata3", "pata4", "pata5", "pata6"});
        t.humanLeads();
        for (int k = 5; k < SlotCount; ++k)
            t.pictures.pics[size_t(k)].pointingHand = true; // as the deal leaves them
        t.click(5);
        QCOMPARE(t.clock.pauses, 0);
        QVERIFY(t.game.CardPlayed[5]);
        QVERIFY(t.game.CardPlayed[2]); // the 2 of hearts goes first, though the 9 would win
        QCOMPARE(t.game.ComputerTrickCard, QStringLiteral("hertta2"));
        QCOMPARE(t.game.HumanTrickCard, QStringLiteral("hertta10"));
        QVERIFY(t.game.HumanHasLead);
        QVERIFY(t.game.HumanToPlay);
        QVERIFY(!t.pictures.pics[5].pointingHand);
        QVERIFY(t.pictures.pics[6].pointingHand);
        // Both cards lie at their table spots.
        QCOMPARE(qRound(t.pictures.pics[5].left), 232);
        QCOMPARE(qRound(t.pictures.pics[5].top), 168);
        QCOMPARE(qRound(t.pictures.pics[2].left), 136);
        QCOMPARE(qRound(t.pictures.pics[2].top), 152);
    }

    // A computer without the led suit loses the trick even with an ace.
    void computerVoidLosesEvenWithAce()
    {
        Table t;
        setHands(t.game, {"pataa", "pata9", "risti7", "risti4", "ruutu5",
                          "hertta3", "hertta4", "hertta5", "pata5", "pata6"});
        t.random.then(0.0); // the draw picks slot 0, the ace of spades
        t.humanLeads();
        t.click(5);
        QVERIFY(t.game.CardPlayed[0]);
        QVERIFY(t.game.HumanHasLead);
        QVERIFY(t.game.HumanToPlay);
        QCOMPARE(t.clock.pauses, 0);
    }

    // Losing a trick as leader: the computer leads the next one after its two seconds,
    // and the human is to answer it.
    void computerWinsAndLeadsAfterPause()
    {
        Table t;
        setHands(t.game, {"herttaa", "risti9", "risti7", "risti4", "ruutu5",
                          "hertta3", "pata4", "pata5", "pata6", "pata7"});
        t.humanLeads();
        bool clickIgnored = false;
        t.clock.onPause = [&] {
            // Clicks during the pause change nothing.
            t.click(6);
            clickIgnored = !t.game.CardPlayed[6];
            QCOMPARE(t.user.pointer, platform::ScreenPointer::Hourglass);
        };
        t.click(5);
        QCOMPARE(t.clock.pauses, 1);
        QCOMPARE(t.clock.pausedMilliseconds, 2000);
        QVERIFY(clickIgnored);
        QCOMPARE(t.playedCount(1, 4), 1);
        QCOMPARE(t.game.ComputerLedSuit, t.game.CardSuit[size_t(t.game.ComputerChoice)]);
        QCOMPARE(t.game.ComputerTrickCard, t.game.CardName[size_t(t.game.ComputerChoice)]);
        QVERIFY(t.game.ComputerHasLed);
        QVERIFY(!t.game.HumanHasLead);
        QVERIFY(t.game.HumanToPlay);
        QCOMPARE(t.user.pointer, platform::ScreenPointer::Default);
        // The computer's first card is hidden once its second one is on the spot.
        QVERIFY(!t.pictures.pics[0].visible);
        QVERIFY(t.pictures.pics[size_t(t.game.ComputerChoice)].visible);
        QVERIFY(t.pictures.pics[5].visible);
    }

    // Holding the led suit, a card of another suit is refused with the exact message, and
    // nothing changes; the same card is refused again.
    void refusalMessage()
    {
        for (const auto& [suit, partitive] : {std::pair{"hertta", "herttaa"}, std::pair{"pata", "pataa"},
                                             std::pair{"risti", "ristiä"}, std::pair{"ruutu", "ruutua"}}) {
            Table t;
            const QByteArray led = QByteArray(suit) + "9";
            const QByteArray mine = QByteArray(suit) + "3";
            const char* other = QByteArray(suit) == "pata" ? "hertta5" : "pata5";
            setHands(t.game, {led.constData(), "risti2", "risti3", "risti4", "risti5",
                              other, mine.constData(), "ristia", "risti6", "risti7"});
            if (QByteArray(suit) == "risti")
                setHands(t.game, {led.constData(), "ruutu2", "ruutu3", "ruutu4", "ruutu5",
                                  other, mine.constData(), "ruutua", "ruutu6", "ruutu7"});
            t.game.CardPlayed[0] = true;
            t.game.ComputerTrickCard = QString::fromLatin1(led);
            t.game.ComputerHasLed = true;
            t.game.HumanHasLead = false;
            t.game.HumanToPlay = true;
            MessageBoxScript boxes;
            boxes.ok().ok();
            t.click(5);
            t.click(5);
            QCOMPARE(boxes.shown().size(), 2);
            const QString p = QString::fromUtf8(partitive);
            QCOMPARE(boxes.last().text, QStringLiteral("Tietokonevastustajasi on lyönyt eteen ") + p +
                                            QStringLiteral(",\rjoten sinun on lyötävä sitä."));
            QCOMPARE(boxes.last().title, QStringLiteral("Lyötävä ") + p);
            QCOMPARE(boxes.last().icon, platform::MsgIcon::Exclamation);
            QCOMPARE(boxes.last().buttons, platform::MsgButtons::Ok);
            QCOMPARE(boxes.last().helpContext, 25);
            QCOMPARE(boxes.last().helpFile, QStringLiteral("/peli/vuska.hlp"));
            QCOMPARE(t.playedCount(5, 9), 0);
            QVERIFY(t.game.HumanToPlay);
            // The card of the led suit is accepted.
            t.click(6);
            QVERIFY(t.game.CardPlayed[6]);
        }
    }

    // Answering the computer's lead with a higher card of its suit wins the trick; the human
    // then leads the next one, to which the computer answers at once.
    void humanWinsFollowThenLeads()
    {
        Table t;
        setHands(t.game, {"hertta5", "pata2", "pata9", "risti4", "ruutu5",
                          "hertta10", "pata3", "hertta4", "risti5", "ruutu6"});
        t.game.CardPlayed[0] = true;
        t.game.ComputerTrickCard = QStringLiteral("hertta5");
        t.game.ComputerLedSuit = QStringLiteral("hertta");
        t.game.ComputerHasLed = true;
        t.game.HumanHasLead = false;
        t.game.HumanToPlay = true;
        t.click(5);
        QVERIFY(t.game.CardPlayed[5]);
        QVERIFY(t.game.HumanHasLead);
        QVERIFY(t.game.HumanToPlay);
        QVERIFY(!t.game.ComputerHasLed);
        QCOMPARE(t.clock.pauses, 0);
        QCOMPARE(t.playedCount(0, 4), 1);

        // The next click opens a trick: no follow-suit rule applies to it (a spade, though
        // hearts were led before), and the computer follows with its lowest spade.
        t.click(6);
        QVERIFY(t.game.CardPlayed[6]);
        QCOMPARE(t.game.HumanLedSuit, QStringLiteral("pata"));
        QCOMPARE(t.game.HumanTrickCard, QStringLiteral("pata3"));
        QVERIFY(t.game.CardPlayed[1]);
        QCOMPARE(t.game.ComputerTrickCard, QStringLiteral("pata2"));
        QVERIFY(t.game.HumanHasLead); // the 3 beats the 2
        QCOMPARE(t.clock.pauses, 0);
    }

    // The carriage return of the refusal shows as a line break in the box.
    void carriageReturnBreaksTheLine()
    {
        QCOMPARE(platform::messageBoxDisplayText(QStringLiteral("a,\rb")), QStringLiteral("a,\nb"));
        QCOMPARE(platform::messageBoxDisplayText(QStringLiteral("a\r\nb\nc")), QStringLiteral("a\nb\nc"));
    }

    // Without the led suit the human may play any card, an ace too, and loses the trick.
    void humanVoidLosesWithAnyCard()
    {
        Table t;
        setHands(t.game, {"hertta5", "risti2", "risti3", "risti4", "ruutu5",
                          "pataa", "pata3", "pata4", "ristia", "pata6"});
        t.game.CardPlayed[0] = true;
        t.game.ComputerTrickCard = QStringLiteral("hertta5");
        t.game.ComputerHasLed = true;
        t.game.HumanToPlay = true;
        t.click(5);
        QVERIFY(t.game.CardPlayed[5]);
        QCOMPARE(t.clock.pauses, 1);
        QVERIFY(t.game.CardPlayed[1]); // the computer leads its 2 of clubs first
        QCOMPARE(t.game.ComputerLedSuit, QStringLiteral("risti"));
    }

    void trickOrder_data()
    {
        QTest::addColumn<QString>("computer");
        QTest::addColumn<QString>("human");
        QTest::addColumn<bool>("humanWins");
        QTest::newRow("ace beats 13") << "pata13" << "pataa" << true;
        QTest::newRow("13 loses to ace") << "pataa" << "pata13" << false;
        QTest::newRow("10 beats 9 (numbers, not text)") << "pata9" << "pata10" << true;
        QTest::newRow("9 loses to 10") << "pata10" << "pata9" << false;
        QTest::newRow("12 beats 11") << "pata11" << "pata12" << true;
    }

    // Within the led suit the higher card wins; the ace is the highest.
    void trickOrder()
    {
        QFETCH(QString, computer);
        QFETCH(QString, human);
        QFETCH(bool, humanWins);
        Table t;
        const QByteArray c = computer.toLatin1();
        const QByteArray h = human.toLatin1();
        setHands(t.game, {c.constData(), "hertta2", "hertta3", "hertta4", "hertta5",
                          h.constData(), "ruutu3", "ruutu4", "ruutu5", "ruutu6"});
        t.game.ComputerTrickCard = computer;
        t.game.HumanTrickCard = human;
        // As in a trick the computer led and the human answered.
        t.game.ComputerHasLed = true;
        t.game.HumanHasLead = false;
        t.game.HumanToPlay = true;
        t.game.DecideTrickWinner();
        QCOMPARE(t.game.HumanHasLead, humanWins);
        QCOMPARE(bool(t.game.HumanToPlay), humanWins);
        QVERIFY(!t.game.ComputerHasLed);
    }

    // Only the fifth trick counts: winning four and losing the last loses the game.
    void onlyTheLastTrickCounts()
    {
        Table t;
        // The human holds the four highest spades and a low heart; the computer four
        // low spades and the ace of hearts.
        setHands(t.game, {"pata2", "pata3", "pata4", "pata5", "herttaa",
                          "pataa", "pata13", "pata12", "pata11", "hertta2"});
        t.humanLeads();
        t.game.WinStreak = 4;
        t.game.BestScores[9] = 0;
        MessageBoxScript boxes;
        boxes.ok();
        int entries = 0;
        t.user.onNameEntry = [&] { ++entries; t.game.WinStreak = 0; };
        for (int slot = 5; slot <= 8; ++slot) {
            t.click(slot);
            QVERIFY(t.game.HumanHasLead);
        }
        t.click(9); // the 2 of hearts against the ace: the computer takes the last trick
        QCOMPARE(boxes.last().text, QStringLiteral("Harmi, hävisit pelin!"));
        QCOMPARE(boxes.last().title, QStringLiteral("Hävisit"));
        QCOMPARE(boxes.last().icon, platform::MsgIcon::Information);
        QVERIFY(!t.game.GameInProgress);
        QCOMPARE(entries, 1); // a run of 4 beats a tenth entry of 0
        QCOMPARE(t.game.WinStreak, qint16(0));
    }

    // Losing four tricks and winning the last wins the game; the run grows by one.
    void winningTheLastTrickWins()
    {
        Table t;
        setHands(t.game, {"ristia", "risti13", "risti12", "risti11", "hertta3",
                          "risti2", "risti3", "risti4", "risti5", "herttaa"});
        t.random.then(0.1).then(0.3).then(0.5).then(0.7);
        t.game.WinStreak = 2;
        MessageBoxScript boxes;
        boxes.ok();
        // The computer begins: it leads its clubs; the human must follow with his.
        t.game.StartMode = StartModes::PreviousWinner;
        t.game.WinStreak = 0;
        t.game.DecideStarter();
        for (int slot = 5; slot <= 8; ++slot) {
            QVERIFY(t.game.ComputerHasLed);
            t.click(slot);
        }
        // Last trick: the computer leads its 2 of hearts, the human answers with the ace.
        QCOMPARE(t.game.ComputerLedSuit, QStringLiteral("hertta"));
        t.click(9);
        QCOMPARE(boxes.last().text, QStringLiteral("Onnittelut, voitit pelin!"));
        QCOMPARE(boxes.last().title, QStringLiteral("Voitit"));
        QCOMPARE(t.game.WinStreak, qint16(1));
        QVERIFY(!t.game.GameInProgress);
        QCOMPARE(t.clock.pauses, 5); // the pause comes before every lead of the computer
    }

    // The run hands over to the list only when it beats the tenth entry.
    void runReachesListOnlyAboveTenth()
    {
        for (const int tenth : {3, 2}) {
            Table t;
            setHands(t.game, {"pata2", "pata3", "pata4", "pata5", "pataa",
                              "hertta2", "hertta3", "hertta4", "hertta5", "pata6"});
            for (int i = 0; i < 4; ++i) {
                t.game.CardPlayed[size_t(i)] = true;
                t.game.CardPlayed[size_t(5 + i)] = true;
            }
            t.game.WinStreak = 3;
            t.game.BestScores[9] = qint16(tenth);
            t.humanLeads();
            MessageBoxScript boxes;
            boxes.ok();
            t.click(9);
            QCOMPARE(t.user.nameEntries, tenth == 3 ? 0 : 1);
            if (tenth == 3)
                QCOMPARE(t.game.WinStreak, qint16(0));
        }
    }

    // A run never wraps round: it stops at the largest count it can hold.
    void winStreakStopsAtItsLimit()
    {
        Table t;
        t.game.WinStreak = 32766;
        MessageBoxScript boxes;
        boxes.ok().ok();
        t.game.EndGameWon();
        QCOMPARE(t.game.WinStreak, qint16(32767));
        t.game.EndGameWon();
        QCOMPARE(t.game.WinStreak, qint16(32767));
    }

    // The program ending during the computer's pause plays no card afterwards.
    void endingDuringPausePlaysNothing()
    {
        Table t;
        setHands(t.game, {"pata2", "pata3", "pata4", "pata5", "pataa",
                          "hertta2", "hertta3", "hertta4", "hertta5", "pata6"});
        platform::lifetime::setEndHandler([](int) {});
        t.clock.onPause = [&] { t.user.endProgram(); };
        t.game.ComputerLeadsTrick();
        QCOMPARE(t.playedCount(0, 9), 0);
        QVERIFY(!t.game.HumanToPlay);
        platform::lifetime::setEndHandler({});
    }
};

VUSKA_TEST_MAIN(TestPlay)
#include "test_play.moc"
