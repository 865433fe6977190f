#pragma once

#include <functional>
#include <string>

#include <windows.h>

#include "app/win_page_parts.h"
#include "app/win_widgets.h"
#include "booster/boost_tick.h"
#include "booster/history.h"
#include "booster/records.h"
#include "controls/win_command.h"
#include "platform/win_base_window.h"

namespace torvane {

// The records page: the history box with its Save and Clear buttons, and the
// last boost's title and count. The box shows the booster's History; saving
// writes that History to Logs.txt.
class RecordsPageWindow : public BaseWindow<RecordsPageWindow> {
public:
    RecordsPageWindow(History& history, std::wstring logsPath, LogFile& logFile);
    RecordsPageWindow(const RecordsPageWindow&) = delete;
    RecordsPageWindow& operator=(const RecordsPageWindow&) = delete;

    bool Create(const PageCreateArgs& args);
    void Show(const BoostTick& tick);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls(const PageCreateArgs& args);
    void CommandSaveRecords_Click();
    void CommandClearRecords_Click();
    // LabelInfo's caption and its tooltip.
    void SetInfo(const std::wstring& title) const;

    History& history_;
    std::wstring logsPath_;
    LogFile& logFile_;
    HistoryBox textHistory_;
    Label labelInfo_;
    Label labelCount_;
    HWND tooltip_ = nullptr; // the window's, shared by the pages
};

} // namespace torvane
