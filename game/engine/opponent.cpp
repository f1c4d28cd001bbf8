#include <cmath>

#include "game/engine/mdlvuska.h"

namespace vuska {

// One uniform draw of a computer slot 0..4. The source's state moves on with every
// draw, so a rejected slot is followed by a fresh one even within one clock tick.
int mdlVuska::drawSlot()
{
    random_.reseedFromTime();
    return int(std::floor(5.0 * random_.next()));
}

void mdlVuska::PickComputerCard()
{
    for (int i = 0; i < FirstHumanSlot; ++i) {
        if (!CardPlayed[size_t(i)] && CardValue[size_t(i)].isNumber(2)) {
            ComputerChoice = qint16(i);
            return;
        }
    }
    if (!anyUnplayed(0, FirstHumanSlot - 1))
        return; // nothing left to choose from; callers never ask then
    int slot = drawSlot();
    while (CardPlayed[size_t(slot)])
        slot = drawSlot();
    ComputerChoice = qint16(slot);
}

void mdlVuska::PickComputerCardOfSuit()
{
    bool holdsSuit = false;
    for (int i = 0; i < FirstHumanSlot; ++i) {
        if (CardPlayed[size_t(i)] || CardSuit[size_t(i)] != HumanLedSuit)
            continue;
        holdsSuit = true;
        if (CardValue[size_t(i)].isNumber(2)) {
            ComputerChoice = qint16(i);
            return;
        }
    }
    if (!holdsSuit)
        return; // callers ask only when the computer can follow
    int slot = drawSlot();
    while (CardPlayed[size_t(slot)] || CardSuit[size_t(slot)] != HumanLedSuit)
        slot = drawSlot();
    ComputerChoice = qint16(slot);
}

} // namespace vuska
