#include <gtest/gtest.h>

#include <windows.h>

#include "booster/win_process_priority.h"

using namespace torvane;

namespace {

// A window of this process, for the window-handle form of the call.
class OwnWindow {
public:
    OwnWindow()
    {
        window_ = CreateWindowExW(0, L"STATIC", L"priority test", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~OwnWindow() { DestroyWindow(window_); }
    std::uintptr_t handle() const { return reinterpret_cast<std::uintptr_t>(window_); }

private:
    HWND window_;
};

} // namespace

TEST(WinProcessPriority, SetsAndReadsBackTheClassOfTheProcessFound)
{
    WinProcessPriority priority;
    OwnWindow window;
    struct Case {
        std::uint32_t processId;
        std::uintptr_t window;
        std::uint32_t cls;
    };
    const Case cases[] = {
        {0, 0, HIGH_PRIORITY_CLASS},
        {0, 0, NORMAL_PRIORITY_CLASS},
        {0, window.handle(), ABOVE_NORMAL_PRIORITY_CLASS},
        {GetCurrentProcessId(), 0, BELOW_NORMAL_PRIORITY_CLASS},
        {0, window.handle(), NORMAL_PRIORITY_CLASS},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(priority.SetProcessPriority(c.processId, c.window, c.cls), c.cls);
        EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), c.cls);
    }
}

TEST(WinProcessPriority, AProcessThatCannotBeFoundGivesZero)
{
    WinProcessPriority priority;
    OwnWindow window;
    const std::uintptr_t gone = window.handle() + 0x10000;
    EXPECT_EQ(priority.SetProcessPriority(0, gone, HIGH_PRIORITY_CLASS), 0u);
    EXPECT_EQ(priority.SetProcessPriority(0xFFFFFFF0u, 0, HIGH_PRIORITY_CLASS), 0u);
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
}
