#include "app/records_page_window.h"

#include <utility>

#include <commctrl.h>

#include "app/control_ids.h"
#include "app/design_values.h"

namespace torvane {

namespace {

TTTOOLINFOW InfoTool(HWND owner, HWND label, const wchar_t* text)
{
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(label);
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

} // namespace

RecordsPageWindow::RecordsPageWindow(History& history, std::wstring logsPath, LogFile& logFile)
    : history_(history), logsPath_(std::move(logsPath)), logFile_(logFile)
{
}

bool RecordsPageWindow::Create(const PageCreateArgs& args)
{
    if (!RegisterOnce(L"TorvaneRecordsPage") || !CreatePageWindow(args, L"TorvaneRecordsPage", this))
        return false;
    CreateControls(args);
    return true;
}

void RecordsPageWindow::CreateControls(const PageCreateArgs& args)
{
    const ChildFactory factory = PageControls(hwnd_, args);
    textHistory_.Attach(factory.HistoryBox(ControlId::TextHistory, {240, 120, 7800, 3240}));
    // A history box of 800 characters or more must not hit the edit's default cap.
    SendMessageW(textHistory_.hwnd(), EM_SETLIMITTEXT, 0, 0);

    const FontDescription buttonFont{args.fonts->face(), 9, false, false};
    MemoryPropertyBag save = SaveRecordsButtonProperties(buttonFont);
    CreatePageButton(hwnd_, factory, {ControlId::CommandSaveRecords, L"CommandSaveRecords", 5640, 1125}, save,
                     [this] { CommandSaveRecords_Click(); });
    MemoryPropertyBag clear = ClearRecordsButtonProperties(buttonFont);
    CreatePageButton(hwnd_, factory, {ControlId::CommandClearRecords, L"CommandClearRecords", 6915, 1125}, clear,
                     [this] { CommandClearRecords_Click(); });

    factory.Label(0, {240, 3960, 1200}, L"正在提速：");
    labelInfo_.Attach(factory.Label(ControlId::LabelInfo, {1440, 3960, 6600}, L"无", SS_ENDELLIPSIS));
    factory.Label(0, {240, 4320, 1200}, L"提速统计：");
    labelCount_.Attach(factory.Label(ControlId::LabelCount, {1440, 4320, 2400}, L"0"));

    tooltip_ = args.tooltip;
    TTTOOLINFOW tool = InfoTool(hwnd_, labelInfo_.hwnd(), L"无");
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void RecordsPageWindow::Show(const BoostTick& tick)
{
    if (tick.recorded) {
        if (tick.historyCleared)
            textHistory_.SetText(L"");
        textHistory_.Append(tick.historyAdded);
    }
    if (tick.boosted) {
        SetInfo(tick.title);
        labelCount_.SetText(std::to_wstring(tick.count));
    }
}

void RecordsPageWindow::SetInfo(const std::wstring& title) const
{
    labelInfo_.SetText(title);
    TTTOOLINFOW tool = InfoTool(hwnd_, labelInfo_.hwnd(), title.c_str());
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void RecordsPageWindow::CommandSaveRecords_Click()
{
    const SaveOutcome outcome = SaveRecords(history_.Text(), logsPath_, logFile_);
    const UINT icon = outcome.kind == SaveOutcome::Kind::Failed ? MB_ICONERROR : MB_ICONEXCLAMATION;
    MessageBoxW(GetAncestor(hwnd_, GA_ROOT), outcome.message.c_str(), L"Torvane", MB_OK | icon);
}

void RecordsPageWindow::CommandClearRecords_Click()
{
    history_.Clear();
    textHistory_.SetText(L"");
}

LRESULT RecordsPageWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return PageDefaultMessage(hwnd_, message, wParam, lParam);
}

} // namespace torvane
