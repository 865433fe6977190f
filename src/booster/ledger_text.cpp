#include "booster/ledger_text.h"

#include <algorithm>
#include <limits>

namespace torvane {

namespace {

// A decimal number of at most `max`, then a space or the line's end.
bool ReadNumber(const std::string& line, std::size_t& at, std::uint64_t max, std::uint64_t& value)
{
    const std::size_t start = at;
    value = 0;
    while (at < line.size() && line[at] >= '0' && line[at] <= '9') {
        const std::uint64_t digit = static_cast<std::uint64_t>(line[at] - '0');
        if (value > (max - digit) / 10)
            return false;
        value = value * 10 + digit;
        ++at;
    }
    if (at == start || at - start > 20)
        return false;
    if (at < line.size()) {
        if (line[at] != ' ')
            return false;
        ++at;
    }
    return true;
}

bool ParseLine(const std::string& line, LedgerEntry& entry)
{
    constexpr std::uint64_t k32 = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t id = 0, start = 0, before = 0, set = 0;
    std::size_t at = 0;
    if (!ReadNumber(line, at, k32, id) || !ReadNumber(line, at, std::numeric_limits<std::uint64_t>::max(), start) ||
        !ReadNumber(line, at, k32, before) || !ReadNumber(line, at, k32, set) || at != line.size())
        return false;
    // No process has id 0 or no start, and no raise leaves a process at class 0.
    if (id == 0 || start == 0 || set == 0)
        return false;
    entry.process = {static_cast<std::uint32_t>(id), start};
    entry.before = static_cast<std::uint32_t>(before);
    entry.set = static_cast<std::uint32_t>(set);
    return true;
}

} // namespace

std::string FormatLedger(const std::vector<LedgerEntry>& entries)
{
    std::string text;
    for (const LedgerEntry& e : entries) {
        text += std::to_string(e.process.id) + ' ' + std::to_string(e.process.startTime) + ' ' +
                std::to_string(e.before) + ' ' + std::to_string(e.set) + "\r\n";
    }
    return text;
}

std::vector<LedgerEntry> ParseLedger(const std::string& text, std::uint32_t ownId)
{
    std::vector<LedgerEntry> entries;
    const std::size_t end = std::min(text.size(), kLedgerMaxBytes);
    std::size_t start = 0;
    while (start < end && entries.size() < kLedgerMaxEntries) {
        std::size_t stop = text.find('\n', start);
        if (stop == std::string::npos || stop > end)
            stop = end;
        std::string line = text.substr(start, stop - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        start = stop + 1;
        LedgerEntry entry;
        if (!ParseLine(line, entry) || entry.process.id == ownId)
            continue;
        const bool seen = std::any_of(entries.begin(), entries.end(),
                                      [&](const LedgerEntry& e) { return e.process.id == entry.process.id; });
        if (!seen)
            entries.push_back(entry);
    }
    return entries;
}

} // namespace torvane
