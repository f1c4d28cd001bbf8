#pragma once

#include <deque>
#include <functional>

#include "platform/clock.h"
#include "platform/random.h"

namespace vuska::test {

// A clock that never waits: a pause moves the time on, runs pending events once (so that
// what a user could do meanwhile can be simulated through onPause) and returns.
class FakeClock : public platform::Clock {
public:
    double timer() const override { return now_; }
    bool pause(int milliseconds) override;

    double now_ = 36000.0;
    int pauses = 0;
    int pausedMilliseconds = 0;
    // Runs inside each pause, as the user's actions during it.
    std::function<void()> onPause;
};

// Gives scripted numbers first, then those of a seeded generator; counts the re-seeds.
class ScriptedRandom : public platform::RandomSource {
public:
    explicit ScriptedRandom(std::uint64_t seed = 12345) : fallback_(seed) {}
    double next() override;
    void reseedFromTime() override { ++reseeds; }
    ScriptedRandom& then(double r)
    {
        script_.push_back(r);
        return *this;
    }
    int draws = 0;
    int reseeds = 0;

private:
    std::deque<double> script_;
    platform::SystemRandom fallback_;
};

} // namespace vuska::test
