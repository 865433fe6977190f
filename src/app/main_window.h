#pragma once

#include <memory>
#include <type_traits>

#include <windows.h>

#include "app/booster_page_view.h"
#include "app/form_load.h"
#include "app/image_view.h"
#include "app/page_navigation.h"
#include "app/window_chrome.h"
#include "app/records_page_view.h"
#include "app/settings_page.h"
#include "app/settings_page_view.h"
#include "app/status_page_view.h"
#include "app/win_ui_font.h"
#include "booster/booster.h"
#include "booster/records.h"
#include "links/vendor_site.h"
#include "links/win_ad_fetch.h"
#include "tray/tray_menu.h"
#include "tray/tray_window_proc.h"
#include "tray/win_tray_icon.h"
#include "platform/win_base_window.h"
#include "platform/local_clock.h"
#include "platform/win_handles.h"

// FormStates: the borderless main window with its four pages. Closing it
// only hides it; the program ends through ExitProgram.
class MainWindow : public BaseWindow<MainWindow>,
                   private StartupHost,
                   private WindowZOrder,
                   private PageView,
                   private ChromeHost,
                   private TrayHost,
                   private TrayMenuHost {
public:
    MainWindow(Booster& booster, ConfigSettings& config, Autorun& autorun, LocalClock& clock, LogFile& logFile,
               std::wstring logsPath, CpuMonitorSupport& monitorSupport, std::wstring iconPath);

    // Creates the window, runs its load and shows it unless the load hid it.
    bool Create();
    void ExitProgram() override;

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

    // PageView
    void MarkTab(Page tab, bool selected) override;
    void ShowPage(Page page, bool visible) override;
    void SetTip(const std::wstring& text) override;

    // TrayHost
    bool MainWindowVisible() override;
    void ShowMainWindow() override;
    void SetForeground() override;
    void ShowTrayMenu() override;
    void AddTrayIcon() override;
    std::intptr_t CallOldWindowProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    // TrayMenuHost
    void ShowAndRestoreMainWindow() override;
    void SelectMainWindowPage(Page page) override;
    void OpenHomePage() override;
    void RemoveTrayIcon() override;
    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // ChromeHost
    void StartDrag() override;
    void Minimise() override;
    void Unload() override;

    void CreatePages();
    void CreateChrome(int dpi);
    void CreateAboutPage(int dpi);
    void TimerMain_Timer();
    void Form_Unload();
    void OnCommand(WPARAM wParam);
    void CommandSaveRecords_Click();
    void CommandClearRecords_Click();
    void LabelWeb_Click();
    void LabelHomePage_Click();
    void TimerAd_Timer();
    void AdTextArrived(LPARAM text);
    void OpenPage(const std::wstring& url);
    LRESULT ControlBackground(HDC dc, HWND control);
    bool DrawSwatch(const DRAWITEMSTRUCT& item);

    Booster& booster_;
    ConfigSettings& config_;
    Autorun& autorun_;
    LocalClock& clock_;
    LogFile& logFile_;
    CpuMonitorSupport& monitorSupport_;
    std::wstring logsPath_;

    std::unique_ptr<UiFonts> fonts_;
    ScopedGdiObject<HBRUSH> background_;
    HWND pages_[4] = {};
    HWND tabs_[4] = {};
    HWND labelTip_ = nullptr;
    ImageView* tabImages_[4] = {};
    ImageView* imageMin_ = nullptr;
    ImageView* imageExit_ = nullptr;
    std::unique_ptr<WindowChrome> chrome_;
    VendorSite site_ = TheVendorSite();
    HWND labelWeb_ = nullptr;
    HWND labelHomePage_ = nullptr;
    std::unique_ptr<AdFetcher> adFetcher_;
    bool adFetchPending_ = false;
    TrayIcon tray_;
    UINT taskbarCreatedMessage_ = 0;
    UINT bringUpMessage_ = 0;
    WNDPROC oldWindowProc_ = nullptr;
    struct MenuDeleter {
        void operator()(HMENU menu) const { DestroyMenu(menu); }
    };
    std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter> trayMenu_;
    StatusPageView status_;
    RecordsPageView records_;
    SettingsPageView settingsView_;
    BoosterPageView boosterView_;
    SettingsPage settingsPage_;

    bool loaded_ = false;
    bool isExiting_ = false;
    bool hiddenAtLoad_ = false;
};
