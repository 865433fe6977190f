#include <gtest/gtest.h>

#include "fakes/fake_run_key.h"
#include "settings/autorun.h"

using namespace torvane;

namespace {
const std::wstring kPath = L"C:\\Program Files\\Torvane\\Torvane.exe";
const std::wstring kQuoted = L"\"C:\\Program Files\\Torvane\\Torvane.exe\"";
} // namespace

TEST(Autorun, WritesTheQuotedPathUnderTheMachineKeyAndDropsAUserCopy)
{
    FakeRunKey runKey;
    runKey.user[L"TV"] = L"old";
    Autorun autorun(runKey, kPath);
    autorun.AddAutorun();
    EXPECT_EQ(runKey.machine[L"TV"], kQuoted);
    EXPECT_EQ(runKey.user.count(L"TV"), 0u);
}

TEST(Autorun, FallsBackToTheUserKeyWhenTheMachineKeyIsRefused)
{
    FakeRunKey runKey;
    runKey.machineWritable = false;
    Autorun autorun(runKey, kPath);
    autorun.AddAutorun();
    EXPECT_TRUE(runKey.machine.empty());
    EXPECT_EQ(runKey.user[L"TV"], kQuoted);
}

TEST(Autorun, RemoveClearsBothKeysAndIsQuietWhenNothingIsThere)
{
    FakeRunKey runKey;
    runKey.machine[L"TV"] = kQuoted;
    runKey.user[L"TV"] = kQuoted;
    runKey.machine[L"Other"] = L"keep";
    Autorun autorun(runKey, kPath);
    autorun.RemoveAutorun();
    EXPECT_EQ(runKey.machine.count(L"TV"), 0u);
    EXPECT_EQ(runKey.user.count(L"TV"), 0u);
    EXPECT_EQ(runKey.machine[L"Other"], L"keep");
    autorun.RemoveAutorun();
    EXPECT_TRUE(runKey.user.empty());
}

TEST(Autorun, AnUninstallRemovesOnlyAValueThatStartsThisCopy)
{
    struct Case {
        const wchar_t* data;
        bool removed;
    };
    const Case cases[] = {
        {L"\"C:\\Program Files\\Torvane\\Torvane.exe\"", true},
        {L"\"c:\\program files\\torvane\\TORVANE.EXE\"", true}, // paths compare without case
        {L"C:\\Program Files\\Torvane\\Torvane.exe", true},     // unquoted, as a hand-made value
        {L"\"D:\\Portable\\Torvane\\Torvane.exe\"", false},     // another copy
        {L"\"C:\\Program Files\\Torvane\\Torvane.exe\" /min", false},
        {L"\"", false},
        {L"", false},
    };
    for (const Case& c : cases) {
        FakeRunKey runKey;
        runKey.machine[L"TV"] = c.data;
        runKey.user[L"TV"] = c.data;
        runKey.user[L"Other"] = kQuoted;
        Autorun(runKey, kPath).RemoveIfPointingHere();
        EXPECT_EQ(runKey.machine.count(L"TV") == 0, c.removed) << std::wstring(c.data).size();
        EXPECT_EQ(runKey.user.count(L"TV") == 0, c.removed) << std::wstring(c.data).size();
        EXPECT_EQ(runKey.user[L"Other"], kQuoted);
    }
}
