#include <gtest/gtest.h>

#include <cmath>

#include "settings/setting_value.h"

using namespace torvane;

TEST(SettingValue, ReadsTheLeadingNumber)
{
    struct Case {
        std::optional<std::wstring> stored;
        double value;
    };
    const Case cases[] = {
        {std::nullopt, 0},  {L"", 0},           {L"1", 1},        {L" 1 ", 1},     {L"  1  ", 1},
        {L"\t1", 1},        {L"01", 1},         {L"1.0", 1},      {L"1e0", 1},     {L"1E+0", 1},
        {L"10e-1", 1},      {L".5", 0.5},       {L"1.", 1},       {L"-1", -1},     {L"+2", 2},
        {L"2", 2},          {L"True", 0},       {L"abc", 0},      {L"300 abc", 300}, {L"300abc", 300},
        {L"1e", 1},         {L"1e+", 1},        {L"3.5e2x", 350}, {L".", 0},       {L"-", 0},
        {L"- 1", 0},        {L"一", 0},         {L"1,5", 1},      {L"800", 800},   {L"0x10", 0},
    };
    for (const Case& c : cases) {
        const std::wstring shown = c.stored ? L"\"" + *c.stored + L"\"" : L"(absent)";
        EXPECT_DOUBLE_EQ(SettingValue(c.stored), c.value) << std::string(shown.begin(), shown.end());
    }
}

TEST(SettingValue, OnExactlyWhenTheNumberIsOne)
{
    struct Case {
        std::optional<std::wstring> stored;
        bool on;
    };
    const Case cases[] = {
        {L" 1 ", true}, {L"01", true},  {L"1.0", true}, {L"1e0", true}, {L"1 yes", true},
        {L"-1", false}, {L"2", false},  {L"True", false}, {L"", false}, {std::nullopt, false},
        {L"0", false},  {L"1.5", false}, {L"0.999", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettingIsOn(c.stored), c.on);
}

TEST(SettingValue, HugeExponentDoesNotBecomeOne)
{
    EXPECT_TRUE(std::isinf(SettingValue(std::wstring(L"1e999"))));
    EXPECT_FALSE(SettingIsOn(std::wstring(L"1e999")));
}
