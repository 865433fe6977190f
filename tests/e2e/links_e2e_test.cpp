#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>

#include "app/control_ids.h"
#include "torvane_driver.h"

#include <tlhelp32.h>
#include <wininet.h>

using namespace torvane;

namespace {

// The local site the build points the program at (TORVANE_VENDOR_HOST).
const wchar_t kHost[] = L"" TORVANE_SITE_HOST;
const wchar_t kServer[] = L"http://" TORVANE_SITE_HOST;
const std::string kSiteUrl = "http://" TORVANE_SITE_HOST;
const wchar_t kNews[] = L"新版本发布，提速效果更好！";

std::string HttpGet(const std::wstring& url)
{
    std::string body;
    HINTERNET root = InternetOpenW(L"TorvaneTests", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!root)
        return body;
    HINTERNET request = InternetOpenUrlW(root, url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    if (request) {
        char buffer[256];
        DWORD read = 0;
        while (InternetReadFile(request, buffer, sizeof buffer, &read) && read > 0)
            body.append(buffer, read);
        InternetCloseHandle(request);
    }
    InternetCloseHandle(root);
    return body;
}

void SetMode(const wchar_t* mode) { HttpGet(std::wstring(kServer) + L"/__mode?set=" + mode); }
int NewsRequests() { return std::atoi(HttpGet(std::wstring(kServer) + L"/__count?path=/ad/tv/").c_str()); }
// Requests for the news address and wherever it redirects on this server.
int NewsPathRequests() { return std::atoi(HttpGet(std::wstring(kServer) + L"/__count?prefix=/ad/tv/").c_str()); }
long long HugeBytesSent() { return std::atoll(HttpGet(std::wstring(kServer) + L"/__sent").c_str()); }
void SleepUntil(DWORD tick)
{
    const DWORD now = GetTickCount();
    if (static_cast<LONG>(tick - now) > 0)
        Sleep(tick - now);
}

// The pages "opened in the browser": Wine hands them to the browser command
// that the test registers, which writes them to the log named in the
// environment.
class RecordingBrowser {
public:
    RecordingBrowser()
    {
        char log[MAX_PATH] = {};
        GetEnvironmentVariableA("TORVANE_BROWSER_LOG", log, MAX_PATH);
        log_ = log;
        HKEY key = nullptr;
        RegCreateKeyW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", &key);
        const std::wstring browser = TORVANE_RECORD_URL;
        RegSetValueExW(key, L"Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(browser.c_str()),
                       static_cast<DWORD>((browser.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    bool usable() const { return !log_.empty(); }
    std::string LastOpened() const { return Opened().second; }
    // How many pages have been opened so far.
    int OpenedCount() const { return Opened().first; }

private:
    // The count of pages opened, and the last.
    std::pair<int, std::string> Opened() const
    {
        std::ifstream in("Z:" + log_);
        std::string line;
        std::pair<int, std::string> seen;
        while (std::getline(in, line)) {
            ++seen.first;
            seen.second = line;
        }
        return seen;
    }

    std::string log_;
};

class LinksE2e : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(HttpGet(std::wstring(kServer) + L"/__mode").empty()) << "no local site at " TORVANE_SITE_HOST;
    }
    void TearDown() override { SetMode(L"normal"); }
};

// The full path of a module the process has loaded; empty when it has none
// of that name.
std::wstring LoadedModulePath(DWORD pid, const wchar_t* name)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE)
        return {};
    std::wstring path;
    MODULEENTRY32W module = {};
    module.dwSize = sizeof module;
    for (BOOL more = Module32FirstW(snapshot, &module); more; more = Module32NextW(snapshot, &module)) {
        if (lstrcmpiW(module.szModule, name) == 0) {
            path = module.szExePath;
            break;
        }
    }
    CloseHandle(snapshot);
    return path;
}

int ThreadCount(DWORD pid)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    THREADENTRY32 thread = {};
    thread.dwSize = sizeof thread;
    for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread)) {
        if (thread.th32OwnerProcessID == pid)
            ++count;
    }
    CloseHandle(snapshot);
    return count;
}

} // namespace

TEST_F(LinksE2e, ASocketDllInTheProgramsFolderIsNotTheOneLoaded)
{
    SetMode(L"normal");
    ProgramDirectory dir;
    // They have none of the real DLLs' calls: were one loaded, the fetch
    // could not run.
    ASSERT_TRUE(dir.CopyIn(PLANTED_DLL, L"ws2_32.dll"));
    ASSERT_TRUE(dir.CopyIn(PLANTED_DLL, L"wininet.dll"));
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    EXPECT_TRUE(WaitFor([&] { return torvane.Text(ControlId::LabelHomePage) == kNews; }, 11000));
    EXPECT_TRUE(torvane.process().Running());
    std::wstring loaded = LoadedModulePath(torvane.process().id(), L"ws2_32.dll");
    CharLowerW(loaded.data());
    EXPECT_NE(loaded.find(L"\\system32\\"), std::wstring::npos) << loaded;
    std::wstring internet = LoadedModulePath(torvane.process().id(), L"wininet.dll");
    CharLowerW(internet.data());
    EXPECT_TRUE(internet.empty() || internet.find(L"\\system32\\") != std::wstring::npos) << internet;
}

TEST_F(LinksE2e, TheServedNewsShowsAndIsFetchedOnlyOnce)
{
    SetMode(L"normal");
    HttpGet(std::wstring(kServer) + L"/__reset");
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    EXPECT_EQ(torvane.Text(ControlId::LabelHomePage), kHost);
    ASSERT_TRUE(WaitFor([&] { return torvane.Text(ControlId::LabelHomePage) == kNews; }, 11000));
    const int requests = NewsRequests();
    EXPECT_GE(requests, 1);
    // With the news in, the fetch worker has no more work and is gone: the
    // user-interface thread is the only one left.
    EXPECT_TRUE(WaitFor([&] { return ThreadCount(torvane.process().id()) == 1; }, 3000))
        << ThreadCount(torvane.process().id()) << " threads";
    Sleep(6000);
    EXPECT_EQ(NewsRequests(), requests);

    RecordingBrowser browser;
    ASSERT_TRUE(browser.usable());
    ASSERT_TRUE(torvane.RealClick(ControlId::ImageAbout));
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(torvane.Control(ControlId::PictureAbout)) != 0; }));
    ASSERT_TRUE(torvane.RealClick(ControlId::LabelHomePage));
    EXPECT_TRUE(WaitFor([&] { return browser.LastOpened() == kSiteUrl + "/ad/tv/page/"; }, 5000))
        << browser.LastOpened();
}

TEST_F(LinksE2e, WithoutTheMarkerItAsksAgainEveryFiveSecondsAndLinksHome)
{
    SetMode(L"nomarker");
    HttpGet(std::wstring(kServer) + L"/__reset");
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    // Asked on the first tick, five seconds in, and five seconds later again.
    WaitFor([] { return NewsRequests() >= 2; }, 11500);
    EXPECT_GE(NewsRequests(), 2);
    EXPECT_EQ(torvane.Text(ControlId::LabelHomePage), kHost);

    RecordingBrowser browser;
    ASSERT_TRUE(browser.usable());
    ASSERT_TRUE(torvane.RealClick(ControlId::ImageAbout));
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(torvane.Control(ControlId::PictureAbout)) != 0; }));
    ASSERT_TRUE(torvane.RealClick(ControlId::LabelHomePage));
    EXPECT_TRUE(WaitFor([&] { return browser.LastOpened() == kSiteUrl + "/"; }, 5000)) << browser.LastOpened();
    const int opened = browser.OpenedCount();
    ASSERT_TRUE(torvane.RealClick(ControlId::LabelWeb));
    EXPECT_TRUE(WaitFor([&] { return browser.OpenedCount() > opened; }, 5000));
    EXPECT_EQ(browser.LastOpened(), kSiteUrl + "/");
}

// A misbehaving site, one way per attempt of one running copy: each attempt
// asks it once and nothing it says becomes the news. Then a good answer with
// a 100 MiB body shows as soon as its start is in, and the rest is not taken.
TEST_F(LinksE2e, EachAttemptAsksAMisbehavingSiteOnceAndAHugeAnswerShowsAtOnce)
{
    SetMode(L"redirect-self");
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    // Attempts come every 5 s from the window's start: each mode is set
    // midway between two, so it serves exactly one.
    const DWORD start = GetTickCount();
    const wchar_t* modes[] = {L"redirect-self", L"redirect-away", L"status500", L"status404"};
    for (int i = 0; i < 4; ++i) {
        SleepUntil(start + 2500 + 5000 * i);
        SetMode(modes[i]);
        HttpGet(std::wstring(kServer) + L"/__reset");
        SleepUntil(start + 7500 + 5000 * i);
        EXPECT_EQ(NewsPathRequests(), 1) << modes[i];
        EXPECT_EQ(torvane.Text(ControlId::LabelHomePage), kHost) << modes[i];
    }

    SetMode(L"huge");
    HttpGet(std::wstring(kServer) + L"/__reset");
    ASSERT_TRUE(WaitFor([] { return NewsPathRequests() >= 1; }, 6000));
    const DWORD asked = GetTickCount();
    ASSERT_TRUE(WaitFor([&] { return torvane.Text(ControlId::LabelHomePage) == kNews; }, 20000));
    const DWORD shown = GetTickCount() - asked;
    EXPECT_LT(shown, 1500u) << "the news took " << shown << " ms";
    Sleep(500);
    const long long sent = HugeBytesSent();
    Sleep(1000);
    EXPECT_EQ(HugeBytesSent(), sent) << "the site is still sending";
    EXPECT_LT(sent, 16LL * 1024 * 1024);
    EXPECT_EQ(NewsPathRequests(), 1);
}

TEST_F(LinksE2e, AServerThatNeverAnswersLeavesTheWindowResponsive)
{
    SetMode(L"hang");
    HttpGet(std::wstring(kServer) + L"/__reset");
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    // The first fetch starts on the first tick, five seconds in, and hangs.
    ASSERT_TRUE(WaitFor([] { return NewsRequests() >= 1; }, 8000));
    const DWORD start = GetTickCount();
    DWORD_PTR answer = 0;
    const LRESULT answered =
        SendMessageTimeoutW(torvane.window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer);
    EXPECT_NE(answered, 0);
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_EQ(torvane.Text(ControlId::LabelHomePage), kHost);
}
