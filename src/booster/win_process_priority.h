#pragma once

#include "booster/process_priority.h"

namespace torvane {

class WinProcessPriority : public ProcessPriority {
public:
    PriorityChange SetWindowProcessClass(std::uintptr_t window, std::uint32_t priorityClass) override;
    bool SetProcessClass(const ProcessIdentity& process, std::uint32_t priorityClass) override;
};

} // namespace torvane
