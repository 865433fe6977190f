#pragma once

#include <cstdint>
#include <string>

namespace torvane {

// The two speed modes offered by ComboSpeed. Any text other than the normal
// mode's counts as crazy.
enum class SpeedMode { Normal, Crazy };

inline const wchar_t kNormalModeText[] = L"普通提速";
inline const wchar_t kCrazyModeText[] = L"疯狂提速";

constexpr std::uint32_t kNormalPriorityClass = 0x20;
constexpr std::uint32_t kHighPriorityClass = 0x80;
constexpr std::uint32_t kRealtimePriorityClass = 0x100;

SpeedMode SpeedModeFromText(const std::wstring& comboText);

// Class given to the process that comes to the foreground.
std::uint32_t BoostPriorityClass(SpeedMode mode);

// The part of the record line between the title and the gain figure.
const wchar_t* RecordModeText(SpeedMode mode);

} // namespace torvane
