#include <QTest>

#include "game/engine/mdlvuska.h"
#include "tests/support/enginefakes.h"
#include "tests/support/hands.h"
#include "tests/support/sandbox.h"

using namespace vuska;
using vuska::test::FakeClock;
using vuska::test::FakePictures;
using vuska::test::FakeUser;
using vuska::test::ScriptedRandom;
using vuska::test::setHands;

namespace {

using Table = vuska::test::EngineTable;

// Five slots for the computer; the human's are irrelevant here.
void computer(Table& t, std::initializer_list<const char*> cards)
{
    std::vector<const char*> all(cards);
    for (const char* h : {"x2", "x3", "x4", "x5", "x6"})
        all.push_back(h);
    setHands(t.game, {all[0], all[1], all[2], all[3], all[4], all[5], all[6], all[7], all[8], all[9]});
}

} // namespace

class TestOpponent : public QObject {
    Q_OBJECT

private slots:
    // Holding 2s of several suits, the computer plays the one in the lowest slot; an ace
    // is never taken for a 2 and never stops the scan.
    void prefersTheFirstTwo()
    {
        Table t;
        computer(t, {"pataa", "hertta9", "risti2", "ruutu2", "hertta2"});
        t.game.PickComputerCard();
        QCOMPARE(t.game.ComputerChoice, qint16(2));
        QCOMPARE(t.random.draws, 0);
        t.game.CardPlayed[2] = true;
        t.game.PickComputerCard();
        QCOMPARE(t.game.ComputerChoice, qint16(3));
    }

    // Following suit, the 2 of that suit goes even when the ace of it is in the hand.
    void followsWithTheTwoOfTheSuit()
    {
        Table t;
        computer(t, {"herttaa", "pata2", "hertta13", "hertta2", "risti5"});
        t.game.HumanLedSuit = QStringLiteral("hertta");
        t.game.PickComputerCardOfSuit();
        QCOMPARE(t.game.ComputerChoice, qint16(3));
        QCOMPARE(t.random.draws, 0);
    }

    // Without a 2 of the suit the choice is drawn among that suit's unplayed cards only,
    // however many draws it takes; each draw comes after a re-seed.
    void drawsOnlyAllowedCards()
    {
        Table t;
        computer(t, {"pata7", "hertta9", "risti8", "herttaa", "risti5"});
        t.game.CardPlayed[1] = true;
        t.game.HumanLedSuit = QStringLiteral("hertta");
        // Slots 0, 1 (played), 2, then 3: the ace of hearts is the one allowed card.
        t.random.then(0.01).then(0.25).then(0.45).then(0.65);
        t.game.PickComputerCardOfSuit();
        QCOMPARE(t.game.ComputerChoice, qint16(3));
        QCOMPARE(t.random.draws, 4);
        QCOMPARE(t.random.reseeds, 4);
    }

    // A single unplayed card is found, however long the draws take.
    void singleCardLeft()
    {
        Table t;
        platform::SystemRandom real(5);
        mdlVuska game(t.pictures, t.user, real);
        setHands(game, {"pata7", "hertta9", "risti8", "herttaa", "risti5", "x2", "x3", "x4", "x5", "x6"});
        for (int keep = 0; keep < 5; ++keep) {
            for (int i = 0; i < 5; ++i)
                game.CardPlayed[size_t(i)] = i != keep;
            game.PickComputerCard();
            QCOMPARE(int(game.ComputerChoice), keep);
        }
    }

    // Void in the led suit but holding a 2 of another suit, the computer drops the 2.
    void voidDropsATwo()
    {
        Table t;
        computer(t, {"pata7", "risti2", "ruutua", "pata2", "risti5"});
        t.game.HumanLedSuit = QStringLiteral("hertta");
        t.game.CheckComputerCanFollow();
        QVERIFY(!t.game.ComputerCanFollow);
        t.game.PickComputerCard();
        QCOMPARE(t.game.ComputerChoice, qint16(1));
    }

    // With no 2 in hand every allowed card comes about equally often.
    void choicesAreUniform()
    {
        Table t;
        platform::SystemRandom real(77);
        mdlVuska game(t.pictures, t.user, real);
        setHands(game, {"pata7", "hertta9", "risti8", "herttaa", "risti5", "x2", "x3", "x4", "x5", "x6"});
        game.CardPlayed[2] = true;
        int counts[5] = {};
        const int rounds = 40000;
        for (int i = 0; i < rounds; ++i) {
            game.PickComputerCard();
            ++counts[game.ComputerChoice];
        }
        QCOMPARE(counts[2], 0);
        for (const int slot : {0, 1, 3, 4})
            QVERIFY2(counts[slot] > rounds / 4 - 800 && counts[slot] < rounds / 4 + 800,
                     qPrintable(QString::number(counts[slot])));
    }
};

VUSKA_TEST_MAIN(TestOpponent)
#include "test_opponent.moc"
