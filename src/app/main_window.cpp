#include "app/main_window.h"

#include <utility>

#include "app/chrome_artwork.h"
#include "app/control_ids.h"
#include "app/page_container.h"
#include "app/win_single_instance.h"
#include "app/twips.h"
#include "platform/ansi_text.h"

#include <shellapi.h>

namespace {

constexpr UINT_PTR kTimerMain = 1;
constexpr UINT kTimerMainInterval = 1000;
constexpr UINT_PTR kTimerAd = 2;
constexpr UINT kTimerAdInterval = 5000;
constexpr COLORREF kLinkColor = RGB(24, 92, 210);

constexpr int kWindowWidth = 11760;
constexpr int kWindowHeight = 7560;
constexpr int kPageLeft = 3240;
constexpr int kPageTop = 2160;
constexpr int kPageWidth = 8280;
constexpr int kPageHeight = 5160;

constexpr int kCaptionHeight = 600;
constexpr int kButtonWidth = 480;
constexpr int kButtonHeight = 330;
constexpr int kTabLeft = 110;
constexpr int kTabWidth = 3020;
constexpr int kTabHeight = 500;
constexpr int kTabLabelHeight = 300;

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
                       LogFile& logFile, std::wstring logsPath, CpuMonitorSupport& monitorSupport,
                       std::wstring iconPath)
    : booster_(booster), config_(config), autorun_(autorun), clock_(clock), logFile_(logFile),
      monitorSupport_(monitorSupport),
      logsPath_(std::move(logsPath)),
      background_(CreateSolidBrush(kWindowColor)), tray_(std::move(iconPath)),
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
        bringUpMessage_ = BringUpMessage();
        CreatePages();
        SetTimer(hwnd_, kTimerMain, kTimerMainInterval, nullptr);
        adFetcher_ = std::make_unique<AdFetcher>(hwnd_);
        SetTimer(hwnd_, kTimerAd, kTimerAdInterval, nullptr);
        return 0;
    case WM_TIMER:
        if (wParam == kTimerMain)
            TimerMain_Timer();
        else if (wParam == kTimerAd)
            TimerAd_Timer();
        return 0;
    case kAdTextMessage:
        AdTextArrived(lParam);
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
    case WM_MOUSEMOVE:
        if (chrome_)
            chrome_->Form_MouseMove();
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
        KillTimer(hwnd_, kTimerMain);
        KillTimer(hwnd_, kTimerAd);
        // A fetch still under way is dropped; nothing is posted after this.
        adFetcher_.reset();
        PostQuitMessage(0);
        return 0;
    default:
        if (message == bringUpMessage_ && bringUpMessage_ != 0) {
            // A second copy was started: this one comes up instead.
            ShowAndRestoreMainWindow();
            SetForegroundWindow(hwnd_);
            return TRUE;
        }
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void MainWindow::CreatePages()
{
    const int dpi = ScreenDpi();
    fonts_ = std::make_unique<UiFonts>(dpi);
    const int pageIds[4] = {ControlId::PictureStatus, ControlId::PictureRecords,
                            ControlId::PictureSettings, ControlId::PictureAbout};
    for (int i = 0; i < 4; ++i)
        pages_[i] = CreatePageContainer(hwnd_, pageIds[i]);

    CreateChrome(dpi);
    CreateAboutPage(dpi);
    status_.Create(ChildFactory(pages_[0], dpi, fonts_->regular()), fonts_->heading(), monitorSupport_);
    records_.saveClicked.action = [this] { CommandSaveRecords_Click(); };
    records_.clearClicked.action = [this] { CommandClearRecords_Click(); };
    records_.Create(ChildFactory(pages_[1], dpi, fonts_->regular()), FontSpec{fonts_->face(), 9, false, false});
    settingsView_.Create(ChildFactory(pages_[2], dpi, fonts_->regular()), fonts_->heading());
}

namespace {

RECT PlaceOf(int left, int top, int width, int height, int dpi)
{
    const int x = TwipsToPixels(left, dpi);
    const int y = TwipsToPixels(top, dpi);
    return {x, y, x + TwipsToPixels(width, dpi), y + TwipsToPixels(height, dpi)};
}

} // namespace

void MainWindow::CreateChrome(int dpi)
{
    const int barTop = TwipsToPixels(90, dpi);
    const int barHeight = TwipsToPixels(kCaptionHeight, dpi);
    const int tabTops[4] = {2010, 2540, 3060, 3590};
    const wchar_t* tabCaptions[4] = {L"提速状态", L"提速记录", L"软件设置", L"关于软件"};
    const int tabImageIds[4] = {ControlId::ImageStatus, ControlId::ImageRecords, ControlId::ImageSettings,
                                ControlId::ImageAbout};
    const int tabLabelIds[4] = {ControlId::LabelStatus, ControlId::LabelRecords, ControlId::LabelSettings,
                                ControlId::LabelAbout};
    // The four tabs look alike: they share one drawing of each state.
    const int tabWidth = TwipsToPixels(kTabWidth, dpi);
    const int tabHeight = TwipsToPixels(kTabHeight, dpi);
    const std::vector<ImageView::SharedPicture> tabPictures = {
        std::make_shared<const ImageView::Picture>(tabWidth, tabHeight, [](Canvas& c) { DrawTab(c, false); }),
        std::make_shared<const ImageView::Picture>(tabWidth, tabHeight, [](Canvas& c) { DrawTab(c, true); })};
    for (int i = 0; i < 4; ++i) {
        const Page page = kAllPages[i];
        ImageView::Callbacks onTab;
        onTab.click = [this, page] { SelectPage(*this, page); };
        tabImages_[i] = ImageView::Create(hwnd_, tabImageIds[i], PlaceOf(kTabLeft, tabTops[i], kTabWidth, kTabHeight, dpi),
                                          tabPictures, onTab);
        // Centred on its tab: the tab's height less the label's, halved.
        const ChildFactory onImage(tabImages_[i]->hwnd(), dpi, fonts_->regular());
        tabs_[i] = onImage.Label(tabLabelIds[i], {240, kTabHeight / 2 - kTabLabelHeight / 2, kTabWidth - 240,
                                                  kTabLabelHeight}, tabCaptions[i]);
        tabImages_[i]->SetLabelColour(RGB(40, 48, 64));
    }

    ImageView::Callbacks onCaption;
    onCaption.mouseDown = [this](int button) { chrome_->ImageCaption_MouseDown(button); };
    ImageView* caption = ImageView::Create(hwnd_, ControlId::ImageCaption, PlaceOf(0, 0, kWindowWidth, kCaptionHeight, dpi),
                                           {[](Canvas& c) { DrawCaptionBar(c); }}, onCaption);
    caption->SetLabelColour(RGB(255, 255, 255));
    const ChildFactory onBar(caption->hwnd(), dpi, fonts_->heading());
    HWND title = onBar.Label(ControlId::LabelCaption, {0, kCaptionHeight / 2 - 180, 3000, 360}, L"Torvane");
    // The title is part of the bar: a press on it falls through to the bar and
    // drags the window.
    SetWindowLongPtrW(title, GWL_STYLE, GetWindowLongPtrW(title, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_NOTIFY));
    const int titleLeft = CaptionMarkRight(barHeight) + TwipsToPixels(90, dpi);
    SetWindowPos(title, nullptr, titleLeft, TwipsToPixels(kCaptionHeight / 2 - 180, dpi), 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    const auto buttonImages = [barTop, barHeight](WindowButton button) {
        std::vector<ImageView::Painter> images;
        for (int state = 0; state < 3; ++state)
            images.push_back([button, state, barTop, barHeight](Canvas& c) {
                DrawWindowButton(c, button, state, barTop, barHeight);
            });
        return images;
    };
    ImageView::Callbacks onMin;
    onMin.mouseMove = [this] { chrome_->ImageMin_MouseMove(); };
    onMin.mouseDown = [this](int) { chrome_->ImageMin_MouseDown(); };
    onMin.mouseUp = [this](int) { chrome_->ImageMin_MouseUp(); };
    imageMin_ = ImageView::Create(hwnd_, ControlId::ImageMin, PlaceOf(10800, 90, kButtonWidth, kButtonHeight, dpi),
                                  buttonImages(WindowButton::Minimise), onMin);
    ImageView::Callbacks onExit;
    onExit.mouseMove = [this] { chrome_->ImageExit_MouseMove(); };
    onExit.mouseDown = [this](int) { chrome_->ImageExit_MouseDown(); };
    onExit.mouseUp = [this](int) { chrome_->ImageExit_MouseUp(); };
    imageExit_ = ImageView::Create(hwnd_, ControlId::ImageExit, PlaceOf(11280, 90, kButtonWidth, kButtonHeight, dpi),
                                   buttonImages(WindowButton::Close), onExit);
    // The buttons sit on the caption bar.
    SetWindowPos(imageMin_->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(imageExit_->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ChromeHost& host = *this;
    chrome_ = std::make_unique<WindowChrome>(*imageMin_, *imageExit_, host);

    const ChildFactory onWindow(hwnd_, dpi, fonts_->regular());
    labelTip_ = onWindow.Label(ControlId::LabelTip, {kPageLeft + 240, 1680, kPageWidth - 240, 360}, L"");
    onWindow.Label(ControlId::LabelVersion, {kWindowWidth - 900, kPageTop + kPageHeight + 15, 780, 225}, L"v7.2",
                   SS_RIGHT);
}

void MainWindow::StartDrag()
{
    // The point the drag starts from, in screen coordinates, as a title bar
    // press would report it.
    POINT at = {};
    GetCursorPos(&at);
    ReleaseCapture();
    SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
}

void MainWindow::Minimise()
{
    SendMessageW(hwnd_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void MainWindow::Unload()
{
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void MainWindow::MarkTab(Page tab, bool selected)
{
    tabImages_[static_cast<int>(tab)]->ShowOnly(selected ? 1 : 0);
    // The label on the image is drawn again over the new picture.
    InvalidateRect(tabs_[static_cast<int>(tab)], nullptr, TRUE);
}

void MainWindow::ShowPage(Page page, bool visible)
{
    ShowWindow(pages_[static_cast<int>(page)], visible ? SW_SHOW : SW_HIDE);
}

void MainWindow::SetTip(const std::wstring& text)
{
    SetWindowTextW(labelTip_, text.c_str());
}

void MainWindow::CreateAboutPage(int dpi)
{
    const ChildFactory factory(pages_[3], dpi, fonts_->regular());
    factory.Heading({240, 120, 3000, 360}, L"软件功能：", fonts_->heading());
    const wchar_t* lines[6] = {
        L"全面提高系统性能10%-30%，让系统跑的更快。",
        L"简单易用，启动软件后自动提升系统速度，无需任何操作或设置。",
        L"可有效提升软件运行速度，大幅提升软件打开和关闭速度。",
        L"可提升游戏运行速度。",
        L"对低配置的老机器效果尤为明显，可让老机子重新焕发青春。",
        L"对网速有一定提升效果。",
    };
    for (int i = 0; i < 6; ++i)
        factory.Label(0, {480, 540 + i * 360, 7560}, lines[i]);
    factory.Heading({240, 2880, 3000, 360}, L"官方网站：", fonts_->heading());
    labelWeb_ = factory.Label(ControlId::LabelWeb, {480, 3300, 7560}, site_.webAddress.c_str());
    labelHomePage_ = factory.Label(ControlId::LabelHomePage, {480, 3660, 7560}, site_.host.c_str(), SS_ENDELLIPSIS);
}

void MainWindow::OpenPage(const std::wstring& url)
{
    ShellExecuteA(hwnd_, "open", ToAnsi(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MainWindow::LabelWeb_Click()
{
    OpenPage(HomePageUrl(site_));
}

void MainWindow::LabelHomePage_Click()
{
    const int length = GetWindowTextLengthW(labelHomePage_);
    std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(labelHomePage_, caption.data(), length + 1);
    caption.resize(static_cast<std::size_t>(length));
    OpenPage(caption == site_.host ? HomePageUrl(site_) : AdPageUrl(site_));
}

void MainWindow::TimerAd_Timer()
{
    // One fetch at a time, counted until its result has been handled here: a
    // tick between the worker's end and its message must not start another.
    // A tick already queued when the news arrived finds no fetcher.
    if (adFetchPending_ || !adFetcher_)
        return;
    adFetchPending_ = adFetcher_->Start(AdTextUrl(site_), site_.agent);
}

void MainWindow::AdTextArrived(LPARAM text)
{
    adFetchPending_ = false;
    const std::wstring adText = AdFetcher::TakeText(text);
    if (!AcceptAdText(adText))
        return;
    SetWindowTextW(labelHomePage_, CaptionSafe(adText).c_str());
    ShowWindow(labelHomePage_, SW_SHOW);
    KillTimer(hwnd_, kTimerAd);
    // No fetch follows in this run: the worker thread and its Internet
    // session go now rather than idle until exit.
    adFetcher_.reset();
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

void MainWindow::InstallTrayIcon()
{
    taskbarCreatedMessage_ = RegisterWindowMessageA("TaskbarCreated");
    tray_.Add(hwnd_);
    oldWindowProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProcedure)));
}

LRESULT CALLBACK MainWindow::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->oldWindowProc_)
        return DefWindowProcW(window, message, wParam, lParam);
    TrayHost& host = *self;
    return WindowProc(host, self->taskbarCreatedMessage_, message, wParam, lParam);
}

bool MainWindow::MainWindowVisible()
{
    return IsWindowVisible(hwnd_) != 0;
}

void MainWindow::ShowMainWindow()
{
    ShowWindow(hwnd_, SW_SHOW);
    SendMessageW(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void MainWindow::SetForeground()
{
    SetForegroundWindow(hwnd_);
}

void MainWindow::ShowTrayMenu()
{
    if (!trayMenu_) {
        trayMenu_.reset(CreatePopupMenu());
        for (const TrayMenuEntry& entry : TrayMenuEntries()) {
            if (entry.id == 0)
                AppendMenuW(trayMenu_.get(), MF_SEPARATOR, 0, nullptr);
            else
                AppendMenuW(trayMenu_.get(), MF_STRING, static_cast<UINT_PTR>(entry.id), entry.caption);
        }
    }
    POINT at = {};
    GetCursorPos(&at);
    TrackPopupMenu(trayMenu_.get(), 0, at.x, at.y, 0, hwnd_, nullptr);
    // Lets the menu close when the user clicks elsewhere.
    PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void MainWindow::AddTrayIcon()
{
    tray_.Add(hwnd_);
}

std::intptr_t MainWindow::CallOldWindowProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
{
    return CallWindowProcW(oldWindowProc_, hwnd_, message, wParam, lParam);
}

void MainWindow::ShowAndRestoreMainWindow()
{
    ShowWindow(hwnd_, SW_SHOW);
    SendMessageW(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void MainWindow::SelectMainWindowPage(Page page)
{
    SelectPage(*this, page);
}

void MainWindow::OpenHomePage()
{
    OpenPage(HomePageUrl(site_));
}

void MainWindow::RemoveTrayIcon()
{
    tray_.Remove();
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
    if (code == 0 && OnTrayMenuCommand(*this, id))
        return;
    if (code == STN_CLICKED && id == ControlId::LabelWeb) {
        LabelWeb_Click();
        return;
    }
    if (code == STN_CLICKED && id == ControlId::LabelHomePage) {
        LabelHomePage_Click();
        return;
    }
    // A tab's label does what a click on its image does.
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
    if (control == labelWeb_ || control == labelHomePage_)
        SetTextColor(dc, kLinkColor);
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
