#include <gtest/gtest.h>

#include <vector>

#include "torvane_driver.h"

TEST(Resources, VersionIconAndManifestAreBuiltIn)
{
    ProgramDirectory dir;
    const std::wstring exe = dir.ExePath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, info.data()));
    struct Case {
        const wchar_t* field;
        const wchar_t* value;
    };
    const Case cases[] = {{L"ProductVersion", L"v7.2"}, {L"FileVersion", L"v7.2"}, {L"ProductName", L"Torvane"}};
    for (const Case& c : cases) {
        wchar_t* value = nullptr;
        UINT length = 0;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + c.field;
        ASSERT_TRUE(VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length));
        EXPECT_STREQ(value, c.value);
    }

    HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    EXPECT_NE(FindResourceW(image, MAKEINTRESOURCEW(1), RT_GROUP_ICON), nullptr);
    HRSRC manifest = FindResourceW(image, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(manifest, nullptr);
    const char* text = static_cast<const char*>(LockResource(LoadResource(image, manifest)));
    const std::string xml(text, SizeofResource(image, manifest));
    EXPECT_NE(xml.find("asInvoker"), std::string::npos);
    EXPECT_NE(xml.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    FreeLibrary(image);
}
