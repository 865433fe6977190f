#include "links/news_attempt.h"

#include <algorithm>
#include <utility>

namespace torvane {

namespace {

bool IsRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

} // namespace

NewsAttempt::NewsAttempt(HttpAddress origin)
{
    visited_.push_back(std::move(origin));
}

NewsAttempt::Step NewsAttempt::OnResponse(int status, std::string_view location)
{
    if (status == 200)
        return Step::ReadBody;
    if (!IsRedirect(status) || static_cast<int>(visited_.size()) > kNewsRedirectLimit)
        return Step::NoText;
    const auto next = ResolveLocation(Current(), location);
    if (!next || !next->SameOrigin(visited_.front()) ||
        std::find(visited_.begin(), visited_.end(), *next) != visited_.end())
        return Step::NoText;
    visited_.push_back(*next);
    return Step::Follow;
}

} // namespace torvane
