#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_text.h"
#include "links/http_exchange.h"
#include "links/news_attempt.h"

using namespace torvane;

// The answer of an untrusted site, fed in two pieces split at the first byte,
// and its Location followed as a redirect.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t split = data[0] % (bytes.size() + 1);

    ResponseHeadReader whole;
    whole.Feed(bytes);
    ResponseHeadReader pieces;
    const bool doneEarly = pieces.Feed(bytes.substr(0, split)) == ResponseHeadReader::State::Done;
    pieces.Feed(bytes.substr(split));
    // Where the pieces are cut must not change what is read.
    FUZZ_CHECK(whole.state() == pieces.state());
    if (whole.state() != ResponseHeadReader::State::Done)
        return 0;
    FUZZ_CHECK(whole.status() == pieces.status() && whole.location() == pieces.location());
    // Bytes that come after the head is read are the caller's body.
    FUZZ_CHECK(whole.BodyStart() == pieces.BodyStart() + std::string(doneEarly ? bytes.substr(split) : ""));
    FUZZ_CHECK(whole.status() >= 0 && whole.status() <= 999);

    const HttpAddress origin = *ParseHttpAddress("http://news.example:8080/ad/tv/");
    NewsAttempt attempt(origin);
    int requests = 1;
    while (attempt.OnResponse(whole.status(), whole.location()) == NewsAttempt::Step::Follow) {
        ++requests;
        FUZZ_CHECK(requests <= NewsAttempt::kNewsRedirectLimit + 1);
        FUZZ_CHECK(attempt.Current().SameOrigin(origin));
        // Whatever the site said, the request line stays one line.
        const std::string request = GetRequestText(attempt.Current(), "agent");
        FUZZ_CHECK(request.find_first_of(" \r\n") == 3 && request.find("\r\n") > request.find(" HTTP/1.0"));
    }
    return 0;
}
