#include <gtest/gtest.h>

#include <string>

#include "links/ad_text.h"
#include "links/news_line.h"

using namespace torvane;

namespace {

// What the label ends up showing for a body, or nothing when it is refused.
struct Shown {
    bool accepted;
    std::wstring caption;
};

Shown ShowBody(const std::wstring& body)
{
    const std::wstring text = AdTextFromBody(body);
    if (!AcceptAdText(text))
        return {false, std::wstring()};
    return {true, CaptionSafe(text)};
}

} // namespace

TEST(AdText, AcceptanceOfFetchedBodies)
{
    const std::wstring longNews(300, L'x');
    struct Case {
        const char* name;
        std::wstring body;
        bool accepted;
        std::wstring caption;
    };
    const Case cases[] = {
        {"upper-case marker", L"ADnews line", true, L"news line"},
        {"lower-case marker", L"adnews line", true, L"news line"},
        {"mixed-case marker", L"aDnews", true, L"news"},
        {"no marker", L"news line", false, L""},
        {"marker not at the start", L" ADnews", false, L""},
        {"half a marker", L"A", false, L""},
        {"empty body", L"", false, L""},
        {"marker alone", L"AD", false, L""},
        {"marker and spaces only", L"AD     ", false, L""},
        {"two leading spaces kept", L"AD  news", true, L"  news"},
        {"trailing spaces kept", L"ADnews  ", true, L"news  "},
        {"over 256 characters", L"AD" + longNews, true, longNews},
        {"Chinese text", L"AD系统提速新版发布", true, L"系统提速新版发布"},
        {"text after a NUL is not looked at", std::wstring(L"AD  \0news", 9), false, L""},
        {"text before a NUL shown", std::wstring(L"ADnews\0junk", 11), true, L"news"},
        {"control characters only", L"AD\t\r\n\x7F", false, L""},
        {"line end becomes spaces", L"AD新闻\r\n", true, L"新闻  "},
    };
    for (const Case& c : cases) {
        const Shown shown = ShowBody(c.body);
        EXPECT_EQ(shown.accepted, c.accepted) << c.name;
        EXPECT_EQ(shown.caption, c.caption) << c.name;
    }
}

TEST(AdText, TextFromBodyIsEverythingAfterTheMarker)
{
    EXPECT_EQ(AdTextFromBody(L"AD  x "), L"  x ");
    EXPECT_EQ(AdTextFromBody(L"Ad"), L"");
    EXPECT_EQ(AdTextFromBody(L"DA text"), L"");
    // Full-width letters are not the marker.
    EXPECT_EQ(AdTextFromBody(L"\xFF21\xFF24text"), L"");
}

TEST(AdText, CaptionSafeReplacesControlCharactersWithSpaces)
{
    struct Case {
        std::wstring text;
        std::wstring safe;
    };
    const Case cases[] = {
        {L"plain", L"plain"},
        {L"  lead", L"  lead"},
        {L"a\tb\rc\nd", L"a b c d"},
        {L"\x01\x1F\x7F", L"   "},
        {L"a\x80\x9F" L"b", L"a  b"},
        {L"\xA0\x4E2D", L"\xA0\x4E2D"}, // no-break space and CJK pass through
        {std::wstring(L"ok\0\x01tail", 8), L"ok"},
        {std::wstring(L"\0x", 2), L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CaptionSafe(c.text), c.safe);
}

TEST(AdText, VendorAddresses)
{
    const VendorSite site{L"127.0.0.1:8123", L"http://127.0.0.1:8123/", L"Torvane"};
    EXPECT_EQ(HomePageUrl(site), L"http://127.0.0.1:8123/");
    EXPECT_EQ(AdTextUrl(site), L"http://127.0.0.1:8123/ad/tv/");
    EXPECT_EQ(AdPageUrl(site), L"http://127.0.0.1:8123/ad/tv/page/");
    const VendorSite other{L"vendor.test", L"www.vendor.test", L"x"};
    EXPECT_EQ(AdTextUrl(other), L"http://vendor.test/ad/tv/");
}

// The line shows the host until a text is taken, then that text (made safe
// to show) for good; a click opens the home page only while it shows the host.
TEST(NewsLine, TakesTheFirstGoodTextOnceAndLinksByWhatItShows)
{
    NewsLine line(VendorSite{L"Vendor.example:81", L"http://vendor.example/", L"agent"});
    EXPECT_EQ(line.InitialCaption(), L"Vendor.example:81");
    EXPECT_EQ(line.ClickTarget(line.InitialCaption()), L"http://Vendor.example:81/");
    EXPECT_EQ(line.ClickTarget(L"vendor.example:81"), L"http://Vendor.example:81/ad/tv/page/");

    EXPECT_FALSE(line.Take(L""));
    EXPECT_FALSE(line.Take(std::wstring(L"  \0news", 7)));
    EXPECT_FALSE(line.Done());
    EXPECT_EQ(line.Take(L"  新\tnews"), std::optional<std::wstring>(L"  新 news"));
    EXPECT_TRUE(line.Done());
    EXPECT_FALSE(line.Take(L"later news")) << "one text a run";
}
