#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/settings_controls.h"

namespace torvane {

// The settings page's controls in their designed initial states.
class FakeSettingsControls : public SettingsControls {
public:
    int CheckValue(SettingsControl box) override { return checks[box]; }
    void SetCheckValue(SettingsControl box, int value) override { checks[box] = value; }
    std::wstring ComboText(SettingsControl combo) override { return selected[combo]; }
    void AddComboItem(SettingsControl combo, const std::wstring& item) override { items[combo].push_back(item); }
    void SelectComboItem(SettingsControl combo, const std::wstring& item) override { selected[combo] = item; }

    std::map<SettingsControl, int> checks = {
        {SettingsControl::CheckAutoRun, 0},     {SettingsControl::CheckAutoMin, 0},
        {SettingsControl::CheckState, 1},       {SettingsControl::CheckAlwaysOnTop, 1},
        {SettingsControl::CheckEnableRecord, 1}, {SettingsControl::CheckRestoreOriginal, 0},
    };
    std::map<SettingsControl, std::wstring> selected;
    std::map<SettingsControl, std::vector<std::wstring>> items;
};

class FakeZOrder : public WindowZOrder {
public:
    void SetTopmost(bool topmost) override { calls.push_back(topmost); }
    std::vector<bool> calls;
};

} // namespace torvane
