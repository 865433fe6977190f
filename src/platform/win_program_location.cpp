#include "platform/win_program_location.h"

#include <windows.h>

namespace torvane {

ProgramLocation CurrentProgramLocation()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    ProgramLocation location;
    const std::wstring::size_type slash = path.find_last_of(L"\\/");
    std::wstring fileName = slash == std::wstring::npos ? path : path.substr(slash + 1);
    location.directory = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    if (location.directory.size() == 2 && location.directory[1] == L':')
        location.directory += L'\\';
    const std::wstring::size_type dot = fileName.find_last_of(L'.');
    location.baseName = dot == std::wstring::npos ? fileName : fileName.substr(0, dot);
    return location;
}

} // namespace torvane
