#pragma once

#include <cstdint>

namespace torvane {

class ProcessPriority {
public:
    virtual ~ProcessPriority() = default;
    // processId 0: the process owning windowHandle, or this process when the
    // handle is 0 too. Returns the class read back afterwards, 0 when the
    // process could not be opened.
    virtual std::uint32_t SetProcessPriority(std::uint32_t processId, std::uintptr_t windowHandle,
                                             std::uint32_t priorityClass) = 0;
};

} // namespace torvane
