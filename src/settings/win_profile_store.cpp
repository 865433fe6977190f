#include "settings/win_profile_store.h"

#include <windows.h>

#include "platform/ansi_text.h"

namespace torvane {

WinProfileStore::WinProfileStore(std::wstring filePath) : path_(ToAnsi(filePath)) {}

std::optional<std::wstring> WinProfileStore::ReadRaw(const wchar_t* section, const wchar_t* key)
{
    // A 255-byte buffer: a value is cut to 254 bytes, in the file's code page.
    constexpr DWORD kValueBufferBytes = 255;
    char valueBytes[kValueBufferBytes] = {};
    const DWORD copiedBytes = GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), "",
                                                       valueBytes, kValueBufferBytes, path_.c_str());
    if (copiedBytes == 0)
        return std::nullopt;
    return FromAnsi(std::string(valueBytes, copiedBytes < kValueBufferBytes ? copiedBytes : kValueBufferBytes - 1));
}

std::optional<std::wstring> WinProfileStore::ReadWhole(const wchar_t* section, const wchar_t* key)
{
    // The call says a value did not fit by filling the buffer to one byte
    // short of its end: try again with twice the room.
    for (DWORD sizeBytes = 1024; sizeBytes <= (1u << 24); sizeBytes *= 2) {
        std::string valueBytes(sizeBytes, '\0');
        const DWORD copiedBytes = GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), "",
                                                           valueBytes.data(), sizeBytes, path_.c_str());
        if (copiedBytes == 0)
            return std::nullopt;
        if (copiedBytes < sizeBytes - 1) {
            valueBytes.resize(copiedBytes);
            return FromAnsi(valueBytes);
        }
    }
    return std::nullopt;
}

bool WinProfileStore::Write(const wchar_t* section, const wchar_t* key, const std::wstring& value)
{
    return WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(),
                                      ToAnsi(value).c_str(), path_.c_str()) != 0;
}

} // namespace torvane
