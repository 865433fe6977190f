#pragma once

#include <string>

namespace torvane {

// Where the vendor's pages live. `host` may carry a port ("127.0.0.1:8080");
// it is also LabelHomePage's caption at load. `webAddress` is LabelWeb's
// caption; `agent` is the user agent sent with the news-text request.
struct VendorSite {
    std::wstring host;
    std::wstring webAddress;
    std::wstring agent;
};

std::wstring HomePageUrl(const VendorSite& site); // http://HOST/
std::wstring AdTextUrl(const VendorSite& site);   // http://HOST/ad/tv/
std::wstring AdPageUrl(const VendorSite& site);   // http://HOST/ad/tv/page/

// The text after a leading "AD" marker (either letter in either case), or the
// empty text when the body does not start with it.
std::wstring AdTextFromBody(const std::wstring& decodedBody);

// Whether a fetched text is taken as the news line: cut at the first NUL and
// trimmed of spaces, it must leave something. It is judged as the label would
// show it (after CaptionSafe), so a text of only control characters is refused.
bool AcceptAdText(const std::wstring& text);

// The text as the label may show it: cut at the first NUL (the part the
// acceptance rule looked at), every other control character (U+0001-U+001F,
// U+007F-U+009F) replaced by a space. Leading spaces are kept.
std::wstring CaptionSafe(const std::wstring& text);

} // namespace torvane
