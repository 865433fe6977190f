#include "app/settings_page_view.h"

#include <vector>

#include "app/chrome_artwork.h"
#include "app/control_ids.h"
#include "app/image_view.h"

namespace {

constexpr int kControlLeft = 1440;
constexpr int kHeadingLeft = 1200;
constexpr int kWideControl = 6720;

struct IdAndControl {
    int id;
    SettingsControl control;
};

const IdAndControl kIds[] = {
    {ControlId::CheckAutoRun, SettingsControl::CheckAutoRun},
    {ControlId::CheckAutoMin, SettingsControl::CheckAutoMin},
    {ControlId::CheckState, SettingsControl::CheckState},
    {ControlId::CheckAlwaysOnTop, SettingsControl::CheckAlwaysOnTop},
    {ControlId::ComboSpeed, SettingsControl::ComboSpeed},
    {ControlId::CheckEnableRecord, SettingsControl::CheckEnableRecord},
    {ControlId::ComboAutoCleanCount, SettingsControl::ComboAutoCleanCount},
};

} // namespace

void SettingsPageView::Create(const ChildFactory& factory, HFONT headingFont)
{
    // Each group heading gets an accent bar to its left.
    for (int top : {120, 2040, 3720}) {
        const int x = factory.Pixels(kHeadingLeft - 150);
        const int y = factory.Pixels(top + 45);
        ImageView::Create(factory.parent(), 0, {x, y, x + factory.Pixels(60), y + factory.Pixels(225)},
                          {[](Canvas& c) { DrawHeadingAccent(c); }});
    }
    factory.Heading({kHeadingLeft, 120, 3000}, L"功能设置", headingFont);
    checkAutoRun_ = factory.CheckBox(ControlId::CheckAutoRun, {kControlLeft, 360, kWideControl},
                                     L"伴机启动 - 系统启动后自动运行本软件。");
    checkAutoMin_ = factory.CheckBox(ControlId::CheckAutoMin, {kControlLeft, 720, kWideControl},
                                     L"启动后缩为托盘图标 - 软件打开后不在屏幕上显示界面,后台运行。");
    checkState_ = factory.CheckBox(ControlId::CheckState, {kControlLeft, 1080, kWideControl},
                                   L"启用提速 - 不启用时，可在不关闭软件的情况下暂停提速。");
    checkAlwaysOnTop_ = factory.CheckBox(ControlId::CheckAlwaysOnTop, {kControlLeft, 1440, kWideControl},
                                         L"窗体总在最前 - 让本软件窗体显示在屏幕最前端，方便查看和操作。");

    factory.Heading({kHeadingLeft, 2040, 3000}, L"提速设置", headingFont);
    factory.Label(0, {kControlLeft, 2400, kWideControl},
                  L"普通提速可提升10%-20%系统速度，疯狂提速可提升20%-30%速度。");
    factory.Label(0, {kControlLeft, 2760, 3000}, L"提速级别：");
    comboSpeed_ = factory.DropDownList(ControlId::ComboSpeed, {kControlLeft, 3120, 1800, 330});

    factory.Heading({kHeadingLeft, 3720, 3000}, L"记录设置", headingFont);
    checkEnableRecord_ = factory.CheckBox(ControlId::CheckEnableRecord, {kControlLeft, 3960, 3000},
                                          L"启用提速记录");
    factory.Label(0, {kControlLeft, 4320, kWideControl},
                  L"最大记录数 - 超过该数值时自动清除记录，以节省内存占用：");
    comboAutoCleanCount_ = factory.DropDownList(ControlId::ComboAutoCleanCount, {kControlLeft, 4680, 1800, 330});

    // The designed states before the stored settings are applied.
    SetCheckValue(SettingsControl::CheckState, 1);
    SetCheckValue(SettingsControl::CheckEnableRecord, 1);
    SetCheckValue(SettingsControl::CheckAlwaysOnTop, 1);
}

bool SettingsPageView::FromId(int id, SettingsControl& control)
{
    for (const IdAndControl& entry : kIds) {
        if (entry.id == id) {
            control = entry.control;
            return true;
        }
    }
    return false;
}

HWND SettingsPageView::Handle(SettingsControl control) const
{
    switch (control) {
    case SettingsControl::CheckAutoRun: return checkAutoRun_;
    case SettingsControl::CheckAutoMin: return checkAutoMin_;
    case SettingsControl::CheckState: return checkState_;
    case SettingsControl::CheckAlwaysOnTop: return checkAlwaysOnTop_;
    case SettingsControl::ComboSpeed: return comboSpeed_;
    case SettingsControl::CheckEnableRecord: return checkEnableRecord_;
    case SettingsControl::ComboAutoCleanCount: return comboAutoCleanCount_;
    }
    return nullptr;
}

int SettingsPageView::CheckValue(SettingsControl box)
{
    return SendMessageW(Handle(box), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void SettingsPageView::SetCheckValue(SettingsControl box, int value)
{
    SendMessageW(Handle(box), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::wstring SettingsPageView::ComboText(SettingsControl combo)
{
    HWND handle = Handle(combo);
    const LRESULT index = SendMessageW(handle, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return std::wstring();
    const LRESULT length = SendMessageW(handle, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR)
        return std::wstring();
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(handle, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return std::wstring(text.data());
}

void SettingsPageView::AddComboItem(SettingsControl combo, const std::wstring& item)
{
    SendMessageW(Handle(combo), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void SettingsPageView::SelectComboItem(SettingsControl combo, const std::wstring& item)
{
    HWND handle = Handle(combo);
    const LRESULT index = SendMessageW(handle, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(handle, CB_SETCURSEL, index == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(index), 0);
}
