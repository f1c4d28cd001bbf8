#include "game/engine/mdlvuska.h"

namespace vuska {

namespace {

// From each hand position to its player's table spot, in pixels.
struct Displacement {
    double dx;
    double dy;
};
constexpr Displacement displacement[SlotCount] = {
    {128, 144}, {40, 144}, {-48, 144}, {-136, 144}, {-224, 144},
    {224, -144}, {136, -144}, {48, -144}, {-40, -144}, {-128, -144},
};

constexpr auto Glide = CardPictures::Step::Glide;

} // namespace

double mdlVuska::tableSpotLeft(int slot)
{
    return isComputerSlot(slot) ? 136.0 : 232.0;
}

double mdlVuska::tableSpotTop(int slot)
{
    return isComputerSlot(slot) ? 152.0 : 168.0;
}

bool mdlVuska::MoveCardToTable(int slot)
{
    if (slot < 0 || slot >= SlotCount)
        return false;
    pictures_.bringToFront(slot);
    if (ShowCardMovement && AnimationSteps > 0) {
        // The computer's card turns face up before it starts to move.
        if (isComputerSlot(slot) && !pictures_.loadPicture(slot, CardPicturePath[size_t(slot)])) {
            playFaceMissing(CardPicturePath[size_t(slot)], 9);
            return false;
        }
        const int n = AnimationSteps;
        const double stepX = displacement[slot].dx / n;
        const double stepY = displacement[slot].dy / n;
        for (int step = 0; step < n; ++step) {
            pictures_.setLeft(slot, pictures_.left(slot) + stepX);
            pictures_.setTop(slot, pictures_.top(slot) + stepY);
            pictures_.showStep(Glide);
        }
    } else {
        if (!pictures_.loadPicture(slot, CardPicturePath[size_t(slot)])) {
            playFaceMissing(CardPicturePath[size_t(slot)], 9);
            return false;
        }
        pictures_.setLeft(slot, tableSpotLeft(slot));
        pictures_.setTop(slot, tableSpotTop(slot));
    }
    pictures_.setHeight(slot, CardHeight);
    pictures_.setWidth(slot, CardWidth);
    if (!ShowCardMovement)
        pictures_.showStep(Glide);
    HidePreviousTableCards(slot);
    return true;
}

void mdlVuska::HidePreviousTableCards(int slot)
{
    const int first = isComputerSlot(slot) ? 0 : FirstHumanSlot;
    for (int i = first; i < first + FirstHumanSlot; ++i) {
        if (i != slot && CardPlayed[size_t(i)])
            pictures_.setVisible(i, false);
    }
}

} // namespace vuska
