#pragma once

#include "settings/run_key.h"

namespace torvane {

// "Software\Microsoft\Windows\CurrentVersion\Run" under HKEY_LOCAL_MACHINE or
// HKEY_CURRENT_USER; REG_SZ data in the system code page.
class WinRunKey : public RunKey {
public:
    bool SetValue(RunKeyRoot root, const std::wstring& name, const std::wstring& data) override;
    void DeleteValue(RunKeyRoot root, const std::wstring& name) override;
};

} // namespace torvane
