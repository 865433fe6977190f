#include "app/main_window.h"

#include <utility>

#include "app/control_ids.h"
#include "app/page_container.h"
#include "app/twips.h"

namespace {

constexpr UINT_PTR kTimerMain = 1;
constexpr UINT kTimerMainInterval = 1000;

constexpr int kWindowWidth = 11760;
constexpr int kWindowHeight = 7560;
constexpr int kPageLeft = 3240;
constexpr int kPageTop = 2160;
constexpr int kPageWidth = 8280;
constexpr int kPageHeight = 5160;

constexpr COLORREF kWindowColor = RGB(236, 241, 248);
constexpr COLORREF kPageColor = RGB(255, 255, 255);

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

bool RegisterMainClass(WNDPROC procedure, HBRUSH background)
{
    WNDCLASSEXW mainClass = {};
    mainClass.cbSize = sizeof mainClass;
    mainClass.lpfnWndProc = procedure;
    mainClass.hInstance = GetModuleHandleW(nullptr);
    mainClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    mainClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    mainClass.hbrBackground = background;
    mainClass.lpszClassName = kMainWindowClass;
    return RegisterClassExW(&mainClass) != 0;
}

} // namespace

MainWindow::MainWindow(Booster& booster, ConfigSettings& config, Autorun& autorun, LocalClock& clock,
                       LogFile& logFile, std::wstring logsPath, CpuMonitorSupport& monitorSupport)
    : booster_(booster), config_(config), autorun_(autorun), clock_(clock), logFile_(logFile),
      monitorSupport_(monitorSupport),
      logsPath_(std::move(logsPath)),
      background_(CreateSolidBrush(kWindowColor)),
      boosterView_(status_, records_, settingsView_),
      settingsPage_(settingsView_, config_, autorun_, *this)
{
}

bool MainWindow::Create()
{
    if (!RegisterMainClass(WindowProcedure, background_.get()))
        return false;
    const int dpi = ScreenDpi();
    const int width = TwipsToPixels(kWindowWidth, dpi);
    const int height = TwipsToPixels(kWindowHeight, dpi);
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 2;
    if (!CreateWindowExW(0, kMainWindowClass, L"Torvane", WS_POPUP | WS_CLIPCHILDREN, left, top, width,
                         height, nullptr, nullptr, GetModuleHandleW(nullptr), this))
        return false;

    FormLoad(*this, config_, autorun_, settingsPage_);
    if (!hiddenAtLoad_)
        ShowWindow(hwnd_, SW_SHOW);
    return true;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreatePages();
        SetTimer(hwnd_, kTimerMain, kTimerMainInterval, nullptr);
        return 0;
    case WM_TIMER:
        if (wParam == kTimerMain)
            TimerMain_Timer();
        return 0;
    case WM_COMMAND:
        OnCommand(wParam);
        return 0;
    case WM_DRAWITEM:
        return DrawSwatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return ControlBackground(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CLOSE:
        Form_Unload();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Log-off or shutdown: end as the tray menu's exit does, instead of
        // hiding and holding the session up.
        if (wParam)
            ExitProgram();
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd_, kTimerMain);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void MainWindow::CreatePages()
{
    fonts_ = std::make_unique<UiFonts>(ScreenDpi());
    const int pageIds[4] = {ControlId::PictureStatus, ControlId::PictureRecords,
                            ControlId::PictureSettings, ControlId::PictureAbout};
    for (int i = 0; i < 4; ++i)
        pages_[i] = CreatePageContainer(hwnd_, pageIds[i]);

    const int dpi = ScreenDpi();
    CreateTabs(dpi);
    status_.Create(ChildFactory(pages_[0], dpi, fonts_->regular()), fonts_->heading(), monitorSupport_);
    records_.saveClicked.action = [this] { CommandSaveRecords_Click(); };
    records_.clearClicked.action = [this] { CommandClearRecords_Click(); };
    records_.Create(ChildFactory(pages_[1], dpi, fonts_->regular()), FontSpec{fonts_->face(), 9, false, false});
    settingsView_.Create(ChildFactory(pages_[2], dpi, fonts_->regular()), fonts_->heading());
}

void MainWindow::CreateTabs(int dpi)
{
    struct Tab {
        int id;
        int top;
        const wchar_t* caption;
    };
    const Tab tabs[4] = {
        {ControlId::LabelStatus, 2010, L"提速状态"},
        {ControlId::LabelRecords, 2540, L"提速记录"},
        {ControlId::LabelSettings, 3060, L"软件设置"},
        {ControlId::LabelAbout, 3590, L"关于软件"},
    };
    const ChildFactory factory(hwnd_, dpi, fonts_->regular());
    for (int i = 0; i < 4; ++i)
        tabs_[i] = factory.Label(tabs[i].id, {360, tabs[i].top + 60, 2640, 360}, tabs[i].caption);
    labelTip_ = factory.Label(ControlId::LabelTip, {kPageLeft + 240, 1680, kPageWidth - 240, 360}, L"");
}

void MainWindow::MarkTab(Page tab, bool selected)
{
    HWND label = tabs_[static_cast<int>(tab)];
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(selected ? fonts_->heading() : fonts_->regular()), TRUE);
}

void MainWindow::ShowPage(Page page, bool visible)
{
    ShowWindow(pages_[static_cast<int>(page)], visible ? SW_SHOW : SW_HIDE);
}

void MainWindow::SetTip(const std::wstring& text)
{
    SetWindowTextW(labelTip_, text.c_str());
}

void MainWindow::LayoutPages()
{
    const int dpi = ScreenDpi();
    for (HWND page : pages_) {
        SetWindowPos(page, nullptr, TwipsToPixels(kPageLeft, dpi), TwipsToPixels(kPageTop, dpi),
                     TwipsToPixels(kPageWidth, dpi), TwipsToPixels(kPageHeight, dpi), SWP_NOZORDER);
    }
    SelectPage(*this, Page::Status);
    SetWindowTextW(status_.labelTime, clock_.CurrentTimeText().c_str());
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

void MainWindow::SetTopmost(bool topmost)
{
    SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
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
    if (loaded_)
        booster_.Tick(boosterView_);
}

void MainWindow::OnCommand(WPARAM wParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    for (int i = 0; i < 4; ++i) {
        if (code == STN_CLICKED && id == GetDlgCtrlID(tabs_[i])) {
            SelectPage(*this, kAllPages[i]);
            return;
        }
    }
    SettingsControl control;
    if (!SettingsPageView::FromId(id, control))
        return;
    const bool isCombo = control == SettingsControl::ComboSpeed ||
                         control == SettingsControl::ComboAutoCleanCount;
    if ((isCombo && code == CBN_SELCHANGE) || (!isCombo && code == BN_CLICKED))
        settingsPage_.OnClick(control);
}

void MainWindow::CommandSaveRecords_Click()
{
    const int length = GetWindowTextLengthW(records_.textHistory);
    std::wstring history(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(records_.textHistory, history.data(), length + 1);
    history.resize(static_cast<std::size_t>(length));
    const SaveOutcome outcome = SaveRecords(history, logsPath_, logFile_);
    const UINT icon = outcome.kind == SaveOutcome::Kind::Failed ? MB_ICONERROR : MB_ICONEXCLAMATION;
    MessageBoxW(hwnd_, outcome.message.c_str(), L"Torvane", MB_OK | icon);
}

void MainWindow::CommandClearRecords_Click()
{
    SetWindowTextW(records_.textHistory, L"");
}

bool MainWindow::DrawSwatch(const DRAWITEMSTRUCT& item)
{
    Colour colour = 0;
    if (!StatusPageView::SwatchColour(static_cast<int>(item.CtlID), colour))
        return false;
    const ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(item.hDC, &item.rcItem, brush.get());
    FrameRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    return true;
}

LRESULT MainWindow::ControlBackground(HDC dc, HWND control)
{
    if (GetParent(control) == hwnd_) {
        SetBkColor(dc, kWindowColor);
        return reinterpret_cast<LRESULT>(background_.get());
    }
    SetBkColor(dc, kPageColor);
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
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
