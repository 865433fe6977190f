#pragma once

#include <string>
#include <vector>

#include "platform/page.h"

namespace torvane {

// The entries of the tray menu, in order; separators have id 0.
struct TrayMenuEntry {
    int id;
    const wchar_t* name;    // m_Web, s1, ...
    const wchar_t* caption; // "-" for a separator
};

const std::vector<TrayMenuEntry>& TrayMenuEntries();

namespace TrayMenuId {
constexpr int Web = 40001;
constexpr int State = 40002;
constexpr int Record = 40003;
constexpr int Setting = 40004;
constexpr int About = 40005;
constexpr int Exit = 40006;
constexpr int EnableSpeed = 40007;
} // namespace TrayMenuId

// What a chosen entry asks of the main window.
struct TrayMenuChoice {
    enum class Kind {
        None,         // an id that is none of the entries
        OpenHomePage, // the vendor's home page in the browser
        ShowPage,     // show and restore the window, then choose `page`
        ToggleSpeed,  // "启用提速": what a click on the settings page's box does
        Exit,         // the icon goes first, at once, then the program
    };
    Kind kind = Kind::None;
    Page page = Page::Status;
};

TrayMenuChoice TrayMenuCommand(int id);

} // namespace torvane
