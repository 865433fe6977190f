#pragma once

#include <windows.h>

#include "platform/win_handles.h"

namespace torvane {

// Two copies would fight over priorities and over config.ini, so one runs
// per log-on session: the first holds a named mutex for as long as it runs.
class SingleInstance {
public:
    SingleInstance();
    // False when another copy holds the name already.
    bool first() const { return first_; }

private:
    ScopedHandle mutex_;
    bool first_ = true;
};

// The message a later copy sends the first one's main window: show it,
// restored and in front.
UINT BringUpMessage();

// Asks the running copy to bring its main window up, waiting at most
// timeoutMs for that window to exist (the copy may still be starting).
// False when no window answered.
bool BringUpFirstCopy(DWORD timeoutMs);

// Asks a running copy to end as an installer's close request does (the
// end-session messages with ENDSESSION_CLOSEAPP) and waits at most timeoutMs
// for its process to be gone. True when no copy runs afterwards.
bool EndRunningCopy(DWORD timeoutMs);

} // namespace torvane
