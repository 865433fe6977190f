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

} // namespace

PriorityLedger::PriorityLedger(ProcessPriority& processes, LedgerStore& store)
    : processes_(processes), store_(store)
{
}

PriorityChange PriorityLedger::Raise(std::uint32_t id, std::uint32_t priorityClass, GiveBackTo others)
{
    PriorityChange change;
    const std::unique_ptr<OpenedProcess> process = processes_.Open(id, change.error);
    LedgerEntry raised;
    if (process) {
        change.opened = true;
        change.process = process->Identity();
        change.before = process->PriorityClass();
        raised = {change.process, change.before, priorityClass};
        leftToUser_.erase(std::remove(leftToUser_.begin(), leftToUser_.end(), change.process), leftToUser_.end());
    }
    std::vector<LedgerEntry> held;
    held.swap(entries_);
    for (const LedgerEntry& entry : held) {
        if (!process || entry.process != change.process)
            GiveBack(entry, others);
        else if (StillAsSet(change.before, entry))
            raised.before = entry.before; // raised again: what it had before the first raise
    }
    if (!process) {
        Store();
        return change;
    }
    entries_.push_back(raised);
    Store();
    process->SetPriorityClass(priorityClass);
    change.after = process->PriorityClass();
    // Asked real-time, granted high (or nothing): the ledger keeps what it got.
    if (change.after != 0 && change.after != priorityClass) {
        if (change.after == raised.before)
            entries_.clear();
        else
            entries_.back().set = change.after;
        Store();
    }
    return change;
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
