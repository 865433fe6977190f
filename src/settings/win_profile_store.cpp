#include "settings/win_profile_store.h"

#include <windows.h>

#include "platform/ansi_text.h"
#include "platform/win_handles.h"

namespace torvane {

WinProfileStore::WinProfileStore(std::wstring filePath) : path_(std::move(filePath)) {}

std::optional<std::wstring> WinProfileStore::ReadRaw(const wchar_t* section, const wchar_t* key)
{
    // A value is cut to 254 bytes, in the file's code page, as a 255-byte
    // buffer of the ANSI call cuts it.
    constexpr std::size_t kValueBytes = 254;
    const std::optional<std::wstring> whole = ReadWhole(section, key);
    if (!whole)
        return std::nullopt;
    const std::string bytes = ToAnsi(*whole);
    if (bytes.size() <= kValueBytes)
        return whole;
    return FromAnsi(bytes.substr(0, kValueBytes));
}

std::optional<std::wstring> WinProfileStore::ReadWhole(const wchar_t* section, const wchar_t* key)
{
    // The call says a value did not fit by filling the buffer to one
    // character short of its end: try again with twice the room.
    for (DWORD size = 1024; size <= (1u << 24); size *= 2) {
        std::wstring value(size, L'\0');
        const DWORD copied = GetPrivateProfileStringW(section, key, L"", value.data(), size, path_.c_str());
        if (copied == 0)
            return std::nullopt;
        if (copied < size - 1) {
            value.resize(copied);
            return value;
        }
    }
    return std::nullopt;
}

bool WinProfileStore::Write(const wchar_t* section, const wchar_t* key, const std::wstring& value)
{
    return WritePrivateProfileStringW(section, key, value.c_str(), path_.c_str()) != 0;
}

bool WinProfileStore::Keeps(const std::wstring& value)
{
    // A file that starts with a UTF-16 byte-order mark is kept in UTF-16 and
    // keeps any text; every other one is written in the system code page.
    char mark[2] = {};
    DWORD read = 0;
    ScopedHandle file(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file && ReadFile(file.get(), mark, sizeof mark, &read, nullptr) && read == 2 &&
        static_cast<unsigned char>(mark[0]) == 0xFF && static_cast<unsigned char>(mark[1]) == 0xFE)
        return true;
    if (value.empty())
        return true;
    BOOL lost = FALSE;
    const int size = static_cast<int>(value.size());
    // No best fit: "é" written as "e" would be a name the list does not hold.
    return WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, value.data(), size, nullptr, 0, nullptr, &lost) > 0 &&
           !lost;
}

} // namespace torvane
