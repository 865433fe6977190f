#include "platform/win_replace_file.h"

#include <windows.h>

#include "platform/win_handles.h"

namespace torvane {

bool ReplaceFileWhole(const std::wstring& path, const std::string& bytes, bool durable)
{
    const std::wstring temporary = path + L".tmp";
    ScopedHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    const bool complete = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                          written == bytes.size() && (!durable || FlushFileBuffers(file.get()));
    DWORD error = complete ? ERROR_SUCCESS : GetLastError();
    file.reset();
    if (complete &&
        MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | (durable ? MOVEFILE_WRITE_THROUGH : 0)))
        return true;
    if (complete)
        error = GetLastError();
    DeleteFileW(temporary.c_str());
    SetLastError(error);
    return false;
}

} // namespace torvane
