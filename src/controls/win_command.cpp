#include "controls/win_command.h"

#include "platform/win_font.h"

namespace {

const wchar_t kCommandClass[] = L"TorvaneCommand";

int WindowDpi(HWND window)
{
    HDC dc = GetDC(window);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    return dpi > 0 ? dpi : 96;
}

} // namespace

CommandWindow::CommandWindow(const CommandCreateArgs& args)
    : name_(args.name), onPropertyChanged_(args.onPropertyChanged),
      canvas_(1, 1, GetSysColor(COLOR_BTNFACE)), command_(*this, system_)
{
}

CommandWindow* CommandWindow::Create(const CommandCreateArgs& args)
{
    static const bool registered = [] {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = WindowProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        windowClass.lpszClassName = kCommandClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
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

LRESULT CommandWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        Resize();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void CommandWindow::OnFinalMessage()
{
    delete this;
}

void CommandWindow::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    BitBlt(dc, 0, 0, canvas_.Width(), canvas_.Height(), canvas_.Dc(), 0, 0, SRCCOPY);
    EndPaint(hwnd_, &paint);
}

std::uintptr_t CommandWindow::WindowHandle()
{
    return reinterpret_cast<std::uintptr_t>(hwnd_);
}

FontSpec CommandWindow::SurfaceFont()
{
    return SpecFromFont(font_.get(), WindowDpi(hwnd_));
}

FontSpec CommandWindow::ContainerFont()
{
    HWND parent = GetParent(hwnd_);
    return SpecFromFont(reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0)), WindowDpi(hwnd_));
}

void CommandWindow::SetSurfaceEnabled(bool enabled)
{
    EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void CommandWindow::SetSurfaceFont(const FontSpec& font)
{
    font_.reset(CreateFontFromSpec(font, WindowDpi(hwnd_)));
    canvas_.SetFont(font_.get());
}

void CommandWindow::PropertyChanged(const wchar_t* name)
{
    if (onPropertyChanged_)
        onPropertyChanged_(name);
}

void CommandWindow::Repaint()
{
    // The picture is redrawn whole, then shown.
    canvas_.SetBackground(command_.scheme().face);
    canvas_.Clear();
    InvalidateRect(hwnd_, nullptr, FALSE);
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
