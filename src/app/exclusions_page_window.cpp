#include "app/exclusions_page_window.h"

#include <commdlg.h>

#include "app/control_ids.h"
#include "app/design_values.h"

namespace torvane {

namespace {

struct ButtonPlace {
    ExclusionsButton button;
    const wchar_t* caption;
    PageButtonPlace place;
};

// Under the list, right-aligned as the records page's two, in Tab order.
const ButtonPlace kButtons[] = {
    {ExclusionsButton::Add, L"添加…", {ControlId::CommandAddProgram, L"CommandAddProgram", 3030, 1125}},
    {ExclusionsButton::ExcludeBoosted, L"排除正在提速的程序",
     {ControlId::CommandExcludeBoosted, L"CommandExcludeBoosted", 4275, 2520}},
    {ExclusionsButton::Remove, L"删除", {ControlId::CommandRemoveProgram, L"CommandRemoveProgram", 6915, 1125}},
};

int ButtonIndex(ExclusionsButton button)
{
    return static_cast<int>(button);
}

} // namespace

bool ExclusionsPageWindow::Create(const PageCreateArgs& args)
{
    if (!RegisterOnce(L"TorvaneExclusionsPage") || !CreatePageWindow(args, L"TorvaneExclusionsPage", this))
        return false;
    CreateControls(args);
    return true;
}

void ExclusionsPageWindow::CreateControls(const PageCreateArgs& args)
{
    const ChildFactory factory = PageControls(hwnd_, args);
    // The heading goes before the list: screen readers name the list by it.
    factory.Heading({240, 120, 3000, 360}, L"排除的程序：", args.fonts->heading());
    list_.Attach(factory.ListBox(ControlId::ListExcludedPrograms, {240, 540, 7800, 2820}));
    list_.onSelectionChanged = [this] {
        if (onSelectionChanged)
            onSelectionChanged();
    };
    router_.Add(list_);

    const FontDescription buttonFont{args.fonts->face(), 9, false, false};
    for (const ButtonPlace& button : kButtons) {
        MemoryPropertyBag properties = PageButtonProperties(button.caption, buttonFont);
        buttons_[ButtonIndex(button.button)] = CreatePageButton(hwnd_, factory, button.place, properties,
                                                                [this, which = button.button] { Clicked(which); });
    }

    factory.Label(0, {240, 3960, 1560}, L"正在提速的程序：");
    boostedProgram_.Attach(
        factory.Label(ControlId::LabelBoostedProgram, {1800, 3960, 6240}, L"无", SS_ENDELLIPSIS));
}

void ExclusionsPageWindow::Clicked(ExclusionsButton button)
{
    if (button == ExclusionsButton::Add) {
        CommandAddProgram_Click();
        return;
    }
    const std::function<void()>& handler = button == ExclusionsButton::ExcludeBoosted ? onExcludeBoosted : onRemove;
    if (handler)
        handler();
}

void ExclusionsPageWindow::SetAvailable(ExclusionsButton button, bool available)
{
    CommandWindow* window = buttons_[ButtonIndex(button)];
    if (!window || window->command().Enabled() == available)
        return;
    // The focus leaves a button that goes unavailable for the list, so the
    // keyboard is never left on a control that cannot be used.
    const bool focused = GetFocus() == window->hwnd();
    window->command().SetEnabled(available);
    if (focused && !available)
        SetFocus(list_.hwnd());
}

void ExclusionsPageWindow::ShowBoostedProgram(const std::wstring& program)
{
    boostedProgram_.SetText(program.empty() ? L"无" : program);
}

void ExclusionsPageWindow::Refuse(const std::wstring& message)
{
    MessageBoxW(GetAncestor(hwnd_, GA_ROOT), message.c_str(), L"Torvane", MB_OK | MB_ICONEXCLAMATION);
}

void ExclusionsPageWindow::CommandAddProgram_Click()
{
    // Long paths fit: the dialog fills at most this many characters.
    std::wstring file(32768, L'\0');
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetAncestor(hwnd_, GA_ROOT);
    dialog.lpstrFilter = L"程序 (*.exe)\0*.exe\0所有文件 (*.*)\0*.*\0";
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = L"选择不提速的程序";
    dialog.lpstrDefExt = L"exe";
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   OFN_DONTADDTORECENT;
    if (!GetOpenFileNameW(&dialog))
        return;
    file.resize(file.find(L'\0'));
    if (onAdd)
        onAdd(file);
}

LRESULT ExclusionsPageWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && router_.Route(wParam, lParam))
        return 0;
    if (message == WM_VKEYTOITEM && reinterpret_cast<HWND>(lParam) == list_.hwnd()) {
        if (LOWORD(wParam) != VK_DELETE)
            return -1; // the list's own handling
        if (onRemove)
            onRemove();
        return -2;
    }
    return PageDefaultMessage(hwnd_, message, wParam, lParam);
}

} // namespace torvane
