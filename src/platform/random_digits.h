#pragma once

#include <string>

namespace torvane {

// Source of the uniform draws behind RandomDigits. The Win32 program seeds it
// from the clock; tests script it.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Reseed() = 0;
    // A value in [0, 1).
    virtual double Next() = 0;
};

// `count` digits, each 2 to 8; the generator is reseeded before every digit.
std::wstring RandomDigits(int count, RandomSource& random);

} // namespace torvane
