#include <gtest/gtest.h>

#include <functional>

#include "fakes/fake_profile_store.h"
#include "settings/config_settings.h"

using namespace torvane;

namespace {

struct KeyAccess {
    const wchar_t* section;
    const wchar_t* key;
    std::function<std::optional<std::wstring>(ConfigSettings&)> read;
    std::function<bool(ConfigSettings&, const std::wstring&)> write;
};

std::vector<KeyAccess> AllKeys()
{
    return {
        {L"Normal", L"AutoRun", &ConfigSettings::ReadAutoRun, &ConfigSettings::WriteAutoRun},
        {L"Normal", L"AutoMin", &ConfigSettings::ReadAutoMin, &ConfigSettings::WriteAutoMin},
        {L"Normal", L"EnableSpeed", &ConfigSettings::ReadEnableSpeed, &ConfigSettings::WriteEnableSpeed},
        {L"Normal", L"AlwaysTop", &ConfigSettings::ReadAlwaysTop, &ConfigSettings::WriteAlwaysTop},
        {L"Speed", L"SpeedLevel", &ConfigSettings::ReadSpeedLevel, &ConfigSettings::WriteSpeedLevel},
        {L"Record", L"EnableRecord", &ConfigSettings::ReadEnableRecord, &ConfigSettings::WriteEnableRecord},
        {L"Record", L"RecordCount", &ConfigSettings::ReadRecordCount, &ConfigSettings::WriteRecordCount},
    };
}

} // namespace

TEST(ConfigSettings, EachKeyReadsAndWritesItsOwnSectionAndKey)
{
    for (const KeyAccess& access : AllKeys()) {
        FakeProfileStore store;
        ConfigSettings config(store);
        EXPECT_FALSE(access.read(config).has_value()) << access.key;

        EXPECT_TRUE(access.write(config, L"7"));
        EXPECT_EQ(store.values.size(), 1u);
        EXPECT_EQ(store.Get(access.section, access.key), std::wstring(L"7")) << access.key;

        store.Set(access.section, access.key, L"  1  ");
        EXPECT_EQ(access.read(config), std::wstring(L"1")) << access.key;

        store.writable = false;
        EXPECT_FALSE(access.write(config, L"0")) << access.key;
    }
}

TEST(ConfigSettings, ReadsAreCutAtNulTrimmedAndNeverCached)
{
    FakeProfileStore store;
    ConfigSettings config(store);
    struct Case {
        std::wstring stored;
        std::optional<std::wstring> read;
    };
    const Case cases[] = {
        {L"", std::nullopt},
        {L"   ", std::wstring()},
        {std::wstring(L" 2\0junk", 7), std::wstring(L"2")},
        {L"300 abc", std::wstring(L"300 abc")},
        {L"\t1\t", std::wstring(L"\t1\t")},
    };
    for (const Case& c : cases) {
        store.Set(L"Record", L"RecordCount", c.stored);
        EXPECT_EQ(config.ReadRecordCount(), c.read);
    }
    EXPECT_EQ(store.reads, 5);
}
