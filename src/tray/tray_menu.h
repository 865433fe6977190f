#pragma once

#include <string>
#include <vector>

#include "platform/page.h"

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
} // namespace TrayMenuId

class TrayMenuHost {
public:
    virtual ~TrayMenuHost() = default;
    virtual void ShowAndRestoreMainWindow() = 0;
    virtual void SelectMainWindowPage(Page page) = 0;
    virtual void OpenHomePage() = 0;
    virtual void RemoveTrayIcon() = 0;
    virtual void ExitProgram() = 0;
};

// Runs the handler of a chosen entry; false for an id that is none of them.
bool OnTrayMenuCommand(TrayMenuHost& host, int id);
