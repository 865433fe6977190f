#pragma once

#include <string>

namespace torvane {

// The current local time as text, in the user's time format with seconds.
class LocalClock {
public:
    virtual ~LocalClock() = default;
    virtual std::wstring CurrentTimeText() = 0;
    // The user may have chosen another time format.
    virtual void FormatChanged() {}
};

} // namespace torvane
