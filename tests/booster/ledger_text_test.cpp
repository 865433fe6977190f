#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "booster/ledger_text.h"

using namespace torvane;

// What another copy left behind is read only as far as it is sound: a file
// torn, padded or forged gives no entry it does not plainly hold.
TEST(LedgerText, ReadsOnlySoundEntriesOfAnotherCopy)
{
    const std::uint32_t own = 500;
    const LedgerEntry a = {{1234, 133456789012345678ull}, 0x40, 0x80};
    const LedgerEntry b = {{77, 18446744073709551615ull}, 0x20, 0x100};
    const std::string written = FormatLedger({a, b});
    EXPECT_EQ(written, "1234 133456789012345678 64 128\r\n77 18446744073709551615 32 256\r\n");
    struct Case {
        const char* name;
        std::string text;
        std::vector<LedgerEntry> entries;
    };
    const Case cases[] = {
        {"as written", written, {a, b}},
        {"empty", "", {}},
        {"torn in the last entry", written.substr(0, written.size() - 5), {a}},
        {"no line end", "1234 133456789012345678 64 128", {a}},
        {"this very copy", "500 9 32 128\r\n" + written, {a, b}},
        {"an id twice", written + "1234 5 32 128\r\n", {a, b}},
        {"too few numbers", "1234 133456789012345678 64\r\n", {}},
        {"too many numbers", "1234 1 64 128 5\r\n", {}},
        {"an id past 32 bits", "4294967296 1 64 128\r\n", {}},
        {"a start past 64 bits", "1 18446744073709551616 64 128\r\n", {}},
        {"no id, no start, no class set", "0 1 32 128\r\n1 0 32 128\r\n2 1 32 0\r\n", {}},
        {"signs and spaces", "-1 1 32 128\r\n+1 1 32 128\r\n 1 1 32 128\r\n1  1 32 128\r\n", {}},
        {"garbage between", "\x01\xff\r\nzzz\r\n" + written, {a, b}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseLedger(c.text, own), c.entries) << c.name;
}

TEST(LedgerText, AFileLongerThanAnyCopyWritesIsReadOnlyToItsBounds)
{
    std::string many;
    for (std::uint32_t id = 1; id <= 10000; ++id)
        many += std::to_string(id) + " 7 32 128\r\n";
    const std::vector<LedgerEntry> entries = ParseLedger(many, 0);
    ASSERT_EQ(entries.size(), kLedgerMaxEntries);
    EXPECT_EQ(entries.back().process.id, kLedgerMaxEntries);

    // Ten megabytes of one line: nothing, at once.
    EXPECT_TRUE(ParseLedger(std::string(10 * 1024 * 1024, '7'), 0).empty());
    // An entry past the bytes read is not read.
    EXPECT_TRUE(ParseLedger(std::string(kLedgerMaxBytes, '\n') + "1 7 32 128\r\n", 0).empty());
}
