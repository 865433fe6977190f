#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "booster/foreground_window.h"
#include "booster/process_priority.h"

namespace torvane {

// The processes of one application, opened; the first is the one its window
// belongs to.
using Application = std::vector<std::unique_ptr<OpenedProcess>>;

// An application is raised and given back as at most this many processes.
constexpr std::size_t kApplicationProcessesMax = 64;

// The shared host of every UWP app's frame: the app itself runs in the
// process that owns the window inside the frame.
bool IsFrameHost(const std::wstring& programName);

// The window whose process is the application of `window`: the window
// itself, or, for a UWP frame, the app's window inside it. 0 for a frame with
// no app inside (one being suspended): nothing there to raise.
std::uintptr_t ApplicationWindow(ForegroundWindow& windows, ProcessPriority& processes, std::uintptr_t window);

// The processes started by `root`, and by those in turn, that run the same
// program file (a browser's renderers, say), at most `max`. A process of
// another program is another application, and what it starts is its own.
// A process that cannot be opened, has ended, or started before its parent
// (its parent's id given again since) is left out.
Application SameProgramHelpers(ProcessPriority& processes, OpenedProcess& root, std::size_t max);

} // namespace torvane
