#include <cstddef>
#include <cstdint>
#include <cwctype>
#include <optional>
#include <string>

#include "controls/access_key.h"
#include "fuzz_text.h"

using namespace torvane;

namespace {

wchar_t Lower(wchar_t c)
{
    return static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::wstring caption = FuzzWide(data, size);
    const std::optional<wchar_t> key = AccessKeyOf(caption);

    const std::size_t first = caption.find(L'&');
    if (first == std::wstring::npos) {
        FUZZ_CHECK(!key);
        return 0;
    }
    // A first "&" followed by anything but "&" marks that character.
    if (first + 1 < caption.size() && caption[first + 1] != L'&')
        FUZZ_CHECK(key && *key == Lower(caption[first + 1]));
    if (!key)
        return 0;

    FUZZ_CHECK(*key != L'&');
    FUZZ_CHECK(Lower(*key) == *key);
    // The key follows an "&" that does not itself follow a marking "&".
    bool found = false;
    for (std::size_t i = first; i + 1 < caption.size() && !found; ++i) {
        if (caption[i] == L'&' && caption[i + 1] != L'&' && Lower(caption[i + 1]) == *key)
            found = true;
    }
    FUZZ_CHECK(found);
    // Text after a key cannot change it; text before the first "&" neither.
    FUZZ_CHECK(AccessKeyOf(caption + L"&z") == key);
    FUZZ_CHECK(AccessKeyOf(L"ab" + caption) == key);
    return 0;
}
