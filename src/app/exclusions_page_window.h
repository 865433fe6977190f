#pragma once

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

#include "app/exclusions_page.h"
#include "app/win_page_parts.h"
#include "app/win_widgets.h"
#include "controls/win_command.h"
#include "platform/win_base_window.h"

namespace torvane {

// The page "排除程序": the list of programs never boosted, with the buttons
// "添加…", "排除正在提速的程序" and "删除". What the user does reaches the
// on… members; the page's logic sets the controls back.
class ExclusionsPageWindow : public BaseWindow<ExclusionsPageWindow>, public ExclusionsControls {
public:
    // The program file chosen in the open dialog after "添加…".
    std::function<void(const std::wstring&)> onAdd;
    std::function<void()> onExcludeBoosted;
    // "删除", or the Delete key on the list.
    std::function<void()> onRemove;
    std::function<void()> onSelectionChanged;

    bool Create(const PageCreateArgs& args);

    void ShowNames(const std::vector<std::wstring>& names) override { list_.SetItems(names); }
    void AddName(const std::wstring& name) override { list_.AddItem(name); }
    void RemoveName(int index) override { list_.RemoveItem(index); }
    int SelectedName() override { return list_.Selected(); }
    void SelectName(int index) override { list_.Select(index); }
    void SetAvailable(ExclusionsButton button, bool available) override;
    void ShowBoostedProgram(const std::wstring& program) override;
    void Refuse(const std::wstring& message) override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls(const PageCreateArgs& args);
    void Clicked(ExclusionsButton button);
    void CommandAddProgram_Click();

    ListBox list_;
    Label boostedProgram_;
    CommandWindow* buttons_[3] = {};
    WidgetRouter router_;
};

} // namespace torvane
