#include "monitor/win_cpu_monitor.h"

#include <commctrl.h>

#include "monitor/monitor_value_text.h"
#include "monitor/win_system_source.h"
#include "platform/ansi_text.h"
#include "platform/win_handles.h"

namespace torvane {

namespace {

const wchar_t kMonitorClass[] = L"TorvaneCpuMonitor";
constexpr UINT_PTR kSampleTimer = 1;

} // namespace

CpuMonitorWindow::CpuMonitorWindow(const CpuMonitorCreateArgs& args)
    : canvas_(1, 1, 0), monitor_(*this, *args.support, args.events)
{
}

CpuMonitorWindow* CpuMonitorWindow::Create(const CpuMonitorCreateArgs& args)
{
    // Its own DC: the picture is blitted twice a second, and a borrowed DC
    // has its visible region worked out anew each time.
    const bool registered = RegisterOnce(kMonitorClass, CS_DBLCLKS | CS_OWNDC);
    if (!registered || !args.support)
        return nullptr;
    auto* window = new CpuMonitorWindow(args);
    if (!CreateWindowExW(0, kMonitorClass, L"", WS_CHILD | WS_VISIBLE, args.left, args.top, args.width, args.height,
                         args.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                         GetModuleHandleW(nullptr), window)) {
        if (!window->hwnd())
            delete window;
        return nullptr;
    }
    window->FitPicture();
    window->CreateTip(args.tooltip);
    if (args.properties)
        window->monitor_.ReadProperties(*args.properties);
    else
        window->monitor_.InitProperties();
    return window;
}

void CpuMonitorWindow::OnFinalMessage()
{
    delete this;
}

LRESULT CpuMonitorWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == kSampleTimer) {
            monitor_.Timer1_Timer();
            // A tooltip on show follows the samples; a hidden one asks anew
            // when it shows.
            if (tip_ && IsWindowVisible(tip_))
                SendMessageW(tip_, TTM_UPDATE, 0, 0);
        }
        return 0;
    case WM_SIZE: {
        FitPicture();
        monitor_.Resize();
        TTTOOLINFOW tool = TipTool();
        SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
        return 0;
    }
    case WM_NOTIFY:
        return Notify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_GETOBJECT: {
        const LRESULT answer = accessible_.Answer(hwnd_, wParam, lParam);
        return answer ? answer : DefWindowProcW(hwnd_, message, wParam, lParam);
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd_, &paint);
        BitBlt(dc, 0, 0, canvas_.Width(), canvas_.Height(), canvas_.Dc(), 0, 0, SRCCOPY);
        EndPaint(hwnd_, &paint);
        return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        RelayToTip(message, wParam, lParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        RelayToTip(message, wParam, lParam);
        monitor_.DblClick();
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd_, kSampleTimer);
        if (ownTip_) {
            ownTip_.reset();
        } else if (tip_) {
            TTTOOLINFOW tool = TipTool();
            SendMessageW(tip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        tip_ = nullptr;
        return 0;
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

std::wstring CpuMonitorWindow::AccessibleValue() const
{
    return MonitorValueText(monitor_.NewestLevels());
}

TTTOOLINFOW CpuMonitorWindow::TipTool() const
{
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = hwnd_;
    tool.uId = 1;
    GetClientRect(hwnd_, &tool.rect);
    return tool;
}

void CpuMonitorWindow::CreateTip(HWND shared)
{
    if (!shared) {
        // Not owned: under Wine an owned topmost tooltip pulls its owner out
        // of the topmost band when the owner is shown.
        ownTip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
    }
    tip_ = shared ? shared : ownTip_.get();
    TTTOOLINFOW tool = TipTool();
    // The window relays its own mouse messages: a subclassed window costs the
    // system a property lookup on every message, the timer's too.
    tool.uFlags = 0;
    // Asked for each time it shows, so it is the latest sample's.
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // The figures go on one line.
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 1000);
}

void CpuMonitorWindow::RelayToTip(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (!tip_)
        return;
    MSG relayed = {hwnd_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    const DWORD at = GetMessagePos();
    relayed.pt = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

LRESULT CpuMonitorWindow::Notify(NMHDR& header)
{
    if (header.hwndFrom != tip_ || header.code != TTN_GETDISPINFOW)
        return 0;
    auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
    tipText_ = AccessibleValue();
    info.lpszText = &tipText_[0];
    return 0;
}

void CpuMonitorWindow::FitPicture()
{
    RECT client = {};
    GetClientRect(hwnd_, &client);
    if (client.right != canvas_.Width() || client.bottom != canvas_.Height())
        canvas_.Resize(client.right > 0 ? client.right : 1, client.bottom > 0 ? client.bottom : 1);
}

void CpuMonitorWindow::SetTimer(int intervalMs, bool enabled)
{
    if (enabled && intervalMs > 0)
        ::SetTimer(hwnd_, kSampleTimer, static_cast<UINT>(intervalMs), nullptr);
    else
        KillTimer(hwnd_, kSampleTimer);
}

int CpuMonitorWindow::OuterWidth()
{
    RECT box = {};
    GetWindowRect(hwnd_, &box);
    return box.right - box.left;
}

// The picture goes to the screen at once: under Wine a WM_PAINT round (update
// region, caret, paint message) costs several server requests more than a
// blit through the window's DC, twice a second. Parts hidden now are painted
// from the picture by WM_PAINT when they show again.
void CpuMonitorWindow::RefreshWindow()
{
    const WindowDc dc(hwnd_);
    if (!dc) {
        InvalidateRect(hwnd_, nullptr, FALSE);
        return;
    }
    BitBlt(dc.get(), 0, 0, canvas_.Width(), canvas_.Height(), canvas_.Dc(), 0, 0, SRCCOPY);
}

void CpuMonitorWindow::ApplyFrame()
{
    LONG style = GetWindowLongW(hwnd_, GWL_STYLE) & ~WS_BORDER;
    LONG exStyle = GetWindowLongW(hwnd_, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE;
    // A fixed single border is drawn sunken in 3-D and as a plain line when flat.
    if (borderStyle_ == 1) {
        if (appearance_ == 1)
            exStyle |= WS_EX_CLIENTEDGE;
        else
            style |= WS_BORDER;
    }
    SetWindowLongW(hwnd_, GWL_STYLE, style);
    SetWindowLongW(hwnd_, GWL_EXSTYLE, exStyle);
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    FitPicture();
}

void CpuMonitorWindow::SetWindowAppearance(int appearance)
{
    appearance_ = static_cast<short>(appearance);
    ApplyFrame();
}

void CpuMonitorWindow::SetWindowBorderStyle(int borderStyle)
{
    borderStyle_ = static_cast<short>(borderStyle);
    ApplyFrame();
}

bool CpuMonitorWindow::WindowEnabled()
{
    return IsWindowEnabled(hwnd_) != 0;
}

void CpuMonitorWindow::SetWindowEnabled(bool enabled)
{
    EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void CpuMonitorWindow::SetWindowBackColour(Colour colour)
{
    canvas_.SetBackground(colour);
}

std::wstring CpuMonitorWindow::WindowsDirectory()
{
    char directory[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(directory, MAX_PATH);
    return FromAnsi(std::string(directory, length < MAX_PATH ? length : 0));
}

void CpuMonitorWindow::PropertyChanged(const wchar_t*)
{
    // The status page keeps no store of the monitor's properties: a changed
    // value has nobody to be stored by.
}

NumberPunctuation CpuMonitorWindow::Punctuation()
{
    return UserNumberPunctuation();
}

} // namespace torvane
