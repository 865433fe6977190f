#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "fuzz_text.h"
#include "settings/setting_value.h"

using namespace torvane;

namespace {

bool IsNumberChar(wchar_t c)
{
    return (c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c == L'.' || c == L'e' || c == L'E';
}

// strtod over the run of sign, digit, point and exponent characters after the
// leading blanks: with no letters but e/E and no blanks in the run, strtod
// can only read a plain decimal number there, so it is an independent model.
double ModelValue(const std::wstring& text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    std::string run;
    while (i < text.size() && IsNumberChar(text[i]))
        run += static_cast<char>(text[i++]);
    return std::strtod(run.c_str(), nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<std::wstring> stored = FuzzWide(data, size);
    const double value = SettingValue(stored);

    FUZZ_CHECK(!std::isnan(value));
    const double model = ModelValue(*stored);
    FUZZ_CHECK(value == model);
    FUZZ_CHECK(std::signbit(value) == std::signbit(model));
    FUZZ_CHECK(SettingIsOn(stored) == (value == 1.0));

    // Text after a character that cannot continue a number does not count.
    std::wstring cut = *stored;
    cut.insert(0, L"x");
    FUZZ_CHECK(SettingValue(cut) == 0);
    FUZZ_CHECK(!SettingIsOn(cut));

    FUZZ_CHECK(SettingValue(std::nullopt) == 0);
    FUZZ_CHECK(!SettingIsOn(std::nullopt));
    return 0;
}
