#include <gtest/gtest.h>

#include <windows.h>

#include "platform/time_picture.h"
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

// The program formats the time itself from the user's picture; each picture
// and time must read as the system's own formatting gives it.
TEST(WinLocalClock, FormatsEachPictureAsTheSystemDoes)
{
    TimePicture format;
    wchar_t marker[80] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_S1159, marker, 80);
    format.am = marker;
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_S2359, marker, 80);
    format.pm = marker;
    const wchar_t* const pictures[] = {
        L"H:mm:ss", L"HH:mm:ss", L"h:mm:ss tt", L"tt hh:mm:ss", L"t h:m:s", L"HHH:mmm:sss", L"'H' H 'o''clock'",
        L"''H", L"H'unclosed", L"H.mm.ss' Uhr'",
    };
    const WORD times[][3] = {{0, 0, 0}, {0, 5, 9}, {9, 59, 59}, {12, 0, 0}, {13, 7, 8}, {23, 59, 59}};
    for (const wchar_t* picture : pictures) {
        format.picture = picture;
        for (const auto& t : times) {
            SYSTEMTIME time = {};
            time.wYear = 2026;
            time.wMonth = 12;
            time.wDay = 9;
            time.wHour = t[0];
            time.wMinute = t[1];
            time.wSecond = t[2];
            wchar_t expected[128] = {};
            ASSERT_GT(GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &time, picture, expected, 128), 0);
            EXPECT_EQ(FormatTimeOfDay(format, t[0], t[1], t[2]), expected)
                << std::string(picture, picture + wcslen(picture)) << " at " << t[0] << ":" << t[1];
        }
    }
    // And the clock reads the user's own picture.
    for (int attempt = 0; attempt < 3; ++attempt) {
        wchar_t expected[128] = {};
        GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, expected, 128);
        const std::wstring text = WinLocalClock().CurrentTimeText();
        wchar_t after[128] = {};
        GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, after, 128);
        if (std::wstring(expected) != after)
            continue;
        EXPECT_EQ(text, expected);
        return;
    }
    ADD_FAILURE() << "the second never stood still";
}
