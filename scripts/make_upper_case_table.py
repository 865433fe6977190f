#!/usr/bin/env python3
"""Writes src/booster/upper_case_table.cpp: the simple upper-case mapping of
every UTF-16 code unit that has one, as Windows upper-cases a file name
before comparing it. Python's own Unicode data is the source; run it again
when that moves on."""
import pathlib
import unicodedata

pairs = []
for code in range(0x10000):
    if 0xD800 <= code <= 0xDFFF:
        continue
    upper = chr(code).upper()
    # Only one-for-one mappings: Windows never makes "SS" of "ß".
    if len(upper) == 1 and ord(upper) != code and ord(upper) < 0x10000:
        pairs.append((code, ord(upper) - code))

# Runs of the same offset, every code unit or every second one.
runs = []
i = 0
while i < len(pairs):
    first, delta = pairs[i]
    j, step = i, 1
    if i + 1 < len(pairs) and pairs[i + 1][1] == delta and pairs[i + 1][0] - first in (1, 2):
        step = pairs[i + 1][0] - first
        j = i + 1
        while j + 1 < len(pairs) and pairs[j + 1][1] == delta and pairs[j + 1][0] - pairs[j][0] == step:
            j += 1
    runs.append((first, pairs[j][0], step, delta))
    i = j + 1

rows = "\n".join(f"    {{0x{a:04X}, 0x{b:04X}, {s}, {d}}}," for a, b, s, d in runs)
text = f"""// Written by scripts/make_upper_case_table.py from Unicode {unicodedata.unidata_version}; do not edit.
#include "booster/upper_case_table.h"

#include <algorithm>
#include <iterator>

namespace torvane {{

namespace {{

struct UpperCaseRun {{
    char16_t first;
    char16_t last;
    int step;  // every code unit, or every second one
    int delta; // added to make the upper case
}};

constexpr UpperCaseRun kRuns[] = {{
{rows}
}};

}} // namespace

char16_t UpperCaseOf(char16_t c)
{{
    const auto run = std::upper_bound(std::begin(kRuns), std::end(kRuns), c,
                                      [](char16_t unit, const UpperCaseRun& r) {{ return unit < r.first; }});
    if (run == std::begin(kRuns))
        return c;
    const UpperCaseRun& r = *std::prev(run);
    if (c > r.last || (c - r.first) % r.step != 0)
        return c;
    return static_cast<char16_t>(c + r.delta);
}}

}} // namespace torvane
"""
out = pathlib.Path(__file__).resolve().parent.parent / "src" / "booster" / "upper_case_table.cpp"
out.write_text(text, encoding="utf-8")
print(f"{out}: {len(runs)} runs, {len(pairs)} code units")
