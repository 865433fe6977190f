#include "controls/win_command.h"

#include <cwctype>

#include "controls/access_key.h"
#include "controls/command_painter.h"
#include "platform/win_font.h"
#include "platform/win_window_queries.h"

namespace torvane {

namespace {

const wchar_t kCommandClass[] = L"TorvaneCommand";
constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverInterval = 10;

// Shift, Ctrl and Alt as the events report them: 1, 2 and 4.
int ShiftState()
{
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
           (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

int HeldButtons(WPARAM keys)
{
    return (keys & MK_LBUTTON ? MouseButton::Left : 0) | (keys & MK_RBUTTON ? MouseButton::Right : 0) |
           (keys & MK_MBUTTON ? MouseButton::Middle : 0);
}

float PointX(LPARAM lParam) { return static_cast<float>(static_cast<short>(LOWORD(lParam))); }
float PointY(LPARAM lParam) { return static_cast<float>(static_cast<short>(HIWORD(lParam))); }

} // namespace

CommandWindow::CommandWindow(const CommandCreateArgs& args)
    : name_(args.name), canvas_(1, 1, GetSysColor(COLOR_BTNFACE)), command_(*this, system_),
      input_(command_, *this, args.events)
{
}

CommandWindow* CommandWindow::Create(const CommandCreateArgs& args)
{
    const bool registered = RegisterOnce(kCommandClass, CS_DBLCLKS);
    if (!registered)
        return nullptr;
    auto* button = new CommandWindow(args);
    if (!CreateWindowExW(0, kCommandClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, args.left,
                         args.top, args.width, args.height, args.parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), GetModuleHandleW(nullptr),
                         button)) {
        // The window never took the object over.
        if (!button->hwnd())
            delete button;
        return nullptr;
    }
    if (args.properties)
        button->command_.ReadProperties(*args.properties);
    else
        button->command_.InitProperties();
    button->Resize();
    return button;
}

CommandWindow* CommandWindow::FromHandle(HWND window)
{
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (lstrcmpW(className, kCommandClass) != 0)
        return nullptr;
    return reinterpret_cast<CommandWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool CommandWindow::ClickAccessKey(HWND root, wchar_t key)
{
    struct Search {
        std::wstring key;
        CommandWindow* found;
    } search = {std::wstring(1, static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(key)))), nullptr};
    EnumChildWindows(
        root,
        [](HWND child, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            CommandWindow* button = FromHandle(child);
            if (button && !button->accessKeys_.empty() && button->accessKeys_ == s->key && IsWindowVisible(child) &&
                IsWindowEnabled(child)) {
                s->found = button;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return false;
    search.found->input_.AccessKey();
    return true;
}

LRESULT CommandWindow::MouseMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const float x = PointX(lParam);
    const float y = PointY(lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        SetCapture(hwnd_);
        if (message == WM_LBUTTONDOWN)
            SetFocus(hwnd_);
        const int button = message == WM_LBUTTONDOWN ? MouseButton::Left
                           : message == WM_RBUTTONDOWN ? MouseButton::Right : MouseButton::Middle;
        input_.MouseDown(button, ShiftState(), x, y);
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP: {
        const bool pressedHere = GetCapture() == hwnd_;
        ReleaseCapture();
        const int button = message == WM_LBUTTONUP ? MouseButton::Left
                           : message == WM_RBUTTONUP ? MouseButton::Right : MouseButton::Middle;
        input_.MouseUp(button, ShiftState(), x, y);
        // A click is a left press and release both on the button.
        RECT client;
        GetClientRect(hwnd_, &client);
        const POINT at = {static_cast<LONG>(x), static_cast<LONG>(y)};
        if (button == MouseButton::Left && pressedHere && PtInRect(&client, at))
            input_.Clicked();
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        SetCapture(hwnd_);
        input_.DoubleClick();
        return 0;
    default:
        input_.MouseMove(HeldButtons(wParam), ShiftState(), x, y);
        return 0;
    }
}

LRESULT CommandWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        return MouseMessage(message, wParam, lParam);
    case WM_KEYDOWN:
        input_.KeyDown(static_cast<int>(wParam), ShiftState());
        return 0;
    case WM_KEYUP:
        input_.KeyUp(static_cast<int>(wParam), ShiftState());
        return 0;
    case WM_CHAR:
        input_.KeyPress(static_cast<int>(wParam));
        return 0;
    case WM_GETDLGCODE:
        return DialogCode(reinterpret_cast<const MSG*>(lParam));
    case BM_CLICK:
        input_.AccessKey();
        return 0;
    case WM_GETOBJECT: {
        const LRESULT answer = accessible_.Answer(hwnd_, wParam, lParam);
        return answer ? answer : DefWindowProcW(hwnd_, message, wParam, lParam);
    }
    case WM_SETFOCUS:
        input_.GotFocus();
        NotifyAccessible(hwnd_, EVENT_OBJECT_FOCUS);
        return 0;
    case WM_KILLFOCUS:
        input_.LostFocus();
        return 0;
    case WM_TIMER:
        if (wParam == kHoverTimer)
            input_.TimerTick();
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        input_.AmbientChanged();
        return 0;
    case WM_SIZE:
        Resize();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        ShowPicture();
        return 0;
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

LRESULT CommandWindow::DialogCode(const MSG* message) const
{
    LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_BUTTON |
                   (IsDefaultButton() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    // Enter comes to the button itself, which clicks, rather than going to
    // the window's default command.
    if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN)
        code |= DLGC_WANTMESSAGE;
    return code;
}

void CommandWindow::SetAccessKeys(const std::wstring& keys)
{
    accessKeys_ = keys;
    // The keys follow every change of the caption: so does the window text,
    // which is what automation tools and the dialog manager read.
    const std::wstring& caption = command_.Caption();
    if (WindowText(hwnd_) != caption) {
        SetWindowTextW(hwnd_, caption.c_str());
        NotifyAccessible(hwnd_, EVENT_OBJECT_NAMECHANGE);
    }
}

std::wstring CommandWindow::AccessibleName() const
{
    return CaptionWithoutMarks(command_.Caption());
}

long CommandWindow::AccessibleState() const
{
    long state = WindowAccessibleState(hwnd_) | STATE_SYSTEM_FOCUSABLE;
    if (command_.state().visualState == 2)
        state |= STATE_SYSTEM_PRESSED;
    if (IsDefaultButton())
        state |= STATE_SYSTEM_DEFAULT;
    return state;
}

std::wstring CommandWindow::AccessibleShortcut() const
{
    return AccessKeyShortcut(accessKeys_);
}

bool CommandWindow::DoDefaultAction()
{
    if (!IsWindowEnabled(hwnd_))
        return false;
    // Posted, as the system's buttons do: the click may open a message box,
    // which must not hold the caller's request open.
    return PostMessageW(hwnd_, BM_CLICK, 0, 0) != FALSE;
}

void CommandWindow::OnFinalMessage()
{
    delete this;
}

void CommandWindow::BringPictureUpToDate()
{
    if (!pictureDue_)
        return;
    pictureDue_ = false;
    canvas_.SetBackground(command_.scheme().face);
    RenderButton(command_, canvas_, IsDefaultButton());
}

void CommandWindow::ShowPicture()
{
    BringPictureUpToDate();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    BitBlt(dc, 0, 0, canvas_.Width(), canvas_.Height(), canvas_.Dc(), 0, 0, SRCCOPY);
    EndPaint(hwnd_, &paint);
}

std::uintptr_t CommandWindow::WindowHandle()
{
    return reinterpret_cast<std::uintptr_t>(hwnd_);
}

FontDescription CommandWindow::SurfaceFont()
{
    return DescribeFont(font_.get(), ScreenDpi());
}

FontDescription CommandWindow::ContainerFont()
{
    HWND parent = GetParent(hwnd_);
    return DescribeFont(reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0)), ScreenDpi());
}

void CommandWindow::SetSurfaceEnabled(bool enabled)
{
    EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void CommandWindow::SetSurfaceFont(const FontDescription& font)
{
    font_.reset(CreateFontFromDescription(font, ScreenDpi()));
    canvas_.SetFont(font_.get());
}

void CommandWindow::PropertyChanged(const wchar_t*)
{
    // No form around the program's buttons keeps their properties: a
    // changed value has nobody to be stored by.
}

void CommandWindow::Repaint()
{
    Paint(command_.state().visualState, true);
}

void CommandWindow::Paint(int state, bool force)
{
    if (TakeButtonPaint(command_, state, force)) {
        pictureDue_ = true;
        // A button nobody sees (its page hidden, the window not shown yet)
        // is painted when it is first shown, or when its picture is asked for.
        if (IsWindowVisible(hwnd_))
            BringPictureUpToDate();
    }
    InvalidateRect(hwnd_, nullptr, FALSE);
    // Every change of focus, press or availability paints the button.
    const long accessibleState = AccessibleState();
    if (accessibleState != announcedState_) {
        announcedState_ = accessibleState;
        NotifyAccessible(hwnd_, EVENT_OBJECT_STATECHANGE);
    }
}

void CommandWindow::Refresh()
{
    UpdateWindow(hwnd_);
}

void CommandWindow::SetHoverTimer(bool enabled)
{
    if (enabled)
        SetTimer(hwnd_, kHoverTimer, kHoverInterval, nullptr);
    else
        KillTimer(hwnd_, kHoverTimer);
}

void CommandWindow::MoveFocus(bool backward)
{
    HWND next = GetNextDlgTabItem(GetAncestor(hwnd_, GA_ROOT), hwnd_, backward ? TRUE : FALSE);
    if (next)
        SetFocus(next);
}

void CommandWindow::PointerPosition(int& x, int& y)
{
    POINT pointer = {};
    GetCursorPos(&pointer);
    ScreenToClient(hwnd_, &pointer);
    x = pointer.x;
    y = pointer.y;
}

bool CommandWindow::IsDefaultButton() const
{
    const LRESULT answer = SendMessageW(GetParent(hwnd_), DM_GETDEFID, 0, 0);
    return HIWORD(answer) == DC_HASDEFID && LOWORD(answer) == GetDlgCtrlID(hwnd_);
}

void CommandWindow::Resize()
{
    RECT client = {};
    GetClientRect(hwnd_, &client);
    CommandState& state = command_.state();
    state.width = client.right;
    state.height = client.bottom;
    state.textRect = {0, state.textRect.top, state.width, state.height};
    state.pressedTextRect = {2, 2, state.width, state.height};
    state.focusRect = {2, 2, state.width - 2, state.height - 2};
    canvas_.Resize(state.width > 0 ? state.width : 1, state.height > 0 ? state.height : 1);
    region_ = BuildRegion(command_.ButtonType(), state.width, state.height);
    region_.HandTo(hwnd_, true);
    Repaint();
}

} // namespace torvane
