#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/settings_controls.h"
#include "booster/booster_settings.h"
#include "settings/autorun.h"
#include "settings/config_settings.h"

namespace torvane {

// The settings page's behaviour: every control stores its key the moment its
// state changes, whoever changed it; two of them also act on the system, and
// four are what the booster reads.
class SettingsPage {
public:
    SettingsPage(SettingsControls& controls, ConfigSettings& config, Autorun& autorun, WindowZOrder& zOrder,
                 BoosterSettings& boosting);

    void FillCombos();
    // Sets each control from config.ini, running its handler only where its
    // state really changes. AlwaysTop comes as start-up already read it.
    void ApplyStoredSettings(const std::optional<std::wstring>& alwaysTop);

    // The control's state changed; runs its handler.
    void OnClick(SettingsControl control);

    void CheckAutoRun_Click();
    void CheckAutoMin_Click();
    void CheckState_Click();
    void CheckRestoreOriginal_Click();
    void CheckAlwaysOnTop_Click();
    void ComboSpeed_Click();
    void CheckEnableRecord_Click();
    void ComboAutoCleanCount_Click();

private:
    void ApplyCheck(SettingsControl box, int value);
    void ApplyCombo(SettingsControl combo, const std::wstring& item);

    SettingsControls& controls_;
    ConfigSettings& config_;
    Autorun& autorun_;
    WindowZOrder& zOrder_;
    BoosterSettings& boosting_;
};

// The items of ComboAutoCleanCount, in order.
const std::vector<std::wstring>& AutoCleanCountItems();

// The item shown for a stored RecordCount value: the matching item, or else the
// nearest one (the larger on a tie), since a drop-down list can show nothing else.
std::wstring AutoCleanCountItemFor(double storedValue);

} // namespace torvane
