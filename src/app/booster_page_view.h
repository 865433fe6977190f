#pragma once

#include "app/records_page_view.h"
#include "app/settings_page_view.h"
#include "app/status_page_view.h"
#include "booster/booster_page.h"

// The booster's view of the main window's pages.
class BoosterPageView : public BoosterPage {
public:
    BoosterPageView(StatusPageView& status, RecordsPageView& records, SettingsPageView& settings)
        : status_(status), records_(records), settings_(settings)
    {
    }

    bool SpeedUpChecked() override;
    std::wstring SpeedModeText() override;
    bool RecordingChecked() override;
    std::wstring LastBoostedTitle() override;
    std::wstring AutoCleanLimitText() override;
    std::size_t HistoryLength() override;
    void ClearHistory() override;

    void SetTime(const std::wstring& text) override;
    void SetBoostedTitle(const std::wstring& title) override;
    void SetBoostCount(const std::wstring& text) override;
    void SetSpeedupTarget(const std::wstring& title) override;
    void SetSpeedCountSentence(const std::wstring& text) override;
    void SetSpeedGain(const std::wstring& text) override;
    void AppendHistory(const std::wstring& text) override;

private:
    StatusPageView& status_;
    RecordsPageView& records_;
    SettingsPageView& settings_;
};
