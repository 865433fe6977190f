#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <windows.h>

#include "booster/win_ledger_file.h"
#include "platform/ansi_text.h"

using namespace torvane;

namespace {

std::wstring FreshDirectory()
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
    const std::wstring path = FreshDirectory() + L"\\Raised.txt";
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
    WinLedgerFile file(FreshDirectory() + L"\\no such folder\\Raised.txt");
    EXPECT_FALSE(file.Replace("1 2 32 128\r\n"));
    EXPECT_EQ(file.Read(), "");
}
