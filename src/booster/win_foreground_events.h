#pragma once

#include <windows.h>

namespace torvane {

// The system's reports of a new window in front, posted to a window as
// `message` with the window in wParam. The hook is out of context: its
// callback runs on the thread that set it, from its message loop, and costs
// nothing while no switch happens.
class ForegroundEvents {
public:
    ForegroundEvents() = default;
    ForegroundEvents(const ForegroundEvents&) = delete;
    ForegroundEvents& operator=(const ForegroundEvents&) = delete;
    ~ForegroundEvents() { Stop(); }

    bool Start(HWND target, UINT message);
    void Stop();

private:
    HWINEVENTHOOK hook_ = nullptr;
};

} // namespace torvane
