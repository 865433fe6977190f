#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace torvane {

// The news fetch speaks plain HTTP/1.0 itself, so that it decides what a
// request may cost: one request per address it chooses to ask, no automatic
// redirects, no draining of a body it stops reading. Everything here is
// bytes as they go over the wire.

// An http:// address: host name (lower case), port and request target.
struct HttpAddress {
    std::string host;
    std::uint16_t port = 80;
    std::string target = "/"; // path and query, never empty

    bool SameOrigin(const HttpAddress& other) const { return host == other.host && port == other.port; }
    bool operator==(const HttpAddress& other) const { return SameOrigin(other) && target == other.target; }
};

// "http://host[:port][/path][?query]"; a fragment is dropped. Anything else
// (another scheme, user information, a bad port, spaces or control bytes)
// gives nothing.
std::optional<HttpAddress> ParseHttpAddress(std::string_view url);

// The address a Location header names, seen from `base`: an http:// address,
// "//host/path", "/path", or a path relative to base's folder.
std::optional<HttpAddress> ResolveLocation(const HttpAddress& base, std::string_view location);

// The GET request for an address, closing the connection after the answer.
// Control bytes in the agent are left out so it cannot add header lines.
std::string GetRequestText(const HttpAddress& address, std::string_view agent);

// Reads the status line and headers of a response as its bytes arrive.
class ResponseHeadReader {
public:
    static constexpr std::size_t kHeadCapBytes = 16 * 1024;

    enum class State { NeedMore, Done, Bad };

    // Takes the next bytes; once Done, any bytes past the head are the start
    // of the body (BodyStart). A head over the cap, or one that is not HTTP,
    // is Bad.
    State Feed(std::string_view bytes);
    State state() const { return state_; }

    int status() const { return status_; }
    const std::string& location() const { return location_; }
    // The Content-Length the server announced, if any.
    std::optional<std::uint64_t> contentLength() const { return contentLength_; }
    const std::string& BodyStart() const { return rest_; }

private:
    bool ParseHead(std::string_view head);

    State state_ = State::NeedMore;
    std::string buffer_;
    std::string rest_;
    int status_ = 0;
    std::string location_;
    std::optional<std::uint64_t> contentLength_;
};

} // namespace torvane
