#pragma once

#include <windows.h>

#include "app/win_child_controls.h"
#include "app/settings_controls.h"

// The settings page's Win32 controls.
class SettingsPageView : public SettingsControls {
public:
    void Create(const ChildFactory& factory, HFONT headingFont);

    // The control behind a child id, if it is one of the page's settings.
    static bool FromId(int id, SettingsControl& control);

    int CheckValue(SettingsControl box) override;
    void SetCheckValue(SettingsControl box, int value) override;
    std::wstring ComboText(SettingsControl combo) override;
    void AddComboItem(SettingsControl combo, const std::wstring& item) override;
    void SelectComboItem(SettingsControl combo, const std::wstring& item) override;

private:
    HWND Handle(SettingsControl control) const;

    HWND checkAutoRun_ = nullptr;
    HWND checkAutoMin_ = nullptr;
    HWND checkState_ = nullptr;
    HWND checkAlwaysOnTop_ = nullptr;
    HWND comboSpeed_ = nullptr;
    HWND checkEnableRecord_ = nullptr;
    HWND comboAutoCleanCount_ = nullptr;
};
