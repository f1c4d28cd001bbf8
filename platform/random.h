#pragma once

#include <cstdint>

namespace platform {

// The program's uniform random source: next() gives r with 0 <= r < 1.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
    // Mixes the time of day into the running state. Draws taken within one clock tick
    // therefore never repeat, unlike a generator restarted from the clock alone.
    virtual void reseedFromTime() = 0;
};

// A small, fast generator (SplitMix64) whose state advances with every draw.
class SystemRandom : public RandomSource {
public:
    SystemRandom();
    explicit SystemRandom(std::uint64_t seed) : state_(seed) {}
    double next() override;
    void reseedFromTime() override;
    void mix(std::uint64_t value);

private:
    std::uint64_t step();
    std::uint64_t state_;
};

} // namespace platform
