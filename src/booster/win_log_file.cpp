#include "booster/win_log_file.h"

#include <windows.h>

#include "platform/ansi_text.h"
#include "platform/win_handles.h"
#include "platform/win_replace_file.h"

namespace torvane {

std::wstring SystemErrorText(unsigned long error)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length ? std::wstring(text, length) : L"错误 " + std::to_wstring(error);
    if (text)
        LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    return message;
}

namespace {

bool Fail(std::wstring& reason)
{
    reason = SystemErrorText(GetLastError());
    return false;
}

} // namespace

bool WinLogFile::Replace(const std::wstring& path, const std::wstring& content, std::wstring& reason)
{
    // The target must take writes: a read-only or locked file is reported,
    // not replaced behind its owner's back.
    // The attribute is checked too: on a file system that does not enforce
    // it for this user, a read-only file would otherwise be overwritten.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return Fail(reason);
    }
    {
        const ScopedHandle target(
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!target && GetLastError() != ERROR_FILE_NOT_FOUND)
            return Fail(reason);
    }

    if (!ReplaceFileWhole(path, ToAnsi(content), true))
        return Fail(reason);
    return true;
}

} // namespace torvane
