#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "booster/application_processes.h"
#include "booster/ledger_text.h"
#include "booster/process_priority.h"

namespace torvane {

// Where the ledger is kept between runs, so that a copy killed while it
// held a process raised is followed by one that gives it back.
class LedgerStore {
public:
    virtual ~LedgerStore() = default;
    // What the last copy left; empty when there is nothing, or it cannot be read.
    virtual std::string Read() = 0;
    // Replaces the whole text at once; an empty text leaves no file.
    virtual bool Replace(const std::string& text) = 0;
};

// What a process given back at a switch returns to.
enum class GiveBackTo {
    Normal,      // as designed: the application left behind goes to normal
    ClassBefore, // "恢复原优先级": the class it had before Torvane raised it
};

// Every process whose class Torvane changed and has not given back. It
// holds only what the boost in force raised: a raise gives back all else
// first. A process is given back only while it is the same process, still
// runs and still has the class Torvane set; otherwise it is dropped and
// never touched, so a class the user chose since stands.
class PriorityLedger {
public:
    PriorityLedger(ProcessPriority& processes, LedgerStore& store);

    // Raises an application's processes after giving back every other one;
    // the change is its first process's. Each is in the store before its
    // class changes: a kill between the two leaves an entry the next copy
    // finds with another class, and leaves alone. An empty application (it
    // could not be opened) gives back everything and raises nothing.
    PriorityChange Raise(Application application, std::uint32_t priorityClass, GiveBackTo others);
    // Helpers the application raised last started since: raised to the class
    // its first process holds, while that is still the one Torvane set.
    void RaiseHelpers(OpenedProcess& first, Application helpers);
    // Pause, exit, log-off: everything goes back to the class it had before.
    void GiveBackAll();
    // At start: what a copy that did not end cleanly left raised goes back
    // to the class it had before, and the store is emptied.
    void GiveBackLeftBehind();

    bool Holds(std::uint32_t id) const;
    // Dropped because someone chose another class since Torvane raised it:
    // the designed step "the window before goes to normal" leaves it alone
    // too, until Torvane raises it again.
    bool LeftToUser(const ProcessIdentity& process) const;
    const std::vector<LedgerEntry>& Entries() const { return entries_; }

private:
    void GiveBack(const LedgerEntry& entry, GiveBackTo to);
    // Sets the class of the entries from `from` on, which are in the store,
    // and keeps what each was granted.
    void SetClasses(Application& processes, std::size_t from);
    void Store();

    ProcessPriority& processes_;
    LedgerStore& store_;
    std::vector<LedgerEntry> entries_;
    std::deque<ProcessIdentity> leftToUser_; // the latest few
    // The text in the store, so that a ledger that did not change costs no write.
    std::string stored_;
};

} // namespace torvane
