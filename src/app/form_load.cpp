#include "app/form_load.h"

#include "settings/setting_value.h"

namespace torvane {

void FormLoad(StartupHost& host, ConfigSettings& config, Autorun& autorun, SettingsPage& page)
{
    host.LayoutPages();
    host.ResetState();
    if (SettingIsOn(config.ReadAutoMin()))
        host.HideWindow();
    host.InstallTrayIcon();
    if (SettingIsOn(config.ReadAutoRun()))
        autorun.AddAutorun();
    else
        autorun.RemoveAutorun();
    const std::optional<std::wstring> alwaysTop = config.ReadAlwaysTop();
    if (SettingIsOn(alwaysTop))
        host.SetTopmost(true);
    // Ticks queued meanwhile run here; LoadFinished has not been called, so
    // they do nothing, whatever the designed initial states would say.
    host.ProcessPendingMessages();
    page.FillCombos();
    page.ApplyStoredSettings(alwaysTop);
    host.SetTaskBarStyle();
    host.LoadFinished();
}

} // namespace torvane
