#pragma once

#include <functional>

#include <windows.h>

#include <commctrl.h>

#include "drawing/win_dib_canvas.h"
#include "monitor/cpu_monitor.h"
#include "platform/win_accessible.h"
#include "platform/win_base_window.h"
#include "platform/property_bag.h"
#include "platform/win_handles.h"

namespace torvane {

struct CpuMonitorCreateArgs {
    HWND parent = nullptr;
    int id = 0;
    int left = 0;
    int top = 0;
    int width = 361;
    int height = 73;
    // The program's one set of measurements.
    CpuMonitorSupport* support = nullptr;
    // Stored property values; null creates the monitor with first-time defaults.
    PropertyBag* properties = nullptr;
    CpuMonitorEvents events;
    // A tooltip of the form's to hold the diagram's tip; null: the monitor
    // makes its own. Every tooltip is a window of its own at the top level,
    // which under Wine costs a start-up several milliseconds.
    HWND tooltip = nullptr;
};

// The window class around a CpuMonitor: a child window holding the diagram's
// persistent picture and the sampling timer. Its accessible object and its
// tooltip give the latest figures as text. The object lives as long as its
// window.
class CpuMonitorWindow : public BaseWindow<CpuMonitorWindow>, private CpuMonitorHost, private AccessibleSource {
public:
    static CpuMonitorWindow* Create(const CpuMonitorCreateArgs& args);

    CpuMonitor& monitor() { return monitor_; }
    DibCanvas& picture() { return canvas_; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    explicit CpuMonitorWindow(const CpuMonitorCreateArgs& args);
    void OnFinalMessage() override;

    bool RunMode() override { return true; }
    void SetTimer(int intervalMs, bool enabled) override;
    int OuterWidth() override;
    Canvas& Picture() override { return canvas_; }
    void RefreshWindow() override;
    int WindowAppearance() override { return appearance_; }
    void SetWindowAppearance(int appearance) override;
    int WindowBorderStyle() override { return borderStyle_; }
    void SetWindowBorderStyle(int borderStyle) override;
    bool WindowEnabled() override;
    void SetWindowEnabled(bool enabled) override;
    void SetWindowBackColour(Colour colour) override;
    std::wstring WindowsDirectory() override;
    NumberPunctuation Punctuation() override;
    void PropertyChanged(const wchar_t* key) override;

    // AccessibleSource
    long AccessibleRole() const override { return ROLE_SYSTEM_CHART; }
    std::wstring AccessibleName() const override { return L"系统性能"; }
    long AccessibleState() const override { return WindowAccessibleState(hwnd_) | STATE_SYSTEM_READONLY; }
    std::wstring AccessibleValue() const override;

    void ApplyFrame();
    void FitPicture();
    void CreateTip(HWND shared);
    LRESULT Notify(NMHDR& header);
    // The tooltip learns of the pointer from the window itself.
    void RelayToTip(UINT message, WPARAM wParam, LPARAM lParam) const;

    DibCanvas canvas_;
    int appearance_ = 1;
    int borderStyle_ = 1;
    CpuMonitor monitor_;
    AccessibleAnswer accessible_{*this};
    ScopedWindow ownTip_;
    HWND tip_ = nullptr; // the own tip or the form's
    TTTOOLINFOW TipTool() const;
    // The tooltip's text while it shows.
    std::wstring tipText_;
};

} // namespace torvane
