// The request's header first: it brings Winsock in before <windows.h>.
#include "links/win_news_request.h"

#include "links/win_ad_fetch.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "links/ad_text.h"
#include "platform/ansi_text.h"

namespace torvane {

namespace {

std::wstring AdTextOf(const std::wstring& url, const std::wstring& agent)
{
    return AdTextFromBody(FromAnsi(FetchNewsBody(url, agent)));
}

} // namespace

std::wstring FetchAdText(const std::wstring& url, const std::wstring& agent)
{
    const WinsockSession winsock;
    return winsock ? AdTextOf(url, agent) : std::wstring();
}

// One worker serves every fetch of a fetcher and keeps Winsock started
// between them: a thread started for each retry costs more than the failed
// request itself.
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
    const WinsockSession winsock;
    std::unique_lock<std::mutex> lock(state->mutex);
    for (;;) {
        state->wake.wait(lock, [&] { return state->requested || state->abandoned; });
        if (state->abandoned)
            return;
        state->requested = false;
        const std::wstring url = state->url;
        const std::wstring agent = state->agent;
        lock.unlock();
        auto text = std::make_unique<std::wstring>(winsock ? AdTextOf(url, agent) : std::wstring());
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

} // namespace torvane
