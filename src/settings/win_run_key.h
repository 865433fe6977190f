#pragma once

#include "settings/run_key.h"

namespace torvane {

// "Software\Microsoft\Windows\CurrentVersion\Run" under HKEY_LOCAL_MACHINE or
// HKEY_CURRENT_USER; REG_SZ data through the wide calls, so a path outside
// the system code page is kept whole.
class WinRunKey : public RunKey {
public:
    bool SetValue(RunKeyRoot root, const std::wstring& name, const std::wstring& data) override;
    void DeleteValue(RunKeyRoot root, const std::wstring& name) override;
    std::optional<std::wstring> ReadValue(RunKeyRoot root, const std::wstring& name) override;
};

} // namespace torvane
