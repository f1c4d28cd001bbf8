#pragma once

#include "game/engine/mdlvuska.h"
#include "game/engine/seams.h"
#include "platform/random.h"

// The game's module without a window, for runs that use only its registry procedures.
namespace vuska::bench {

class NoPictures : public CardPictures {
public:
    bool loadPicture(int, const QString&) override { return true; }
    double left(int) const override { return 0; }
    double top(int) const override { return 0; }
    double width(int) const override { return 0; }
    double height(int) const override { return 0; }
    bool visible(int) const override { return false; }
    void setLeft(int, double) override {}
    void setTop(int, double) override {}
    void setWidth(int, double) override {}
    void setHeight(int, double) override {}
    void setVisible(int, bool) override {}
    void bringToFront(int) override {}
    void setPointingHand(int, bool) override {}
    void showStep(Step) override {}
};

class NoUser : public GameUser {
public:
    platform::MsgAnswer messageBox(const platform::MessageBoxRequest&) override { return platform::MsgAnswer::Ok; }
    void setScreenPointer(platform::ScreenPointer) override {}
    bool pause(int) override { return true; }
    void showNameEntry() override {}
    void setNewGameEnabled(bool) override {}
    void endProgram() override {}
    bool ending() const override { return false; }
};

class FixedRandom : public platform::RandomSource {
public:
    double next() override { return 0.5; }
    void reseedFromTime() override {}
};

struct HeadlessGame {
    NoPictures pictures;
    NoUser user;
    FixedRandom random;
    mdlVuska game{pictures, user, random};
};

} // namespace vuska::bench
