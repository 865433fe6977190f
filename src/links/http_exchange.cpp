#include "links/http_exchange.h"

#include <limits>

namespace torvane {

namespace {

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsHostChar(char c)
{
    const char l = AsciiLower(c);
    return (l >= 'a' && l <= 'z') || IsDigit(c) || c == '-' || c == '.' || c == '_';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string_view WithoutFragment(std::string_view text)
{
    return text.substr(0, text.find('#'));
}

// A request target as it may go on the request line: spaces and control
// bytes refuse it, bytes outside ASCII are percent-encoded.
std::optional<std::string> CleanTarget(std::string_view target)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string clean;
    for (const char c : target) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F)
            return std::nullopt;
        if (byte >= 0x80) {
            clean += '%';
            clean += kHex[byte >> 4];
            clean += kHex[byte & 0x0F];
        } else {
            clean += c;
        }
    }
    if (clean.empty() || clean.front() == '?')
        clean.insert(0, "/");
    return clean;
}

// Digits only, within `limit`.
std::optional<std::uint64_t> ParseNumber(std::string_view digits, std::uint64_t limit)
{
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (!IsDigit(c))
            return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (limit - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

bool HasScheme(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const char l = AsciiLower(text[i]);
        const bool schemeChar = (l >= 'a' && l <= 'z') || (i > 0 && (IsDigit(l) || l == '+' || l == '-' || l == '.'));
        if (!schemeChar)
            return false;
    }
    return true;
}

} // namespace

std::optional<HttpAddress> ParseHttpAddress(std::string_view url)
{
    url = WithoutFragment(url);
    constexpr std::string_view kScheme = "http://";
    if (url.size() < kScheme.size() || !EqualsIgnoringCase(url.substr(0, kScheme.size()), kScheme))
        return std::nullopt;
    url.remove_prefix(kScheme.size());

    const std::size_t authorityEnd = url.find_first_of("/?");
    const std::string_view authority = url.substr(0, authorityEnd);
    const std::size_t colon = authority.find(':');
    const std::string_view host = authority.substr(0, colon);
    if (host.empty())
        return std::nullopt;

    HttpAddress address;
    for (const char c : host) {
        if (!IsHostChar(c))
            return std::nullopt;
        address.host += AsciiLower(c);
    }
    if (colon != std::string_view::npos && colon + 1 < authority.size()) {
        const auto port = ParseNumber(authority.substr(colon + 1), std::numeric_limits<std::uint16_t>::max());
        if (!port || *port == 0)
            return std::nullopt;
        address.port = static_cast<std::uint16_t>(*port);
    }

    const auto target = CleanTarget(authorityEnd == std::string_view::npos ? std::string_view() : url.substr(authorityEnd));
    if (!target)
        return std::nullopt;
    address.target = *target;
    return address;
}

std::optional<HttpAddress> ResolveLocation(const HttpAddress& base, std::string_view location)
{
    location = WithoutFragment(Trimmed(location));
    if (location.empty())
        return std::nullopt;
    if (location.substr(0, 2) == "//")
        return ParseHttpAddress("http:" + std::string(location));
    if (HasScheme(location))
        return ParseHttpAddress(location);

    std::string target;
    if (location.front() == '/') {
        target = std::string(location);
    } else if (location.front() == '?') {
        target = base.target.substr(0, base.target.find('?')) + std::string(location);
    } else {
        const std::string path = base.target.substr(0, base.target.find('?'));
        target = path.substr(0, path.rfind('/') + 1) + std::string(location);
    }
    const auto clean = CleanTarget(target);
    if (!clean)
        return std::nullopt;
    HttpAddress resolved = base;
    resolved.target = *clean;
    return resolved;
}

std::string GetRequestText(const HttpAddress& address, std::string_view agent)
{
    std::string cleanAgent;
    for (const char c : agent) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F)
            cleanAgent += c;
    }
    std::string host = address.host;
    if (address.port != 80)
        host += ":" + std::to_string(address.port);
    return "GET " + address.target + " HTTP/1.0\r\n" + "Host: " + host + "\r\n" + "User-Agent: " + cleanAgent +
           "\r\n" + "Accept: */*\r\n" + "Connection: close\r\n\r\n";
}

ResponseHeadReader::State ResponseHeadReader::Feed(std::string_view bytes)
{
    if (state_ != State::NeedMore)
        return state_;
    // The end may straddle two pieces: look again from just before the join.
    const std::size_t from = buffer_.size() < 3 ? 0 : buffer_.size() - 3;
    buffer_.append(bytes.data(), bytes.size());

    std::size_t end = std::string::npos;
    std::size_t terminator = 0;
    for (std::size_t i = from; i < buffer_.size() && i < kHeadCapBytes; ++i) {
        if (buffer_[i] != '\n')
            continue;
        if (i + 1 < buffer_.size() && buffer_[i + 1] == '\n') {
            end = i;
            terminator = 2;
            break;
        }
        if (i + 2 < buffer_.size() && buffer_[i + 1] == '\r' && buffer_[i + 2] == '\n') {
            end = i;
            terminator = 3;
            break;
        }
    }
    if (end == std::string::npos) {
        if (buffer_.size() >= kHeadCapBytes)
            state_ = State::Bad;
        return state_;
    }
    rest_ = buffer_.substr(end + terminator);
    buffer_.resize(end);
    state_ = ParseHead(buffer_) ? State::Done : State::Bad;
    buffer_.clear();
    buffer_.shrink_to_fit();
    return state_;
}

bool ResponseHeadReader::ParseHead(std::string_view head)
{
    bool first = true;
    while (!head.empty()) {
        const std::size_t newline = head.find('\n');
        std::string_view line = head.substr(0, newline);
        head = newline == std::string_view::npos ? std::string_view() : head.substr(newline + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        if (first) {
            // "HTTP/1.x 200 OK": the version, a space, three digits.
            first = false;
            const std::size_t space = line.find(' ');
            if (line.substr(0, 5) != "HTTP/" || space == std::string_view::npos || line.size() < space + 4)
                return false;
            const std::string_view code = line.substr(space + 1, 3);
            if ((line.size() > space + 4 && line[space + 4] != ' ') || !ParseNumber(code, 999))
                return false;
            status_ = static_cast<int>(*ParseNumber(code, 999));
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string_view name = Trimmed(line.substr(0, colon));
        const std::string_view value = Trimmed(line.substr(colon + 1));
        if (EqualsIgnoringCase(name, "Location")) {
            location_ = std::string(value);
        } else if (EqualsIgnoringCase(name, "Content-Length")) {
            const auto length = ParseNumber(value, std::numeric_limits<std::uint64_t>::max());
            // A length that is not a number, or two that differ, make the
            // body's end unknowable.
            if (!length || (contentLength_ && *contentLength_ != *length))
                return false;
            contentLength_ = length;
        }
    }
    return !first;
}

} // namespace torvane
