#include "settings/autorun.h"

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

void Autorun::RemoveAutorun()
{
    runKey_.DeleteValue(RunKeyRoot::Machine, kRunValueName);
    runKey_.DeleteValue(RunKeyRoot::User, kRunValueName);
}

} // namespace torvane
