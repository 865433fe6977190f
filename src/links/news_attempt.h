#pragma once

#include <string_view>
#include <vector>

#include "links/http_exchange.h"

namespace torvane {

// One try at the news text: the request to the news address and the
// redirects it may follow. However the site answers, an attempt asks it at
// most kNewsRedirectLimit + 1 times; only a 200 answer is read as news.
class NewsAttempt {
public:
    static constexpr int kNewsRedirectLimit = 3;

    enum class Step {
        ReadBody, // a 200: its body is the news text
        Follow,   // a redirect to take: Current() is the next address to ask
        NoText,   // anything else ends the attempt with no text
    };

    explicit NewsAttempt(HttpAddress origin);

    // The address to ask next.
    const HttpAddress& Current() const { return visited_.back(); }

    // What to do with the answer to the request for Current(). A redirect is
    // followed only to the origin's own host and port, to an address not yet
    // asked in this attempt, and at most kNewsRedirectLimit times.
    Step OnResponse(int status, std::string_view location);

private:
    std::vector<HttpAddress> visited_;
};

} // namespace torvane
