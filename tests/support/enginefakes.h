#pragma once

#include <array>
#include <functional>
#include <set>

#include <QList>
#include <QString>

#include "game/engine/mdlvuska.h"
#include "game/engine/seams.h"
#include "platform/lifetime.h"
#include "tests/support/fakes.h"

namespace vuska::test {

// The ten card pictures as plain numbers, with a record of what was shown.
class FakePictures : public CardPictures {
public:
    struct Picture {
        QString file;
        double left = 0, top = 0, width = 80, height = 128;
        bool visible = true;
        bool pointingHand = false;
    };

    bool loadPicture(int slot, const QString& path) override
    {
        loads.append(path);
        if (missing.count(path))
            return false;
        pics[size_t(slot)].file = path;
        return true;
    }
    double left(int s) const override { return pics[size_t(s)].left; }
    double top(int s) const override { return pics[size_t(s)].top; }
    double width(int s) const override { return pics[size_t(s)].width; }
    double height(int s) const override { return pics[size_t(s)].height; }
    bool visible(int s) const override { return pics[size_t(s)].visible; }
    void setLeft(int s, double v) override
    {
        pics[size_t(s)].left = v;
        ++positionChanges;
    }
    void setTop(int s, double v) override
    {
        pics[size_t(s)].top = v;
        ++positionChanges;
    }
    void setWidth(int s, double v) override { pics[size_t(s)].width = v; }
    void setHeight(int s, double v) override { pics[size_t(s)].height = v; }
    void setVisible(int s, bool v) override { pics[size_t(s)].visible = v; }
    void bringToFront(int) override {}
    void setPointingHand(int s, bool v) override { pics[size_t(s)].pointingHand = v; }
    void showStep(Step kind) override
    {
        (kind == Step::Jiggle ? jiggleSteps : kind == Step::Deal ? dealSteps : glideSteps)++;
        if (onStep)
            onStep();
    }

    std::array<Picture, 10> pics{};
    std::set<QString> missing;
    QList<QString> loads;
    int positionChanges = 0;
    int jiggleSteps = 0;
    int dealSteps = 0;
    int glideSteps = 0;
    std::function<void()> onStep;
};

// The user's side of the game: message boxes go to the platform (a script in tests), the
// pause to a fake clock, the name entry to a callback.
class FakeUser : public GameUser {
public:
    explicit FakeUser(FakeClock& clock) : clock_(clock) {}
    platform::MsgAnswer messageBox(const platform::MessageBoxRequest& request) override
    {
        return platform::messageBox(request);
    }
    void setScreenPointer(platform::ScreenPointer p) override { pointer = p; }
    bool pause(int ms) override { return clock_.pause(ms); }
    void showNameEntry() override
    {
        ++nameEntries;
        if (onNameEntry)
            onNameEntry();
    }
    void setNewGameEnabled(bool enabled) override { newGameEnabled = enabled; }
    void endProgram() override
    {
        ++ends;
        platform::lifetime::endProgram();
    }
    bool ending() const override { return platform::lifetime::ending(); }

    platform::ScreenPointer pointer = platform::ScreenPointer::Default;
    bool newGameEnabled = true;
    int nameEntries = 0;
    int ends = 0;
    std::function<void()> onNameEntry;

private:
    FakeClock& clock_;
};

// The module with fakes around it: where every engine test starts.
struct EngineTable {
    FakePictures pictures;
    FakeClock clock;
    FakeUser user{clock};
    ScriptedRandom random;
    mdlVuska game{pictures, user, random};

    // Every picture at its slot's hand position, as after a deal.
    void picturesAtHands()
    {
        for (int k = 0; k < SlotCount; ++k) {
            pictures.pics[size_t(k)].left = mdlVuska::handLeft(k);
            pictures.pics[size_t(k)].top = mdlVuska::handTop(k);
        }
    }
    int playedCount(int first, int last) const
    {
        int n = 0;
        for (int i = first; i <= last; ++i)
            n += game.CardPlayed[size_t(i)] ? 1 : 0;
        return n;
    }
};

} // namespace vuska::test
