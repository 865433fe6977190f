#include "app/booster_page_view.h"

#include <vector>

namespace {

std::wstring WindowText(HWND window)
{
    std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return std::wstring(text.data());
}

} // namespace

bool BoosterPageView::SpeedUpChecked()
{
    return settings_.CheckValue(SettingsControl::CheckState) != 0;
}

std::wstring BoosterPageView::SpeedModeText()
{
    return settings_.ComboText(SettingsControl::ComboSpeed);
}

bool BoosterPageView::RecordingChecked()
{
    return settings_.CheckValue(SettingsControl::CheckEnableRecord) == 1;
}

std::wstring BoosterPageView::LastBoostedTitle()
{
    return WindowText(records_.labelInfo);
}

std::wstring BoosterPageView::AutoCleanLimitText()
{
    return settings_.ComboText(SettingsControl::ComboAutoCleanCount);
}

std::size_t BoosterPageView::HistoryLength()
{
    return static_cast<std::size_t>(GetWindowTextLengthW(records_.textHistory));
}

void BoosterPageView::ClearHistory()
{
    SetWindowTextW(records_.textHistory, L"");
}

void BoosterPageView::SetTime(const std::wstring& text)
{
    SetWindowTextW(status_.labelTime, text.c_str());
}

void BoosterPageView::SetBoostedTitle(const std::wstring& title)
{
    records_.SetInfo(title);
}

void BoosterPageView::SetBoostCount(const std::wstring& text)
{
    SetWindowTextW(records_.labelCount, text.c_str());
}

void BoosterPageView::SetSpeedupTarget(const std::wstring& title)
{
    SetWindowTextW(status_.labelSpeedupTarget, title.c_str());
}

void BoosterPageView::SetSpeedCountSentence(const std::wstring& text)
{
    SetWindowTextW(status_.labelSpeedCount, text.c_str());
}

void BoosterPageView::SetSpeedGain(const std::wstring& text)
{
    SetWindowTextW(status_.labelSpeed, text.c_str());
}

void BoosterPageView::AppendHistory(const std::wstring& text)
{
    records_.AppendHistory(text);
}
