#include "platform/random.h"

#include <chrono>
#include <random>

namespace platform {

namespace {
std::uint64_t splitmix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}
} // namespace

SystemRandom::SystemRandom()
{
    std::random_device device;
    state_ = (std::uint64_t(device()) << 32) ^ device();
    reseedFromTime();
}

std::uint64_t SystemRandom::step()
{
    state_ += 0x9E3779B97F4A7C15ULL;
    return splitmix(state_);
}

double SystemRandom::next()
{
    // 53 random bits scaled into [0, 1): never 1.
    return double(step() >> 11) * 0x1.0p-53;
}

void SystemRandom::mix(std::uint64_t value)
{
    state_ = splitmix(state_ ^ splitmix(value));
}

void SystemRandom::reseedFromTime()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    mix(std::uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

} // namespace platform
