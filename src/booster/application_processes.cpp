#include "booster/application_processes.h"

#include <unordered_set>

namespace torvane {

namespace {

constexpr wchar_t kCoreWindowClass[] = L"Windows.UI.Core.CoreWindow";

// File names as the file system compares them, for the letters that differ
// only in case in every code page Torvane meets: A to Z.
bool SameFileName(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto fold = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

std::wstring FileNameOf(const std::wstring& path)
{
    const std::wstring::size_type slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

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
    const std::wstring name = FileNameOf(path);
    // Only a process listed under the same file name can be a helper: the
    // rest of the list is never opened.
    std::vector<ListedProcess> candidates;
    for (ListedProcess& listed : processes.List())
        if (SameFileName(listed.programName, name))
            candidates.push_back(std::move(listed));

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
