#pragma once

#include <cstddef>

#include "booster/process_priority.h"

namespace torvane {

class WinProcessPriority : public ProcessPriority {
public:
    std::uint32_t WindowProcessId(std::uintptr_t window) override;
    std::unique_ptr<OpenedProcess> Open(std::uint32_t id, std::uint32_t& error) override;
    std::vector<ListedProcess> ListNamed(const std::wstring& fileName) override;

private:
    std::size_t listBytes_ = 64 * 1024; // grows to what the list last needed
};

} // namespace torvane
