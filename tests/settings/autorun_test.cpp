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
