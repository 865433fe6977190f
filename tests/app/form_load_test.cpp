#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form_load.h"
#include "fakes/fake_profile_store.h"
#include "fakes/fake_run_key.h"
#include "fakes/fake_settings_controls.h"

using namespace torvane;

namespace {

// Records the main window's side of the load, with the settings writes and
// registry calls interleaved in one journal.
class JournalHost : public StartupHost {
public:
    explicit JournalHost(std::vector<std::wstring>& journal) : journal_(journal) {}
    void LayoutPages() override { journal_.push_back(L"layout"); }
    void ResetState() override { journal_.push_back(L"reset"); }
    void HideWindow() override { journal_.push_back(L"hide"); }
    void InstallTrayIcon() override { journal_.push_back(L"tray"); }
    void SetTopmost(bool topmost) override { journal_.push_back(topmost ? L"topmost" : L"not topmost"); }
    void ProcessPendingMessages() override { journal_.push_back(L"pump"); }
    void SetTaskBarStyle() override { journal_.push_back(L"taskbar style"); }
    void LoadFinished() override { journal_.push_back(L"loaded"); }

private:
    std::vector<std::wstring>& journal_;
};

class JournalRunKey : public FakeRunKey {
public:
    explicit JournalRunKey(std::vector<std::wstring>& journal) : journal_(journal) {}
    bool SetValue(RunKeyRoot root, const std::wstring& name, const std::wstring& data) override
    {
        if (root == RunKeyRoot::Machine)
            journal_.push_back(L"add run");
        return FakeRunKey::SetValue(root, name, data);
    }
    void DeleteValue(RunKeyRoot root, const std::wstring& name) override
    {
        if (root == RunKeyRoot::Machine)
            journal_.push_back(L"remove run");
        FakeRunKey::DeleteValue(root, name);
    }

private:
    std::vector<std::wstring>& journal_;
};

struct Startup {
    std::vector<std::wstring> journal;
    FakeProfileStore store;
    ConfigSettings config{store};
    JournalRunKey runKey{journal};
    Autorun autorun{runKey, L"C:\\T\\Torvane.exe"};
    FakeSettingsControls controls;
    JournalHost host{journal};
    BoosterSettings boosting;
    SettingsPage page{controls, config, autorun, host, boosting};

    std::vector<std::wstring> Run()
    {
        FormLoad(host, config, autorun, page);
        return journal;
    }
};

} // namespace

TEST(FormLoad, RunsItsStepsInOrderForEachStoredState)
{
    struct Case {
        const char* name;
        std::vector<std::pair<std::wstring, std::wstring>> stored;
        std::vector<std::wstring> journal;
    };
    const Case cases[] = {
        {"no config.ini",
         {},
         {L"layout", L"reset", L"tray", L"remove run", L"pump", L"not topmost", L"taskbar style", L"loaded"}},
        {"all on",
         {{L"AutoMin", L"1"}, {L"AutoRun", L"1"}, {L"AlwaysTop", L"1"}, {L"EnableSpeed", L"1"}},
         {L"layout", L"reset", L"hide", L"tray", L"add run", L"topmost", L"pump", L"add run", L"taskbar style",
          L"loaded"}},
        {"not quite on",
         {{L"AutoMin", L"2"}, {L"AutoRun", L"True"}, {L"AlwaysTop", L"-1"}},
         {L"layout", L"reset", L"tray", L"remove run", L"pump", L"not topmost", L"taskbar style", L"loaded"}},
    };
    for (const Case& c : cases) {
        Startup startup;
        for (const auto& [key, value] : c.stored)
            startup.store.Set(L"Normal", key, value);
        EXPECT_EQ(startup.Run(), c.journal) << c.name;
    }
}

TEST(FormLoad, FreshStartStoresOnlyWhatChangedAndNeitherAutoKey)
{
    Startup startup;
    startup.Run();
    EXPECT_EQ(startup.store.Get(L"Speed", L"SpeedLevel"), std::wstring(L"2"));
    EXPECT_EQ(startup.store.Get(L"Record", L"EnableRecord"), std::wstring(L"0"));
    EXPECT_EQ(startup.store.Get(L"Normal", L"EnableSpeed"), std::wstring(L"0"));
    EXPECT_EQ(startup.store.Get(L"Normal", L"AlwaysTop"), std::wstring(L"0"));
    EXPECT_FALSE(startup.store.Get(L"Normal", L"AutoRun").has_value());
    EXPECT_FALSE(startup.store.Get(L"Normal", L"AutoMin").has_value());
    // Off as it starts: nothing to store.
    EXPECT_FALSE(startup.store.Get(L"Speed", L"RestoreOriginal").has_value());
    // AutoMin and AutoRun are read twice each, the six others once.
    EXPECT_EQ(startup.store.reads, 10);
}
