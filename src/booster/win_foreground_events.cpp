#include "booster/win_foreground_events.h"

namespace torvane {

namespace {

// The system hands the callback no context of ours: the one hook a program
// sets says here where its reports go.
HWND g_target = nullptr;
UINT g_message = 0;

void CALLBACK ForegroundChanged(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD)
{
    if (event == EVENT_SYSTEM_FOREGROUND && window && g_target)
        PostMessageW(g_target, g_message, reinterpret_cast<WPARAM>(window), 0);
}

} // namespace

bool ForegroundEvents::Start(HWND target, UINT message)
{
    Stop();
    g_target = target;
    g_message = message;
    hook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, ForegroundChanged, 0, 0,
                            WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    return hook_ != nullptr;
}

void ForegroundEvents::Stop()
{
    if (!hook_)
        return;
    UnhookWinEvent(hook_);
    hook_ = nullptr;
    g_target = nullptr;
}

} // namespace torvane
