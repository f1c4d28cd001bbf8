#include <algorithm>
#include <set>

#include <QSet>

#include <QTest>

#include "game/engine/mdlvuska.h"
#include "tests/support/enginefakes.h"
#include "tests/support/messageboxscript.h"
#include "tests/support/sandbox.h"

using namespace vuska;
using vuska::test::FakeClock;
using vuska::test::FakePictures;
using vuska::test::FakeUser;
using vuska::test::ScriptedRandom;

namespace {

// A fresh module with fakes around it.
struct Table : vuska::test::EngineTable {

    void hands(std::initializer_list<Rank> computer, std::initializer_list<Rank> human)
    {
        int slot = 0;
        for (const Rank& r : computer)
            game.CardValue[size_t(slot++)] = r;
        for (const Rank& r : human)
            game.CardValue[size_t(slot++)] = r;
        // Suits do not matter to the start rules; names stay unique all the same.
        for (int i = 0; i < SlotCount; ++i) {
            game.CardSuit[size_t(i)] = suitWords()[size_t(i % 4)];
            game.CardName[size_t(i)] = cardName(game.CardSuit[size_t(i)], game.CardValue[size_t(i)]);
            game.CardPlayed[size_t(i)] = false;
        }
    }
};

Rank n(int v)
{
    return Rank::number(v);
}

} // namespace

class TestDeal : public QObject {
    Q_OBJECT

private slots:
    void init() { platform::lifetime::reset(); }

    // Every deal holds ten distinct cards with well-formed names, suits and values.
    void dealsTenDistinctCards()
    {
        Table t;
        platform::SystemRandom real(2024);
        mdlVuska game(t.pictures, t.user, real);
        std::set<QString> allNames;
        for (const QString& suit : suitWords()) {
            for (int v = 2; v <= 13; ++v)
                allNames.insert(suit + QString::number(v));
            allNames.insert(suit + QStringLiteral("a"));
        }
        QCOMPARE(allNames.size(), size_t(52));
        for (int deal = 0; deal < 2000; ++deal) {
            game.DealCards();
            std::set<QString> names;
            for (int i = 0; i < SlotCount; ++i) {
                const QString& name = game.CardName[size_t(i)];
                QVERIFY2(allNames.count(name), qPrintable(name));
                QCOMPARE(name, cardName(game.CardSuit[size_t(i)], game.CardValue[size_t(i)]));
                QVERIFY(!game.CardPlayed[size_t(i)]);
                names.insert(name);
            }
            QCOMPARE(names.size(), size_t(SlotCount));
        }
    }

    // A drawn card that is already in the deal is drawn again for the same slot; the
    // slots already filled keep their cards.
    void repeatedCardIsRedrawnInItsOwnSlot()
    {
        Table t;
        // Slot 0: hertta5 (value 4/13 -> 5, suit 0 -> hertta). Slot 1: hertta5 again, then
        // pata a (value 0 -> ace, suit 0.3 -> pata). Later slots come from the generator.
        t.random.then(4.0 / 13 + 0.01).then(0.0).then(4.0 / 13 + 0.01).then(0.1).then(0.0).then(0.3);
        t.game.DealCards();
        QCOMPARE(t.game.CardName[0], QStringLiteral("hertta5"));
        QCOMPARE(t.game.CardName[1], QStringLiteral("pataa"));
        QVERIFY(t.game.CardValue[1].isAce());
        // One re-seed before each attempt, including the repeated one.
        QVERIFY(t.random.reseeds >= 11);
    }

    // An ace is named suit + "a" and valued as the ace, never as a number.
    void acesAreNamedWithA()
    {
        for (int s = 0; s < 4; ++s) {
            Table t;
            t.random.then(0.0).then(s / 4.0 + 0.01);
            t.game.DealCards();
            QCOMPARE(t.game.CardName[0], suitWords()[size_t(s)] + QStringLiteral("a"));
            QVERIFY(t.game.CardValue[0].isAce());
            QVERIFY(!t.game.CardValue[0].isNumber(1));
            QVERIFY(!t.game.CardValue[0].isNumber(14));
            QVERIFY(!t.game.CardValue[0].isNumber(2));
        }
    }

    // Alternation hands the start to whoever did not begin the last game, whatever mode
    // decided that one; at program start the human begins.
    void alternateStart()
    {
        Table t;
        t.game.StartMode = StartModes::Alternate;
        t.game.DecideStarter();
        QVERIFY(t.game.HumanStartedGame);
        QVERIFY(t.game.HumanToPlay);
        QVERIFY(t.game.HumanHasLead);
        QVERIFY(!t.game.ComputerHasLed);
        QCOMPARE(t.clock.pauses, 0);

        // The human began the last game (under the random mode): the computer begins now,
        // after its pause, and its card is on the table.
        t.hands({n(3), n(4), n(5), n(6), n(7)}, {n(8), n(9), n(10), n(11), n(12)});
        t.game.StartMode = StartModes::Random;
        t.random.then(0.9); // Int(2 * 0.9) = 1: the human
        t.game.DecideStarter();
        QVERIFY(t.game.HumanStartedGame);
        t.game.StartMode = StartModes::Alternate;
        t.game.ShowCardMovement = false;
        t.game.DecideStarter();
        QVERIFY(!t.game.HumanStartedGame);
        QCOMPARE(t.clock.pauses, 1);
        QCOMPARE(t.clock.pausedMilliseconds, 2000);
        QVERIFY(t.game.ComputerHasLed);
        QVERIFY(t.game.HumanToPlay);
        QVERIFY(!t.game.HumanHasLead);
        int played = 0;
        for (int i = 0; i < 5; ++i)
            played += t.game.CardPlayed[size_t(i)] ? 1 : 0;
        QCOMPARE(played, 1);
    }

    // The random mode draws once, after a re-seed, and gives 1 to the human, 0 to the computer.
    void randomStart()
    {
        Table t;
        t.game.StartMode = StartModes::Random;
        t.random.then(0.5);
        t.game.DecideStarter();
        QVERIFY(t.game.HumanStartedGame);
        QCOMPARE(t.random.reseeds, 1);

        Table u;
        u.hands({n(3), n(4), n(5), n(6), n(7)}, {n(8), n(9), n(10), n(11), n(12)});
        u.game.StartMode = StartModes::Random;
        u.game.ShowCardMovement = false;
        u.random.then(0.4999);
        u.game.DecideStarter();
        QVERIFY(!u.game.HumanStartedGame);
        QVERIFY(u.game.ComputerHasLed);
    }

    // The previous game's winner begins: a non-zero run means the human won it.
    void previousWinnerStart()
    {
        Table t;
        t.hands({n(3), n(4), n(5), n(6), n(7)}, {n(8), n(9), n(10), n(11), n(12)});
        t.game.StartMode = StartModes::PreviousWinner;
        t.game.ShowCardMovement = false;
        t.game.WinStreak = 1;
        t.game.DecideStarter();
        QVERIFY(t.game.HumanStartedGame);
        t.game.WinStreak = 0;
        t.game.DecideStarter();
        QVERIFY(!t.game.HumanStartedGame);
        QVERIFY(t.game.ComputerHasLed);
    }

    void lowestCardStart_data()
    {
        QTest::addColumn<QStringList>("computer");
        QTest::addColumn<QStringList>("human");
        QTest::addColumn<int>("expected"); // 1 human, 0 computer, -1 drawn
        const auto row = [](const char* name, const char* computer, const char* human, int expected) {
            QTest::newRow(name) << QString::fromLatin1(computer).split(QLatin1Char(' '))
                                << QString::fromLatin1(human).split(QLatin1Char(' ')) << expected;
        };
        row("equal fives, computer holds two", "hertta5 pata9 herttaa pata12 pata5",
            "risti5 ruutu7 hertta13 pataa ristia", 0);
        row("human four below computer five", "hertta5 hertta9 herttaa hertta12 hertta6",
            "pata8 pata4 pata13 pataa pata10", 1);
        row("equal sixes, human holds two", "hertta6 hertta9 hertta12 herttaa hertta10",
            "pata6 risti6 pata8 pata11 pata13", 1);
        row("equal sixes, one each: drawn", "hertta6 hertta9 hertta12 herttaa hertta10",
            "pata6 pata8 pata11 pata13 pata7", -1);
        row("computer only aces and kings", "herttaa pataa ristia hertta13 pata13",
            "hertta12 risti13 ruutu13 ruutua pata12", 1);
        row("human only aces and kings", "risti13 ruutu2 ruutua hertta9 risti8",
            "hertta13 pata13 herttaa pataa ristia", 0);
        row("human higher", "hertta3 hertta9 hertta12 herttaa hertta10",
            "pata4 pata8 pata11 pata13 pata7", 0);
        // A lower card found after others were counted starts the count afresh.
        row("computer's lower card after two counted", "hertta7 pata7 hertta5 hertta9 hertta12",
            "pata5 pata8 pata11 pata13 pata10", -1);
        row("human's lower card after two counted", "hertta5 pata5 hertta9 hertta12 herttaa",
            "risti7 ruutu7 risti5 risti11 risti13", 0);
    }

    // The holder of the lowest non-ace card begins; equal lowest values go to the one
    // holding more of them, equal counts are drawn.
    void lowestCardStart()
    {
        QFETCH(QStringList, computer);
        QFETCH(QStringList, human);
        QFETCH(int, expected);
        const QStringList cards = computer + human;
        QCOMPARE(QSet<QString>(cards.begin(), cards.end()).size(), SlotCount); // a hand that can be dealt
        for (const double draw : {0.75, 0.25}) {
            Table t;
            for (int i = 0; i < SlotCount; ++i) {
                const QString& name = cards[i];
                const QString suit = *std::find_if(suitWords().begin(), suitWords().end(),
                                                   [&](const QString& w) { return name.startsWith(w); });
                const QString value = name.mid(suit.size());
                t.game.CardName[size_t(i)] = name;
                t.game.CardSuit[size_t(i)] = suit;
                t.game.CardValue[size_t(i)] = value == QLatin1String("a") ? Rank::ace() : Rank::number(value.toInt());
                t.game.CardPlayed[size_t(i)] = false;
            }
            t.game.StartMode = StartModes::LowestCard;
            t.game.ShowCardMovement = false;
            t.random.then(draw);
            t.game.DecideStarter();
            const bool humanBegins = expected == -1 ? draw >= 0.5 : expected == 1;
            QCOMPARE(bool(t.game.HumanStartedGame), humanBegins);
        }
    }

    // An unknown mode decides nothing (start-up never leaves one in place).
    void unknownModeDecidesNothing()
    {
        Table t;
        t.game.StartMode = QStringLiteral("Pienimmän kortin omistaja");
        t.game.DecideStarter();
        QVERIFY(!t.game.HumanToPlay);
        QCOMPARE(t.clock.pauses, 0);
    }

    // Re-seeding from the clock between draws never makes the draws repeat, even when
    // the clock stands still, and the numbers stay within [0, 1) and spread evenly.
    void randomSourceDrawsDoNotRepeatWithinATick()
    {
        platform::SystemRandom random(7);
        std::set<double> seen;
        int buckets[10] = {};
        const int draws = 100000;
        for (int i = 0; i < draws; ++i) {
            random.mix(42); // the same "time of day" every time
            const double r = random.next();
            QVERIFY(r >= 0.0 && r < 1.0);
            seen.insert(r);
            ++buckets[int(r * 10)];
        }
        QCOMPARE(int(seen.size()), draws);
        for (int b : buckets)
            QVERIFY2(b > draws / 10 - 1000 && b < draws / 10 + 1000, qPrintable(QString::number(b)));
    }
};

VUSKA_TEST_MAIN(TestDeal)
#include "test_deal.moc"
