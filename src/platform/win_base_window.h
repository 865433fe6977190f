#pragma once

#include <windows.h>

#include "platform/win_window_class.h"

namespace torvane {

// A top-level or child window whose messages go to a member function: `this`
// travels in lpCreateParams and is kept in GWLP_USERDATA from WM_NCCREATE on.
template <typename Derived>
class BaseWindow {
public:
    virtual ~BaseWindow() = default;
    HWND hwnd() const { return hwnd_; }

protected:
    // Registers the window class of this kind of window, once per program.
    static bool RegisterOnce(const wchar_t* className, UINT style = 0)
    {
        static const bool registered = [className, style] {
            WindowClassArgs args;
            args.name = className;
            args.procedure = WindowProcedure;
            args.style = style;
            return RegisterWindowClass(args);
        }();
        return registered;
    }

    static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            self = static_cast<Derived*>(create->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (!self)
            return DefWindowProcW(hwnd, message, wParam, lParam);
        const LRESULT result = self->HandleMessage(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            BaseWindow* base = self;
            base->hwnd_ = nullptr;
            base->OnFinalMessage();
        }
        return result;
    }

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }

    // The window is gone; an object that lives as long as its window may
    // delete itself here, and nothing touches it afterwards.
    virtual void OnFinalMessage() {}

    HWND hwnd_ = nullptr;
};

} // namespace torvane
