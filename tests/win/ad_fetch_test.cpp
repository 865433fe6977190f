#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "handle_count.h"
#include "links/win_ad_fetch.h"

using namespace torvane;

// These talk to tests/site_server.py, started by scripts/lib/site-server.sh,
// which exports its port.
namespace {

using Clock = std::chrono::steady_clock;

const wchar_t kAgent[] = L"Torvane-test";
const wchar_t kNews[] = L"新版本发布，提速效果更好！";
constexpr UINT kOtherMessage = WM_APP + 9;

std::wstring SitePort()
{
    const char* port = std::getenv("TORVANE_SITE_PORT");
    return port && *port ? std::wstring(port, port + std::strlen(port)) : std::wstring();
}

std::wstring SiteUrl(const std::wstring& path)
{
    return L"http://127.0.0.1:" + SitePort() + path;
}

#define REQUIRE_SITE()                                                                                       \
    ASSERT_FALSE(SitePort().empty()) << "TORVANE_SITE_PORT is not set: start the test site first "          \
                                        "(source scripts/lib/site-server.sh; site_server_start DIR)"

// The control endpoints, read with plain WinINet apart from the code tested.
std::string ControlGet(const std::wstring& pathAndQuery)
{
    std::string body;
    HINTERNET root = InternetOpenW(L"control", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!root)
        return body;
    HINTERNET request = InternetOpenUrlW(root, SiteUrl(pathAndQuery).c_str(), nullptr, 0,
                                         INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_RELOAD, 0);
    if (request) {
        char buffer[512];
        DWORD got = 0;
        while (InternetReadFile(request, buffer, sizeof buffer, &got) && got)
            body.append(buffer, got);
        InternetCloseHandle(request);
    }
    InternetCloseHandle(root);
    return body;
}

void SetMode(const std::string& mode)
{
    ASSERT_EQ(ControlGet(L"/__mode?set=" + std::wstring(mode.begin(), mode.end())), mode);
}

int AdRequests()
{
    return std::atoi(ControlGet(L"/__count?path=/ad/tv/").c_str());
}

// Requests for the news address and every address it redirects to.
int NewsPathRequests()
{
    return std::atoi(ControlGet(L"/__count?prefix=/ad/tv/").c_str());
}

long long HugeBytesSent()
{
    return std::atoll(ControlGet(L"/__sent").c_str());
}

// Puts the site back to normal however a test ends.
struct ModeGuard {
    ~ModeGuard() { ControlGet(L"/__mode?set=normal"); }
};

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A message-only window that records what the fetchers post and counts the
// ticks of its timer.
struct Received {
    UINT message;
    std::wstring text;
    double at; // seconds since the test's start
};

class Receiver {
public:
    Receiver()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TorvaneAdFetchTestReceiver";
        RegisterClassW(&wc);
        hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Receiver() { DestroyWindow(hwnd_); }
    HWND hwnd() const { return hwnd_; }

    // Runs the message loop until `done` holds or the time is up.
    template <typename Done>
    void PumpUntil(Done done, double seconds)
    {
        const Clock::time_point until = Clock::now() + std::chrono::milliseconds(static_cast<int>(seconds * 1000));
        while (!done() && Clock::now() < until) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
    }

    std::vector<Received> received;
    int ticks = 0;
    Clock::time_point start = Clock::now();

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<Receiver*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && (message == kAdTextMessage || message == kOtherMessage)) {
            self->received.push_back({message, AdFetcher::TakeText(lParam), SecondsSince(self->start)});
            return 0;
        }
        if (self && message == WM_TIMER) {
            ++self->ticks;
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;
};

} // namespace

TEST(AdFetch, ServedBodyGivesTheNewsDecodedFromCodePage936)
{
    REQUIRE_SITE();
    ASSERT_EQ(GetACP(), 936u) << "tests run in a Simplified Chinese locale";
    SetMode("normal");
    const int before = AdRequests();
    EXPECT_EQ(FetchAdText(SiteUrl(L"/ad/tv/"), kAgent), kNews);
    EXPECT_EQ(AdRequests(), before + 1);
}

TEST(AdFetch, BodyWithoutTheMarkerGivesNothing)
{
    REQUIRE_SITE();
    ModeGuard guard;
    SetMode("nomarker");
    const int before = AdRequests();
    EXPECT_EQ(FetchAdText(SiteUrl(L"/ad/tv/"), kAgent), L"");
    EXPECT_EQ(AdRequests(), before + 1) << "the request reached the server";
}

TEST(AdFetch, BodyIsCutAtTheCapWithoutAHalfCharacter)
{
    REQUIRE_SITE();
    ModeGuard guard;
    SetMode("big");
    // 3 + 2 * 40000 bytes served; 65536 kept, the last one a lone lead byte.
    const std::wstring expected = L"x" + std::wstring((kAdBodyCapBytes - 3) / 2, L'提');
    EXPECT_EQ(FetchAdText(SiteUrl(L"/ad/tv/"), kAgent), expected);
}

// However the site answers, one fetch is one bounded attempt: the requests it
// sees, the text that comes of it and how long it takes.
TEST(AdFetch, EachWayTheSiteAnswersCostsOneBoundedAttempt)
{
    REQUIRE_SITE();
    ModeGuard guard;
    const struct {
        const char* mode;
        const wchar_t* text; // what the fetch gives, up to its first NUL
        int requests;        // for the news address and where it redirects
        double seconds;      // at most
    } cases[] = {
        {"redirect-self", L"", 1, 1.5},
        {"redirect-away", L"", 1, 1.5}, // "localhost" reaches this server too
        {"hops3", kNews, 4, 1.5},
        {"hops4", L"", 4, 1.5},
        {"status500", L"", 1, 1.5}, // the body starts with "AD"
        {"status404", L"", 1, 1.5},
        {"huge", kNews, 1, 1.5},
        {"drip", L"滴", 1, 3.8}, // the receive timeout ends the answer
    };
    for (const auto& c : cases) {
        SetMode(c.mode);
        ControlGet(L"/__reset");
        const Clock::time_point start = Clock::now();
        const std::wstring text = FetchAdText(SiteUrl(L"/ad/tv/"), kAgent);
        const double took = SecondsSince(start);
        const std::wstring shown = text.substr(0, text.find(L'\0'));
        // The drip's text is cut at whatever arrived in time.
        const bool drip = std::string(c.mode) == "drip";
        EXPECT_EQ(drip ? shown.substr(0, 1) : shown, c.text) << c.mode;
        EXPECT_EQ(NewsPathRequests(), c.requests) << c.mode;
        EXPECT_LE(took, c.seconds) << c.mode;
    }
}

// Past the cap the connection is cut, not read out: the server stops
// sending at once instead of delivering its 100 MiB.
TEST(AdFetch, AHugeBodyIsCutOffAtTheCap)
{
    REQUIRE_SITE();
    ModeGuard guard;
    SetMode("huge");
    ControlGet(L"/__reset");
    const std::wstring text = FetchAdText(SiteUrl(L"/ad/tv/"), kAgent);
    // The body up to the cap: the marker, the news (two bytes a character)
    // and padding, one character a byte.
    const std::size_t news = std::wcslen(kNews);
    EXPECT_EQ(text.size(), news + (kAdBodyCapBytes - 2 - 2 * news));
    Sleep(500);
    const long long settled = HugeBytesSent();
    Sleep(1000);
    EXPECT_EQ(HugeBytesSent(), settled) << "the server is still sending";
    // What the sockets' buffers took before the cut, far from 100 MiB.
    EXPECT_LT(settled, 16LL * 1024 * 1024);
}

TEST(AdFetch, OnlyHttpAddressesAreFetched)
{
    EXPECT_EQ(FetchAdText(L"ftp://127.0.0.1:1/ad/tv/", kAgent), L"");
    EXPECT_EQ(FetchAdText(L"not an address", kAgent), L"");
}

TEST(AdFetch, PageWithoutTheMarkerGivesNothing)
{
    REQUIRE_SITE();
    // An HTML page that does not start with "AD" is no news text.
    EXPECT_EQ(FetchAdText(SiteUrl(L"/ad/tv/page/"), kAgent), L"");
}

TEST(AdFetch, ClosedPortGivesNothingQuickly)
{
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(FetchAdText(L"http://127.0.0.1:1/ad/tv/", kAgent), L"");
    EXPECT_LT(SecondsSince(start), 2.0);
}

TEST(AdFetch, RepeatedFetchesLeakNoHandles)
{
    REQUIRE_SITE();
    const std::wstring urls[] = {SiteUrl(L"/ad/tv/"), SiteUrl(L"/missing"), L"http://127.0.0.1:1/ad/tv/"};
    for (const std::wstring& url : urls)
        FetchAdText(url, kAgent);
    const std::uintptr_t gauge = HandleLeakGauge();
    for (int i = 0; i < 10; ++i) {
        for (const std::wstring& url : urls)
            FetchAdText(url, kAgent);
    }
    EXPECT_LE(HandleLeakGauge(), gauge + 8);
}

TEST(AdFetch, FetcherPostsTheTextToTheWindowOneFetchAtATime)
{
    REQUIRE_SITE();
    SetMode("normal");
    Receiver receiver;
    ASSERT_NE(receiver.hwnd(), nullptr);
    const int before = AdRequests();
    AdFetcher fetcher(receiver.hwnd());
    ASSERT_TRUE(fetcher.Start(SiteUrl(L"/ad/tv/"), kAgent));
    EXPECT_TRUE(fetcher.Running());
    EXPECT_FALSE(fetcher.Start(SiteUrl(L"/ad/tv/"), kAgent)) << "a second fetch while one runs";
    receiver.PumpUntil([&] { return !receiver.received.empty(); }, 10);
    ASSERT_EQ(receiver.received.size(), 1u);
    EXPECT_EQ(receiver.received[0].message, kAdTextMessage);
    EXPECT_EQ(receiver.received[0].text, kNews);
    EXPECT_FALSE(fetcher.Running());
    EXPECT_EQ(AdRequests(), before + 1);

    // Free again once the result is in.
    ASSERT_TRUE(fetcher.Start(SiteUrl(L"/ad/tv/"), kAgent));
    receiver.PumpUntil([&] { return receiver.received.size() == 2; }, 10);
    ASSERT_EQ(receiver.received.size(), 2u);
    EXPECT_EQ(receiver.received[1].text, kNews);
}

TEST(AdFetch, HangingServerNeitherBlocksTheCallerNorOutlivesTheTimeout)
{
    REQUIRE_SITE();
    ModeGuard guard;
    SetMode("hang");
    Receiver receiver;
    ASSERT_NE(receiver.hwnd(), nullptr);
    AdFetcher fetcher(receiver.hwnd());
    const int before = AdRequests();
    {
        // A fetcher dropped mid-fetch must neither wait for it nor post later.
        AdFetcher dropped(receiver.hwnd(), kOtherMessage);
        ASSERT_TRUE(dropped.Start(SiteUrl(L"/ad/tv/"), kAgent));
        ASSERT_TRUE(fetcher.Start(SiteUrl(L"/ad/tv/"), kAgent));
    }
    EXPECT_LT(SecondsSince(receiver.start), 0.5) << "starting and dropping a fetch returns at once";
    SetTimer(receiver.hwnd(), 1, 100, nullptr);
    receiver.PumpUntil([&] { return !receiver.received.empty(); }, 10);
    const double ended = SecondsSince(receiver.start);
    ASSERT_EQ(receiver.received.size(), 1u) << "the hanging fetch never ended";
    EXPECT_EQ(receiver.received[0].message, kAdTextMessage);
    EXPECT_EQ(receiver.received[0].text, L"");
    EXPECT_GE(ended, 2.0) << "the server did not hang";
    EXPECT_LE(ended, 6.0) << "the timeout did not end the fetch";
    // The loop kept running all along: a tick every 100 ms.
    EXPECT_GE(receiver.ticks, static_cast<int>(ended * 10 * 0.6));
    // The kept fetch reached the server. The dropped one may end before it
    // sends, and WinINet may send one again on a pooled connection that timed
    // out, so the count is a lower bound.
    EXPECT_GE(AdRequests(), before + 1);

    // The dropped fetcher's result, due at the same time, never arrives.
    receiver.PumpUntil([] { return false; }, 1.0);
    EXPECT_EQ(receiver.received.size(), 1u);
    KillTimer(receiver.hwnd(), 1);
}
