#pragma once

// Winsock before <windows.h>, which would bring in the older winsock.h.
#include <winsock2.h>

#include <string>

namespace torvane {

// Winsock is started for as long as one of these lives.
class WinsockSession {
public:
    WinsockSession()
    {
        WSADATA data;
        started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinsockSession()
    {
        if (started_)
            WSACleanup();
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
    explicit operator bool() const { return started_; }

private:
    bool started_ = false;
};


// One attempt at the news body: the GET of `url` and the redirects the
// attempt allows, each on a connection of its own. Gives the body of a 200
// answer, at most kAdBodyCapBytes of it without a split double-byte
// character, or nothing.
std::string FetchNewsBody(const std::wstring& url, const std::wstring& agent);

} // namespace torvane
