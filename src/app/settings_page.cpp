#include "app/settings_page.h"

#include <cmath>

#include "booster/speed_mode.h"
#include "settings/setting_value.h"

namespace torvane {

SettingsPage::SettingsPage(SettingsControls& controls, ConfigSettings& config, Autorun& autorun,
                           WindowZOrder& zOrder, BoosterSettings& boosting)
    : controls_(controls), config_(config), autorun_(autorun), zOrder_(zOrder), boosting_(boosting)
{
}

const std::vector<std::wstring>& AutoCleanCountItems()
{
    static const std::vector<std::wstring> items = {L"50", L"100", L"300", L"500", L"800"};
    return items;
}

std::wstring AutoCleanCountItemFor(double storedValue)
{
    const std::vector<std::wstring>& items = AutoCleanCountItems();
    if (std::isnan(storedValue))
        return items.front();
    std::wstring best = items.front();
    double bestDistance = INFINITY;
    for (const std::wstring& item : items) {
        const double distance = std::fabs(std::stod(item) - storedValue);
        if (distance <= bestDistance) {
            best = item;
            bestDistance = distance;
        }
    }
    return best;
}

void SettingsPage::FillCombos()
{
    controls_.AddComboItem(SettingsControl::ComboSpeed, kNormalModeText);
    controls_.AddComboItem(SettingsControl::ComboSpeed, kCrazyModeText);
    for (const std::wstring& item : AutoCleanCountItems())
        controls_.AddComboItem(SettingsControl::ComboAutoCleanCount, item);
}

void SettingsPage::ApplyStoredSettings(const std::optional<std::wstring>& alwaysTop)
{
    ApplyCheck(SettingsControl::CheckAutoRun, SettingIsOn(config_.ReadAutoRun()) ? 1 : 0);
    ApplyCheck(SettingsControl::CheckAutoMin, SettingIsOn(config_.ReadAutoMin()) ? 1 : 0);
    ApplyCombo(SettingsControl::ComboSpeed,
               SettingIsOn(config_.ReadSpeedLevel()) ? kNormalModeText : kCrazyModeText);
    ApplyCheck(SettingsControl::CheckEnableRecord, SettingIsOn(config_.ReadEnableRecord()) ? 1 : 0);
    ApplyCombo(SettingsControl::ComboAutoCleanCount,
               AutoCleanCountItemFor(SettingValue(config_.ReadRecordCount())));
    ApplyCheck(SettingsControl::CheckState, SettingIsOn(config_.ReadEnableSpeed()) ? 1 : 0);
    ApplyCheck(SettingsControl::CheckRestoreOriginal, SettingIsOn(config_.ReadRestoreOriginal()) ? 1 : 0);
    ApplyCheck(SettingsControl::CheckAlwaysOnTop, SettingIsOn(alwaysTop) ? 1 : 0);
}

void SettingsPage::ApplyCheck(SettingsControl box, int value)
{
    if (controls_.CheckValue(box) == value)
        return;
    controls_.SetCheckValue(box, value);
    OnClick(box);
}

void SettingsPage::ApplyCombo(SettingsControl combo, const std::wstring& item)
{
    if (controls_.ComboText(combo) == item)
        return;
    controls_.SelectComboItem(combo, item);
    OnClick(combo);
}

void SettingsPage::OnClick(SettingsControl control)
{
    switch (control) {
    case SettingsControl::CheckAutoRun: CheckAutoRun_Click(); break;
    case SettingsControl::CheckAutoMin: CheckAutoMin_Click(); break;
    case SettingsControl::CheckState: CheckState_Click(); break;
    case SettingsControl::CheckRestoreOriginal: CheckRestoreOriginal_Click(); break;
    case SettingsControl::CheckAlwaysOnTop: CheckAlwaysOnTop_Click(); break;
    case SettingsControl::ComboSpeed: ComboSpeed_Click(); break;
    case SettingsControl::CheckEnableRecord: CheckEnableRecord_Click(); break;
    case SettingsControl::ComboAutoCleanCount: ComboAutoCleanCount_Click(); break;
    }
}

void SettingsPage::CheckAutoRun_Click()
{
    const bool checked = controls_.CheckValue(SettingsControl::CheckAutoRun) != 0;
    if (checked)
        autorun_.AddAutorun();
    else
        autorun_.RemoveAutorun();
    config_.WriteAutoRun(SwitchText(checked));
}

void SettingsPage::CheckAutoMin_Click()
{
    config_.WriteAutoMin(SwitchText(controls_.CheckValue(SettingsControl::CheckAutoMin) == 1));
}

void SettingsPage::CheckState_Click()
{
    const int value = controls_.CheckValue(SettingsControl::CheckState);
    boosting_.speedUp = value != 0;
    config_.WriteEnableSpeed(SwitchText(value == 1));
}

void SettingsPage::CheckRestoreOriginal_Click()
{
    const bool on = controls_.CheckValue(SettingsControl::CheckRestoreOriginal) == 1;
    boosting_.restoreOriginal = on;
    config_.WriteRestoreOriginal(SwitchText(on));
}

void SettingsPage::CheckAlwaysOnTop_Click()
{
    const bool on = controls_.CheckValue(SettingsControl::CheckAlwaysOnTop) == 1;
    config_.WriteAlwaysTop(SwitchText(on));
    zOrder_.SetTopmost(on);
}

void SettingsPage::ComboSpeed_Click()
{
    const std::wstring text = controls_.ComboText(SettingsControl::ComboSpeed);
    boosting_.mode = SpeedModeFromText(text);
    config_.WriteSpeedLevel(text == kNormalModeText ? L"1" : L"2");
}

void SettingsPage::CheckEnableRecord_Click()
{
    const int value = controls_.CheckValue(SettingsControl::CheckEnableRecord);
    boosting_.recording = value == 1;
    config_.WriteEnableRecord(std::to_wstring(value));
}

void SettingsPage::ComboAutoCleanCount_Click()
{
    const std::wstring text = controls_.ComboText(SettingsControl::ComboAutoCleanCount);
    boosting_.recordLimit = SettingValue(text);
    config_.WriteRecordCount(text);
}

} // namespace torvane
