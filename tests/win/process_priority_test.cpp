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
        std::uintptr_t window;
        std::uint32_t cls;
    };
    const Case cases[] = {
        {0, HIGH_PRIORITY_CLASS},
        {0, NORMAL_PRIORITY_CLASS},
        {window.handle(), ABOVE_NORMAL_PRIORITY_CLASS},
        {0, BELOW_NORMAL_PRIORITY_CLASS},
        {window.handle(), NORMAL_PRIORITY_CLASS},
    };
    std::uint32_t before = GetPriorityClass(GetCurrentProcess());
    for (const Case& c : cases) {
        const PriorityChange change = priority.SetWindowProcessClass(c.window, c.cls);
        EXPECT_TRUE(change.opened);
        EXPECT_EQ(change.before, before);
        EXPECT_EQ(change.after, c.cls);
        EXPECT_EQ(change.process.id, GetCurrentProcessId());
        EXPECT_NE(change.process.startTime, 0u);
        EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), c.cls);
        before = c.cls;
    }
}

TEST(WinProcessPriority, AProcessThatCannotBeFoundIsNotOpened)
{
    WinProcessPriority priority;
    OwnWindow window;
    const std::uintptr_t gone = window.handle() + 0x10000;
    const PriorityChange change = priority.SetWindowProcessClass(gone, HIGH_PRIORITY_CLASS);
    EXPECT_FALSE(change.opened);
    EXPECT_EQ(change.after, 0u);
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
}

// A restore reaches the process only while its id still names it.
TEST(WinProcessPriority, ARestoreTouchesOnlyTheSameProcess)
{
    WinProcessPriority priority;
    const PriorityChange own = priority.SetWindowProcessClass(0, NORMAL_PRIORITY_CLASS);
    ASSERT_TRUE(own.opened);

    ProcessIdentity reused = own.process;
    reused.startTime += 1; // the same id, another start: another process
    EXPECT_FALSE(priority.SetProcessClass(reused, IDLE_PRIORITY_CLASS));
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
    EXPECT_FALSE(priority.SetProcessClass({0xFFFFFFF0u, own.process.startTime}, IDLE_PRIORITY_CLASS));

    EXPECT_TRUE(priority.SetProcessClass(own.process, BELOW_NORMAL_PRIORITY_CLASS));
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(BELOW_NORMAL_PRIORITY_CLASS));
    priority.SetProcessClass(own.process, NORMAL_PRIORITY_CLASS);
}
