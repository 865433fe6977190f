#pragma once

#include <memory>

#include <windows.h>

#include "app/about_page_window.h"
#include "app/exclusions_page.h"
#include "app/exclusions_page_window.h"
#include "settings/config_place.h"
#include "app/form_load.h"
#include "app/page_navigation.h"
#include "app/records_page_window.h"
#include "app/settings_page.h"
#include "app/settings_page_window.h"
#include "app/status_page_window.h"
#include "app/win_chrome_controls.h"
#include "app/win_ui_font.h"
#include "booster/booster.h"
#include "booster/switch_settle.h"
#include "booster/win_foreground_events.h"
#include "tray/win_tray_icon.h"
#include "tray/win_tray_popup_menu.h"
#include "platform/local_clock.h"
#include "platform/win_base_window.h"
#include "platform/win_handles.h"

namespace torvane {

// The borderless main window with its pages. Closing it only hides it;
// the program ends through ExitProgram.
class MainWindow : public BaseWindow<MainWindow>, private StartupHost {
public:
    MainWindow(Booster& booster, ConfigSettings& config, Autorun& autorun, LocalClock& clock, LogFile& logFile,
               const ConfigPlace& place, CpuMonitorSupport& monitorSupport, std::wstring iconPath);

    // Creates the window, runs its load and shows it unless the load hid it.
    bool Create();
    void ExitProgram();
    // The keyboard's part before the dialog navigation: true when the
    // message was used and goes no further.
    bool TranslateKey(const MSG& message) { return chrome_.TranslateKey(message); }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // StartupHost
    void LayoutPages() override;
    void ResetState() override;
    void HideWindow() override;
    void InstallTrayIcon() override;
    void SetTopmost(bool topmost) override;
    void ProcessPendingMessages() override;
    void SetTaskBarStyle() override;
    void LoadFinished() override;

    bool TrayMessage(UINT message, LPARAM lParam);
    void TrayMenuCommand(int id);
    void ShowAndRestoreMainWindow();
    bool CreatePages(int dpi);
    void TimerMain_Timer();
    void ForegroundSwitched(HWND window);
    void SwitchSettled();
    void ShowTick(const BoostTick& tick);
    // "启用提速" from the tray menu: what a click on the settings page's box does.
    void ToggleSpeedUp();
    void SpeedUpChanged();
    void UpdateTrayTip();
    void Form_Unload();
    LRESULT OwnControlBackground(HDC dc);

    Booster& booster_;
    ConfigSettings& config_;
    Autorun& autorun_;
    LocalClock& clock_;
    CpuMonitorSupport& monitorSupport_;

    std::unique_ptr<UiFonts> fonts_;
    ScopedWindow tooltip_; // outlives the pages' tools: destroyed with this object
    ScopedGdiObject<HBRUSH> background_;
    StatusPageWindow status_;
    RecordsPageWindow records_;
    SettingsPageWindow settingsView_;
    AboutPageWindow about_;
    ExclusionsPageWindow exclusionsView_;
    ChromeControls chrome_;
    BoosterSettings boosting_;
    SettingsPage settingsPage_;
    ExclusionsPage exclusionsPage_;
    TrayIcon tray_;
    UINT taskbarCreatedMessage_ = 0;
    UINT bringUpMessage_ = 0;
    TrayPopupMenu trayMenu_;
    ForegroundEvents foregroundEvents_;
    SwitchSettle switchSettle_;
    // The title of the boost the tray tip names; empty before the first.
    std::wstring boostedTitle_;

    bool loaded_ = false;
    bool isExiting_ = false;
    bool hiddenAtLoad_ = false;
    bool trayPending_ = false; // asked for at load, added once the window is up
};

} // namespace torvane
