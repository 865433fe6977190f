#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tray/tray_menu.h"
#include "tray/tray_window_proc.h"

namespace {

constexpr unsigned kTaskbarCreated = 0xC123;

struct RecordingHost : TrayHost, TrayMenuHost {
    bool MainWindowVisible() override { return visible; }
    void ShowMainWindow() override { log.push_back(L"show+restore"); }
    void SetForeground() override { log.push_back(L"foreground"); }
    void ShowTrayMenu() override { log.push_back(L"menu"); }
    void AddTrayIcon() override { log.push_back(L"add icon"); }
    std::intptr_t CallOldWindowProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        passed.push_back({message, wParam, lParam});
        return 77;
    }
    void ShowAndRestoreMainWindow() override { log.push_back(L"show+restore"); }
    void SelectMainWindowPage(Page page) override { log.push_back(L"page " + std::to_wstring(static_cast<int>(page))); }
    void OpenHomePage() override { log.push_back(L"home page"); }
    void RemoveTrayIcon() override { log.push_back(L"remove icon"); }
    void ExitProgram() override { log.push_back(L"exit"); }

    struct Call {
        unsigned message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
        bool operator==(const Call& o) const { return message == o.message && wParam == o.wParam && lParam == o.lParam; }
    };
    bool visible = false;
    std::vector<std::wstring> log;
    std::vector<Call> passed;
};

} // namespace

TEST(TrayWindowProc, DecidesEachMessage)
{
    struct Case {
        const char* name;
        bool visible;
        unsigned message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
        std::intptr_t result;
        std::vector<std::wstring> log;
        bool passedOn;
    };
    const Case cases[] = {
        {"double click, hidden", false, 2025, 0, 0x203, 0, {L"show+restore"}, false},
        {"double click, visible", true, 2025, 0, 0x203, 0, {}, false},
        {"right press, hidden", false, 2025, 0, 0x204, 0, {L"foreground", L"menu"}, false},
        {"right press, visible", true, 2025, 0, 0x204, 0, {L"foreground", L"menu"}, false},
        {"taskbar created", true, kTaskbarCreated, 5, 6, 0, {L"add icon"}, false},
        {"single left click", false, 2025, 0, 0x201, 77, {}, true},
        {"right release", false, 2025, 0, 0x205, 77, {}, true},
        {"mouse move on icon", false, 2025, 0, 0x200, 77, {}, true},
        {"paint", true, 0x000F, 1, 2, 77, {}, true},
        {"query end session", true, 0x0011, 0, 0, 77, {}, true},
        {"end session", true, 0x0016, 1, 0, 77, {}, true},
        {"close", true, 0x0010, 0, 0, 77, {}, true},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        host.visible = c.visible;
        EXPECT_EQ(WindowProc(host, kTaskbarCreated, c.message, c.wParam, c.lParam), c.result) << c.name;
        EXPECT_EQ(host.log, c.log) << c.name;
        if (c.passedOn)
            EXPECT_EQ(host.passed, (std::vector<RecordingHost::Call>{{c.message, c.wParam, c.lParam}})) << c.name;
        else
            EXPECT_TRUE(host.passed.empty()) << c.name;
    }
}

TEST(TrayMenu, EntriesInOrderAndTheirHandlers)
{
    std::vector<std::wstring> captions;
    for (const TrayMenuEntry& entry : TrayMenuEntries())
        captions.push_back(entry.caption);
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"官方网站", L"-", L"状态", L"记录", L"设置", L"关于", L"-", L"退出"}));

    struct Case {
        int id;
        std::vector<std::wstring> log;
    };
    const Case cases[] = {
        {TrayMenuId::Web, {L"home page"}},
        {TrayMenuId::State, {L"show+restore", L"page 0"}},
        {TrayMenuId::Record, {L"show+restore", L"page 1"}},
        {TrayMenuId::Setting, {L"show+restore", L"page 2"}},
        {TrayMenuId::About, {L"show+restore", L"page 3"}},
        {TrayMenuId::Exit, {L"remove icon", L"exit"}},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        EXPECT_TRUE(OnTrayMenuCommand(host, c.id));
        EXPECT_EQ(host.log, c.log) << c.id;
    }
    RecordingHost host;
    EXPECT_FALSE(OnTrayMenuCommand(host, 12345));
    EXPECT_TRUE(host.log.empty());
}
