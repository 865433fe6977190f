#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "settings/run_key.h"

namespace torvane {

class FakeRunKey : public RunKey {
public:
    bool SetValue(RunKeyRoot root, const std::wstring& name, const std::wstring& data) override
    {
        calls.push_back(std::wstring(root == RunKeyRoot::Machine ? L"set machine " : L"set user ") + name);
        if (root == RunKeyRoot::Machine && !machineWritable)
            return false;
        (root == RunKeyRoot::Machine ? machine : user)[name] = data;
        return true;
    }

    void DeleteValue(RunKeyRoot root, const std::wstring& name) override
    {
        calls.push_back(std::wstring(root == RunKeyRoot::Machine ? L"delete machine " : L"delete user ") + name);
        if (root == RunKeyRoot::Machine && !machineWritable)
            return;
        (root == RunKeyRoot::Machine ? machine : user).erase(name);
    }

    std::optional<std::wstring> ReadValue(RunKeyRoot root, const std::wstring& name) override
    {
        const auto& values = root == RunKeyRoot::Machine ? machine : user;
        const auto found = values.find(name);
        if (found == values.end())
            return std::nullopt;
        return found->second;
    }

    std::map<std::wstring, std::wstring> machine;
    std::map<std::wstring, std::wstring> user;
    std::vector<std::wstring> calls;
    bool machineWritable = true;
};

} // namespace torvane
