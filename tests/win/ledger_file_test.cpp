#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <windows.h>

#include "booster/win_ledger_file.h"
#include "booster/win_process_priority.h"
#include "platform/ansi_text.h"

using namespace torvane;

namespace {

std::wstring FreshLedgerFolder()
{
    static int serial = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + L"tv-ledger-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                       std::to_wstring(++serial);
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

// Replaced whole, no temporary file left, no file at all once empty; a
// huge file is read only as far as the reader looks.
TEST(WinLedgerFile, ReplacesWholeRemovesWhenEmptyAndReadsWithinTheBound)
{
    const std::wstring path = FreshLedgerFolder() + L"\\Raised.txt";
    DeleteFileW(path.c_str()); // left by an earlier run under the same process id
    WinLedgerFile file(path);
    EXPECT_TRUE(file.Read().empty());
    EXPECT_TRUE(file.Replace("")) << "nothing to remove is no failure";

    ASSERT_TRUE(file.Replace(std::string(5000, 'x')));
    ASSERT_TRUE(file.Replace("1 2 32 128\r\n"));
    EXPECT_EQ(file.Read(), "1 2 32 128\r\n");
    EXPECT_FALSE(Exists(path + L".tmp"));

    ASSERT_TRUE(file.Replace(""));
    EXPECT_FALSE(Exists(path));

    std::ofstream(ToAnsi(path), std::ios::binary) << std::string(10 * 1024 * 1024, '7');
    const DWORD started = GetTickCount();
    EXPECT_EQ(file.Read().size(), kLedgerMaxBytes);
    EXPECT_LT(GetTickCount() - started, 100u);
}

TEST(WinLedgerFile, AFolderThatCannotBeWrittenIsReported)
{
    WinLedgerFile file(FreshLedgerFolder() + L"\\no such folder\\Raised.txt");
    EXPECT_FALSE(file.Replace("1 2 32 128\r\n"));
    EXPECT_EQ(file.Read(), "");
}

// What another copy left, read at start from a file that is not sound: ten
// thousand entries, a live process under another start time, garbage. It
// costs little, touches nothing and leaves no file.
TEST(WinLedgerFile, ABadFileAtStartCostsLittleAndTouchesNothing)
{
    wchar_t command[] = L"cmd.exe /c exit 0";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_SUSPENDED | CREATE_NO_WINDOW,
                               nullptr, nullptr, &startup, &child));
    ASSERT_TRUE(SetPriorityClass(child.hProcess, HIGH_PRIORITY_CLASS));

    const std::wstring path = FreshLedgerFolder() + L"\\Raised.txt";
    std::string text = std::to_string(child.dwProcessId) + " 12345 64 128\r\n";
    for (int id = 4; id < 40000; id += 4)
        text += std::to_string(id) + " 1 64 128\r\n";
    text += std::string(10 * 1024 * 1024, '\xFF');
    std::ofstream(ToAnsi(path), std::ios::binary) << text;

    WinLedgerFile file(path);
    WinProcessPriority processes;
    PriorityLedger ledger(processes, file);
    LARGE_INTEGER frequency, started, ended;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&started);
    ledger.GiveBackLeftBehind();
    QueryPerformanceCounter(&ended);
    const double ms = 1000.0 * static_cast<double>(ended.QuadPart - started.QuadPart) / frequency.QuadPart;
    EXPECT_LT(ms, 100.0);
    EXPECT_EQ(GetPriorityClass(child.hProcess), static_cast<DWORD>(HIGH_PRIORITY_CLASS));
    EXPECT_FALSE(Exists(path));

    TerminateProcess(child.hProcess, 0);
    WaitForSingleObject(child.hProcess, 5000);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}
