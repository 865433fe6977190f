#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace torvane {

// A process as the booster remembers it: its id and the time it started, so
// that an id the system has since given to another process is never taken
// for it.
struct ProcessIdentity {
    std::uint32_t id = 0;
    std::uint64_t startTime = 0;
    bool operator==(const ProcessIdentity& other) const { return id == other.id && startTime == other.startTime; }
    bool operator!=(const ProcessIdentity& other) const { return !(*this == other); }
};

// What raising a window's process did.
struct PriorityChange {
    bool opened = false;        // the process could be opened to change its class
    ProcessIdentity process;
    std::uint32_t before = 0;   // its class before the change; 0 when unknown
    std::uint32_t after = 0;    // its class read back afterwards; 0 when unknown
    std::uint32_t error = 0;    // the system's reason when it could not be opened
};

// A process held open to read and change its class. It stays that very
// process while held, even if it ends and its id is given to another.
class OpenedProcess {
public:
    virtual ~OpenedProcess() = default;
    virtual ProcessIdentity Identity() = 0;
    virtual bool Running() = 0;
    // 0 when it cannot be read.
    virtual std::uint32_t PriorityClass() = 0;
    virtual bool SetPriorityClass(std::uint32_t priorityClass) = 0;
    // The full path of its program file; empty when it cannot be read.
    virtual std::wstring ProgramPath() = 0;
};

// One line of the system's list of processes, as listed: by the time it is
// read, the process may have ended and its id gone to another.
struct ListedProcess {
    std::uint32_t id = 0;
    std::uint32_t parentId = 0;
};

// The system's processes, as far as the booster reads and changes them.
class ProcessPriority {
public:
    virtual ~ProcessPriority() = default;
    // The id of the process owning the window, this process's when the
    // window is 0, and 0 when the window no longer exists.
    virtual std::uint32_t WindowProcessId(std::uintptr_t window) = 0;
    // Null, with the system's reason in `error`, when the process cannot be
    // opened to change its class.
    virtual std::unique_ptr<OpenedProcess> Open(std::uint32_t id, std::uint32_t& error) = 0;
    // The processes running now from a program file of this name (without
    // its folder, compared as file names are); empty when the list cannot
    // be taken. The others cost no more than a look at their name.
    virtual std::vector<ListedProcess> ListNamed(const std::wstring& fileName) = 0;
};

} // namespace torvane
