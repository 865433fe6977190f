#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <windows.h>

#include "booster/win_log_file.h"
#include "platform/ansi_text.h"

using namespace torvane;

namespace {

std::wstring FreshDirectory()
{
    static int serial = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + L"tv-logs-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                       std::to_wstring(++serial);
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

std::string Bytes(const std::wstring& path)
{
    std::ifstream file(ToAnsi(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream(ToAnsi(path), std::ios::binary) << bytes;
}

} // namespace

TEST(WinLogFile, WritesCodePageBytesAndReplacesALongerFileExactly)
{
    const std::wstring path = FreshDirectory() + L"\\Logs.txt";
    WriteBytes(path, std::string(5000, 'x'));
    WinLogFile file;
    std::wstring reason;
    ASSERT_TRUE(file.Replace(path, L"提速记录：\r\na\u0E01b\r\n", reason)) << std::string(reason.begin(), reason.end());
    // The Thai letter has no place in code page 936: its default character
    // stands in, and the rest of the line keeps its place.
    EXPECT_EQ(Bytes(path), "\xCC\xE1\xCB\xD9\xBC\xC7\xC2\xBC\xA3\xBA\r\na?b\r\n");
    EXPECT_EQ(GetFileAttributesW((path + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(WinLogFile, AFileThatCannotBeWrittenIsReportedAndLeftAsItWas)
{
    struct Case {
        const char* name;
        bool readOnly;
        bool locked;
    };
    const Case cases[] = {{"read-only", true, false}, {"locked by another program", false, true}};
    for (const Case& c : cases) {
        const std::wstring path = FreshDirectory() + L"\\Logs.txt";
        WriteBytes(path, "old content");
        if (c.readOnly)
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        HANDLE lock = c.locked ? CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                               : INVALID_HANDLE_VALUE;
        WinLogFile file;
        std::wstring reason;
        EXPECT_FALSE(file.Replace(path, L"new", reason)) << c.name;
        EXPECT_FALSE(reason.empty()) << c.name;
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(Bytes(path), "old content") << c.name;
        EXPECT_EQ(GetFileAttributesW((path + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES) << c.name;
    }
}

TEST(WinLogFile, AMissingDirectoryIsReported)
{
    WinLogFile file;
    std::wstring reason;
    EXPECT_FALSE(file.Replace(FreshDirectory() + L"\\gone\\Logs.txt", L"x", reason));
    EXPECT_FALSE(reason.empty());
}
