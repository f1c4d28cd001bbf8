#pragma once

#include <memory>

#include "game/forms/cardtable.h"
#include "game/forms/frmvuska.h"
#include "tests/support/fakes.h"

namespace vuska::test {

// The real game window over a picture folder, with a clock that never waits and
// animations that run as fast as they can.
struct GameWindow {
    FakeClock clock;
    platform::SystemRandom random;
    std::unique_ptr<frmVuska> window;

    explicit GameWindow(const QString& pictureFolder, std::uint64_t seed = 99) : random(seed)
    {
        window = std::make_unique<frmVuska>(pictureFolder, clock, random);
        window->table()->setStepIntervals({}, {}, {});
    }
    mdlVuska& game() { return window->game(); }
};

} // namespace vuska::test
