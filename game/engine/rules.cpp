#include <limits>

#include "game/engine/mdlvuska.h"

namespace vuska {

using platform::MessageBoxRequest;
using platform::MsgButtons;
using platform::MsgIcon;

int mdlVuska::slotNamed(const QString& name, int first, int last) const
{
    for (int i = first; i <= last; ++i) {
        if (CardName[size_t(i)] == name)
            return i;
    }
    return -1;
}

bool mdlVuska::anyUnplayed(int first, int last) const
{
    for (int i = first; i <= last; ++i) {
        if (!CardPlayed[size_t(i)])
            return true;
    }
    return false;
}

void mdlVuska::resetPlayedPointer(int index)
{
    pictures_.setPointingHand(index, false);
}

void mdlVuska::imgKortti_MouseDown(int index, Qt::MouseButton button)
{
    if (button != Qt::LeftButton || !isHumanSlot(index))
        return;
    if (!HumanToPlay || CardPlayed[size_t(index)])
        return;
    if (ComputerHasLed)
        HumanFollowsTrick(index);
    else
        HumanLeadsTrick(index);
}

void mdlVuska::HumanLeadsTrick(int index)
{
    if (!HumanToPlay)
        return;
    HumanHasLead = true;
    ComputerHasLed = false;
    if (!MoveCardToTable(index))
        return;
    CardPlayed[size_t(index)] = true;
    HumanTrickCard = CardName[size_t(index)];
    HumanLedSuit = CardSuit[size_t(index)];
    resetPlayedPointer(index);
    user_.cardPlayed(index);
    HumanToPlay = false;
    ComputerHasLed = false;
    ComputerFollowsTrick();
}

void mdlVuska::ComputerFollowsTrick()
{
    if (ComputerHasLed)
        return;
    const int humanSlot = slotNamed(HumanTrickCard, FirstHumanSlot, SlotCount - 1);
    if (humanSlot >= 0)
        HumanLedSuit = CardSuit[size_t(humanSlot)];
    CheckComputerCanFollow();

    const auto playChoice = [this] {
        if (!MoveCardToTable(ComputerChoice))
            return false;
        CardPlayed[size_t(ComputerChoice)] = true;
        ComputerTrickCard = CardName[size_t(ComputerChoice)];
        user_.cardPlayed(ComputerChoice);
        return true;
    };

    if (!ComputerCanFollow) {
        // Whatever the computer drops, the human's lead takes the trick.
        PickComputerCard();
        if (!playChoice())
            return;
        user_.trickWon(true);
        if (anyUnplayed(FirstHumanSlot, SlotCount - 1)) {
            HumanHasLead = true;
            HumanToPlay = true;
        } else {
            EndGameWon();
        }
        return;
    }

    PickComputerCardOfSuit();
    if (!playChoice())
        return;
    DecideTrickWinner();
    if (HumanHasLead) {
        if (anyUnplayed(FirstHumanSlot, SlotCount - 1)) {
            HumanToPlay = true;
            HumanHasLead = true;
        } else {
            EndGameWon();
        }
    } else if (anyUnplayed(0, FirstHumanSlot - 1)) {
        HumanHasLead = false;
        HumanToPlay = false;
        ComputerLeadsTrick();
    } else {
        EndGameLost();
    }
}

void mdlVuska::ComputerLeadsTrick()
{
    user_.setScreenPointer(platform::ScreenPointer::Hourglass);
    // The human sees the table while the computer seems to think. Should the program end
    // meanwhile, no card is played any more.
    if (!user_.pause(2000))
        return;
    PickComputerCard();
    if (!MoveCardToTable(ComputerChoice))
        return;
    CardPlayed[size_t(ComputerChoice)] = true;
    ComputerTrickCard = CardName[size_t(ComputerChoice)];
    ComputerLedSuit = CardSuit[size_t(ComputerChoice)];
    user_.cardPlayed(ComputerChoice);
    ComputerHasLed = true;
    HumanHasLead = false;
    HumanToPlay = true;
    user_.setScreenPointer(platform::ScreenPointer::Default);
}

void mdlVuska::HumanFollowsTrick(int index)
{
    if (!ComputerHasLed || HumanHasLead)
        return;
    const int computerSlot = slotNamed(ComputerTrickCard, 0, FirstHumanSlot - 1);
    if (computerSlot >= 0)
        ComputerLedSuit = CardSuit[size_t(computerSlot)];
    CheckHumanCanFollow();

    const auto playCard = [this, index] {
        if (!MoveCardToTable(index))
            return false;
        CardPlayed[size_t(index)] = true;
        HumanTrickCard = CardName[size_t(index)];
        resetPlayedPointer(index);
        user_.cardPlayed(index);
        return true;
    };

    if (!HumanCanFollow) {
        // Any card may go, and the computer's lead takes the trick.
        if (!playCard())
            return;
        HumanToPlay = false;
        user_.trickWon(false);
        if (anyUnplayed(0, FirstHumanSlot - 1))
            ComputerLeadsTrick();
        else
            EndGameLost();
        return;
    }

    if (CardSuit[size_t(index)] == ComputerLedSuit) {
        if (!playCard())
            return;
        DecideTrickWinner();
        if (HumanHasLead) {
            if (!anyUnplayed(FirstHumanSlot, SlotCount - 1))
                EndGameWon();
        } else if (anyUnplayed(0, FirstHumanSlot - 1)) {
            ComputerLeadsTrick();
        } else {
            EndGameLost();
        }
        return;
    }

    const QString p = suitPartitive(ComputerLedSuit);
    MessageBoxRequest refusal;
    //: %1 is the suit (herttaa: hearts); the carriage return breaks the line.
    refusal.text = tr("Tietokonevastustajasi on lyönyt eteen %1,\rjoten sinun on lyötävä sitä.").arg(p);
    //: %1 is the suit (herttaa: hearts).
    refusal.title = tr("Lyötävä %1").arg(p);
    refusal.buttons = MsgButtons::Ok;
    refusal.icon = MsgIcon::Exclamation;
    refusal.helpFile = helpFilePath();
    refusal.helpContext = 25;
    user_.messageBox(refusal);
}

void mdlVuska::CheckHumanCanFollow()
{
    for (int i = FirstHumanSlot; i < SlotCount; ++i) {
        if (CardPlayed[size_t(i)])
            continue;
        if (CardSuit[size_t(i)] == ComputerLedSuit) {
            HumanCanFollow = true;
            return;
        }
        HumanCanFollow = false;
    }
}

void mdlVuska::CheckComputerCanFollow()
{
    for (int i = 0; i < FirstHumanSlot; ++i) {
        if (CardPlayed[size_t(i)])
            continue;
        if (CardSuit[size_t(i)] == HumanLedSuit) {
            ComputerCanFollow = true;
            return;
        }
        ComputerCanFollow = false;
    }
}

void mdlVuska::DecideTrickWinner()
{
    const int c = slotNamed(ComputerTrickCard, 0, FirstHumanSlot - 1);
    const int h = slotNamed(HumanTrickCard, FirstHumanSlot, SlotCount - 1);
    const Rank computer = c >= 0 ? CardValue[size_t(c)] : Rank();
    const Rank human = h >= 0 ? CardValue[size_t(h)] : Rank();
    const bool humanWins = human.beats(computer);
    if (humanWins) {
        ComputerHasLed = false;
        HumanHasLead = true;
        HumanToPlay = true;
    } else {
        HumanHasLead = false;
        HumanToPlay = false;
        ComputerHasLed = false;
    }
    user_.trickWon(humanWins);
}

void mdlVuska::EndGameWon()
{
    // The run stops growing at the largest count it can hold rather than wrapping over.
    if (WinStreak < std::numeric_limits<qint16>::max())
        ++WinStreak;
    MessageBoxRequest box;
    box.text = tr("Onnittelut, voitit pelin!");
    box.title = tr("Voitit");
    box.icon = MsgIcon::Information;
    user_.messageBox(box);
    GameInProgress = false;
}

void mdlVuska::EndGameLost()
{
    MessageBoxRequest box;
    box.text = tr("Harmi, hävisit pelin!");
    box.title = tr("Hävisit");
    box.icon = MsgIcon::Information;
    user_.messageBox(box);
    if (user_.ending())
        return;
    if (RunQualifiesForBestResults())
        user_.showNameEntry();
    else
        WinStreak = 0;
    GameInProgress = false;
}

} // namespace vuska
