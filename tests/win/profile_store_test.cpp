#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include <windows.h>

#include "platform/ansi_text.h"
#include "settings/win_profile_store.h"

using namespace torvane;

namespace {

std::wstring FreshProfileDirectory()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + L"tv-profile-" + std::to_wstring(GetCurrentProcessId()) +
                       L"-" + std::to_wstring(GetTickCount());
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

std::string FileBytes(const std::wstring& path)
{
    std::ifstream file(ToAnsi(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace

TEST(WinProfileStore, ReadsWhatItWroteAndNothingForMissingKeys)
{
    const std::wstring path = FreshProfileDirectory() + L"\\config.ini";
    WinProfileStore store(path);
    EXPECT_FALSE(store.ReadRaw(L"Normal", L"AutoRun").has_value());

    struct Case {
        const wchar_t* section;
        const wchar_t* key;
        std::wstring value;
        std::optional<std::wstring> read;
    };
    const Case cases[] = {
        {L"Normal", L"AutoRun", L"1", std::wstring(L"1")},
        {L"Speed", L"SpeedLevel", L"2", std::wstring(L"2")},
        {L"Record", L"RecordCount", L"300", std::wstring(L"300")},
        {L"Record", L"EnableRecord", L"", std::nullopt},
        {L"Normal", L"AutoMin", L"疯狂提速", std::wstring(L"疯狂提速")},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(store.Write(c.section, c.key, c.value));
        EXPECT_EQ(store.ReadRaw(c.section, c.key), c.read) << c.key;
    }
    const std::string bytes = FileBytes(path);
    EXPECT_NE(bytes.find("[Speed]"), std::string::npos);
    EXPECT_NE(bytes.find("SpeedLevel=2"), std::string::npos);
    // The file is in the system code page.
    EXPECT_NE(bytes.find("AutoMin=\xB7\xE8\xBF\xF1\xCC\xE1\xCB\xD9"), std::string::npos);
}

TEST(WinProfileStore, LongValuesAreReadCutTo254Bytes)
{
    const std::wstring dir = FreshProfileDirectory();
    WinProfileStore store(dir + L"\\config.ini");
    store.Write(L"Record", L"RecordCount", std::wstring(300, L'7'));
    const std::optional<std::wstring> read = store.ReadRaw(L"Record", L"RecordCount");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, std::wstring(254, L'7'));
}

TEST(WinProfileStore, DoubledSeparatorNamesTheSameFile)
{
    const std::wstring dir = FreshProfileDirectory();
    WinProfileStore single(dir + L"\\config.ini");
    WinProfileStore doubled(dir + L"\\\\config.ini");
    single.Write(L"Normal", L"AlwaysTop", L"1");
    EXPECT_EQ(doubled.ReadRaw(L"Normal", L"AlwaysTop"), std::wstring(L"1"));
}

TEST(WinProfileStore, WriteIntoAMissingDirectoryFails)
{
    WinProfileStore store(FreshProfileDirectory() + L"\\no-such-dir\\config.ini");
    EXPECT_FALSE(store.Write(L"Normal", L"AutoRun", L"1"));
    EXPECT_FALSE(store.ReadRaw(L"Normal", L"AutoRun").has_value());
}

// A list longer than the 254 bytes other keys are cut to is read whole,
// names in code page 936 included.
TEST(WinProfileStore, ALongValueIsReadWhole)
{
    const std::wstring path = FreshProfileDirectory() + L"\\config.ini";
    WinProfileStore store(path);
    std::wstring list;
    for (int i = 0; list.size() < 2000; ++i)
        list += L"程序" + std::to_wstring(i) + L".exe;";
    list += L"最后.exe";
    ASSERT_TRUE(store.Write(L"Exclude", L"Programs", list));
    EXPECT_EQ(store.ReadWhole(L"Exclude", L"Programs"), std::optional<std::wstring>(list));
    EXPECT_LT(ToAnsi(*store.ReadRaw(L"Exclude", L"Programs")).size(), 255u);
    EXPECT_FALSE(store.ReadWhole(L"Exclude", L"Missing").has_value());
}

// What the file can keep: a file in the system code page keeps only what
// that page has; one with a UTF-16 byte-order mark keeps anything, and the
// value written there reads back whole.
TEST(WinProfileStore, KeepsWhatTheFilesEncodingCanHold)
{
    const std::wstring dir = FreshProfileDirectory();
    WinProfileStore ansi(dir + L"\\config.ini");
    ansi.Write(L"Normal", L"AutoRun", L"1");
    const std::wstring unicodePath = dir + L"\\unicode.ini";
    {
        std::ofstream file(ToAnsi(unicodePath), std::ios::binary);
        const char bom[] = "\xFF\xFE[\0N\0]\0\r\0\n\0";
        file.write(bom, sizeof bom - 1);
    }
    WinProfileStore unicode(unicodePath);
    const struct {
        const wchar_t* value;
        bool inCodePage;
    } cases[] = {
        {L"录屏.exe", true}, {L"obs64.exe", true}, {L"", true},   {L"é.exe", true},
        {L"Äpp.exe", false}, {L"한.exe", false},   {L"\U0001F600.exe", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ansi.Keeps(c.value), c.inCodePage) << ToAnsi(c.value);
        EXPECT_TRUE(unicode.Keeps(c.value)) << ToAnsi(c.value);
    }
    // A file not there yet is made in the system code page.
    EXPECT_FALSE(WinProfileStore(dir + L"\\new.ini").Keeps(L"Äpp.exe"));
    ASSERT_TRUE(unicode.Write(L"Exclude", L"Programs", L"Äpp.exe; 한.exe"));
    EXPECT_EQ(unicode.ReadWhole(L"Exclude", L"Programs"), std::optional<std::wstring>(L"Äpp.exe; 한.exe"));
}
