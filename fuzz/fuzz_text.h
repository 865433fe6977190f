#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Fuzz bytes as wide text. A byte below 0xC0 is that code unit, so ASCII
// seeds stay readable and NUL, C0/C1 controls and Latin-1 are reached; a byte
// 0xC0-0xFF takes the next two bytes as a little-endian UTF-16 unit, so the
// whole BMP (CJK, surrogates, U+FFFF) is reached too.
inline std::wstring FuzzWide(const std::uint8_t* data, std::size_t size)
{
    std::wstring text;
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t b = data[i++];
        if (b >= 0xC0 && i + 2 <= size) {
            text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
            i += 2;
        } else {
            text += static_cast<wchar_t>(b);
        }
    }
    return text;
}

// A broken property: report it and abort so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                        \
    do {                                                                             \
        if (!(condition)) {                                                          \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, \
                         #condition);                                                \
            std::abort();                                                            \
        }                                                                            \
    } while (0)
