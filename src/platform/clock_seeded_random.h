#pragma once

#include <random>

#include "platform/random_digits.h"

namespace torvane {

// Reseeded from the high-resolution clock, so that two reseeds in a row still
// give different draws.
class ClockSeededRandom : public RandomSource {
public:
    void Reseed() override;
    double Next() override;

private:
    std::mt19937 engine_;
    unsigned sequence_ = 0;
};

} // namespace torvane
