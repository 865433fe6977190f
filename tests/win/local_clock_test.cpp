#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win_local_clock.h"

using namespace torvane;

TEST(WinLocalClock, ShowsHoursMinutesAndSecondsOfNow)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::wstring text = WinLocalClock().CurrentTimeText();
    ASSERT_EQ(std::count(text.begin(), text.end(), L':'), 2) << std::string(text.begin(), text.end());
    const int hour = std::stoi(text.substr(text.find_first_of(L"0123456789")));
    // The hour may have rolled over between the two readings.
    EXPECT_TRUE(hour == now.wHour || hour == (now.wHour + 1) % 24 || hour == now.wHour % 12 ||
                hour == (now.wHour + 1) % 12);
}
