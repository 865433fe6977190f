#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_text.h"
#include "links/ad_text.h"

using namespace torvane;

namespace {

bool IsControl(wchar_t c)
{
    return (c >= 0x00 && c <= 0x1F) || (c >= 0x7F && c <= 0x9F);
}

bool IsMarker(const std::wstring& body)
{
    return body.size() >= 2 && (body[0] == L'A' || body[0] == L'a') && (body[1] == L'D' || body[1] == L'd');
}

void CheckCaption(const std::wstring& text)
{
    const std::wstring safe = CaptionSafe(text);
    const std::size_t nul = text.find(L'\0');
    const std::wstring head = text.substr(0, nul);

    FUZZ_CHECK(safe.size() == head.size());
    bool visible = false;
    for (std::size_t i = 0; i < safe.size(); ++i) {
        FUZZ_CHECK(!IsControl(safe[i]));
        // Each character is kept, or is a control character shown as a space.
        FUZZ_CHECK(safe[i] == head[i] || (IsControl(head[i]) && safe[i] == L' '));
        if (safe[i] != L' ')
            visible = true;
    }
    FUZZ_CHECK(CaptionSafe(safe) == safe);

    // Taken exactly when the label would show something besides spaces.
    const bool accepted = AcceptAdText(text);
    FUZZ_CHECK(accepted == visible);
    if (accepted)
        FUZZ_CHECK(!safe.empty() && !head.empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::wstring body = FuzzWide(data, size);

    const std::wstring ad = AdTextFromBody(body);
    if (IsMarker(body))
        FUZZ_CHECK(ad == body.substr(2));
    else
        FUZZ_CHECK(ad.empty());

    CheckCaption(body);
    CheckCaption(ad);
    return 0;
}
