#include "links/news_line.h"

namespace torvane {

std::optional<std::wstring> NewsLine::Take(const std::wstring& fetched)
{
    if (done_ || !AcceptAdText(fetched))
        return std::nullopt;
    done_ = true;
    return CaptionSafe(fetched);
}

std::wstring NewsLine::ClickTarget(const std::wstring& caption) const
{
    // Case matters: only the host itself means no news has come.
    return caption == site_.host ? HomePageUrl(site_) : AdPageUrl(site_);
}

} // namespace torvane
