#include <gtest/gtest.h>

#include <set>

#include "platform/clock_seeded_random.h"
#include "booster/gain_figure.h"
#include "fakes/scripted_random.h"

using namespace torvane;

TEST(GainFigure, NormalModeIsOneDigitAndPercent)
{
    for (int digit = 2; digit <= 8; ++digit) {
        ScriptedRandom random({DrawFor(digit)});
        EXPECT_EQ(GainFigure(SpeedMode::Normal, random), std::to_wstring(digit) + L"%");
    }
}

TEST(GainFigure, CrazyModeFoldsTwoDigitsBelowThirty)
{
    struct Case {
        int first;
        int second;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {2, 2, L"22%"}, {2, 8, L"28%"}, {3, 2, L"2%"},  {3, 8, L"8%"},  {4, 2, L"12%"},
        {4, 8, L"18%"}, {5, 5, L"25%"}, {6, 2, L"2%"},  {8, 8, L"28%"}, {7, 7, L"17%"},
    };
    for (const Case& c : cases) {
        ScriptedRandom random({DrawFor(c.first), DrawFor(c.second)});
        EXPECT_EQ(GainFigure(SpeedMode::Crazy, random), c.expected) << c.first << c.second;
    }
}

TEST(GainFigure, EveryCrazyFigureIsInTheThreeBands)
{
    std::set<std::wstring> seen;
    for (int first = 2; first <= 8; ++first) {
        for (int second = 2; second <= 8; ++second) {
            ScriptedRandom random({DrawFor(first), DrawFor(second)});
            const std::wstring figure = GainFigure(SpeedMode::Crazy, random);
            const int value = std::stoi(figure);
            const bool inBand = (value >= 2 && value <= 8) || (value >= 12 && value <= 18) ||
                                (value >= 22 && value <= 28);
            EXPECT_TRUE(inBand) << first << second;
            seen.insert(figure);
        }
    }
    EXPECT_EQ(seen.size(), 21u);
}

TEST(ClockSeededRandom, DrawsStayBelowOneAndTwoReseedsDiffer)
{
    ClockSeededRandom random;
    std::set<double> firstDraws;
    for (int i = 0; i < 200; ++i) {
        random.Reseed();
        const double draw = random.Next();
        ASSERT_GE(draw, 0.0);
        ASSERT_LT(draw, 1.0);
        firstDraws.insert(draw);
    }
    // Reseeding in a tight loop must not repeat the same draw each time.
    EXPECT_GT(firstDraws.size(), 150u);
}
