#include "app/exclusions_page.h"

#include <algorithm>

#include "booster/excluded_programs.h"
#include "booster/file_name.h"

namespace torvane {

void ExclusionsPage::Load()
{
    const std::wstring stored = config_.ReadExcludedPrograms();
    names_ = ExcludedProgramItems(stored);
    boosting_.excluded = ExcludedPrograms(stored);
    controls_.ShowNames(names_);
    controls_.SelectName(-1);
    SelectionChanged();
    SetBoostedProgram(boostedProgram_);
}

void ExclusionsPage::AddProgram(const std::wstring& path)
{
    const std::wstring name = FileNameOf(path);
    if (name.empty())
        return;
    const auto same = std::find_if(names_.begin(), names_.end(),
                                   [&name](const std::wstring& stored) { return SameProgram(stored, name); });
    if (same != names_.end()) {
        // Not twice: the name already there is shown instead.
        controls_.SelectName(static_cast<int>(same - names_.begin()));
        SelectionChanged();
        return;
    }
    // The list's own reader must give back this very name: ";" splits it, and
    // quotes or spaces at its ends are taken off.
    if (ExcludedProgramItems(name) != std::vector<std::wstring>{name}) {
        controls_.Refuse(L"“" + name + L"”含有分号，或以空格、引号开头或结尾，无法加入排除列表。");
        return;
    }
    if (!config_.Keeps(name)) {
        controls_.Refuse(L"“" + name + L"”含有 config.ini 的编码无法保存的字符，未加入排除列表。");
        return;
    }
    names_.push_back(name);
    Store();
    controls_.AddName(name);
    controls_.SelectName(static_cast<int>(names_.size()) - 1);
    SelectionChanged();
}

void ExclusionsPage::RemoveSelected()
{
    const int selected = controls_.SelectedName();
    if (selected < 0 || selected >= static_cast<int>(names_.size()))
        return;
    names_.erase(names_.begin() + selected);
    Store();
    controls_.RemoveName(selected);
    // The next name takes the removed one's place, so Delete can go on.
    const int count = static_cast<int>(names_.size());
    controls_.SelectName(count == 0 ? -1 : std::min(selected, count - 1));
    SelectionChanged();
}

void ExclusionsPage::SelectionChanged()
{
    controls_.SetAvailable(ExclusionsButton::Remove, controls_.SelectedName() >= 0);
}

void ExclusionsPage::SetBoostedProgram(const std::wstring& program)
{
    boostedProgram_ = program;
    controls_.SetAvailable(ExclusionsButton::ExcludeBoosted, !program.empty());
    controls_.ShowBoostedProgram(program);
}

void ExclusionsPage::Store()
{
    // As every setting: a failed write is not reported, and the change stands.
    const std::wstring text = ExcludedProgramsText(names_);
    config_.WriteExcludedPrograms(text);
    boosting_.excluded = ExcludedPrograms(text);
    if (onChanged)
        onChanged();
}

} // namespace torvane
