#include "links/win_ad_fetch.h"

#include <wininet.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "links/ad_text.h"
#include "platform/ansi_text.h"

namespace {

// Owns a WinINet handle; closes it once, on every path out.
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() { reset(nullptr); }
    void reset(HINTERNET handle)
    {
        if (handle_)
            InternetCloseHandle(handle_);
        handle_ = handle;
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HINTERNET handle_;
};

void SetTimeouts(HINTERNET handle)
{
    for (const DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        DWORD value = kAdFetchTimeoutMs;
        InternetSetOptionA(handle, option, &value, sizeof value);
    }
}

// A cap can split a double-byte character; its lone lead byte would decode to
// a stray character at the end.
void DropIncompleteCharacter(std::string& bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (IsDBCSLeadByte(static_cast<BYTE>(bytes[i]))) {
            if (i + 1 == bytes.size()) {
                bytes.pop_back();
                return;
            }
            i += 2;
        } else {
            ++i;
        }
    }
}

// The request is made in its three steps rather than with InternetOpenUrlA:
// Wine applies send and receive timeouts only when set on the connection
// handle, and a server that accepts and never answers must not hold the fetch.
std::string FetchBody(HINTERNET root, const std::wstring& url)
{
    const std::string address = ToAnsi(url);
    char hostName[256] = {};
    char path[2048] = {};
    char extra[2048] = {};
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = hostName;
    parts.dwHostNameLength = sizeof hostName;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = sizeof path;
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = sizeof extra;
    if (!InternetCrackUrlA(address.c_str(), 0, 0, &parts) || parts.nScheme != INTERNET_SCHEME_HTTP)
        return std::string();
    const std::string object = std::string(*path ? path : "/") + extra;

    const InternetHandle session(
        InternetConnectA(root, hostName, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!session)
        return std::string();
    SetTimeouts(session.get());
    const InternetHandle body(HttpOpenRequestA(session.get(), "GET", object.c_str(), nullptr, nullptr, nullptr,
                                               INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!body || !HttpSendRequestA(body.get(), nullptr, 0, nullptr, 0))
        return std::string();

    std::string bytes;
    char buffer[256];
    while (bytes.size() < kAdBodyCapBytes) {
        const DWORD want = static_cast<DWORD>(std::min(sizeof buffer, kAdBodyCapBytes - bytes.size()));
        DWORD got = 0;
        // A failed read ends the body; what arrived is used.
        if (!InternetReadFile(body.get(), buffer, want, &got) || got == 0)
            break;
        bytes.append(buffer, got);
    }
    if (bytes.size() >= kAdBodyCapBytes)
        DropIncompleteCharacter(bytes);
    return bytes;
}

HINTERNET OpenRoot(const std::wstring& agent)
{
    HINTERNET root = InternetOpenA(ToAnsi(agent).c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    // The platform's defaults wait far longer.
    if (root)
        SetTimeouts(root);
    return root;
}

std::wstring AdTextOf(HINTERNET root, const std::wstring& url)
{
    return root ? AdTextFromBody(FromAnsi(FetchBody(root, url))) : std::wstring();
}

} // namespace

std::wstring FetchAdText(const std::wstring& url, const std::wstring& agent)
{
    const InternetHandle root(OpenRoot(agent));
    return AdTextOf(root.get(), url);
}

// One worker serves every fetch of a fetcher and keeps its WinINet root
// between them: a thread and a session started for each retry cost more than
// the failed request itself.
struct AdFetcher::State {
    HWND target;
    UINT message;
    std::mutex mutex;
    std::condition_variable wake;
    bool running = false;
    bool requested = false;
    bool abandoned = false;
    bool workerStarted = false;
    std::wstring url;
    std::wstring agent;
};

void AdFetcher::Serve(const std::shared_ptr<State>& state)
{
    InternetHandle root(nullptr);
    std::wstring rootAgent;
    std::unique_lock<std::mutex> lock(state->mutex);
    for (;;) {
        state->wake.wait(lock, [&] { return state->requested || state->abandoned; });
        if (state->abandoned)
            return;
        state->requested = false;
        const std::wstring url = state->url;
        const std::wstring agent = state->agent;
        lock.unlock();
        if (!root || agent != rootAgent) {
            root.reset(OpenRoot(agent));
            rootAgent = agent;
        }
        auto text = std::make_unique<std::wstring>(AdTextOf(root.get(), url));
        lock.lock();
        // Cleared before posting, so the receiver may start the next one.
        state->running = false;
        if (state->abandoned)
            return;
        if (PostMessageW(state->target, state->message, 0, reinterpret_cast<LPARAM>(text.get())))
            text.release();
    }
}

AdFetcher::AdFetcher(HWND target, UINT message) : state_(std::make_shared<State>())
{
    state_->target = target;
    state_->message = message;
}

AdFetcher::~AdFetcher()
{
    const std::lock_guard<std::mutex> lock(state_->mutex);
    state_->abandoned = true;
    state_->wake.notify_one();
}

bool AdFetcher::Start(const std::wstring& url, const std::wstring& agent)
{
    const std::lock_guard<std::mutex> lock(state_->mutex);
    if (state_->running)
        return false;
    if (!state_->workerStarted) {
        try {
            std::thread([state = state_] { Serve(state); }).detach();
        } catch (const std::system_error&) {
            return false;
        }
        state_->workerStarted = true;
    }
    state_->url = url;
    state_->agent = agent;
    state_->requested = true;
    state_->running = true;
    state_->wake.notify_one();
    return true;
}

bool AdFetcher::Running() const
{
    const std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->running;
}

std::wstring AdFetcher::TakeText(LPARAM lParam)
{
    const std::unique_ptr<std::wstring> text(reinterpret_cast<std::wstring*>(lParam));
    return text ? std::move(*text) : std::wstring();
}
