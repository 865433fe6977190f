#include "app/win_page_parts.h"

HWND CreatePageWindow(const PageCreateArgs& args, const wchar_t* className, void* self)
{
    return CreateWindowExW(WS_EX_CONTROLPARENT, className, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                           0, 0, args.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                           GetModuleHandleW(nullptr), self);
}

void PaintPageBackground(HWND page, HDC dc)
{
    RECT client = {};
    GetClientRect(page, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

LRESULT PageControlBackground(HDC dc)
{
    SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}
