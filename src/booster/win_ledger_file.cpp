#include "booster/win_ledger_file.h"

#include <windows.h>

#include "platform/win_handles.h"
#include "platform/win_replace_file.h"

namespace torvane {

std::string WinLedgerFile::Read()
{
    const ScopedHandle file(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return {};
    std::string text(kLedgerMaxBytes, '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), &text[0], static_cast<DWORD>(text.size()), &read, nullptr))
        return {};
    text.resize(read);
    return text;
}

bool WinLedgerFile::Replace(const std::string& text)
{
    // Nothing raised leaves no file; one already gone is as good.
    if (text.empty())
        return DeleteFileW(path_.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
               GetLastError() == ERROR_PATH_NOT_FOUND;
    // The move is atomic; a flush would only guard against a power cut and
    // costs a disk write at every switch.
    return ReplaceFileWhole(path_, text, false);
}

} // namespace torvane
