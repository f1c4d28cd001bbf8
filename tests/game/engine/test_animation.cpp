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

    // A missing back ends the program after its message, without a help button.
    void missingBack()
    {
        Table t;
        t.pictures.missing.insert(QStringLiteral("/peli/tausta.jpg"));
        MessageBoxScript boxes;
        boxes.ok();
        QVERIFY(!t.game.LoadCardBacks());
        QCOMPARE(boxes.last().text,
                 QStringLiteral("Tiedostoa /peli/tausta.jpg ei löydy.\nOle hyvä ja asenna ohjelma uudelleen."));
        QCOMPARE(boxes.last().title, QStringLiteral("Virhe"));
        QCOMPARE(boxes.last().icon, platform::MsgIcon::Exclamation);
        QVERIFY(boxes.last().helpFile.isEmpty());
        QCOMPARE(t.user.ends, 1);
        QCOMPARE(t.user.pointer, platform::ScreenPointer::Default);
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
        MessageBoxScript boxes;
        boxes.ok();
        QVERIFY(!t.game.LoadCardFaces());
        QCOMPARE(boxes.last().text,
                 QStringLiteral("Tiedostoa /peli/hertta4.jpg ei löydy.\nOle hyvä ja asenna ohjelma uudelleen."));
        QCOMPARE(boxes.last().helpFile, QStringLiteral("/peli/vuska.hlp"));
        QCOMPARE(boxes.last().helpContext, 9);
        QCOMPARE(t.user.ends, 1);
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
