#include "settings/win_config_place.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/win_handles.h"

namespace torvane {

bool WinConfigPlaceProbe::CanWrite(const std::wstring& file)
{
    // Opened as the profile calls open it to write (which replaces the file),
    // but without touching what is in it.
    ScopedHandle handle(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle)
        return false;
    const bool made = GetLastError() != ERROR_ALREADY_EXISTS;
    // Closed before a file it made is deleted: Windows keeps the name till then.
    handle.reset();
    if (made)
        DeleteFileW(file.c_str());
    return true;
}

bool WinConfigPlaceProbe::FileExists(const std::wstring& file)
{
    const DWORD attributes = GetFileAttributesW(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinConfigPlaceProbe::MakeFolder(const std::wstring& folder)
{
    CreateDirectoryW(folder.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinConfigPlaceProbe::CopyNew(const std::wstring& from, const std::wstring& to)
{
    if (!CopyFileW(from.c_str(), to.c_str(), TRUE))
        return false;
    // A read-only original gives a read-only copy: the copy is to be written.
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(to.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    return true;
}

std::wstring WinConfigPlaceProbe::UserDataFolder()
{
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return {};
    return folder;
}

} // namespace torvane
