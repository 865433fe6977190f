#pragma once

#include <string>

namespace torvane {

enum class SettingsControl {
    CheckAutoRun,
    CheckAutoMin,
    CheckState,
    CheckRestoreOriginal,
    CheckAlwaysOnTop,
    ComboSpeed,
    CheckEnableRecord,
    ComboAutoCleanCount,
};

// The controls of the settings page. Setting a state here runs no handler.
class SettingsControls {
public:
    virtual ~SettingsControls() = default;
    virtual int CheckValue(SettingsControl box) = 0;
    virtual void SetCheckValue(SettingsControl box, int value) = 0;
    // The selected item's text, empty when none is selected.
    virtual std::wstring ComboText(SettingsControl combo) = 0;
    virtual void AddComboItem(SettingsControl combo, const std::wstring& item) = 0;
    virtual void SelectComboItem(SettingsControl combo, const std::wstring& item) = 0;
};

class WindowZOrder {
public:
    virtual ~WindowZOrder() = default;
    virtual void SetTopmost(bool topmost) = 0;
};

} // namespace torvane
