#include "links/win_news_request.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string_view>

#include "links/http_exchange.h"
#include "links/news_attempt.h"
#include "links/win_ad_fetch.h"
#include "platform/ansi_text.h"

namespace torvane {

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point TimeoutFromNow()
{
    return Clock::now() + std::chrono::milliseconds(kAdFetchTimeoutMs);
}
// A non-blocking connection to the site. Closed before its answer has
// ended, it is reset: a server that still sends is cut off, not read out.
class Connection {
public:
    Connection() = default;
    explicit Connection(SOCKET socket) : socket_(socket) {}
    ~Connection() { Close(); }
    Connection(Connection&& other) noexcept : socket_(other.socket_), ended_(other.ended_)
    {
        other.socket_ = INVALID_SOCKET;
    }
    Connection& operator=(Connection&& other) noexcept
    {
        if (this != &other) {
            Close();
            socket_ = other.socket_;
            ended_ = other.ended_;
            other.socket_ = INVALID_SOCKET;
        }
        return *this;
    }
    explicit operator bool() const { return socket_ != INVALID_SOCKET; }
    SOCKET get() const { return socket_; }
    void MarkEnded() { ended_ = true; }

private:
    void Close()
    {
        if (socket_ == INVALID_SOCKET)
            return;
        if (!ended_) {
            const linger reset = {1, 0};
            setsockopt(socket_, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&reset), sizeof reset);
        }
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }

    SOCKET socket_ = INVALID_SOCKET;
    bool ended_ = false;
};

// Waits until the socket is ready to read (or to write), at most until the
// deadline. A connection that fails is reported as an exception, not as
// writable, so that counts as ready too and the caller reads the error.
bool WaitUntilReady(SOCKET socket, bool write, Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now()).count();
    if (left <= 0)
        return false;
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(socket, &ready);
    fd_set failed;
    FD_ZERO(&failed);
    FD_SET(socket, &failed);
    timeval wait = {static_cast<long>(left / 1000000), static_cast<long>(left % 1000000)};
    return select(0, write ? nullptr : &ready, write ? &ready : nullptr, &failed, &wait) > 0;
}

Connection Connect(const HttpAddress& address)
{
    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    if (getaddrinfo(address.host.c_str(), std::to_string(address.port).c_str(), &hints, &found) != 0)
        return Connection();
    const std::unique_ptr<addrinfo, void (*)(addrinfo*)> list(found, freeaddrinfo);
    for (const addrinfo* at = found; at; at = at->ai_next) {
        Connection connection(socket(at->ai_family, at->ai_socktype, at->ai_protocol));
        u_long nonBlocking = 1;
        if (!connection || ioctlsocket(connection.get(), FIONBIO, &nonBlocking) != 0)
            continue;
        if (connect(connection.get(), at->ai_addr, static_cast<int>(at->ai_addrlen)) != 0 &&
            WSAGetLastError() != WSAEWOULDBLOCK)
            continue;
        int error = 0;
        int size = sizeof error;
        if (WaitUntilReady(connection.get(), true, TimeoutFromNow()) &&
            getsockopt(connection.get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) == 0 &&
            error == 0)
            return connection;
    }
    return Connection();
}

bool SendAll(SOCKET socket, std::string_view bytes)
{
    const Clock::time_point deadline = TimeoutFromNow();
    while (!bytes.empty()) {
        if (!WaitUntilReady(socket, true, deadline))
            return false;
        const int sent = send(socket, bytes.data(), static_cast<int>(bytes.size()), 0);
        if (sent == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK)
            continue;
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

// The next bytes of the answer: a count, 0 once the server has closed, or
// -1 when receiving failed or the deadline passed.
int ReceiveSome(SOCKET socket, char* buffer, std::size_t size, Clock::time_point deadline)
{
    for (;;) {
        if (!WaitUntilReady(socket, false, deadline))
            return -1;
        const int got = recv(socket, buffer, static_cast<int>(size), 0);
        if (got == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK)
            continue;
        return got == SOCKET_ERROR ? -1 : got;
    }
}

// The body of a 200 answer, up to the cap or the length the server gave. A
// failed read or the deadline ends it; what arrived is used.
std::string ReadBody(Connection& connection, const ResponseHeadReader& head, Clock::time_point deadline)
{
    std::uint64_t limit = kAdBodyCapBytes;
    if (head.contentLength())
        limit = std::min<std::uint64_t>(limit, *head.contentLength());
    const auto want = static_cast<std::size_t>(limit);
    std::string bytes = head.BodyStart().substr(0, want);
    char buffer[4096];
    while (bytes.size() < want) {
        const int got = ReceiveSome(connection.get(), buffer, std::min(sizeof buffer, want - bytes.size()), deadline);
        if (got == 0)
            connection.MarkEnded();
        if (got <= 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    if (head.contentLength() && bytes.size() == *head.contentLength())
        connection.MarkEnded();
    if (bytes.size() >= kAdBodyCapBytes)
        DropSplitCharacter(bytes);
    return bytes;
}

// One attempt: the request and the redirects the attempt allows, each on a
// connection of its own. Each request's answer is due within the timeout of
// its sending, so a server that drips its answer is cut off too.
} // namespace

std::string FetchNewsBody(const std::wstring& url, const std::wstring& agent)
{
    const auto origin = ParseHttpAddress(ToAnsi(url));
    if (!origin)
        return std::string();
    const std::string agentBytes = ToAnsi(agent);
    NewsAttempt attempt(*origin);
    for (;;) {
        Connection connection = Connect(attempt.Current());
        if (!connection || !SendAll(connection.get(), GetRequestText(attempt.Current(), agentBytes)))
            return std::string();
        const Clock::time_point deadline = TimeoutFromNow();
        ResponseHeadReader head;
        char buffer[1024];
        while (head.state() == ResponseHeadReader::State::NeedMore) {
            const int got = ReceiveSome(connection.get(), buffer, sizeof buffer, deadline);
            if (got <= 0)
                return std::string();
            head.Feed(std::string_view(buffer, static_cast<std::size_t>(got)));
        }
        if (head.state() == ResponseHeadReader::State::Bad)
            return std::string();
        switch (attempt.OnResponse(head.status(), head.location())) {
        case NewsAttempt::Step::ReadBody:
            return ReadBody(connection, head, deadline);
        case NewsAttempt::Step::Follow:
            break;
        case NewsAttempt::Step::NoText:
            return std::string();
        }
    }
}

} // namespace torvane
