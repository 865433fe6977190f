#pragma once

#include <cstddef>
#include <vector>

#include "platform/random_digits.h"

namespace torvane {

// Hands out the given draws in turn and counts the reseeds.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<double> draws = {0.5}) : draws_(std::move(draws)) {}

    void Reseed() override { ++reseeds; }
    double Next() override
    {
        const double value = draws_[next_ % draws_.size()];
        ++next_;
        return value;
    }

    int reseeds = 0;

private:
    std::vector<double> draws_;
    std::size_t next_ = 0;
};

// The draw that gives the digit d (2 to 8).
inline double DrawFor(int digit) { return (digit - 2 + 0.5) / 7.0; }

} // namespace torvane
