#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "booster/process_priority.h"

namespace torvane {

// A process whose class Torvane changed and has not given back: who it is,
// the class it had before, and the class Torvane left it at.
struct LedgerEntry {
    ProcessIdentity process;
    std::uint32_t before = 0;
    std::uint32_t set = 0;
    bool operator==(const LedgerEntry& other) const
    {
        return process == other.process && before == other.before && set == other.set;
    }
};

// No copy of Torvane writes more than this: a longer file was not ours, and
// its tail is not read.
constexpr std::size_t kLedgerMaxEntries = 256;
constexpr std::size_t kLedgerMaxBytes = 64 * 1024;

// One line an entry, "<id> <start time> <class before> <class set>" in
// decimal; empty when there is none.
std::string FormatLedger(const std::vector<LedgerEntry>& entries);

// The entries of a ledger file as another copy left it. A line that is not
// four numbers in range is skipped, as is one naming `ownId` (this copy
// cannot have been raised by an earlier one) or an id already read; at most
// kLedgerMaxEntries from the first kLedgerMaxBytes.
std::vector<LedgerEntry> ParseLedger(const std::string& text, std::uint32_t ownId);

} // namespace torvane
