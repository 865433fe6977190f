#include "app/about_page_window.h"

#include <shellapi.h>

#include "app/control_ids.h"
#include "platform/ansi_text.h"

namespace torvane {

namespace {

constexpr UINT_PTR kTimerAd = 2;
constexpr UINT kTimerAdInterval = 5000;
constexpr COLORREF kLinkColour = RGB(24, 92, 210);

const wchar_t* const kFeatures[] = {
    L"全面提高系统性能10%-30%，让系统跑的更快。",
    L"简单易用，启动软件后自动提升系统速度，无需任何操作或设置。",
    L"可有效提升软件运行速度，大幅提升软件打开和关闭速度。",
    L"可提升游戏运行速度。",
    L"对低配置的老机器效果尤为明显，可让老机子重新焕发青春。",
    L"对网速有一定提升效果。",
};

} // namespace

bool AboutPageWindow::Create(const PageCreateArgs& args)
{
    if (!RegisterOnce(L"TorvaneAboutPage") || !CreatePageWindow(args, L"TorvaneAboutPage", this))
        return false;
    CreateControls(args);
    adFetcher_ = std::make_unique<AdFetcher>(hwnd_);
    SetTimer(hwnd_, kTimerAd, kTimerAdInterval, nullptr);
    return true;
}

void AboutPageWindow::CreateControls(const PageCreateArgs& args)
{
    const ChildFactory factory = PageControls(hwnd_, args);
    factory.Heading({240, 120, 3000, 360}, L"软件功能：", args.fonts->heading());
    int top = 540;
    for (const wchar_t* line : kFeatures) {
        factory.Label(0, {480, top, 7560}, line);
        top += 360;
    }
    factory.Heading({240, 2880, 3000, 360}, L"官方网站：", args.fonts->heading());
    labelWeb_.Attach(factory.Label(ControlId::LabelWeb, {480, 3300, 7560}, newsLine_.site().webAddress.c_str()));
    labelHomePage_.Attach(factory.Label(ControlId::LabelHomePage, {480, 3660, 7560},
                                        newsLine_.InitialCaption().c_str(), SS_ENDELLIPSIS));
    labelWeb_.onClick = [this] { LabelWeb_Click(); };
    labelHomePage_.onClick = [this] { LabelHomePage_Click(); };
    labelWeb_.MakeReachable();
    labelHomePage_.MakeReachable();
    router_.Add(labelWeb_);
    router_.Add(labelHomePage_);
    if (!configElsewhere_.empty()) {
        // The program's folder cannot be written: say where the settings went.
        factory.Heading({240, 4200, 3000, 360}, L"设置保存位置：", args.fonts->heading());
        factory.Label(ControlId::LabelConfigPlace, {480, 4620, 7560}, configElsewhere_.c_str(), SS_PATHELLIPSIS);
    }
}

void AboutPageWindow::OpenPage(const std::wstring& url) const
{
    ShellExecuteA(GetAncestor(hwnd_, GA_ROOT), "open", ToAnsi(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void AboutPageWindow::OpenHomePage() const
{
    OpenPage(HomePageUrl(newsLine_.site()));
}

void AboutPageWindow::LabelWeb_Click() const
{
    OpenHomePage();
}

void AboutPageWindow::LabelHomePage_Click() const
{
    OpenPage(newsLine_.ClickTarget(labelHomePage_.Text()));
}

void AboutPageWindow::TimerAd_Timer()
{
    // One fetch at a time, counted until its result has been handled here: a
    // tick between the worker's end and its message must not start another.
    // A tick already queued when the news arrived finds no fetcher.
    if (adFetchPending_ || !adFetcher_)
        return;
    adFetchPending_ = adFetcher_->Start(AdTextUrl(newsLine_.site()), newsLine_.site().agent);
}

void AboutPageWindow::AdTextArrived(LPARAM text)
{
    adFetchPending_ = false;
    const std::optional<std::wstring> caption = newsLine_.Take(AdFetcher::TakeText(text));
    if (!caption)
        return;
    labelHomePage_.SetText(*caption);
    ShowWindow(labelHomePage_.hwnd(), SW_SHOW);
    // No fetch follows in this run: the worker thread goes now rather than
    // idle until exit.
    StopFetching();
}

void AboutPageWindow::StopFetching()
{
    KillTimer(hwnd_, kTimerAd);
    // A fetch still under way is dropped; nothing is posted after this.
    adFetcher_.reset();
}

LRESULT AboutPageWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == kTimerAd)
            TimerAd_Timer();
        return 0;
    case kAdTextMessage:
        AdTextArrived(lParam);
        return 0;
    case WM_COMMAND:
        router_.Route(wParam, lParam);
        return 0;
    case WM_CTLCOLORSTATIC: {
        const auto control = reinterpret_cast<HWND>(lParam);
        if (control == labelWeb_.hwnd() || control == labelHomePage_.hwnd())
            SetTextColor(reinterpret_cast<HDC>(wParam), kLinkColour);
        return PageDefaultMessage(hwnd_, message, wParam, lParam);
    }
    case WM_DESTROY:
        StopFetching();
        return 0;
    default:
        return PageDefaultMessage(hwnd_, message, wParam, lParam);
    }
}

} // namespace torvane
