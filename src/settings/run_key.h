#pragma once

#include <optional>
#include <string>

namespace torvane {

// The two places a program can be started with the system from: the machine's
// Run key (needs administrator rights) and the current user's.
enum class RunKeyRoot { Machine, User };

class RunKey {
public:
    virtual ~RunKey() = default;
    // True when the value was written.
    virtual bool SetValue(RunKeyRoot root, const std::wstring& name, const std::wstring& data) = 0;
    virtual void DeleteValue(RunKeyRoot root, const std::wstring& name) = 0;
    // The value's data; nothing when it is absent or not text.
    virtual std::optional<std::wstring> ReadValue(RunKeyRoot root, const std::wstring& name) = 0;
};

} // namespace torvane
