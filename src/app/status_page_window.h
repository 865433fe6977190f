#pragma once

#include <array>
#include <string>

#include <windows.h>

#include "app/win_page_parts.h"
#include "app/win_widgets.h"
#include "booster/boost_tick.h"
#include "monitor/win_cpu_monitor.h"
#include "platform/win_base_window.h"

namespace torvane {

// The status page: the time, the last boost's figures, the system monitor
// and its legend.
class StatusPageWindow : public BaseWindow<StatusPageWindow> {
public:
    bool Create(const PageCreateArgs& args, CpuMonitorSupport& support);

    void SetTime(const std::wstring& text) const { time_.SetText(text); }
    // The time of a tick that ran, and a recorded boost's figures.
    void Show(const BoostTick& tick) const;
    // The monitor's samples start again from now (see CpuMonitor::RestartTimer).
    void RestartMonitorTimer() const;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls(const PageCreateArgs& args, CpuMonitorSupport& support);

    static constexpr int kLegendEntries = 5;

    Label time_;
    Label speed_;
    Label speedupTarget_;
    Label speedCount_;
    // Owned by its window.
    CpuMonitorWindow* monitor_ = nullptr;
    // The legend's squares of colour, in the page's pixels.
    std::array<RECT, kLegendEntries> swatches_ = {};
};

} // namespace torvane
