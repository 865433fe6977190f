#pragma once

#include "app/settings_page.h"
#include "settings/autorun.h"
#include "settings/config_settings.h"

namespace torvane {

// The main window's side of start-up, in the order FormLoad calls it; its
// SetTopmost is the one the settings page uses too.
class StartupHost : public WindowZOrder {
public:
    virtual void LayoutPages() = 0;          // pages, chrome, the time label
    virtual void ResetState() = 0;           // booster state, the exit flag
    virtual void HideWindow() = 0;
    virtual void InstallTrayIcon() = 0;      // TaskbarCreated, the icon, the subclass
    virtual void ProcessPendingMessages() = 0;
    virtual void SetTaskBarStyle() = 0;
    virtual void LoadFinished() = 0;         // from here on the booster's ticks act
};

// Runs the main window's load: lays it out, applies config.ini to the window,
// the start-with-system value and the settings page.
void FormLoad(StartupHost& host, ConfigSettings& config, Autorun& autorun, SettingsPage& page);

} // namespace torvane
