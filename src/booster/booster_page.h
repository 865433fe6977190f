#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// What the booster reads from the settings page and writes to the status and
// records pages of the main window.
class BoosterPage {
public:
    virtual ~BoosterPage() = default;

    virtual bool SpeedUpChecked() = 0;          // CheckState
    virtual std::wstring SpeedModeText() = 0;   // ComboSpeed
    virtual bool RecordingChecked() = 0;        // CheckEnableRecord, value exactly 1
    virtual std::wstring LastBoostedTitle() = 0; // LabelInfo
    virtual std::wstring AutoCleanLimitText() = 0; // ComboAutoCleanCount
    // TextHistory's length in characters, CR and LF one each.
    virtual std::size_t HistoryLength() = 0;
    virtual void ClearHistory() = 0;

    virtual void SetTime(const std::wstring& text) = 0;               // LabelTime
    virtual void SetBoostedTitle(const std::wstring& title) = 0;      // LabelInfo and its tooltip
    virtual void SetBoostCount(const std::wstring& text) = 0;         // LabelCount
    virtual void SetSpeedupTarget(const std::wstring& title) = 0;     // LabelSpeedupTarget
    virtual void SetSpeedCountSentence(const std::wstring& text) = 0; // LabelSpeedCount
    virtual void SetSpeedGain(const std::wstring& text) = 0;          // LabelSpeed
    virtual void AppendHistory(const std::wstring& text) = 0;         // TextHistory
};
