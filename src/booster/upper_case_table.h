#pragma once

namespace torvane {

// A UTF-16 code unit in upper case, as Windows upper-cases file names to
// compare them: one code unit for one, in every script; the rest unchanged.
char16_t UpperCaseOf(char16_t c);

} // namespace torvane
