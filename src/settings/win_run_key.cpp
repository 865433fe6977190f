#include "settings/win_run_key.h"

#include "platform/ansi_text.h"
#include "platform/win_handles.h"

namespace torvane {

namespace {

const char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

HKEY RootKey(RunKeyRoot root)
{
    return root == RunKeyRoot::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

} // namespace

bool WinRunKey::SetValue(RunKeyRoot root, const std::wstring& name, const std::wstring& data)
{
    ScopedRegKey key;
    if (RegCreateKeyA(RootKey(root), kRunKeyPath, key.receive()) != ERROR_SUCCESS)
        return false;
    const std::string bytes = ToAnsi(data);
    return RegSetValueExA(key.get(), ToAnsi(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(bytes.c_str()),
                          static_cast<DWORD>(bytes.size() + 1)) == ERROR_SUCCESS;
}

void WinRunKey::DeleteValue(RunKeyRoot root, const std::wstring& name)
{
    ScopedRegKey key;
    if (RegCreateKeyA(RootKey(root), kRunKeyPath, key.receive()) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key.get(), ToAnsi(name).c_str());
}

} // namespace torvane
