#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/window_chrome.h"

namespace {

struct FakeImageSet : ImageSet {
    void ShowOnly(int index) override { shown = index; }
    bool IsVisible(int index) override { return shown == index; }
    int shown = 0;
};

struct FakeChromeHost : ChromeHost {
    void StartDrag() override { log.push_back(L"drag"); }
    void Minimise() override { log.push_back(L"minimise"); }
    void Unload() override { log.push_back(L"unload"); }
    std::vector<std::wstring> log;
};

} // namespace

TEST(WindowChrome, ButtonsAndCaptionBar)
{
    struct Case {
        const char* name;
        std::function<void(WindowChrome&)> steps;
        int minimiseShown;
        int exitShown;
        std::vector<std::wstring> log;
    };
    const Case cases[] = {
        {"hover minimise", [](WindowChrome& c) { c.ImageMin_MouseMove(); }, 1, 0, {}},
        {"press and release minimise",
         [](WindowChrome& c) { c.ImageMin_MouseMove(); c.ImageMin_MouseDown(); c.ImageMin_MouseUp(); }, 2, 0,
         {L"minimise"}},
        {"release without press", [](WindowChrome& c) { c.ImageMin_MouseMove(); c.ImageMin_MouseUp(); }, 1, 0, {}},
        {"press close and release", [](WindowChrome& c) { c.ImageExit_MouseDown(); c.ImageExit_MouseUp(); }, 0, 2,
         {L"unload"}},
        {"close released after moving off",
         [](WindowChrome& c) { c.ImageExit_MouseDown(); c.Form_MouseMove(); c.ImageExit_MouseUp(); }, 0, 0, {}},
        {"close click", [](WindowChrome& c) { c.ImageExit_Click(); }, 0, 0, {L"unload"}},
        {"background rests both",
         [](WindowChrome& c) { c.ImageMin_MouseDown(); c.ImageExit_MouseMove(); c.Form_MouseMove(); }, 0, 0, {}},
        {"left drag", [](WindowChrome& c) { c.ImageCaption_MouseDown(1); }, 0, 0, {L"drag"}},
        {"right press does nothing", [](WindowChrome& c) { c.ImageCaption_MouseDown(2); }, 0, 0, {}},
    };
    for (const Case& c : cases) {
        FakeImageSet minimise;
        FakeImageSet exit;
        FakeChromeHost host;
        WindowChrome chrome(minimise, exit, host);
        c.steps(chrome);
        EXPECT_EQ(minimise.shown, c.minimiseShown) << c.name;
        EXPECT_EQ(exit.shown, c.exitShown) << c.name;
        EXPECT_EQ(host.log, c.log) << c.name;
    }
}
