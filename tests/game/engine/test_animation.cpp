#include <vector>

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
        setHands(game, {"pata2", "pata3", "pata4", "pata5", "pata6",
                        "hertta2", "hertta3", "hertta4", "hertta5", "hertta6"});
    }
};

} // namespace

class TestAnimation : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        platform::lifetime::reset();
        platform::lifetime::setEndHandler([](int) {});
    }
    void cleanup() { platform::lifetime::setEndHandler({}); }

    // The shuffle makes 240 position changes, each shown, and leaves every picture on the
    // deck spot; the new-game command is off while it runs.
    void shuffleJiggles240Times()
    {
        Table t;
        bool offDuring = true;
        t.pictures.onStep = [&] { offDuring = offDuring && !t.user.newGameEnabled; };
        t.game.ShuffleAnimation();
        QCOMPARE(t.pictures.jiggleSteps, 240);
        QCOMPARE(t.pictures.positionChanges, 20 + 240);
        QVERIFY(offDuring);
        QVERIFY(t.user.newGameEnabled);
        for (int k = 0; k < SlotCount; ++k) {
            QCOMPARE(qRound(t.pictures.pics[size_t(k)].left * 1000), 184000);
            QCOMPARE(qRound(t.pictures.pics[size_t(k)].top * 1000), 168000);
        }
    }

    // Each shown change of the shuffle moves one picture by the jiggle: the computer's
    // picture j left, right, up and down, then the five human pictures right, left, down and
    // up, for j = 0..4, twice over.
    void shuffleJiggleSizesAndOrder()
    {
        struct Change {
            int slot;
            double dx, dy;
        };
        const double x = 200.0 / 15, y = 100.0 / 15;
        std::vector<Change> expected;
        for (int pass = 0; pass < 2; ++pass) {
            for (int j = 0; j < 5; ++j) {
                for (const auto& [dx, dy] : {std::pair{-x, 0.0}, {x, 0.0}, {0.0, -y}, {0.0, y}})
                    expected.push_back({j, dx, dy});
                for (int m = 5; m < SlotCount; ++m) {
                    for (const auto& [dx, dy] : {std::pair{x, 0.0}, {-x, 0.0}, {0.0, y}, {0.0, -y}})
                        expected.push_back({m, dx, dy});
                }
            }
        }
        Table t;
        std::vector<Change> seen;
        auto before = t.pictures.pics;
        t.pictures.onStep = [&] {
            for (int k = 0; k < SlotCount; ++k) {
                const auto& now = t.pictures.pics[size_t(k)];
                const auto& was = before[size_t(k)];
                if (now.left != was.left || now.top != was.top)
                    seen.push_back({k, now.left - was.left, now.top - was.top});
            }
            before = t.pictures.pics;
        };
        // The first shown step puts the pictures on the deck; what follows are the jiggles.
        t.game.ShuffleAnimation();
        QCOMPARE(seen.size(), expected.size() + SlotCount);
        seen.erase(seen.begin(), seen.begin() + (seen.size() - expected.size()));
        for (size_t i = 0; i < expected.size(); ++i) {
            const QByteArray where = "change " + QByteArray::number(qulonglong(i));
            QVERIFY2(seen[i].slot == expected[i].slot, where.constData());
            QVERIFY2(qAbs(seen[i].dx - expected[i].dx) < 1e-3 && qAbs(seen[i].dy - expected[i].dy) < 1e-3,
                     where.constData());
        }
    }

    // The deal moves one picture at a time, in the order 5, 0, 6, 1, ..., 9, 4: each
    // picture's N steps all come before the next picture's first.
    void dealOrderOnePictureAtATime()
    {
        Table t;
        t.game.ShowShuffleAndDeal = true;
        t.game.AnimationSteps = 15;
        std::vector<int> moved;
        auto before = t.pictures.pics;
        t.pictures.onStep = [&] {
            int changed = -1;
            for (int k = 0; k < SlotCount; ++k) {
                if (t.pictures.pics[size_t(k)].left != before[size_t(k)].left ||
                    t.pictures.pics[size_t(k)].top != before[size_t(k)].top)
                    changed = changed == -1 ? k : 99; // 99: more than one picture in one step
            }
            moved.push_back(changed);
            before = t.pictures.pics;
        };
        t.game.DealOut();
        // The first step stacks the pictures on the deck.
        QCOMPARE(moved.size(), size_t(1 + 10 * 15));
        const int order[10] = {5, 0, 6, 1, 7, 2, 8, 3, 9, 4};
        for (int row = 0; row < 10; ++row) {
            for (int step = 0; step < 15; ++step)
                QCOMPARE(moved[size_t(1 + row * 15 + step)], order[row]);
        }
    }

    void dealOut_data()
    {
        QTest::addColumn<int>("steps");
        for (int n = 10; n <= 40; n += 5)
            QTest::newRow(qPrintable(QString::number(n))) << n;
    }

    // The animated deal moves each picture in N shown steps from the deck to its hand
    // position; the first step of slot 5 is a tenth (N = 10) of its way.
    void dealOut()
    {
        QFETCH(int, steps);
        Table t;
        t.game.ShowShuffleAndDeal = true;
        t.game.AnimationSteps = qint16(steps);
        bool firstChecked = false;
        t.pictures.onStep = [&] {
            if (firstChecked || t.pictures.pics[5].left == mdlVuska::DeckLeft)
                return;
            firstChecked = true;
            QCOMPARE(t.pictures.pics[5].left, mdlVuska::DeckLeft - 176.0 / steps);
            QCOMPARE(t.pictures.pics[5].top, mdlVuska::DeckTop + 144.0 / steps);
        };
        t.game.DealOut();
        QVERIFY(firstChecked);
        QCOMPARE(t.pictures.dealSteps, 1 + 10 * steps);
        for (int k = 0; k < SlotCount; ++k) {
            QCOMPARE(qRound(t.pictures.pics[size_t(k)].left), int(mdlVuska::handLeft(k)));
            QCOMPARE(qRound(t.pictures.pics[size_t(k)].top), int(mdlVuska::handTop(k)));
        }
    }

    // Without the animation the pictures go straight to their hands, whatever the step
    // count (even 0, as at start-up).
    void dealWithoutAnimation()
    {
        Table t;
        t.game.ShowShuffleAndDeal = false;
        t.game.AnimationSteps = 0;
        t.game.DealOut();
        QCOMPARE(t.pictures.dealSteps, 0);
        for (int k = 0; k < SlotCount; ++k) {
            QCOMPARE(t.pictures.pics[size_t(k)].left, mdlVuska::handLeft(k));
            QCOMPARE(t.pictures.pics[size_t(k)].top, mdlVuska::handTop(k));
        }
    }

    void moveEndsAtSpot_data()
    {
        QTest::addColumn<int>("steps");
        for (int n = 10; n <= 40; ++n)
            QTest::newRow(qPrintable(QString::number(n))) << n;
    }

    // An animated move ends exactly at its player's spot from every slot and for every
    // step count, with the card's size given again.
    void moveEndsAtSpot()
    {
        QFETCH(int, steps);
        for (int slot = 0; slot < SlotCount; ++slot) {
            Table t;
            t.picturesAtHands();
            t.game.ShowCardMovement = true;
            t.game.AnimationSteps = qint16(steps);
            t.pictures.pics[size_t(slot)].height = 1;
            QVERIFY(t.game.MoveCardToTable(slot));
            QCOMPARE(t.pictures.glideSteps, steps);
            const auto& p = t.pictures.pics[size_t(slot)];
            QVERIFY(qAbs(p.left - mdlVuska::tableSpotLeft(slot)) < 1e-6);
            QVERIFY(qAbs(p.top - mdlVuska::tableSpotTop(slot)) < 1e-6);
            QCOMPARE(p.width, 80.0);
            QCOMPARE(p.height, double(float(382.0 / 3.0)));
        }
    }

    // A computer card shows its face from the first step of its move; the human's is not
    // loaded again.
    void computerCardFaceUpFromFirstStep()
    {
        Table t;
        t.picturesAtHands();
        t.game.ShowCardMovement = true;
        t.game.AnimationSteps = 25;
        QString fileAtFirstStep;
        t.pictures.onStep = [&] {
            if (fileAtFirstStep.isEmpty())
                fileAtFirstStep = t.pictures.pics[3].file;
        };
        t.game.MoveCardToTable(3);
        QCOMPARE(fileAtFirstStep, QStringLiteral("/peli/pata5.jpg"));
        t.pictures.loads.clear();
        t.game.MoveCardToTable(7);
        QVERIFY(t.pictures.loads.isEmpty());
    }

    // Without the animation the card jumps to its spot face up with the same final size.
    void jumpWithoutAnimation()
    {
        Table t;
        t.picturesAtHands();
        t.game.ShowCardMovement = false;
        t.game.AnimationSteps = 40;
        t.game.MoveCardToTable(1);
        QCOMPARE(t.pictures.pics[1].file, QStringLiteral("/peli/pata3.jpg"));
        QCOMPARE(t.pictures.pics[1].left, 136.0);
        QCOMPARE(t.pictures.pics[1].top, 152.0);
        QCOMPARE(t.pictures.pics[1].height, double(float(382.0 / 3.0)));
        QCOMPARE(t.pictures.glideSteps, 1);
    }

    // A player's earlier card disappears only when his next card is on the spot; the other
    // player's card stays.
    void previousCardsHiddenOnArrival()
    {
        Table t;
        t.picturesAtHands();
        t.game.ShowCardMovement = true;
        t.game.AnimationSteps = 10;
        t.game.MoveCardToTable(5);
        t.game.CardPlayed[5] = true;
        t.game.MoveCardToTable(0);
        t.game.CardPlayed[0] = true;
        bool earlierVisibleDuringMove = true;
        t.pictures.onStep = [&] { earlierVisibleDuringMove = earlierVisibleDuringMove && t.pictures.pics[5].visible; };
        t.game.MoveCardToTable(6);
        QVERIFY(earlierVisibleDuringMove);
        QVERIFY(!t.pictures.pics[5].visible);
        QVERIFY(t.pictures.pics[6].visible);
        QVERIFY(t.pictures.pics[0].visible);
    }

    // The card backs go on all ten pictures with the card size; the human's faces get the
    // pointing hand and every slot its face path.
    void backsAndFaces()
    {
        Table t;
        QVERIFY(t.game.LoadCardBacks());
        for (int k = 0; k < SlotCount; ++k) {
            QCOMPARE(t.pictures.pics[size_t(k)].file, QStringLiteral("/peli/tausta.jpg"));
            QCOMPARE(t.pictures.pics[size_t(k)].width, 80.0);
        }
        QVERIFY(t.game.LoadCardFaces());
        for (int k = 0; k < SlotCount; ++k) {
            QCOMPARE(t.game.CardPicturePath[size_t(k)], QStringLiteral("/peli/") + t.game.CardName[size_t(k)] + ".jpg");
            const bool human = k >= 5;
            QCOMPARE(t.pictures.pics[size_t(k)].file,
                     human ? t.game.CardPicturePath[size_t(k)] : QStringLiteral("/peli/tausta.jpg"));
            QCOMPARE(t.pictures.pics[size_t(k)].pointingHand, human);
        }
    }

    // A missing back ends the program after its message, without a help button; the pointer
    // is the normal one while the message waits.
    void missingBack()
    {
        Table t;
        t.pictures.missing.insert(QStringLiteral("/peli/tausta.jpg"));
        t.user.pointer = platform::ScreenPointer::Hourglass; // as the new-game command sets it
        MessageBoxScript boxes;
        boxes.ok();
        platform::ScreenPointer pointerDuringBox = platform::ScreenPointer::Hourglass;
        boxes.whileShown = [&](const platform::MessageBoxRequest&) { pointerDuringBox = t.user.pointer; };
        QVERIFY(!t.game.LoadCardBacks());
        QCOMPARE(boxes.last().text,
                 QStringLiteral("Tiedostoa /peli/tausta.jpg ei löydy.\nOle hyvä ja asenna ohjelma uudelleen."));
        QCOMPARE(boxes.last().title, QStringLiteral("Virhe"));
        QCOMPARE(boxes.last().icon, platform::MsgIcon::Exclamation);
        QVERIFY(boxes.last().helpFile.isEmpty());
        QCOMPARE(t.user.ends, 1);
        QCOMPARE(pointerDuringBox, platform::ScreenPointer::Default);
    }

    // A missing face of the human's names its full path and offers help at topic 9; a
    // missing face of the computer's does not matter at the deal.
    void missingFace()
    {
        {
            Table t;
            t.pictures.missing.insert(QStringLiteral("/peli/pata3.jpg")); // the computer's
            QVERIFY(t.game.LoadCardFaces());
            QCOMPARE(t.user.ends, 0);
        }
        Table t;
        t.pictures.missing.insert(QStringLiteral("/peli/hertta4.jpg")); // slot 7
        t.user.pointer = platform::ScreenPointer::Hourglass;
        MessageBoxScript boxes;
        boxes.ok();
        platform::ScreenPointer pointerDuringBox = platform::ScreenPointer::Hourglass;
        boxes.whileShown = [&](const platform::MessageBoxRequest&) { pointerDuringBox = t.user.pointer; };
        QVERIFY(!t.game.LoadCardFaces());
        QCOMPARE(boxes.last().text,
                 QStringLiteral("Tiedostoa /peli/hertta4.jpg ei löydy.\nOle hyvä ja asenna ohjelma uudelleen."));
        QCOMPARE(boxes.last().helpFile, QStringLiteral("/peli/vuska.hlp"));
        QCOMPARE(boxes.last().helpContext, 9);
        QCOMPARE(t.user.ends, 1);
        QCOMPARE(pointerDuringBox, platform::ScreenPointer::Default);
    }

    // A computer card whose face is missing when played is reported the same way and the
    // program ends; the trick does not go on.
    void missingComputerFaceWhenPlayed()
    {
        Table t;
        t.picturesAtHands();
        t.game.ShowCardMovement = true;
        t.game.AnimationSteps = 10;
        t.pictures.missing.insert(QStringLiteral("/peli/pata2.jpg"));
        t.game.HumanToPlay = true;
        t.game.HumanHasLead = true;
        t.game.GameInProgress = true;
        MessageBoxScript boxes;
        boxes.ok();
        t.game.imgKortti_MouseDown(9, Qt::LeftButton); // hertta6; the computer drops its pata2
        QCOMPARE(boxes.last().text,
                 QStringLiteral("Tiedostoa /peli/pata2.jpg ei löydy.\nOle hyvä ja asenna ohjelma uudelleen."));
        QCOMPARE(boxes.last().helpContext, 9);
        QCOMPARE(t.user.ends, 1);
        QVERIFY(!t.game.CardPlayed[0]);
        QCOMPARE(t.pictures.glideSteps, 10); // only the human's card moved
    }
};

VUSKA_TEST_MAIN(TestAnimation)
#include "test_animation.moc"
