#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/trim_null.h"
#include "fuzz_text.h"

using namespace torvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::wstring text = FuzzWide(data, size);
    const std::wstring out = TrimNull(text);

    const std::wstring head = text.substr(0, text.find(L'\0'));
    FUZZ_CHECK(out.find(L'\0') == std::wstring::npos);
    if (out.empty()) {
        // Nothing left only when the part before the NUL is all spaces.
        FUZZ_CHECK(head.find_first_not_of(L' ') == std::wstring::npos);
        return 0;
    }
    FUZZ_CHECK(out.front() != L' ' && out.back() != L' ');
    // Exactly the head less its outer spaces: what was cut is only spaces.
    const std::size_t at = head.find_first_not_of(L' ');
    FUZZ_CHECK(at != std::wstring::npos);
    FUZZ_CHECK(head.compare(at, out.size(), out) == 0);
    FUZZ_CHECK(head.find_first_not_of(L' ', at + out.size()) == std::wstring::npos);
    // Trimming again changes nothing.
    FUZZ_CHECK(TrimNull(out) == out);
    return 0;
}
