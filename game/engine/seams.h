#pragma once

#include <QString>

#include "platform/messagebox.h"
#include "platform/pointer.h"

namespace vuska {

// The ten card pictures imgKortti(0..9) of the table. Positions and sizes are table
// pixels, kept as fractional numbers; the view rounds them only to draw.
class CardPictures {
public:
    virtual ~CardPictures() = default;
    // Loads a picture file into the slot's picture. False when the file cannot be loaded;
    // the picture then keeps what it showed.
    virtual bool loadPicture(int slot, const QString& path) = 0;
    virtual double left(int slot) const = 0;
    virtual double top(int slot) const = 0;
    virtual double width(int slot) const = 0;
    virtual double height(int slot) const = 0;
    virtual bool visible(int slot) const = 0;
    virtual void setLeft(int slot, double left) = 0;
    virtual void setTop(int slot, double top) = 0;
    virtual void setWidth(int slot, double width) = 0;
    virtual void setHeight(int slot, double height) = 0;
    virtual void setVisible(int slot, bool visible) = 0;
    // Puts the slot's picture above the others, so that a moving card is never hidden.
    virtual void bringToFront(int slot) = 0;
    // The pointing hand over a playable card, or the normal pointer.
    virtual void setPointingHand(int slot, bool pointingHand) = 0;
    // Makes what has been set so far visible before the next step of an animation starts,
    // at the even pace of its kind: the small jiggles of the shuffle, a card flying to a
    // hand in the deal, or a played card gliding to the table.
    enum class Step { Jiggle, Deal, Glide };
    virtual void showStep(Step kind) = 0;
};

// Everything the game asks of its user and its window.
class GameUser {
public:
    virtual ~GameUser() = default;
    virtual platform::MsgAnswer messageBox(const platform::MessageBoxRequest& request) = 0;
    virtual void setScreenPointer(platform::ScreenPointer pointer) = 0;
    // Waits while window events run. False when the program is ending meanwhile.
    virtual bool pause(int milliseconds) = 0;
    // The modal name entry for a run that reached the best-results list.
    virtual void showNameEntry() = 0;
    // The new-game button and menu item together.
    virtual void setNewGameEnabled(bool enabled) = 0;
    // Unloads the windows and ends the program; ending() is true from then on.
    virtual void endProgram() = 0;
    virtual bool ending() const = 0;

    // The play as it happens, for a player who follows it by ear: who begins a deal, each
    // card as it comes to the table, and who took the trick.
    virtual void starterDecided(bool humanBegins) { (void)humanBegins; }
    virtual void cardPlayed(int slot) { (void)slot; }
    virtual void trickWon(bool byHuman) { (void)byHuman; }
};

} // namespace vuska
