#pragma once

#include <functional>
#include <string>
#include <vector>

#include "booster/booster_settings.h"
#include "settings/config_settings.h"

namespace torvane {

enum class ExclusionsButton { Add, ExcludeBoosted, Remove };

// The controls of the page "排除程序". Changing them here runs no handler.
class ExclusionsControls {
public:
    virtual ~ExclusionsControls() = default;
    virtual void ShowNames(const std::vector<std::wstring>& names) = 0;
    virtual void AddName(const std::wstring& name) = 0; // at the end
    virtual void RemoveName(int index) = 0;
    // The selected name's index, -1 when none is selected.
    virtual int SelectedName() = 0;
    virtual void SelectName(int index) = 0;
    virtual void SetAvailable(ExclusionsButton button, bool available) = 0;
    // The program "排除正在提速的程序" would add; empty when there is none.
    virtual void ShowBoostedProgram(const std::wstring& program) = 0;
    // A name that cannot be added, and why.
    virtual void Refuse(const std::wstring& message) = 0;
};

// The page's behaviour: the names of `[Exclude] Programs`, one per item as
// stored; every change is stored at once and is in force at once.
class ExclusionsPage {
public:
    ExclusionsPage(ExclusionsControls& controls, ConfigSettings& config, BoosterSettings& boosting)
        : controls_(controls), config_(config), boosting_(boosting)
    {
    }

    // After each change in force: what Torvane holds raised of a program
    // now excluded is given back.
    std::function<void()> onChanged;

    // Shows the stored list and puts it in force.
    void Load();
    // "添加…": the file chosen (a name or a full path).
    void AddProgram(const std::wstring& path);
    // "排除正在提速的程序".
    void ExcludeBoosted() { AddProgram(boostedProgram_); }
    // "删除", or the Delete key on the list.
    void RemoveSelected();
    void SelectionChanged();
    // The program of the application boosted last; empty when there is none.
    void SetBoostedProgram(const std::wstring& program);

    const std::vector<std::wstring>& names() const { return names_; }

private:
    void Store();

    ExclusionsControls& controls_;
    ConfigSettings& config_;
    BoosterSettings& boosting_;
    std::vector<std::wstring> names_;
    std::wstring boostedProgram_;
};

} // namespace torvane
