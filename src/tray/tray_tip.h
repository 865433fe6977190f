#pragma once

#include <string>

namespace torvane {

// What the tray icon's tip says Torvane is doing: paused, boosting the title
// boosted last, or (before the first boost) only its name.
std::wstring TrayTipText(bool speedUp, const std::wstring& boostedTitle);

} // namespace torvane
