#pragma once

#include <cstdint>
#include <string>

namespace torvane {

// What one tick of the booster did, for the pages to show.
struct BoostTick {
    bool ran = false;     // speed-up is on: `time` was read
    std::wstring time;    // "当前时间"

    bool boosted = false; // a new window was tried (raised, or failed below)
    std::wstring title;   // its title: "正在提速" and its tooltip
    std::int32_t count = 0;
    bool failed = false;  // its class could not be raised: recorded, not counted

    bool recorded = false;       // a line went into the history
    bool historyCleared = false; // the history was emptied before it
    std::wstring historyAdded;   // the record's text, added at the end
    // A raise that succeeded, for the status page:
    std::wstring speedCountSentence; // "已为系统提速 N 次。"
    std::wstring gain;               // "5%"
};

} // namespace torvane
