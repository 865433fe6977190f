#pragma once

#include <windows.h>

namespace torvane {

// Where a child control goes, in twips inside its parent.
struct ControlPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 300;
};

// Creates the standard child controls of a page, placed in twips at the
// window's DPI, all in the interface font.
class ChildFactory {
public:
    ChildFactory(HWND parent, int dpi, HFONT font) : parent_(parent), dpi_(dpi), font_(font) {}

    HWND Label(int id, const ControlPlace& place, const wchar_t* text, DWORD extraStyle = 0) const;
    HWND Heading(const ControlPlace& place, const wchar_t* text, HFONT font) const;
    HWND CheckBox(int id, const ControlPlace& place, const wchar_t* text) const;
    HWND DropDownList(int id, const ControlPlace& place) const;
    HWND HistoryBox(int id, const ControlPlace& place) const;
    // A list in the order given, that tells its parent of the Delete key.
    HWND ListBox(int id, const ControlPlace& place) const;

    int Pixels(int twips) const;
    HWND parent() const { return parent_; }

private:
    HWND Create(const wchar_t* className, int id, const ControlPlace& place, const wchar_t* text,
                DWORD style, DWORD exStyle = 0, HFONT font = nullptr) const;

    HWND parent_;
    int dpi_;
    HFONT font_;
};

} // namespace torvane
