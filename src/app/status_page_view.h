#pragma once

#include <windows.h>

#include "app/child_controls.h"

// The status page's boost figures. The system monitor and its legend sit
// below them.
struct StatusPageView {
    void Create(const ChildFactory& factory, HFONT headingFont);

    HWND labelTime = nullptr;
    HWND labelSpeed = nullptr;
    HWND labelSpeedupTarget = nullptr;
    HWND labelSpeedCount = nullptr;
};
