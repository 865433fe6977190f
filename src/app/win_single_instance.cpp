#include "app/win_single_instance.h"

#include "app/control_ids.h"

namespace torvane {

namespace {

// "Local\" keeps the name to this session: another user's copy on the same
// machine is theirs.
constexpr wchar_t kMutexName[] = L"Local\\Torvane.Running";
constexpr wchar_t kBringUpName[] = L"Torvane.BringUp";

} // namespace

SingleInstance::SingleInstance() : mutex_(CreateMutexW(nullptr, FALSE, kMutexName))
{
    // A name taken by some other kind of object fails the call; the program
    // then runs rather than refusing to start.
    first_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

UINT BringUpMessage()
{
    return RegisterWindowMessageW(kBringUpName);
}

bool BringUpFirstCopy(DWORD timeoutMs)
{
    const UINT message = BringUpMessage();
    if (message == 0)
        return false;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        HWND window = FindWindowW(kMainWindowClass, nullptr);
        if (window) {
            // This copy was started by the user, so it may hand the right to
            // take the foreground on to the copy that is already running.
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            AllowSetForegroundWindow(owner);
            const ULONGLONG now = GetTickCount64();
            const UINT wait = now < deadline ? static_cast<UINT>(deadline - now) : 1;
            DWORD_PTR answer = 0;
            if (SendMessageTimeoutW(window, message, 0, 0, SMTO_ABORTIFHUNG, wait, &answer) && answer)
                return true;
        }
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(50);
    }
}

bool EndRunningCopy(DWORD timeoutMs)
{
    const HWND window = FindWindowW(kMainWindowClass, nullptr);
    if (!window)
        return true;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    const ScopedHandle process(OpenProcess(SYNCHRONIZE, FALSE, owner));
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, timeoutMs, &answer);
    SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, timeoutMs, &answer);
    if (process)
        return WaitForSingleObject(process.get(), timeoutMs) == WAIT_OBJECT_0;
    return !IsWindow(window);
}

} // namespace torvane
