#include "links/ad_text.h"

#include "platform/trim_null.h"
#include "platform/visible_text.h"

namespace torvane {

namespace {

std::wstring SiteUrl(const VendorSite& site, const wchar_t* path)
{
    return L"http://" + site.host + path;
}

// Only ASCII letters: towupper would depend on the C locale.
wchar_t AsciiUpper(wchar_t c)
{
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

} // namespace

std::wstring HomePageUrl(const VendorSite& site)
{
    return SiteUrl(site, L"/");
}

std::wstring AdTextUrl(const VendorSite& site)
{
    return SiteUrl(site, L"/ad/tv/");
}

std::wstring AdPageUrl(const VendorSite& site)
{
    return SiteUrl(site, L"/ad/tv/page/");
}

std::wstring AdTextFromBody(const std::wstring& decodedBody)
{
    if (decodedBody.size() < 2 || AsciiUpper(decodedBody[0]) != L'A' || AsciiUpper(decodedBody[1]) != L'D')
        return std::wstring();
    return decodedBody.substr(2);
}

bool AcceptAdText(const std::wstring& text)
{
    return !TrimNull(CaptionSafe(text)).empty();
}

std::wstring CaptionSafe(const std::wstring& text)
{
    return ControlCharactersAsSpaces(text.substr(0, text.find(L'\0')));
}

} // namespace torvane
