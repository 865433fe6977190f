#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

namespace torvane {

// Bounds of one news-text request. The body is untrusted: bytes past the cap
// are not read, and the connection is reset rather than read to its end.
// The timeout applies to connecting, to sending, and to the whole answer of
// each request from the moment it was sent.
constexpr DWORD kAdFetchTimeoutMs = 3000;
constexpr std::size_t kAdBodyCapBytes = 64 * 1024;

// The message an AdFetcher posts when a fetch ends, whatever its outcome:
// wParam 0, lParam an owned std::wstring* (the text after the marker, maybe
// empty). The receiver must take it with AdFetcher::TakeText.
constexpr UINT kAdTextMessage = WM_APP + 8;

// GETs an http:// `url` (HTTP/1.0, direct, one connection per request, at
// most kAdBodyCapBytes of body) and returns the text after the "AD" marker of
// a 200 answer, decoded in the ANSI code page; empty when anything fails, the
// site answers with another status or the marker is missing. Redirects are
// followed as NewsAttempt allows: on the same host and port, no address twice,
// at most three. Blocks for up to the timeouts above: call it off the
// user-interface thread.
std::wstring FetchAdText(const std::wstring& url, const std::wstring& agent);

// Runs FetchAdText on a worker thread, one fetch at a time, and posts the
// result to a window as kAdTextMessage (or the message given). The worker is
// started by the first fetch and waits for the next one in between.
// Destroying the fetcher while a fetch runs does not wait for it: the worker
// is detached, shares only a small state block with the fetcher, and drops
// its result and ends once the fetcher is gone, so no message is posted after
// the destructor returns. A fetch still blocked at program exit ends with the
// process; the timeouts bound it to seconds otherwise.
class AdFetcher {
public:
    explicit AdFetcher(HWND target, UINT message = kAdTextMessage);
    ~AdFetcher();
    AdFetcher(const AdFetcher&) = delete;
    AdFetcher& operator=(const AdFetcher&) = delete;

    // Starts a fetch; does nothing and returns false while one is running
    // (or when no thread could be started).
    bool Start(const std::wstring& url, const std::wstring& agent);
    bool Running() const;

    // Takes ownership of a posted result and frees it; a zero lParam gives
    // the empty text.
    static std::wstring TakeText(LPARAM lParam);

private:
    struct State;
    static void Serve(const std::shared_ptr<State>& state);

    std::shared_ptr<State> state_;
};

} // namespace torvane
