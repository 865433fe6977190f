#pragma once

#include <windows.h>

#include "app/win_child_controls.h"
#include "monitor/win_cpu_monitor.h"

// The status page's boost figures. The system monitor and its legend sit
// below them.
struct StatusPageView {
    void Create(const ChildFactory& factory, HFONT headingFont, CpuMonitorSupport& support);

    // The legend swatch's colour for a control id, if it is one.
    static bool SwatchColour(int id, Colour& colour);

    HWND labelTime = nullptr;
    HWND labelSpeed = nullptr;
    HWND labelSpeedupTarget = nullptr;
    HWND labelSpeedCount = nullptr;
    CpuMonitorWindow* cpuMonitor1 = nullptr;
};
