#pragma once

#include <optional>
#include <string>

namespace torvane {

// The number a stored setting text begins with: leading blanks skipped, an
// optional sign, digits with an optional fraction and exponent. A text that
// does not begin with a number, an empty text and an absent key give 0.
double SettingValue(const std::optional<std::wstring>& stored);

// An on/off key is on exactly when its value is 1.
bool SettingIsOn(const std::optional<std::wstring>& stored);

// The switch texts written for an on/off key.
inline const wchar_t* SwitchText(bool on) { return on ? L"1" : L"0"; }

} // namespace torvane
