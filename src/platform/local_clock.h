#pragma once

#include <string>

// The current local time as text, in the user's time format with seconds.
class LocalClock {
public:
    virtual ~LocalClock() = default;
    virtual std::wstring CurrentTimeText() = 0;
};
