#pragma once

#include <string>

#include "booster/priority_ledger.h"

namespace torvane {

// The ledger's file beside config.ini.
class WinLedgerFile : public LedgerStore {
public:
    explicit WinLedgerFile(std::wstring path) : path_(std::move(path)) {}
    // At most the bytes the reader looks at: a huge file costs no time.
    std::string Read() override;
    bool Replace(const std::string& text) override;

private:
    std::wstring path_;
};

} // namespace torvane
