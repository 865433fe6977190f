#pragma once

#include <cstdint>

namespace torvane {

// A process as the booster remembers it: its id and the time it started, so
// that an id the system has since given to another process is never taken
// for it.
struct ProcessIdentity {
    std::uint32_t id = 0;
    std::uint64_t startTime = 0;
    bool operator==(const ProcessIdentity& other) const { return id == other.id && startTime == other.startTime; }
};

// What setting a window's process class did.
struct PriorityChange {
    bool opened = false;        // the process could be opened to change its class
    ProcessIdentity process;
    std::uint32_t before = 0;   // its class before the change; 0 when unknown
    std::uint32_t after = 0;    // its class read back afterwards; 0 when unknown
    std::uint32_t error = 0;    // the system's reason when it could not be opened
};

class ProcessPriority {
public:
    virtual ~ProcessPriority() = default;
    // The process owning the window, or this process when the window is 0.
    virtual PriorityChange SetWindowProcessClass(std::uintptr_t window, std::uint32_t priorityClass) = 0;
    // That very process, if it still runs: false when it has ended, its id now
    // names another process, or it cannot be opened.
    virtual bool SetProcessClass(const ProcessIdentity& process, std::uint32_t priorityClass) = 0;
};

} // namespace torvane
