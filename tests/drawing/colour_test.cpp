#include <gtest/gtest.h>

#include "controls/access_key.h"
#include "drawing/colour.h"

using namespace torvane;

TEST(ShiftColor, ShiftsAndClampsEachChannel)
{
    struct Case {
        Colour colour;
        int amount;
        bool scaleBlue;
        Colour expected;
    };
    const Case cases[] = {
        {Rgb(100, 100, 100), 200, false, Rgb(255, 255, 255)},
        {Rgb(10, 20, 30), -64, false, Rgb(0, 0, 0)},
        {Rgb(10, 10, 192), 48, true, Rgb(58, 58, 240)},
        {Rgb(10, 10, 100), 48, true, Rgb(58, 58, 125)},
        {Rgb(10, 10, 100), -48, true, Rgb(0, 0, 75)},
        {Rgb(200, 100, 50), 31, false, Rgb(231, 131, 81)},
        {Rgb(1, 2, 3), 0, true, Rgb(1, 2, 3)},
        {0x00FFFFFFu, -255, false, 0},
        // Only the colour's three bytes count.
        {0xFF0A0B0Cu, 1, false, Rgb(0x0D, 0x0C, 0x0B)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShiftColor(c.colour, c.amount, c.scaleBlue), c.expected) << std::hex << c.colour << " " << std::dec << c.amount;
}

TEST(AccessKeyOf, FindsTheLetterAfterTheFirstRealAmpersandAndTheCaptionReadsWithoutMarks)
{
    struct Case {
        const wchar_t* caption;
        std::optional<wchar_t> key;
        const wchar_t* reads; // the accessible name
    };
    const Case cases[] = {
        {L"&Save", L's', L"Save"},
        {L"Sa&ve", L'v', L"Save"},
        {L"保存(&S)", L's', L"保存(S)"},
        {L"Save", std::nullopt, L"Save"},
        {L"Save&", std::nullopt, L"Save"},
        {L"&", std::nullopt, L""},
        {L"S", std::nullopt, L"S"},
        {L"", std::nullopt, L""},
        {L"A && B", std::nullopt, L"A & B"},
        {L"&&", std::nullopt, L"&"},
        {L"A && &Copy", L'c', L"A & Copy"},
        {L"A &&&Copy", L'c', L"A &Copy"},
        {L"A && B&", std::nullopt, L"A & B"},
        {L"A && &&C", std::nullopt, L"A & &C"},
        {L"&1", L'1', L"1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CaptionWithoutMarks(c.caption), c.reads) << std::string(c.caption, c.caption + wcslen(c.caption));
        EXPECT_EQ(AccessKeyOf(c.caption), c.key) << std::string(c.caption, c.caption + wcslen(c.caption));
    }
}
