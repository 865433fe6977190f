#pragma once

#include <cstdint>
#include <string>

namespace torvane {

// What one tick of the booster did, for the pages to show.
struct BoostTick {
    bool ran = false;     // speed-up is on: `time` was read
    std::wstring time;    // "当前时间"

    bool boosted = false; // a window was raised
    std::wstring title;   // its title: "正在提速" and its tooltip
    std::int32_t count = 0;

    bool recorded = false;       // the boost went into the history
    bool historyCleared = false; // the history was emptied before it
    std::wstring historyAdded;   // the record's text, added at the end
    std::wstring speedCountSentence; // "已为系统提速 N 次。"
    std::wstring gain;               // "5%"
};

} // namespace torvane
