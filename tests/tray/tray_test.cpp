#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tray/tray_menu.h"
#include "tray/tray_window_proc.h"

using namespace torvane;

namespace {

constexpr unsigned kTaskbarCreated = 0xC123;

// Does what the main window does with the tray's decisions, writing down each
// step; a message passed on reaches the window's usual handling (77).
struct RecordingHost {
    std::intptr_t Handle(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
    {
        switch (TrayMessageAction(kTaskbarCreated, message, lParam, visible)) {
        case TrayAction::ShowWindow: log.push_back(L"show+restore"); return 0;
        case TrayAction::ShowMenu: log.push_back(L"foreground"); log.push_back(L"menu"); return 0;
        case TrayAction::AddIcon: log.push_back(L"add icon"); return 0;
        case TrayAction::Nothing: return 0;
        case TrayAction::PassOn: break;
        }
        passed.push_back({message, wParam, lParam});
        return 77;
    }

    bool Command(int id)
    {
        const TrayMenuChoice choice = TrayMenuCommand(id);
        switch (choice.kind) {
        case TrayMenuChoice::Kind::None: return false;
        case TrayMenuChoice::Kind::OpenHomePage: log.push_back(L"home page"); break;
        case TrayMenuChoice::Kind::Exit: log.push_back(L"remove icon"); log.push_back(L"exit"); break;
        case TrayMenuChoice::Kind::ToggleSpeed: log.push_back(L"toggle speed-up"); break;
        case TrayMenuChoice::Kind::ShowPage:
            log.push_back(L"show+restore");
            log.push_back(L"page " + std::to_wstring(static_cast<int>(choice.page)));
            break;
        }
        return true;
    }

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
        EXPECT_EQ(host.Handle(c.message, c.wParam, c.lParam), c.result) << c.name;
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
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"官方网站", L"-", L"状态", L"记录", L"设置", L"关于", L"-", L"启用提速", L"退出"}));

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
        {TrayMenuId::EnableSpeed, {L"toggle speed-up"}},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        EXPECT_TRUE(host.Command(c.id));
        EXPECT_EQ(host.log, c.log) << c.id;
    }
    RecordingHost host;
    EXPECT_FALSE(host.Command(12345));
    EXPECT_TRUE(host.log.empty());
}
