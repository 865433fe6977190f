#pragma once

#include "booster/process_priority.h"

namespace torvane {

class WinProcessPriority : public ProcessPriority {
public:
    std::uint32_t SetProcessPriority(std::uint32_t processId, std::uintptr_t windowHandle,
                                     std::uint32_t priorityClass) override;
};

} // namespace torvane
