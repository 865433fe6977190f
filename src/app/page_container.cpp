#include "app/page_container.h"

namespace {

const wchar_t kPageClass[] = L"TorvanePage";

LRESULT CALLBACK PageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return SendMessageW(GetParent(page), message, wParam, lParam);
    default:
        return DefWindowProcW(page, message, wParam, lParam);
    }
}

void RegisterPageClass()
{
    WNDCLASSEXW pageClass = {};
    pageClass.cbSize = sizeof pageClass;
    pageClass.lpfnWndProc = PageProcedure;
    pageClass.hInstance = GetModuleHandleW(nullptr);
    pageClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    pageClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    pageClass.lpszClassName = kPageClass;
    RegisterClassExW(&pageClass);
}

} // namespace

HWND CreatePageContainer(HWND mainWindow, int id)
{
    static const bool registered = (RegisterPageClass(), true);
    (void)registered;
    return CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"",
                           WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0, mainWindow,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}
