#include "settings/win_run_key.h"

#include "platform/win_handles.h"

namespace torvane {

namespace {

const wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

HKEY RootKey(RunKeyRoot root)
{
    return root == RunKeyRoot::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

} // namespace

bool WinRunKey::SetValue(RunKeyRoot root, const std::wstring& name, const std::wstring& data)
{
    ScopedRegKey key;
    if (RegCreateKeyW(RootKey(root), kRunKeyPath, key.receive()) != ERROR_SUCCESS)
        return false;
    return RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void WinRunKey::DeleteValue(RunKeyRoot root, const std::wstring& name)
{
    ScopedRegKey key;
    if (RegCreateKeyW(RootKey(root), kRunKeyPath, key.receive()) != ERROR_SUCCESS)
        return;
    RegDeleteValueW(key.get(), name.c_str());
}

std::optional<std::wstring> WinRunKey::ReadValue(RunKeyRoot root, const std::wstring& name)
{
    ScopedRegKey key;
    if (RegOpenKeyExW(RootKey(root), kRunKeyPath, 0, KEY_QUERY_VALUE, key.receive()) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) !=
        ERROR_SUCCESS)
        return std::nullopt;
    // The data may or may not carry its terminating NUL.
    data.resize(bytes / sizeof(wchar_t));
    while (!data.empty() && data.back() == L'\0')
        data.pop_back();
    return data;
}

} // namespace torvane
