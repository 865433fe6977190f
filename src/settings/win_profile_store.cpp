#include "settings/win_profile_store.h"

#include <windows.h>

#include "platform/ansi_text.h"

WinProfileStore::WinProfileStore(std::wstring filePath) : path_(ToAnsi(filePath)) {}

std::optional<std::wstring> WinProfileStore::ReadRaw(const wchar_t* section, const wchar_t* key)
{
    char buffer[255] = {};
    const DWORD copied = GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), "",
                                                  buffer, sizeof buffer, path_.c_str());
    if (copied == 0)
        return std::nullopt;
    return FromAnsi(std::string(buffer, copied < sizeof buffer ? copied : sizeof buffer - 1));
}

bool WinProfileStore::Write(const wchar_t* section, const wchar_t* key, const std::wstring& value)
{
    return WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(),
                                      ToAnsi(value).c_str(), path_.c_str()) != 0;
}
