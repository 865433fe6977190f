#include <gtest/gtest.h>

#include <windows.h>

#include "platform/ansi_text.h"

using namespace torvane;

TEST(AnsiText, RoundTripsThroughCodePage936)
{
    ASSERT_EQ(GetACP(), 936u) << "tests run in a Simplified Chinese locale";
    struct Case {
        std::wstring text;
        std::string bytes;
    };
    const Case cases[] = {
        {L"", ""},
        {L"TV", "TV"},
        {L"提速", "\xCC\xE1\xCB\xD9"},
        {L"提速记录：", "\xCC\xE1\xCB\xD9\xBC\xC7\xC2\xBC\xA3\xBA"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToAnsi(c.text), c.bytes);
        EXPECT_EQ(FromAnsi(c.bytes), c.text);
    }
}

TEST(AnsiText, CharactersOutsideTheCodePageBecomeItsDefaultCharacter)
{
    EXPECT_EQ(ToAnsi(L"a\u0E01b"), "a?b");
}

TEST(AnsiText, OnlyALoneLeadByteAtTheEndIsDropped)
{
    const struct {
        std::string bytes;
        std::string kept;
    } cases[] = {
        {"x\xCC\xE1\xCB", "x\xCC\xE1"},          // 提 and half of 速
        {"x\xCC\xE1\xCB\xD9", "x\xCC\xE1\xCB\xD9"}, // whole characters
        {"\xCC", ""},
        {"ab", "ab"},
        {"\xCB\xD9\xCC", "\xCB\xD9"},
    };
    for (const auto& c : cases) {
        std::string bytes = c.bytes;
        DropSplitCharacter(bytes);
        EXPECT_EQ(bytes, c.kept);
    }
}
