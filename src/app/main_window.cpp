#include "app/main_window.h"

#include <utility>

#include "app/control_ids.h"
#include "app/page_table.h"
#include "app/twips.h"
#include "app/win_single_instance.h"
#include "tray/tray_menu.h"
#include "tray/tray_tip.h"
#include "tray/tray_window_proc.h"
#include "links/vendor_site.h"
#include "platform/win_window_class.h"
#include "platform/win_window_queries.h"

namespace torvane {

namespace {

constexpr UINT_PTR kTimerMain = 1;
constexpr UINT kTimerMainInterval = 1000;
constexpr UINT_PTR kTimerSwitchSettle = 2;
// The system's report of a new window in front, from the event hook.
constexpr UINT kForegroundSwitchedMessage = WM_APP + 9;
constexpr COLORREF kWindowColour = RGB(236, 241, 248);

bool RegisterMainClass(WNDPROC procedure, HBRUSH background)
{
    WindowClassArgs mainClass;
    mainClass.name = kMainWindowClass;
    mainClass.procedure = procedure;
    mainClass.background = background;
    mainClass.icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    return RegisterWindowClass(mainClass);
}

} // namespace

MainWindow::MainWindow(Booster& booster, ConfigSettings& config, Autorun& autorun, LocalClock& clock,
                       LogFile& logFile, const ConfigPlace& place, CpuMonitorSupport& monitorSupport,
                       std::wstring iconPath)
    : booster_(booster), config_(config), autorun_(autorun), clock_(clock), monitorSupport_(monitorSupport),
      background_(CreateSolidBrush(kWindowColour)), records_(booster.history(), place.logsPath, logFile),
      about_(TheVendorSite(), place.inUserData ? place.configPath : std::wstring()),
      settingsPage_(settingsView_, config_, autorun_, *this, boosting_),
      exclusionsPage_(exclusionsView_, config_, boosting_),
      tray_(std::move(iconPath))
{
}

bool MainWindow::Create()
{
    if (!RegisterMainClass(WindowProcedure, background_.get()))
        return false;
    const int dpi = ScreenDpi();
    const int width = TwipsToPixels(MainWindowLayout::kWidth, dpi);
    const int height = TwipsToPixels(MainWindowLayout::kHeight, dpi);
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 2;
    if (!CreateWindowExW(0, kMainWindowClass, L"Torvane", WS_POPUP | WS_CLIPCHILDREN, left, top, width, height,
                         nullptr, nullptr, GetModuleHandleW(nullptr), this))
        return false;

    exclusionsPage_.Load();
    FormLoad(*this, config_, autorun_, settingsPage_);
    if (!hiddenAtLoad_) {
        ShowWindow(hwnd_, SW_SHOW);
        UpdateWindow(hwnd_);
    }
    // The shell's round trip for the icon (tens of milliseconds under Wine)
    // comes after the window has painted.
    if (trayPending_) {
        trayPending_ = false;
        UpdateTrayTip();
        tray_.Add(hwnd_);
    }
    return true;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        bringUpMessage_ = BringUpMessage();
        if (!CreatePages(ScreenDpi()))
            return -1;
        SetTimer(hwnd_, kTimerMain, kTimerMainInterval, nullptr);
        status_.RestartMonitorTimer();
        // A switch is decided when it happens; the tick still catches any
        // the system does not report.
        foregroundEvents_.Start(hwnd_, kForegroundSwitchedMessage);
        return 0;
    case WM_TIMER:
        if (wParam == kTimerMain)
            TimerMain_Timer();
        else if (wParam == kTimerSwitchSettle)
            SwitchSettled();
        return 0;
    case kForegroundSwitchedMessage:
        ForegroundSwitched(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_COMMAND:
        // Esc (the dialog navigation's cancel) closes as the close button
        // does; then the tray menu's entries, and the tabs' labels.
        if (lParam == 0 && LOWORD(wParam) == IDCANCEL)
            SendMessageW(hwnd_, WM_CLOSE, 0, 0);
        else if (lParam == 0)
            TrayMenuCommand(LOWORD(wParam));
        else
            chrome_.router().Route(wParam, lParam);
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OwnControlBackground(reinterpret_cast<HDC>(wParam));
    case WM_CLOSE:
        Form_Unload();
        return 0;
    case WM_MOUSEMOVE:
        chrome_.FormMouseMove();
        return 0;
    case WM_SETTINGCHANGE:
        clock_.FormatChanged();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Log-off or shutdown: end as the tray menu's exit does, instead of
        // hiding and holding the session up.
        if (wParam) {
            tray_.Remove();
            ExitProgram();
        }
        return 0;
    case WM_DESTROY:
        foregroundEvents_.Stop();
        KillTimer(hwnd_, kTimerSwitchSettle);
        KillTimer(hwnd_, kTimerMain);
        // However the program ends, no boost outlives it.
        booster_.GiveBackAll();
        PostQuitMessage(0);
        return 0;
    default:
        if (TrayMessage(message, lParam))
            return 0;
        if (message == bringUpMessage_ && bringUpMessage_ != 0) {
            // A second copy was started: this one comes up instead.
            ShowAndRestoreMainWindow();
            SetForegroundWindow(hwnd_);
            return TRUE;
        }
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

bool MainWindow::CreatePages(int dpi)
{
    fonts_ = std::make_unique<UiFonts>(dpi);
    tooltip_.reset(CreatePagesTooltip());
    const auto page = [this, dpi](Page which) {
        return PageCreateArgs{hwnd_, PageRowOf(which).pageId, dpi, fonts_.get(), tooltip_.get()};
    };
    settingsView_.onChanged = [this](SettingsControl control) {
        settingsPage_.OnClick(control);
        if (control == SettingsControl::CheckState)
            SpeedUpChanged();
    };
    exclusionsView_.onAdd = [this](const std::wstring& path) { exclusionsPage_.AddProgram(path); };
    exclusionsView_.onExcludeBoosted = [this] { exclusionsPage_.ExcludeBoosted(); };
    exclusionsView_.onRemove = [this] { exclusionsPage_.RemoveSelected(); };
    exclusionsView_.onSelectionChanged = [this] { exclusionsPage_.SelectionChanged(); };
    // A program newly excluded is given back at once, not at the next switch.
    exclusionsPage_.onChanged = [this] { booster_.ExclusionsChanged(boosting_.excluded); };
    if (!status_.Create(page(Page::Status), monitorSupport_) || !records_.Create(page(Page::Records)) ||
        !settingsView_.Create(page(Page::Settings)) || !about_.Create(page(Page::About)) ||
        !exclusionsView_.Create(page(Page::Exclusions)))
        return false;
    const HWND pages[kPageCount] = {status_.hwnd(), records_.hwnd(), settingsView_.hwnd(), about_.hwnd(),
                                    exclusionsView_.hwnd()};
    chrome_.Create(hwnd_, dpi, *fonts_, pages);
    return true;
}

void MainWindow::LayoutPages()
{
    using namespace MainWindowLayout;
    const int dpi = ScreenDpi();
    for (HWND page : {status_.hwnd(), records_.hwnd(), settingsView_.hwnd(), about_.hwnd(), exclusionsView_.hwnd()}) {
        SetWindowPos(page, nullptr, TwipsToPixels(kPageLeft, dpi), TwipsToPixels(kPageTop, dpi),
                     TwipsToPixels(kPageWidth, dpi), TwipsToPixels(kPageHeight, dpi), SWP_NOZORDER);
    }
    SelectPage(chrome_, Page::Status);
    status_.SetTime(clock_.CurrentTimeText());
}

void MainWindow::ResetState()
{
    booster_.Reset();
    isExiting_ = false;
}

void MainWindow::HideWindow()
{
    hiddenAtLoad_ = true;
    ShowWindow(hwnd_, SW_HIDE);
}

void MainWindow::InstallTrayIcon()
{
    taskbarCreatedMessage_ = RegisterWindowMessageA("TaskbarCreated");
    trayPending_ = true;
}

bool MainWindow::TrayMessage(UINT message, LPARAM lParam)
{
    switch (TrayMessageAction(taskbarCreatedMessage_, message, lParam, IsWindowVisible(hwnd_) != 0)) {
    case TrayAction::PassOn:
        return false;
    case TrayAction::Nothing:
        break;
    case TrayAction::ShowWindow:
        ShowAndRestoreMainWindow();
        break;
    case TrayAction::ShowMenu:
        SetForegroundWindow(hwnd_);
        trayMenu_.Show(hwnd_, boosting_.speedUp);
        break;
    case TrayAction::AddIcon:
        tray_.Add(hwnd_);
        break;
    }
    return true;
}

void MainWindow::TrayMenuCommand(int id)
{
    const TrayMenuChoice choice = torvane::TrayMenuCommand(id);
    switch (choice.kind) {
    case TrayMenuChoice::Kind::None:
        break;
    case TrayMenuChoice::Kind::OpenHomePage:
        about_.OpenHomePage();
        break;
    case TrayMenuChoice::Kind::ShowPage:
        ShowAndRestoreMainWindow();
        SelectPage(chrome_, choice.page);
        break;
    case TrayMenuChoice::Kind::ToggleSpeed:
        ToggleSpeedUp();
        break;
    case TrayMenuChoice::Kind::Exit:
        // The icon goes first, at once, then the windows.
        tray_.Remove();
        ExitProgram();
        break;
    }
}

void MainWindow::ShowAndRestoreMainWindow()
{
    ShowWindow(hwnd_, SW_SHOW);
    SendMessageW(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void MainWindow::SetTopmost(bool topmost)
{
    // Only the band changes: at load the window may still be hidden, and
    // activating it then would take the focus from the user's program.
    SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::ProcessPendingMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void MainWindow::SetTaskBarStyle()
{
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    SetWindowLongA(hwnd_, GWL_STYLE, style | WS_SYSMENU | WS_MINIMIZEBOX);
}

void MainWindow::LoadFinished()
{
    loaded_ = true;
}

void MainWindow::TimerMain_Timer()
{
    if (!loaded_)
        return;
    ShowTick(booster_.Tick(boosting_));
}

void MainWindow::ForegroundSwitched(HWND window)
{
    const auto reported = reinterpret_cast<std::uintptr_t>(window);
    if (loaded_ && boosting_.speedUp && switchSettle_.Reported(reported, GetTickCount64()))
        SetTimer(hwnd_, kTimerSwitchSettle, SwitchSettle::kSettleMs, nullptr);
}

void MainWindow::SwitchSettled()
{
    const SwitchSettle::Due due = switchSettle_.TimerFired(GetTickCount64());
    if (due.window == 0 && due.wait != 0) {
        SetTimer(hwnd_, kTimerSwitchSettle, due.wait, nullptr);
        return;
    }
    KillTimer(hwnd_, kTimerSwitchSettle);
    if (due.window != 0)
        ShowTick(booster_.Switched(due.window, boosting_));
}

void MainWindow::ShowTick(const BoostTick& tick)
{
    status_.Show(tick);
    records_.Show(tick);
    if (tick.boosted) {
        boostedTitle_ = tick.title;
        exclusionsPage_.SetBoostedProgram(booster_.LastBoostedProgram());
        UpdateTrayTip();
    }
}

void MainWindow::ToggleSpeedUp()
{
    settingsView_.SetCheckValue(SettingsControl::CheckState, boosting_.speedUp ? 0 : 1);
    settingsView_.onChanged(SettingsControl::CheckState);
}

void MainWindow::SpeedUpChanged()
{
    // Paused: what Torvane raised gets its own class back.
    if (!boosting_.speedUp)
        booster_.Pause();
    UpdateTrayTip();
}

void MainWindow::UpdateTrayTip()
{
    tray_.SetTip(TrayTipText(boosting_.speedUp, boostedTitle_));
}

LRESULT MainWindow::OwnControlBackground(HDC dc)
{
    // The window's own labels (the tip, the version) sit on its background.
    SetBkColor(dc, kWindowColour);
    return reinterpret_cast<LRESULT>(background_.get());
}

void MainWindow::Form_Unload()
{
    if (!isExiting_) {
        ShowWindow(hwnd_, SW_HIDE);
        return;
    }
    DestroyWindow(hwnd_);
}

void MainWindow::ExitProgram()
{
    isExiting_ = true;
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

} // namespace torvane
