#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "links/http_exchange.h"
#include "links/news_attempt.h"

using namespace torvane;

namespace {

std::string Show(const std::optional<HttpAddress>& address)
{
    return address ? address->host + ":" + std::to_string(address->port) + address->target : "none";
}

HttpAddress Site()
{
    return *ParseHttpAddress("http://News.Example:8080/ad/tv/");
}

} // namespace

TEST(HttpExchange, AddressesAndLocationsResolveOnlyToPlainHttp)
{
    const struct {
        const char* base; // empty: parse `text` as an address
        const char* text;
        const char* expected;
    } cases[] = {
        {"", "http://127.0.0.1:18765/ad/tv/", "127.0.0.1:18765/ad/tv/"},
        {"", "HTTP://Vendor.Example", "vendor.example:80/"},
        {"", "http://h:/?q=1#frag", "h:80/?q=1"},
        {"", "https://h/ad/tv/", "none"},
        {"", "http://user@h/", "none"},
        {"", "http://h:65536/", "none"},
        {"", "http://h:0/", "none"},
        {"", "http:///ad/", "none"},
        {"", "http://h/a b", "none"},
        {"", "http://h/\xE6\x96\xB0", "h:80/%E6%96%B0"},
        {"http://h:81/ad/tv/?x=1", "/ad/tv/", "h:81/ad/tv/"},
        {"http://h:81/ad/tv/?x=1", "page/", "h:81/ad/tv/page/"},
        {"http://h:81/ad/tv/?x=1", "?y=2", "h:81/ad/tv/?y=2"},
        {"http://h:81/ad/tv/", "  //other/x  ", "other:80/x"},
        {"http://h:81/ad/tv/", "http://H:81/next", "h:81/next"},
        {"http://h:81/ad/tv/", "ftp://h:81/x", "none"},
        {"http://h:81/ad/tv/", "", "none"},
        {"http://h:81/ad/tv/", "/a\r\nSet-Cookie: x", "none"},
    };
    for (const auto& c : cases) {
        const std::string base = c.base;
        const auto result = base.empty() ? ParseHttpAddress(c.text) : ResolveLocation(*ParseHttpAddress(base), c.text);
        EXPECT_EQ(Show(result), c.expected) << "base '" << c.base << "', text '" << c.text << "'";
    }
}

TEST(HttpExchange, RequestAsksOnceAndTheAgentCannotAddHeaderLines)
{
    EXPECT_EQ(GetRequestText(Site(), "Torvane/7.2\r\nX-Evil: 1"),
              "GET /ad/tv/ HTTP/1.0\r\nHost: news.example:8080\r\nUser-Agent: Torvane/7.2X-Evil: 1\r\n"
              "Accept: */*\r\nConnection: close\r\n\r\n");
    EXPECT_NE(GetRequestText(*ParseHttpAddress("http://h/"), "a").find("Host: h\r\n"), std::string::npos);
}

TEST(HttpExchange, HeadIsReadAcrossPiecesAndBadHeadsAreRefused)
{
    const struct {
        std::vector<std::string> pieces;
        ResponseHeadReader::State state;
        int status;
        const char* location;
        long long length; // -1: none announced
        const char* bodyStart;
    } cases[] = {
        {{"HTTP/1.1 200 OK\r\nContent-Length: 7\r\n\r\nADnews!"}, ResponseHeadReader::State::Done, 200, "", 7,
         "ADnews!"},
        // The blank line split over three pieces.
        {{"HTTP/1.0 302 Found\r\nlocation:  /ad/tv/ \r", "\n\r", "\nAD"}, ResponseHeadReader::State::Done, 302,
         "/ad/tv/", -1, "AD"},
        {{"HTTP/1.0 500 Oops\n\nADx"}, ResponseHeadReader::State::Done, 500, "", -1, "ADx"},
        {{"HTTP/1.0 200 OK\r\n"}, ResponseHeadReader::State::NeedMore, 0, "", -1, ""},
        {{"ADnews\r\n\r\n"}, ResponseHeadReader::State::Bad, 0, "", -1, ""},
        {{"HTTP/1.0 20 OK\r\n\r\n"}, ResponseHeadReader::State::Bad, 0, "", -1, ""},
        {{"HTTP/1.0 200 OK\r\nContent-Length: 5\r\nContent-Length: 6\r\n\r\n"}, ResponseHeadReader::State::Bad, 200,
         "", 5, ""},
        {{"HTTP/1.0 200 OK\r\nContent-Length: -5\r\n\r\n"}, ResponseHeadReader::State::Bad, 200, "", -1, ""},
        {{"HTTP/1.0 200 OK\r\nX: " + std::string(ResponseHeadReader::kHeadCapBytes, 'x')},
         ResponseHeadReader::State::Bad, 0, "", -1, ""},
    };
    for (const auto& c : cases) {
        ResponseHeadReader reader;
        for (const std::string& piece : c.pieces)
            reader.Feed(piece);
        const std::string first = c.pieces.front().substr(0, 40);
        EXPECT_EQ(reader.state(), c.state) << first;
        if (c.state != ResponseHeadReader::State::Done)
            continue;
        EXPECT_EQ(reader.status(), c.status) << first;
        EXPECT_EQ(reader.location(), c.location) << first;
        EXPECT_EQ(reader.contentLength() ? static_cast<long long>(*reader.contentLength()) : -1, c.length) << first;
        EXPECT_EQ(reader.BodyStart(), c.bodyStart) << first;
    }
}

// Drives an attempt against a scripted site: each answer is (status,
// Location). Gives how many requests the site saw and how the attempt ended.
TEST(NewsAttempt, RedirectsAreBoundedToTheOwnHostAndOnlyA200IsNews)
{
    using Step = NewsAttempt::Step;
    struct Answer {
        int status;
        const char* location;
    };
    const struct {
        const char* name;
        std::vector<Answer> answers;
        int requests;
        Step end;
    } cases[] = {
        {"news at once", {{200, ""}}, 1, Step::ReadBody},
        {"error page", {{500, ""}}, 1, Step::NoText},
        {"missing", {{404, ""}}, 1, Step::NoText},
        {"not modified", {{304, "/ad/tv/"}}, 1, Step::NoText},
        {"loop to itself", {{302, "/ad/tv/"}, {302, "/ad/tv/"}}, 1, Step::NoText},
        {"loop over two", {{301, "/a"}, {302, "/ad/tv/"}}, 2, Step::NoText},
        {"another host", {{302, "http://localhost:8080/ad/tv/"}}, 1, Step::NoText},
        {"another port", {{307, "http://news.example:8081/ad/tv/"}}, 1, Step::NoText},
        {"https", {{308, "https://news.example:8080/ad/tv/"}}, 1, Step::NoText},
        {"no location", {{302, ""}}, 1, Step::NoText},
        {"three hops", {{302, "/1"}, {303, "/2"}, {302, "http://NEWS.example:8080/3"}, {200, ""}}, 4, Step::ReadBody},
        {"four hops", {{302, "/1"}, {302, "/2"}, {302, "/3"}, {302, "/4"}, {200, ""}}, 4, Step::NoText},
    };
    for (const auto& c : cases) {
        NewsAttempt attempt(Site());
        int requests = 0;
        Step step = Step::Follow;
        while (step == Step::Follow) {
            ASSERT_LT(static_cast<std::size_t>(requests), c.answers.size()) << c.name << ": asked past the script";
            const Answer& answer = c.answers[requests++];
            step = attempt.OnResponse(answer.status, answer.location);
            if (step == Step::Follow) {
                EXPECT_TRUE(attempt.Current().SameOrigin(Site())) << c.name;
            }
        }
        EXPECT_EQ(requests, c.requests) << c.name;
        EXPECT_EQ(step, c.end) << c.name;
    }
}
