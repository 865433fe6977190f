#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/window_chrome.h"

using namespace torvane;

namespace {

struct FakeImageSet : ImageSet {
    void ShowOnly(int index) override { shown = index; }
    bool IsVisible(int index) override { return shown == index; }
    int shown = 0;
};

// Writes down what each event asks of the window, as the window would act.
struct ChromeLog {
    void operator()(ChromeAction action)
    {
        if (action == ChromeAction::StartDrag)
            log.push_back(L"drag");
        if (action == ChromeAction::Minimise)
            log.push_back(L"minimise");
        if (action == ChromeAction::Unload)
            log.push_back(L"unload");
    }
    std::vector<std::wstring> log;
};

} // namespace

TEST(WindowChrome, ButtonsAndCaptionBar)
{
    struct Case {
        const char* name;
        std::function<void(WindowChrome&, ChromeLog&)> steps;
        int minimiseShown;
        int exitShown;
        std::vector<std::wstring> log;
    };
    const Case cases[] = {
        {"hover minimise", [](WindowChrome& c, ChromeLog& l) { l(c.ImageMin_MouseMove()); }, 1, 0, {}},
        {"press and release minimise",
         [](WindowChrome& c, ChromeLog& l) { l(c.ImageMin_MouseMove()); l(c.ImageMin_MouseDown()); l(c.ImageMin_MouseUp()); }, 2, 0,
         {L"minimise"}},
        {"release without press", [](WindowChrome& c, ChromeLog& l) { l(c.ImageMin_MouseMove()); l(c.ImageMin_MouseUp()); }, 1, 0, {}},
        {"press close and release", [](WindowChrome& c, ChromeLog& l) { l(c.ImageExit_MouseDown()); l(c.ImageExit_MouseUp()); }, 0, 2,
         {L"unload"}},
        {"close released after moving off",
         [](WindowChrome& c, ChromeLog& l) { l(c.ImageExit_MouseDown()); l(c.Form_MouseMove()); l(c.ImageExit_MouseUp()); }, 0, 0, {}},
        {"close click", [](WindowChrome& c, ChromeLog& l) { l(c.ImageExit_Click()); }, 0, 0, {L"unload"}},
        {"background rests both",
         [](WindowChrome& c, ChromeLog& l) { l(c.ImageMin_MouseDown()); l(c.ImageExit_MouseMove()); l(c.Form_MouseMove()); }, 0, 0, {}},
        {"left drag", [](WindowChrome& c, ChromeLog& l) { l(c.ImageCaption_MouseDown(1)); }, 0, 0, {L"drag"}},
        {"right press does nothing", [](WindowChrome& c, ChromeLog& l) { l(c.ImageCaption_MouseDown(2)); }, 0, 0, {}},
    };
    for (const Case& c : cases) {
        FakeImageSet minimise;
        FakeImageSet exit;
        ChromeLog host;
        WindowChrome chrome(minimise, exit);
        c.steps(chrome, host);
        EXPECT_EQ(minimise.shown, c.minimiseShown) << c.name;
        EXPECT_EQ(exit.shown, c.exitShown) << c.name;
        EXPECT_EQ(host.log, c.log) << c.name;
    }
}
