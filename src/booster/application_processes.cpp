#include "booster/application_processes.h"

#include <unordered_set>

#include "booster/file_name.h"

namespace torvane {

namespace {

constexpr wchar_t kCoreWindowClass[] = L"Windows.UI.Core.CoreWindow";

} // namespace

bool IsFrameHost(const std::wstring& programName)
{
    return SameFileName(FileNameOf(programName), L"ApplicationFrameHost.exe");
}

std::uintptr_t ApplicationWindow(ForegroundWindow& windows, ProcessPriority& processes, std::uintptr_t window)
{
    if (!IsFrameHost(windows.ProgramName(window)))
        return window;
    const std::uint32_t host = processes.WindowProcessId(window);
    std::uintptr_t firstOther = 0;
    for (const ChildWindow& child : windows.Children(window)) {
        if (child.processId == host || child.processId == 0)
            continue;
        if (child.className == kCoreWindowClass)
            return child.window;
        if (firstOther == 0)
            firstOther = child.window;
    }
    return firstOther;
}

Application SameProgramHelpers(ProcessPriority& processes, OpenedProcess& root, std::size_t max)
{
    Application helpers;
    const std::wstring path = root.ProgramPath();
    if (path.empty() || max == 0)
        return helpers;
    // Only a process listed under the same file name can be a helper: the
    // rest of the list is never opened.
    const std::vector<ListedProcess> candidates = processes.ListNamed(FileNameOf(path));

    std::vector<ProcessIdentity> parents = {root.Identity()};
    std::unordered_set<std::uint32_t> seen = {parents.front().id};
    for (std::size_t next = 0; next < parents.size() && helpers.size() < max; ++next) {
        const ProcessIdentity parent = parents[next];
        for (const ListedProcess& listed : candidates) {
            if (listed.parentId != parent.id || !seen.insert(listed.id).second)
                continue;
            std::uint32_t error = 0;
            std::unique_ptr<OpenedProcess> child = processes.Open(listed.id, error);
            if (!child)
                continue;
            const ProcessIdentity identity = child->Identity();
            if (identity.id != listed.id || identity.startTime == 0 || identity.startTime < parent.startTime ||
                !child->Running() || !SameFileName(child->ProgramPath(), path))
                continue;
            parents.push_back(identity);
            helpers.push_back(std::move(child));
            if (helpers.size() == max)
                break;
        }
    }
    return helpers;
}

} // namespace torvane
