#pragma once

#include <optional>
#include <string>
#include <utility>

#include "links/ad_text.h"

namespace torvane {

// The about page's news line: it shows the site's host until a fetched text
// is taken, then that text for the rest of the run, and its click opens the
// home page or the news page accordingly.
class NewsLine {
public:
    explicit NewsLine(VendorSite site) : site_(std::move(site)) {}

    const VendorSite& site() const { return site_; }
    // LabelHomePage's caption at load.
    const std::wstring& InitialCaption() const { return site_.host; }

    // The caption to show for a fetched text, or nothing when the text is
    // not taken and the next tick fetches again. Once one is taken, fetching
    // is over.
    std::optional<std::wstring> Take(const std::wstring& fetched);
    bool Done() const { return done_; }

    // Where a click on the line goes, given the caption it shows.
    std::wstring ClickTarget(const std::wstring& caption) const;

private:
    VendorSite site_;
    bool done_ = false;
};

} // namespace torvane
