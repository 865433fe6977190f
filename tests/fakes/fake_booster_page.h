#pragma once

#include <string>

#include "booster/boost_tick.h"
#include "booster/booster_settings.h"

namespace torvane {

// The pages as plain fields with their designed captions, drawn from the
// booster's ticks as the real pages draw them, and the settings page's
// choices the booster reads.
class FakeBoosterPage {
public:
    BoosterSettings Settings() const
    {
        BoosterSettings settings;
        settings.speedUp = speedUp;
        settings.mode = SpeedModeFromText(speedMode);
        settings.recording = recording;
        settings.recordLimit = SettingValue(limit);
        settings.restoreOriginal = restoreOriginal;
        return settings;
    }

    void Show(const BoostTick& tick)
    {
        if (tick.ran)
            time = tick.time;
        if (tick.recorded) {
            if (tick.historyCleared) {
                history.clear();
                ++clears;
            }
            history += tick.historyAdded;
        }
        if (tick.recorded && !tick.failed) {
            target = tick.title;
            speedCount = tick.speedCountSentence;
            speed = tick.gain;
        }
        if (tick.boosted) {
            info = tick.title;
            tooltip = tick.title;
            count = std::to_wstring(tick.count);
        }
    }

    bool speedUp = true;
    std::wstring speedMode = L"普通提速";
    bool recording = true;
    bool restoreOriginal = false;
    std::wstring limit = L"800";
    int clears = 0;

    std::wstring time = L"0";
    std::wstring info = L"无";
    std::wstring tooltip;
    std::wstring count = L"0";
    std::wstring target = L"无";
    std::wstring speedCount = L"0";
    std::wstring speed = L"0%";
    std::wstring history;
};

} // namespace torvane
