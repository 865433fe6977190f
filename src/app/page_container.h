#pragma once

#include <windows.h>

// A page of the main window: a plain child window that hands its controls'
// notifications on to the main window.
HWND CreatePageContainer(HWND mainWindow, int id);
