#pragma once

#include <functional>

#include <windows.h>

#include "drawing/win_gdi_canvas.h"
#include "monitor/cpu_monitor.h"
#include "platform/win_base_window.h"
#include "platform/property_bag.h"

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
    CpuMonitorEvents* events = nullptr;
    std::function<void(const wchar_t*)> onPropertyChanged;
};

// The window class around a CpuMonitor: a child window holding the diagram's
// persistent picture and the sampling timer. The object lives as long as its
// window.
class CpuMonitorWindow : public BaseWindow<CpuMonitorWindow>, private CpuMonitorHost {
public:
    static CpuMonitorWindow* Create(const CpuMonitorCreateArgs& args);

    CpuMonitor& monitor() { return monitor_; }
    GdiCanvas& picture() { return canvas_; }

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

    void ApplyFrame();
    void FitPicture();

    std::function<void(const wchar_t*)> onPropertyChanged_;
    GdiCanvas canvas_;
    int appearance_ = 1;
    int borderStyle_ = 1;
    CpuMonitor monitor_;
};

} // namespace torvane
