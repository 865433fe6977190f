#include <cstddef>
#include <cstdint>
#include <string>

#include "booster/ledger_text.h"
#include "fuzz_text.h"

using namespace torvane;

// Whatever a ledger file holds: a bounded list of sound entries, none naming
// this copy or one id twice, that reads back the same once written.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::uint32_t own = 1234;
    const std::vector<LedgerEntry> entries = ParseLedger(text, own);
    FUZZ_CHECK(entries.size() <= kLedgerMaxEntries);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        FUZZ_CHECK(entries[i].process.id != 0 && entries[i].process.id != own);
        FUZZ_CHECK(entries[i].process.startTime != 0 && entries[i].set != 0);
        for (std::size_t j = 0; j < i; ++j)
            FUZZ_CHECK(entries[j].process.id != entries[i].process.id);
    }
    FUZZ_CHECK(ParseLedger(FormatLedger(entries), own) == entries);
    return 0;
}
