#pragma once

#include <string>

#include <windows.h>

#include <oleacc.h>

namespace torvane {

// What a control that draws itself tells a screen reader or an automation
// tool: the answers of its client object (OBJID_CLIENT, CHILDID_SELF).
class AccessibleSource {
public:
    virtual ~AccessibleSource() = default;
    virtual long AccessibleRole() const = 0;             // ROLE_SYSTEM_*
    virtual std::wstring AccessibleName() const = 0;
    virtual long AccessibleState() const = 0;            // STATE_SYSTEM_* flags
    virtual std::wstring AccessibleValue() const { return {}; }
    virtual std::wstring AccessibleShortcut() const { return {}; } // "Alt+S"
    virtual std::wstring DefaultActionName() const { return {}; }
    // False when the control has no default action or cannot take it now.
    virtual bool DoDefaultAction() { return false; }
};

// The state every window-backed control shares: unavailable when disabled,
// invisible when hidden, focused when it has the focus.
long WindowAccessibleState(HWND window);

// A window's answer to WM_GETOBJECT with its own accessible object. The
// object is made on the first request and told when the window goes, so a
// client still holding it gets "disconnected" instead of a dangling call.
class AccessibleAnswer {
public:
    explicit AccessibleAnswer(AccessibleSource& source) : source_(source) {}
    ~AccessibleAnswer();
    AccessibleAnswer(const AccessibleAnswer&) = delete;
    AccessibleAnswer& operator=(const AccessibleAnswer&) = delete;

    // The reply to WM_GETOBJECT; 0 (the system's own object) for anything
    // but the client.
    LRESULT Answer(HWND window, WPARAM wParam, LPARAM lParam);

private:
    AccessibleSource& source_;
    IAccessible* object_ = nullptr;
};

// Tells listening assistive technology that the window's client changed.
inline void NotifyAccessible(HWND window, DWORD event)
{
    NotifyWinEvent(event, window, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace torvane
