#pragma once

#include <string>

#include "booster/booster_page.h"

// The main window's pages as plain fields, with their designed captions.
class FakeBoosterPage : public BoosterPage {
public:
    bool SpeedUpChecked() override { return speedUp; }
    std::wstring SpeedModeText() override { return speedMode; }
    bool RecordingChecked() override { return recording; }
    std::wstring LastBoostedTitle() override { return info; }
    std::wstring AutoCleanLimitText() override { return limit; }
    std::size_t HistoryLength() override { return history.size(); }
    void ClearHistory() override { history.clear(); ++clears; }

    void SetTime(const std::wstring& text) override { time = text; }
    void SetBoostedTitle(const std::wstring& title) override { info = title; tooltip = title; }
    void SetBoostCount(const std::wstring& text) override { count = text; }
    void SetSpeedupTarget(const std::wstring& title) override { target = title; }
    void SetSpeedCountSentence(const std::wstring& text) override { speedCount = text; }
    void SetSpeedGain(const std::wstring& text) override { speed = text; }
    void AppendHistory(const std::wstring& text) override { history += text; }

    bool speedUp = true;
    std::wstring speedMode = L"普通提速";
    bool recording = true;
    std::wstring limit = L"800";
    int clears = 0;

    std::wstring time = L"0";
    std::wstring info = L"无";
    std::wstring tooltip;
    std::wstring count = L"0";
    std::wstring target = L"无";
    std::wstring speedCount = L"0";
    std::wstring speed = L"0%";
    std::wstring history;
};
