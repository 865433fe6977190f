#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

#include "fuzz_text.h"
#include "monitor/cpu_monitor_support.h"

using namespace torvane;

namespace {

bool EndsWith(const std::wstring& text, const std::wstring& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Checks the default-punctuation text: sign, grouped digits, the decimals the
// unit shows, and that it is the value rounded to those decimals.
void CheckShape(double value, const std::wstring& text)
{
    const wchar_t* unit;
    double divisor;
    int decimals;
    if (value <= 1024.0) {
        unit = L" B", divisor = 1.0, decimals = 0;
    } else if (value < 1048576.0) {
        unit = L" K", divisor = 1024.0, decimals = 0;
    } else if (value < 1073741824.0) {
        unit = L" MB", divisor = 1048576.0, decimals = 2;
    } else {
        unit = L" GB", divisor = 1073741824.0, decimals = 2;
    }
    FUZZ_CHECK(EndsWith(text, unit));
    std::wstring number = text.substr(0, text.size() - std::wcslen(unit));

    const bool negative = !number.empty() && number[0] == L'-';
    if (negative)
        number.erase(0, 1);
    if (decimals > 0) {
        FUZZ_CHECK(number.size() >= 4 && number[number.size() - 3] == L'.');
        FUZZ_CHECK(number[number.size() - 2] >= L'0' && number[number.size() - 2] <= L'9');
        FUZZ_CHECK(number[number.size() - 1] >= L'0' && number[number.size() - 1] <= L'9');
    }
    const std::size_t integerEnd = decimals > 0 ? number.size() - 3 : number.size();
    FUZZ_CHECK(integerEnd > 0);
    // Groups of three from the right, the leading group 1 to 3 digits.
    std::string plain;
    for (std::size_t i = 0; i < integerEnd; ++i) {
        const std::size_t fromRight = integerEnd - i;
        if (fromRight % 4 == 0 && fromRight != integerEnd) {
            FUZZ_CHECK(number[i] == L',');
        } else {
            FUZZ_CHECK(number[i] >= L'0' && number[i] <= L'9');
            plain += static_cast<char>(number[i]);
        }
    }
    FUZZ_CHECK(integerEnd % 4 != 0);
    FUZZ_CHECK(plain.size() == 1 || plain[0] != '0');
    if (decimals > 0) {
        plain += '.';
        plain += static_cast<char>(number[number.size() - 2]);
        plain += static_cast<char>(number[number.size() - 1]);
    }
    const double shown = std::strtod(plain.c_str(), nullptr);
    // No "-0": a sign only on something that is not zero.
    FUZZ_CHECK(negative == (value < 0 && shown != 0));
    const double exact = std::fabs(value / divisor);
    const double step = decimals > 0 ? 0.01 : 1.0;
    FUZZ_CHECK(std::fabs(shown - exact) <= step / 2 + exact * 1e-12);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < sizeof(double))
        return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    data += sizeof value;
    size -= sizeof value;

    const NumberPunctuation standard;
    const std::wstring text = FormatFilesize(value, standard);
    if (!std::isfinite(value)) {
        FUZZ_CHECK(text.empty());
        return 0;
    }
    CheckShape(value, text);

    // Other punctuation: the first byte splits the rest into the two marks.
    if (size == 0)
        return 0;
    const std::size_t split = std::min<std::size_t>(data[0], size - 1);
    NumberPunctuation local;
    local.groupSeparator = FuzzWide(data + 1, split);
    local.decimalSeparator = FuzzWide(data + 1 + split, size - 1 - split);
    std::wstring expected;
    for (wchar_t c : text) {
        if (c == L',')
            expected += local.groupSeparator;
        else if (c == L'.')
            expected += local.decimalSeparator;
        else
            expected += c;
    }
    FUZZ_CHECK(FormatFilesize(value, local) == expected);
    return 0;
}
