// Control where the user is: "启用提速" in the tray menu, and the page
// "排除程序" that edits the programs never boosted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/control_ids.h"
#include "platform/win_handles.h"
#include "torvane_driver.h"
#include "tray/tray_menu.h"

using namespace torvane;

namespace {

constexpr UINT kTrayCallback = 2025;
// Two ticks of the booster's one-second timer, and a little slack.
constexpr DWORD kTicksAndSlack = 2600;

struct ControlSetup {
    explicit ControlSetup(const char* excluded = nullptr)
    {
        dir.WriteConfig("Normal", "EnableSpeed", "1");
        dir.WriteConfig("Speed", "SpeedLevel", "1");
        dir.WriteConfig("Speed", "RestoreOriginal", "1");
        if (excluded)
            dir.WriteConfig("Exclude", "Programs", excluded);
    }
    ProgramDirectory dir;
};

// A copy of the test window named browser.exe that starts a windowless copy
// of itself, the helper, which is put at below normal.
struct Browser {
    Browser() : copies(L"apps", false)
    {
        copies.CopyIn(TEST_WINDOW_EXE, L"browser.exe");
        window = std::make_unique<TestWindow>(L"/helpers 浏览器", copies.path() + L"\\browser.exe");
        std::vector<DWORD> ids;
        if (!window->window() || !WaitFor([&] { return (ids = ChildProcessIds(window->id(), L"browser.exe")).size() == 1; }))
            return;
        helper = ids[0];
        const ScopedHandle process(OpenProcess(PROCESS_SET_INFORMATION, FALSE, helper));
        SetPriorityClass(process.get(), BELOW_NORMAL_PRIORITY_CLASS);
    }
    bool Raised() const
    {
        return window->PriorityClass() == HIGH_PRIORITY_CLASS && ProcessPriorityClass(helper) == HIGH_PRIORITY_CLASS;
    }
    bool AtOwnClasses() const
    {
        return window->PriorityClass() == NORMAL_PRIORITY_CLASS &&
               ProcessPriorityClass(helper) == BELOW_NORMAL_PRIORITY_CLASS;
    }
    ProgramDirectory copies;
    std::unique_ptr<TestWindow> window;
    DWORD helper = 0;
};

// The tray menu opened by the icon's right button, and the entry `fromEnd`
// places up from its end chosen with the keyboard, as a user would: 1 is
// "退出", 2 "启用提速", then "关于", "设置", "记录", "状态" (the keys pass the
// separators by). `shot`: a picture of the open menu is kept in that file.
bool ChooseFromTrayMenu(Torvane& torvane, int fromEnd, const char* shot = nullptr)
{
    const DWORD pid = torvane.process().id();
    PostMessageW(torvane.window(), kTrayCallback, 0, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    if (!WaitFor([&] { return (menu = VisibleWindowOfClass(pid, L"#32768")) != nullptr; }, 15000))
        return false;
    if (shot) {
        RECT box = {};
        GetWindowRect(menu, &box);
        SteadyScreenPixels(box);
        SaveScreenBmp(box, shot);
    }
    for (int i = 0; i < fromEnd; ++i)
        PostMessageW(torvane.window(), WM_KEYDOWN, VK_UP, 0);
    PostMessageW(torvane.window(), WM_KEYDOWN, VK_RETURN, 0);
    return WaitFor([&] { return VisibleWindowOfClass(pid, L"#32768") == nullptr; });
}

std::string Stored(const ProgramDirectory& dir)
{
    return dir.ReadConfig("Exclude", "Programs").value_or("<none>");
}

} // namespace

// "启用提速" in the tray menu does what the settings page's box does: stored
// at once, the box follows, pausing gives back what was raised to its own
// class, resuming raises the window in front again. Its place is checked by
// choosing each entry from the menu's end.
TEST(Control, TheTrayMenusEnableSpeedPausesAndResumesAndTheEntriesAreInOrder)
{
    ControlSetup setup;
    Browser browser;
    ASSERT_NE(browser.helper, 0u);
    Torvane torvane(setup.dir);
    ASSERT_TRUE(torvane.started());
    ASSERT_TRUE(browser.window->BringToFront());
    ASSERT_TRUE(WaitFor([&] { return browser.Raised(); }, kTicksAndSlack));

    ASSERT_TRUE(ChooseFromTrayMenu(torvane, 2));
    EXPECT_TRUE(WaitFor([&] { return setup.dir.ReadConfig("Normal", "EnableSpeed") == std::string("0"); }));
    EXPECT_EQ(torvane.Checked(ControlId::CheckState), 0);
    EXPECT_TRUE(WaitFor([&] { return browser.AtOwnClasses(); }, 500));
    ASSERT_TRUE(browser.window->BringToFront());
    Sleep(kTicksAndSlack);
    EXPECT_TRUE(browser.AtOwnClasses()) << "paused: nothing raised";

    ASSERT_TRUE(ChooseFromTrayMenu(torvane, 2, "tray_menu_paused.bmp"));
    EXPECT_TRUE(WaitFor([&] { return setup.dir.ReadConfig("Normal", "EnableSpeed") == std::string("1"); }));
    EXPECT_EQ(torvane.Checked(ControlId::CheckState), 1);
    ASSERT_TRUE(browser.window->BringToFront());
    EXPECT_TRUE(WaitFor([&] { return browser.Raised(); }, kTicksAndSlack));

    const struct {
        int fromEnd;
        int page;
    } pages[] = {{3, ControlId::PictureAbout}, {4, ControlId::PictureSettings}, {5, ControlId::PictureRecords},
                 {6, ControlId::PictureStatus}};
    for (const auto& entry : pages) {
        ShowWindow(torvane.window(), SW_HIDE);
        ASSERT_TRUE(ChooseFromTrayMenu(torvane, entry.fromEnd, entry.fromEnd == 3 ? "tray_menu_on.bmp" : nullptr));
        EXPECT_TRUE(WaitFor([&] {
            return IsWindowVisible(torvane.window()) && IsWindowVisible(torvane.Control(entry.page));
        })) << entry.fromEnd;
    }
    ASSERT_TRUE(ChooseFromTrayMenu(torvane, 1));
    EXPECT_EQ(WaitForSingleObject(torvane.process().handle(), 3000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_TRUE(browser.AtOwnClasses());
}

// The page lists the stored names; each edit is stored at once: a name
// selected and "删除" pressed, the Delete key on the list, "排除正在提速的
// 程序" (which gives the browser and its helper back at once, for good) and
// "添加…" through the open dialog, where a name config.ini cannot keep is
// refused with a message.
TEST(Control, TheExclusionsPageEditsTheStoredListAndAProgramExcludedIsGivenBackAtOnce)
{
    ControlSetup setup("alpha.exe; Beta");
    Torvane torvane(setup.dir);
    ASSERT_TRUE(torvane.started());
    SetForegroundWindow(torvane.window());
    ASSERT_TRUE(torvane.RealClick(ControlId::ImageExclusions));
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(torvane.Control(ControlId::PictureExclusions)) != 0; }));
    const HWND list = torvane.Control(ControlId::ListExcludedPrograms);
    EXPECT_EQ(ListBoxItems(list), (std::vector<std::wstring>{L"alpha.exe", L"Beta"}));
    EXPECT_FALSE(IsWindowEnabled(torvane.Control(ControlId::CommandRemoveProgram)));

    // The first item clicked, then "删除"; then the other, and the Delete key.
    RECT box = {};
    GetWindowRect(list, &box);
    const LONG itemHeight = static_cast<LONG>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    ASSERT_TRUE(ClickAt(box.left + 30, box.top + 2 + itemHeight / 2));
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(torvane.Control(ControlId::CommandRemoveProgram)) != 0; }));
    ASSERT_TRUE(torvane.RealClick(ControlId::CommandRemoveProgram));
    EXPECT_TRUE(WaitFor([&] { return Stored(setup.dir) == "Beta"; })) << Stored(setup.dir);
    EXPECT_EQ(ListBoxItems(list), std::vector<std::wstring>{L"Beta"});
    ASSERT_TRUE(ClickAt(box.left + 30, box.top + 2 + itemHeight / 2));
    ASSERT_TRUE(WaitFor([&] { return GetFocus() == list || SendMessageW(list, LB_GETCURSEL, 0, 0) == 0; }));
    PressKey(VK_DELETE);
    EXPECT_TRUE(WaitFor([&] { return Stored(setup.dir).empty(); })) << Stored(setup.dir);
    EXPECT_TRUE(ListBoxItems(list).empty());

    // The button is there once something was boosted; pressed while the
    // browser stays in front.
    EXPECT_FALSE(IsWindowEnabled(torvane.Control(ControlId::CommandExcludeBoosted)));
    Browser browser;
    ASSERT_NE(browser.helper, 0u);
    ASSERT_TRUE(browser.window->BringToFront());
    ASSERT_TRUE(WaitFor([&] { return browser.Raised(); }, kTicksAndSlack));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(torvane.Control(ControlId::CommandExcludeBoosted)) != 0; }));
    EXPECT_EQ(torvane.Text(ControlId::LabelBoostedProgram), L"browser.exe");
    PostMessageW(torvane.Control(ControlId::CommandExcludeBoosted), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return Stored(setup.dir) == "browser.exe"; })) << Stored(setup.dir);
    EXPECT_TRUE(WaitFor([&] { return browser.AtOwnClasses(); }, 500)) << "given back at once";
    Sleep(kTicksAndSlack);
    EXPECT_TRUE(browser.AtOwnClasses()) << "and not raised again";

    // "添加…": the open dialog, driven as a user would fill it in.
    ProgramDirectory files(L"files", false);
    const std::wstring chosen = files.path() + L"\\录屏 工具.exe";
    const std::wstring unkept = files.path() + L"\\Äpp.exe";
    for (const std::wstring& path : {chosen, unkept})
        ScopedHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    for (const std::wstring& path : {chosen, unkept}) {
        PostMessageW(torvane.Control(ControlId::CommandAddProgram), BM_CLICK, 0, 0);
        HWND dialog = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (dialog = VisibleWindowOfClass(torvane.process().id(), L"#32770")) != nullptr; }));
        // The file name box of the explorer-style dialog.
        ASSERT_TRUE(WaitFor([&] { return GetDlgItem(dialog, 0x47C) != nullptr; }));
        SetDlgItemTextW(dialog, 0x47C, path.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
        if (path == chosen) {
            EXPECT_TRUE(WaitFor([&] { return Stored(setup.dir) == "browser.exe; \xC2\xBC\xC6\xC1 \xB9\xA4\xBE\xDF.exe"; }))
                << Stored(setup.dir);
        }
    }
    const std::wstring refusal = torvane.WaitForMessageBox();
    EXPECT_NE(refusal.find(L"Äpp.exe"), std::wstring::npos) << refusal.size();
    EXPECT_NE(refusal.find(L"无法保存"), std::wstring::npos);
    torvane.DismissMessageBox();
    EXPECT_EQ(ListBoxItems(list), (std::vector<std::wstring>{L"browser.exe", L"录屏 工具.exe"}));
    EXPECT_EQ(Stored(setup.dir), "browser.exe; \xC2\xBC\xC6\xC1 \xB9\xA4\xBE\xDF.exe");
}

// A stored list of 2,000 names, untidy as a hand-edited file is: every
// name shown whole, and the window answers.
TEST(Control, TwoThousandStoredNamesAreShownWhole)
{
    std::string stored;
    for (int i = 0; i < 2000; ++i)
        stored += (i % 2 ? " \"\xB3\xCC\xD0\xF2 " : "prog") + std::to_string(i) + (i % 2 ? ".exe\" ;;" : ".exe;");
    ControlSetup setup(stored.c_str());
    Torvane torvane(setup.dir);
    ASSERT_TRUE(torvane.started());
    const std::vector<std::wstring> items = ListBoxItems(torvane.Control(ControlId::ListExcludedPrograms));
    ASSERT_EQ(items.size(), 2000u);
    EXPECT_EQ(items[0], L"prog0.exe");
    EXPECT_EQ(items[1999], L"程序 1999.exe");
    EXPECT_TRUE(torvane.Answers());
}
