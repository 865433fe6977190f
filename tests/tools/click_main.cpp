// tv_click <control id>: a real mouse click in the middle of the control with
// that id inside Torvane's main window. Exit code 0 when the click was sent.
#include <windows.h>

#include <cwchar>

#include "app/control_ids.h"

using namespace torvane;

namespace {

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND child, LPARAM context)
{
    auto* search = reinterpret_cast<Search*>(context);
    if (GetDlgCtrlID(child) == search->id) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    HWND main = FindWindowW(kMainWindowClass, nullptr);
    if (!main)
        return 2;
    Search search = {static_cast<int>(std::wcstol(commandLine, nullptr, 10)), nullptr};
    EnumChildWindows(main, MatchId, reinterpret_cast<LPARAM>(&search));
    RECT box;
    if (!search.found || !GetWindowRect(search.found, &box))
        return 3;
    SetForegroundWindow(main);
    SetCursorPos((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    Sleep(100);
    INPUT clicks[2] = {};
    clicks[0].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].type = INPUT_MOUSE;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(2, clicks, sizeof(INPUT)) == 2 ? 0 : 1;
}
