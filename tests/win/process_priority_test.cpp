#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "booster/win_process_priority.h"

using namespace torvane;

namespace {

// A window of this process, for the window-handle form of the lookup.
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

// A windowless child of this process; its thread handle is closed, its
// process handle is the caller's to close.
bool StartChild(std::wstring command, PROCESS_INFORMATION& started)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &started))
        return false;
    CloseHandle(started.hThread);
    return true;
}

} // namespace

TEST(WinProcessPriority, FindsTheWindowsProcessAndSetsAndReadsBackItsClass)
{
    WinProcessPriority priority;
    OwnWindow window;
    EXPECT_EQ(priority.WindowProcessId(0), GetCurrentProcessId());
    EXPECT_EQ(priority.WindowProcessId(window.handle()), GetCurrentProcessId());
    EXPECT_EQ(priority.WindowProcessId(window.handle() + 0x10000), 0u) << "no such window";

    std::uint32_t error = 1;
    const auto own = priority.Open(GetCurrentProcessId(), error);
    ASSERT_TRUE(own);
    EXPECT_EQ(error, 0u);
    EXPECT_EQ(own->Identity().id, GetCurrentProcessId());
    EXPECT_NE(own->Identity().startTime, 0u);
    EXPECT_TRUE(own->Running());
    for (const DWORD cls : {HIGH_PRIORITY_CLASS, BELOW_NORMAL_PRIORITY_CLASS, NORMAL_PRIORITY_CLASS}) {
        EXPECT_TRUE(own->SetPriorityClass(cls));
        EXPECT_EQ(own->PriorityClass(), cls);
        EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), cls);
    }

    EXPECT_FALSE(priority.Open(0, error)) << "id 0 is no process that can be changed";
    EXPECT_EQ(error, static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(priority.Open(0xFFFFFFF0u, error));
    EXPECT_NE(error, 0u);
}

// A held process stays that process after it ends: it says so, and its
// start time still tells it from a new one under the same id.
TEST(WinProcessPriority, AProcessThatEndedIsSeenToHaveEnded)
{
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(StartChild(L"cmd.exe /c exit 0", started));
    WinProcessPriority priority;
    std::uint32_t error = 0;
    const auto child = priority.Open(started.dwProcessId, error);
    ASSERT_TRUE(child);
    const ProcessIdentity identity = child->Identity();
    EXPECT_NE(identity.startTime, 0u);
    EXPECT_EQ(WaitForSingleObject(started.hProcess, 10000), WAIT_OBJECT_0);
    CloseHandle(started.hProcess);
    EXPECT_FALSE(child->Running());
    EXPECT_EQ(child->Identity(), identity);
}

// The list names this process under its program's file name, and a child
// it started under this process as its parent, with its program file read
// back whole from the opened process.
TEST(WinProcessPriority, ListsProcessesWithTheirParentsAndProgramFiles)
{
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(StartChild(L"cmd.exe /c ping -n 30 127.0.0.1 >nul", started));
    WinProcessPriority priority;
    wchar_t ownPath[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, ownPath, MAX_PATH);
    const std::wstring ownName = std::wstring(ownPath).substr(std::wstring(ownPath).find_last_of(L'\\') + 1);
    bool ownListed = false, childListed = false, otherListed = false;
    for (const ListedProcess& p : priority.ListNamed(ownName))
        ownListed = ownListed || p.id == GetCurrentProcessId();
    for (const ListedProcess& p : priority.ListNamed(L"CMD.EXE")) {
        childListed = childListed || (p.id == started.dwProcessId && p.parentId == GetCurrentProcessId());
        otherListed = otherListed || p.id == GetCurrentProcessId();
    }
    EXPECT_TRUE(ownListed);
    EXPECT_TRUE(childListed) << "named without case";
    EXPECT_FALSE(otherListed) << "only the name asked for";
    std::uint32_t error = 0;
    const auto own = priority.Open(GetCurrentProcessId(), error);
    ASSERT_TRUE(own);
    EXPECT_EQ(_wcsicmp(own->ProgramPath().c_str(), ownPath), 0) << own->ProgramPath().c_str();
    TerminateProcess(started.hProcess, 0);
    CloseHandle(started.hProcess);
}
