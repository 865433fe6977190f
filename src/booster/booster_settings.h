#pragma once

#include <string>

#include "booster/excluded_programs.h"
#include "booster/speed_mode.h"
#include "settings/setting_value.h"

namespace torvane {

// What the booster reads of the settings page, kept up to date by the
// settings handlers on every change. It starts as the page does before the
// stored settings are applied: speed-up and recording on, no item chosen.
struct BoosterSettings {
    bool speedUp = true;                           // "启用提速"
    SpeedMode mode = SpeedModeFromText(L"");       // "提速级别"
    bool recording = true;                         // "启用提速记录"
    double recordLimit = SettingValue(std::wstring()); // "最大记录数"
    bool restoreOriginal = false;                  // "恢复原优先级"
    ExcludedPrograms excluded;                     // [Exclude] Programs
};

} // namespace torvane
