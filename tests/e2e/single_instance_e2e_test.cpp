#include <gtest/gtest.h>

#include <string>

#include "torvane_driver.h"

namespace {

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

TEST(SingleInstance, ASecondStartBringsTheFirstUpAndEndsWithoutTouchingAnything)
{
    struct Case {
        const char* name;
        int hideWith;             // how the first copy's window is put away
        bool fromAnotherFolder;   // a second copy of the program elsewhere
    };
    const Case cases[] = {
        {"hidden, same folder", SW_HIDE, false},
        {"minimised, another folder", SW_MINIMIZE, true},
    };
    for (const Case& c : cases) {
        ProgramDirectory dir;
        dir.WriteConfig("Normal", "EnableSpeed", "0");
        dir.WriteConfig("Normal", "AutoRun", "1");
        Torvane first(dir);
        ASSERT_TRUE(first.started()) << c.name;
        ShowWindow(first.window(), c.hideWith);
        ASSERT_TRUE(WaitFor([&] {
            return c.hideWith == SW_HIDE ? !IsWindowVisible(first.window()) : IsIconic(first.window()) != 0;
        })) << c.name;
        const std::wstring config = dir.path() + L"\\config.ini";
        const std::string configBefore = FileBytes(config);
        ASSERT_FALSE(configBefore.empty()) << c.name;
        const auto runUserBefore = RunValue(HKEY_CURRENT_USER);
        const auto runMachineBefore = RunValue(HKEY_LOCAL_MACHINE);

        ProgramDirectory other;
        const ProgramDirectory& secondDir = c.fromAnotherFolder ? other : dir;
        ChildProcess second;
        const DWORD started = GetTickCount();
        ASSERT_TRUE(second.Start(secondDir.ExePath(), L"", secondDir.path())) << c.name;
        ASSERT_EQ(WaitForSingleObject(second.handle(), 1000), WAIT_OBJECT_0) << c.name << ": still running";
        const DWORD took = GetTickCount() - started;
        DWORD exitCode = 1;
        GetExitCodeProcess(second.handle(), &exitCode);
        EXPECT_EQ(exitCode, 0u) << c.name;
        EXPECT_LT(took, 1000u) << c.name;

        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(first.window()) && !IsIconic(first.window()); }))
            << c.name;
        EXPECT_TRUE(first.process().Running()) << c.name;
        EXPECT_EQ(FileBytes(config), configBefore) << c.name;
        EXPECT_FALSE(FileExists(other.path() + L"\\config.ini")) << c.name;
        EXPECT_EQ(RunValue(HKEY_CURRENT_USER), runUserBefore) << c.name;
        EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), runMachineBefore) << c.name;
        EXPECT_TRUE(runUserBefore || runMachineBefore) << c.name << ": the first copy set no Run value";
        DeleteRunValue(HKEY_CURRENT_USER);
        DeleteRunValue(HKEY_LOCAL_MACHINE);
    }
}

TEST(SingleInstance, OnceTheFirstHasEndedTheNextStartRuns)
{
    ProgramDirectory dir;
    {
        Torvane first(dir);
        ASSERT_TRUE(first.started());
    }
    Torvane next(dir);
    EXPECT_TRUE(next.started());
}

// The installer's word ends the running copy however the caller quoted it;
// it neither shows that copy's window nor starts a second one.
TEST(SingleInstance, TheExitWordEndsTheRunningCopyHoweverItIsQuoted)
{
    for (const wchar_t* arguments : {L"\"/exit\"", L"\t\" /EXIT\t\" "}) {
        ProgramDirectory dir;
        Torvane first(dir);
        ASSERT_TRUE(first.started());
        ShowWindow(first.window(), SW_HIDE);
        ChildProcess second;
        ASSERT_TRUE(second.Start(dir.ExePath(), arguments, dir.path()));
        EXPECT_EQ(WaitForSingleObject(first.process().handle(), 5000), WAIT_OBJECT_0) << arguments[1];
        EXPECT_EQ(WaitForSingleObject(second.handle(), 5000), WAIT_OBJECT_0) << arguments[1];
        EXPECT_FALSE(IsWindow(first.window()) && IsWindowVisible(first.window()));
    }
}
