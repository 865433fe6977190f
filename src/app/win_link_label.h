#pragma once

#include <windows.h>

#include "app/win_widgets.h"
#include "platform/win_accessible.h"

namespace torvane {

// A label that opens a page: clicked with the mouse, or reached with Tab and
// opened with Enter or Space, with a focus cue round its text; assistive
// technology reads it as a link.
class LinkLabel : public Label, private AccessibleSource {
public:
    LinkLabel() = default;
    LinkLabel(const LinkLabel&) = delete;
    LinkLabel& operator=(const LinkLabel&) = delete;
    ~LinkLabel() override;

    // Makes the attached label a tab stop that takes the keys.
    void MakeReachable();

private:
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void DrawFocusCue() const;

    // AccessibleSource
    long AccessibleRole() const override { return ROLE_SYSTEM_LINK; }
    std::wstring AccessibleName() const override { return Text(); }
    long AccessibleState() const override;
    std::wstring DefaultActionName() const override { return L"跳转"; }
    bool DoDefaultAction() override;

    AccessibleAnswer accessible_{*this};
    bool subclassed_ = false;
};

} // namespace torvane
