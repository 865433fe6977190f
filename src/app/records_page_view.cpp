#include "app/records_page_view.h"

#include <commctrl.h>

#include "app/control_ids.h"
#include "app/design_values.h"

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

void RecordsPageView::Create(const ChildFactory& factory, const FontSpec& buttonFont)
{
    textHistory = factory.HistoryBox(ControlId::TextHistory, {240, 120, 7800, 3240});
    // A history box of 800 characters or more must not hit the edit's default cap.
    SendMessageW(textHistory, EM_SETLIMITTEXT, 0, 0);

    struct ButtonPlace {
        int id;
        int left;
        MemoryPropertyBag properties;
        ClickAction* events;
        const wchar_t* name;
    };
    ButtonPlace buttons[] = {
        {ControlId::CommandSaveRecords, 5640, SaveRecordsButtonProperties(buttonFont), &saveClicked,
         L"CommandSaveRecords"},
        {ControlId::CommandClearRecords, 6915, ClearRecordsButtonProperties(buttonFont), &clearClicked,
         L"CommandClearRecords"},
    };
    for (ButtonPlace& place : buttons) {
        CommandCreateArgs args;
        args.parent = factory.parent();
        args.id = place.id;
        args.left = factory.Pixels(place.left);
        args.top = factory.Pixels(3450);
        args.width = factory.Pixels(1125);
        args.height = factory.Pixels(345);
        args.name = place.name;
        args.properties = &place.properties;
        args.events = place.events;
        CommandWindow::Create(args);
    }

    factory.Label(0, {240, 3960, 1200}, L"正在提速：");
    labelInfo = factory.Label(ControlId::LabelInfo, {1440, 3960, 6600}, L"无", SS_ENDELLIPSIS);
    factory.Label(0, {240, 4320, 1200}, L"提速统计：");
    labelCount = factory.Label(ControlId::LabelCount, {1440, 4320, 2400}, L"0");

    // Not owned by the main window: under Wine an owned topmost tooltip pulls
    // its owner out of the topmost band when the owner is shown.
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    TTTOOLINFOW tool = InfoTool(GetParent(labelInfo), labelInfo, L"无");
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

RecordsPageView::~RecordsPageView()
{
    if (tooltip_)
        DestroyWindow(tooltip_);
}

void RecordsPageView::AppendHistory(const std::wstring& text) const
{
    const LRESULT end = GetWindowTextLengthW(textHistory);
    SendMessageW(textHistory, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(textHistory, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void RecordsPageView::SetInfo(const std::wstring& title) const
{
    SetWindowTextW(labelInfo, title.c_str());
    TTTOOLINFOW tool = InfoTool(GetParent(labelInfo), labelInfo, title.c_str());
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}
