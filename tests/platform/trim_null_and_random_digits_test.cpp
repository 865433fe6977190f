#include <gtest/gtest.h>

#include "platform/random_digits.h"
#include "platform/trim_null.h"
#include "fakes/scripted_random.h"

using namespace torvane;

TEST(TrimNull, CutsAtFirstNulThenTrimsSpacesOnly)
{
    struct Case {
        std::wstring input;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"", L""},
        {L"   ", L""},
        {L"  记事本  ", L"记事本"},
        {std::wstring(L"abc\0def", 7), L"abc"},
        {std::wstring(L"  ab \0 cd ", 10), L"ab"},
        {std::wstring(L"\0abc", 4), L""},
        {L"\tab\t", L"\tab\t"},
        {L" a b ", L"a b"},
        {L"\u3000全角\u3000", L"\u3000全角\u3000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrimNull(c.input), c.expected) << "input of length " << c.input.size();
}

TEST(RandomDigits, EachDrawMapsToADigitFromTwoToEight)
{
    struct Case {
        double draw;
        wchar_t digit;
    };
    const Case cases[] = {
        {0.0, L'2'}, {0.142, L'2'}, {0.143, L'3'}, {0.5, L'5'}, {0.857, L'7'}, {0.858, L'8'},
        {0.999999, L'8'}, {1.0, L'8'}, {-0.5, L'2'},
    };
    for (const Case& c : cases) {
        ScriptedRandom random({c.draw});
        EXPECT_EQ(RandomDigits(1, random), std::wstring(1, c.digit)) << "draw " << c.draw;
    }
}

TEST(RandomDigits, ReseedsBeforeEveryDigitAndGivesCountDigits)
{
    ScriptedRandom random({DrawFor(3), DrawFor(8), DrawFor(2)});
    EXPECT_EQ(RandomDigits(3, random), L"382");
    EXPECT_EQ(random.reseeds, 3);

    ScriptedRandom none;
    EXPECT_EQ(RandomDigits(0, none), L"");
    EXPECT_EQ(RandomDigits(-4, none), L"");
    EXPECT_EQ(none.reseeds, 0);
}
