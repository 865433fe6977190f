#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "monitor/cpu_monitor_support.h"

using namespace torvane;

namespace {

std::string Narrow(const std::wstring& text)
{
    std::string bytes;
    for (wchar_t c : text)
        bytes += c < 0x80 ? static_cast<char>(c) : '?';
    return bytes;
}

struct Case {
    double value;
    const wchar_t* shown;
};

void ExpectAll(const Case* begin, const Case* end, const NumberPunctuation& punctuation)
{
    for (const Case* c = begin; c != end; ++c)
        EXPECT_EQ(Narrow(FormatFilesize(c->value, punctuation)), Narrow(c->shown)) << std::fixed << c->value;
}

} // namespace

TEST(FormatFilesize, UnitsRangesAndRoundingWithCommaAndPoint)
{
    const Case cases[] = {
        {0, L"0 B"},
        {1024, L"1,024 B"},
        {1025, L"1 K"},
        {1536, L"2 K"},
        {1048575, L"1,024 K"},
        {1048576, L"1.00 MB"},
        {1048577, L"1.00 MB"},
        {1073741823, L"1,024.00 MB"},
        {1073741824, L"1.00 GB"},
        {5368709120, L"5.00 GB"},
        {-5, L"-5 B"},
        {1, L"1 B"},
        {999, L"999 B"},
        {1000, L"1,000 B"},
        {1023.5, L"1,024 B"},
        {2560, L"3 K"},           // a half goes away from zero
        {3584, L"4 K"},
        {1048064, L"1,024 K"},
        {1047552, L"1,023 K"},
        {1572864, L"1.50 MB"},
        {1179648, L"1.13 MB"},    // 1.125 MB
        {1073741824.0 * 1234567, L"1,234,567.00 GB"},
        {1610612736, L"1.50 GB"},
        {-1500, L"-1,500 B"},
        {-1234567, L"-1,234,567 B"},
        {-0.4, L"0 B"},
        {0.5, L"1 B"},
    };
    ExpectAll(std::begin(cases), std::end(cases), NumberPunctuation{});
}

TEST(FormatFilesize, UsesTheGivenPunctuation)
{
    struct PunctuationCase {
        NumberPunctuation punctuation;
        double value;
        const wchar_t* shown;
    };
    const PunctuationCase cases[] = {
        {{L".", L","}, 1073741823, L"1.024,00 MB"},
        {{L".", L","}, 5368709120, L"5,00 GB"},
        {{L" ", L","}, 1073741824.0 * 1234567, L"1 234 567,00 GB"},
        {{L"", L"."}, 1024, L"1024 B"},
        {{L"'", L"."}, 1048575, L"1'024 K"},
        {{L"--", L"::"}, 1073741824.0 * 1234.5, L"1--234::50 GB"},
    };
    for (const PunctuationCase& c : cases)
        EXPECT_EQ(Narrow(FormatFilesize(c.value, c.punctuation)), Narrow(c.shown)) << std::fixed << c.value;
}

TEST(FormatFilesize, ValuesThatAreNotNumbersShowNothing)
{
    const NumberPunctuation punctuation;
    EXPECT_EQ(FormatFilesize(std::numeric_limits<double>::quiet_NaN(), punctuation), L"");
    EXPECT_EQ(FormatFilesize(std::numeric_limits<double>::infinity(), punctuation), L"");
    EXPECT_EQ(FormatFilesize(-std::numeric_limits<double>::infinity(), punctuation), L"");
}
