#include "platform/clock_seeded_random.h"

#include <chrono>

namespace torvane {

void ClockSeededRandom::Reseed()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seed{static_cast<unsigned>(now), static_cast<unsigned>(now >> 32), ++sequence_};
    engine_.seed(seed);
}

double ClockSeededRandom::Next()
{
    // 32 random bits over 2^32: never reaches 1.
    return static_cast<double>(engine_()) / 4294967296.0;
}

} // namespace torvane
