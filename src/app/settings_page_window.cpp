#include "app/settings_page_window.h"

#include "app/chrome_artwork.h"
#include "app/control_ids.h"
#include "app/image_view.h"

namespace torvane {

namespace {

constexpr int kControlLeft = 1440;
constexpr int kHeadingLeft = 1200;
constexpr int kWideControl = 6720;

// Everything on the page, in reading (and Tab) order.
struct Item {
    enum class Kind { Heading, Text, Check, Combo };
    Kind kind;
    ControlPlace place;
    const wchar_t* caption;
    SettingsControl setting; // checks and combos only
    int id;
};

using Kind = Item::Kind;
constexpr SettingsControl kNone = SettingsControl::CheckAutoRun;

const Item kItems[] = {
    {Kind::Heading, {kHeadingLeft, 120, 3000}, L"功能设置", kNone, 0},
    {Kind::Check, {kControlLeft, 360, kWideControl}, L"伴机启动 - 系统启动后自动运行本软件。",
     SettingsControl::CheckAutoRun, ControlId::CheckAutoRun},
    {Kind::Check, {kControlLeft, 720, kWideControl}, L"启动后缩为托盘图标 - 软件打开后不在屏幕上显示界面,后台运行。",
     SettingsControl::CheckAutoMin, ControlId::CheckAutoMin},
    {Kind::Check, {kControlLeft, 1080, kWideControl}, L"启用提速 - 不启用时，可在不关闭软件的情况下暂停提速。",
     SettingsControl::CheckState, ControlId::CheckState},
    {Kind::Check, {kControlLeft, 1440, kWideControl}, L"恢复原优先级 - 切换窗口后，恢复程序原来的优先级，而不是一律设为正常。",
     SettingsControl::CheckRestoreOriginal, ControlId::CheckRestoreOriginal},
    {Kind::Check, {kControlLeft, 1800, kWideControl},
     L"窗体总在最前 - 让本软件窗体显示在屏幕最前端，方便查看和操作。", SettingsControl::CheckAlwaysOnTop,
     ControlId::CheckAlwaysOnTop},
    {Kind::Heading, {kHeadingLeft, 2160, 3000}, L"提速设置", kNone, 0},
    {Kind::Text, {kControlLeft, 2520, kWideControl}, L"普通提速可提升10%-20%系统速度，疯狂提速可提升20%-30%速度。",
     kNone, 0},
    {Kind::Text, {kControlLeft, 2880, 3000}, L"提速级别：", kNone, 0},
    {Kind::Combo, {kControlLeft, 3240, 1800, 330}, L"", SettingsControl::ComboSpeed, ControlId::ComboSpeed},
    {Kind::Heading, {kHeadingLeft, 3840, 3000}, L"记录设置", kNone, 0},
    {Kind::Check, {kControlLeft, 4080, 3000}, L"启用提速记录", SettingsControl::CheckEnableRecord,
     ControlId::CheckEnableRecord},
    {Kind::Text, {kControlLeft, 4440, kWideControl}, L"最大记录数 - 超过该数值时自动清除记录，以节省内存占用：", kNone,
     0},
    {Kind::Combo, {kControlLeft, 4800, 1800, 330}, L"", SettingsControl::ComboAutoCleanCount,
     ControlId::ComboAutoCleanCount},
};

int Index(SettingsControl control)
{
    return static_cast<int>(control);
}

} // namespace

bool SettingsPageWindow::Create(const PageCreateArgs& args)
{
    if (!RegisterOnce(L"TorvaneSettingsPage") || !CreatePageWindow(args, L"TorvaneSettingsPage", this))
        return false;
    CreateControls(args);
    return true;
}

void SettingsPageWindow::CreateControls(const PageCreateArgs& args)
{
    const ChildFactory factory = PageControls(hwnd_, args);
    // Each group heading gets an accent bar to its left, painted with the
    // page's background: a window apiece would cost start-up for a picture.
    accent_ = std::make_unique<ImageView::Picture>(factory.Pixels(60), factory.Pixels(225),
                                                   [](Canvas& c) { DrawHeadingAccent(c); });
    for (const Item& item : kItems) {
        if (item.kind == Kind::Heading)
            accentPlaces_.push_back({factory.Pixels(kHeadingLeft - 150), factory.Pixels(item.place.top + 45)});
    }
    for (const Item& item : kItems) {
        const SettingsControl setting = item.setting;
        switch (item.kind) {
        case Kind::Heading:
            factory.Heading(item.place, item.caption, args.fonts->heading());
            break;
        case Kind::Text:
            factory.Label(0, item.place, item.caption);
            break;
        case Kind::Check: {
            CheckBox& box = checks_[Index(setting)];
            box.Attach(factory.CheckBox(item.id, item.place, item.caption));
            box.onChanged = [this, setting] {
                if (onChanged)
                    onChanged(setting);
            };
            router_.Add(box);
            break;
        }
        case Kind::Combo: {
            DropDownList& list = combos_[Index(setting)];
            list.Attach(factory.DropDownList(item.id, item.place));
            list.onChanged = [this, setting] {
                if (onChanged)
                    onChanged(setting);
            };
            router_.Add(list);
            break;
        }
        }
    }

    // The designed states before the stored settings are applied.
    SetCheckValue(SettingsControl::CheckState, 1);
    SetCheckValue(SettingsControl::CheckEnableRecord, 1);
    SetCheckValue(SettingsControl::CheckAlwaysOnTop, 1);
}

int SettingsPageWindow::CheckValue(SettingsControl box)
{
    return checks_[Index(box)].Checked() ? 1 : 0;
}

void SettingsPageWindow::SetCheckValue(SettingsControl box, int value)
{
    checks_[Index(box)].SetChecked(value != 0);
}

std::wstring SettingsPageWindow::ComboText(SettingsControl combo)
{
    return combos_[Index(combo)].SelectedText();
}

void SettingsPageWindow::AddComboItem(SettingsControl combo, const std::wstring& item)
{
    combos_[Index(combo)].AddItem(item);
}

void SettingsPageWindow::SelectComboItem(SettingsControl combo, const std::wstring& item)
{
    combos_[Index(combo)].SelectItem(item);
}

LRESULT SettingsPageWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && router_.Route(wParam, lParam))
        return 0;
    const LRESULT result = PageDefaultMessage(hwnd_, message, wParam, lParam);
    if (message == WM_ERASEBKGND && accent_) {
        const GdiCanvas& accent = accent_->canvas();
        for (const POINT& at : accentPlaces_)
            BitBlt(reinterpret_cast<HDC>(wParam), at.x, at.y, accent.Width(), accent.Height(), accent.Dc(), 0, 0,
                   SRCCOPY);
    }
    return result;
}

} // namespace torvane
