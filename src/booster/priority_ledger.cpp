#include "booster/priority_ledger.h"

#include <algorithm>

#include "booster/speed_mode.h"

namespace torvane {

namespace {

constexpr std::size_t kLeftToUserMax = 64;

// Still the class Torvane left: a kill between asking real-time and noting
// that high was granted leaves an entry saying real-time.
bool StillAsSet(std::uint32_t cls, const LedgerEntry& entry)
{
    return cls == entry.set || (entry.set == kRealtimePriorityClass && cls == kHighPriorityClass);
}

bool Names(const std::vector<LedgerEntry>& entries, const ProcessIdentity& process)
{
    return std::any_of(entries.begin(), entries.end(), [&process](const LedgerEntry& e) { return e.process == process; });
}

} // namespace

PriorityLedger::PriorityLedger(ProcessPriority& processes, LedgerStore& store)
    : processes_(processes), store_(store)
{
}

PriorityChange PriorityLedger::Raise(Application application, std::uint32_t priorityClass, GiveBackTo others)
{
    std::vector<LedgerEntry> raising;
    for (const std::unique_ptr<OpenedProcess>& process : application) {
        const ProcessIdentity identity = process->Identity();
        raising.push_back({identity, process->PriorityClass(), priorityClass});
        leftToUser_.erase(std::remove(leftToUser_.begin(), leftToUser_.end(), identity), leftToUser_.end());
    }
    std::vector<LedgerEntry> held;
    held.swap(entries_);
    for (const LedgerEntry& entry : held) {
        const auto again = std::find_if(raising.begin(), raising.end(),
                                        [&entry](const LedgerEntry& r) { return r.process == entry.process; });
        if (again == raising.end())
            GiveBack(entry, others);
        else if (StillAsSet(again->before, entry))
            again->before = entry.before; // raised again: what it had before the first raise
    }
    PriorityChange change;
    if (!raising.empty()) {
        change.opened = true;
        change.process = raising.front().process;
        change.before = raising.front().before;
    }
    entries_ = std::move(raising);
    Store();
    SetClasses(application, 0);
    if (!application.empty())
        change.after = application.front()->PriorityClass();
    return change;
}

void PriorityLedger::RaiseHelpers(OpenedProcess& first, Application helpers)
{
    // The application's first process leads its entries.
    if (entries_.empty() || entries_.front().process != first.Identity() ||
        !StillAsSet(first.PriorityClass(), entries_.front()))
        return;
    const std::uint32_t priorityClass = entries_.front().set;
    std::vector<ProcessIdentity> identities;
    for (const std::unique_ptr<OpenedProcess>& helper : helpers)
        identities.push_back(helper->Identity());
    // An entry under a helper's id that names another process is a helper
    // that ended since, never to be touched: the file names an id once.
    const auto endedSince = [&identities](const LedgerEntry& e) {
        return std::any_of(identities.begin(), identities.end(),
                           [&e](const ProcessIdentity& i) { return i.id == e.process.id && i != e.process; });
    };
    entries_.erase(std::remove_if(entries_.begin() + 1, entries_.end(), endedSince), entries_.end());

    const std::size_t from = entries_.size();
    Application added;
    for (std::size_t i = 0; i < helpers.size() && entries_.size() < kApplicationProcessesMax; ++i) {
        if (LeftToUser(identities[i]) || Names(entries_, identities[i]))
            continue;
        entries_.push_back({identities[i], helpers[i]->PriorityClass(), priorityClass});
        added.push_back(std::move(helpers[i]));
    }
    if (added.empty())
        return;
    Store();
    SetClasses(added, from);
}

void PriorityLedger::SetClasses(Application& processes, std::size_t from)
{
    // Asked real-time, granted high (or nothing): the ledger keeps what each got.
    bool changed = false;
    for (std::size_t i = 0; i < processes.size(); ++i) {
        LedgerEntry& entry = entries_[from + i];
        processes[i]->SetPriorityClass(entry.set);
        const std::uint32_t after = processes[i]->PriorityClass();
        if (after == 0 || after == entry.set)
            continue;
        entry.set = after == entry.before ? 0 : after; // 0: nothing to give back
        changed = true;
    }
    if (!changed)
        return;
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [](const LedgerEntry& e) { return e.set == 0; }),
                   entries_.end());
    Store();
}

void PriorityLedger::GiveBackAll()
{
    std::vector<LedgerEntry> held;
    held.swap(entries_);
    for (const LedgerEntry& entry : held)
        GiveBack(entry, GiveBackTo::ClassBefore);
    Store();
}

void PriorityLedger::GiveBackLeftBehind()
{
    const std::string text = store_.Read();
    for (const LedgerEntry& entry : ParseLedger(text, processes_.WindowProcessId(0)))
        GiveBack(entry, GiveBackTo::ClassBefore);
    stored_ = text;
    Store();
}

bool PriorityLedger::Holds(std::uint32_t id) const
{
    return std::any_of(entries_.begin(), entries_.end(),
                       [id](const LedgerEntry& entry) { return entry.process.id == id; });
}

bool PriorityLedger::LeftToUser(const ProcessIdentity& process) const
{
    return std::find(leftToUser_.begin(), leftToUser_.end(), process) != leftToUser_.end();
}

void PriorityLedger::GiveBack(const LedgerEntry& entry, GiveBackTo to)
{
    std::uint32_t error = 0;
    const std::unique_ptr<OpenedProcess> process = processes_.Open(entry.process.id, error);
    // Another process under the same id, one that ended, or a class someone
    // chose since: not Torvane's to change.
    if (!process || process->Identity() != entry.process || !process->Running())
        return;
    if (!StillAsSet(process->PriorityClass(), entry)) {
        if (leftToUser_.size() == kLeftToUserMax)
            leftToUser_.pop_front();
        leftToUser_.push_back(entry.process);
        return;
    }
    const bool toBefore = to == GiveBackTo::ClassBefore && entry.before != 0;
    process->SetPriorityClass(toBefore ? entry.before : kNormalPriorityClass);
}

void PriorityLedger::Store()
{
    std::string text = FormatLedger(entries_);
    if (text == stored_)
        return;
    // A store that cannot be written costs the crash safety, not the boost.
    if (store_.Replace(text))
        stored_ = std::move(text);
}

} // namespace torvane
