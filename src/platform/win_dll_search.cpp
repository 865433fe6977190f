#include "platform/win_dll_search.h"

#include <windows.h>

namespace torvane {

void RestrictDllSearchToSystem()
{
    // Looked up rather than imported: Windows 7 has the call only with an
    // update, and an import it lacks would stop the program from starting.
    using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto restrict = kernel ? reinterpret_cast<SetDefaultDllDirectoriesProc>(reinterpret_cast<void*>(
                                       GetProcAddress(kernel, "SetDefaultDllDirectories")))
                                 : nullptr;
    if (restrict && restrict(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // Without it, at least take the current directory out of the search.
    SetDllDirectoryW(L"");
}

} // namespace torvane
