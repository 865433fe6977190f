#include "settings/autorun.h"

#include <cwctype>
#include <utility>

namespace torvane {

Autorun::Autorun(RunKey& runKey, std::wstring executablePath)
    : runKey_(runKey), executablePath_(std::move(executablePath))
{
}

std::wstring Autorun::ValueData() const
{
    return L"\"" + executablePath_ + L"\"";
}

void Autorun::AddAutorun()
{
    if (runKey_.SetValue(RunKeyRoot::Machine, kRunValueName, ValueData())) {
        // One entry is enough: a second would start the program twice.
        runKey_.DeleteValue(RunKeyRoot::User, kRunValueName);
        return;
    }
    runKey_.SetValue(RunKeyRoot::User, kRunValueName, ValueData());
}

namespace {

// Windows compares paths without case; the quotes are ours, an older or
// hand-made value may lack them.
bool SamePath(std::wstring data, const std::wstring& path)
{
    if (data.size() >= 2 && data.front() == L'"' && data.back() == L'"')
        data = data.substr(1, data.size() - 2);
    if (data.size() != path.size())
        return false;
    for (std::size_t i = 0; i < data.size(); ++i)
        if (std::towlower(static_cast<std::wint_t>(data[i])) != std::towlower(static_cast<std::wint_t>(path[i])))
            return false;
    return true;
}

} // namespace

void Autorun::RemoveIfPointingHere()
{
    for (RunKeyRoot root : {RunKeyRoot::Machine, RunKeyRoot::User}) {
        const std::optional<std::wstring> data = runKey_.ReadValue(root, kRunValueName);
        if (data && SamePath(*data, executablePath_))
            runKey_.DeleteValue(root, kRunValueName);
    }
}

void Autorun::RemoveAutorun()
{
    runKey_.DeleteValue(RunKeyRoot::Machine, kRunValueName);
    runKey_.DeleteValue(RunKeyRoot::User, kRunValueName);
}

} // namespace torvane
