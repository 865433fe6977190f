#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/command_input.h"
#include "fakes/command_events_of.h"
#include "fakes/fake_command_surface.h"

using namespace torvane;

namespace {

std::wstring N(float value) { return std::to_wstring(static_cast<int>(value)); }

// One journal for the window's side and the form's events, in order. A paint
// takes on its state, as the painter does.
class Journal : public CommandInputHost {
public:
    void Paint(int state, bool force) override
    {
        if (painted)
            painted->visualState = state;
        log.push_back(L"paint " + std::to_wstring(state) + (force ? L" forced" : L""));
    }
    void Refresh() override { log.push_back(L"refresh"); }
    void SetHoverTimer(bool enabled) override
    {
        timer = enabled;
        log.push_back(enabled ? L"timer on" : L"timer off");
    }
    void MoveFocus(bool backward) override { log.push_back(backward ? L"focus back" : L"focus next"); }
    void PointerPosition(int& x, int& y) override { x = pointerX; y = pointerY; }

    void Click() { log.push_back(L"Click"); }
    void KeyDown(int& keyCode, int& shift)
    {
        log.push_back(L"KeyDown " + std::to_wstring(keyCode) + L" " + std::to_wstring(shift));
        if (rewriteKey)
            keyCode = *rewriteKey;
    }
    void KeyPress(int& charCode) { log.push_back(L"KeyPress " + std::to_wstring(charCode)); }
    void KeyUp(int& keyCode, int& shift)
    {
        log.push_back(L"KeyUp " + std::to_wstring(keyCode) + L" " + std::to_wstring(shift));
    }
    void MouseDown(int& button, int& shift, float& x, float& y)
    {
        log.push_back(L"MouseDown " + std::to_wstring(button) + L" " + std::to_wstring(shift) + L" " + N(x) + L" " + N(y));
    }
    void MouseMove(int& button, int& shift, float& x, float& y)
    {
        log.push_back(L"MouseMove " + std::to_wstring(button) + L" " + std::to_wstring(shift) + L" " + N(x) + L" " + N(y));
        if (rewriteButton)
            button = *rewriteButton;
    }
    void MouseUp(int& button, int& shift, float& x, float& y)
    {
        log.push_back(L"MouseUp " + std::to_wstring(button) + L" " + std::to_wstring(shift) + L" " + N(x) + L" " + N(y));
    }
    void MouseOut() { log.push_back(L"MouseOut"); }

    std::vector<std::wstring> log;
    CommandState* painted = nullptr;
    bool timer = false;
    int pointerX = 0;
    int pointerY = 0;
    std::optional<int> rewriteKey;
    std::optional<int> rewriteButton;
};

class CommandInputTest : public ::testing::Test {
protected:
    CommandInputTest()
    {
        command.InitProperties();
        command.state().width = 75;
        command.state().height = 23;
        journal.painted = &command.state();
    }

    std::vector<std::wstring> Run(const std::function<void(CommandInput&)>& steps)
    {
        journal.log.clear();
        steps(input);
        return journal.log;
    }

    FakeCommandSurface surface;
    FakeSystemColours system;
    Command command{surface, system};
    Journal journal;
    CommandInput input{command, journal, CommandEventsOf(journal)};
};

} // namespace

TEST_F(CommandInputTest, EventSequencesThatTheFormSees)
{
    struct Case {
        const char* name;
        std::function<void(CommandInput&)> steps;
        std::vector<std::wstring> log;
        int finalState;
    };
    const Case cases[] = {
        {"left click",
         [](CommandInput& in) {
             in.MouseMove(0, 0, 10, 5);
             in.MouseMove(0, 0, 11, 5);
             in.MouseDown(1, 0, 11, 5);
             in.MouseUp(1, 0, 11, 5);
             in.Clicked();
         },
         {L"timer on", L"MouseMove 0 0 10 5", L"paint 0 forced", L"timer on", L"MouseMove 0 0 11 5", L"paint 2 forced",
          L"MouseDown 1 0 11 5", L"paint 0 forced", L"MouseUp 1 0 11 5", L"paint 0 forced", L"refresh", L"Click"},
         0},
        {"space bar",
         [](CommandInput& in) {
             in.KeyDown(32, 0);
             in.KeyUp(32, 0);
         },
         {L"KeyDown 32 0", L"paint 2 forced", L"MouseDown 1 1 1 1", L"KeyUp 32 0", L"paint 0 forced",
          L"MouseUp 1 1 1 1", L"paint 0 forced", L"refresh", L"Click"},
         0},
        {"right button",
         [](CommandInput& in) {
             in.MouseDown(2, 0, 3, 3);
             in.MouseUp(2, 0, 3, 3);
             in.Clicked();
         },
         {L"paint 0 forced", L"MouseDown 2 0 3 3", L"paint 0 forced", L"MouseUp 2 0 3 3", L"paint 0 forced", L"refresh",
          L"Click"},
         0},
        {"key released without its press", [](CommandInput& in) { in.KeyUp(32, 0); }, {L"KeyUp 32 0"}, 0},
        {"double click",
         [](CommandInput& in) {
             in.MouseDown(1, 0, 5, 5);
             in.MouseUp(1, 0, 5, 5);
             in.Clicked();
             in.DoubleClick();
         },
         {L"paint 2 forced", L"MouseDown 1 0 5 5", L"paint 0 forced", L"MouseUp 1 0 5 5", L"paint 0 forced", L"refresh",
          L"Click", L"paint 2 forced", L"MouseDown 1 1 1 1"},
         2},
        {"edges count as inside", [](CommandInput& in) { in.MouseMove(0, 0, 75, 23); },
         {L"timer on", L"MouseMove 0 0 75 23", L"paint 0 forced"}, 0},
        {"just outside", [](CommandInput& in) { in.MouseMove(0, 0, 75.5f, 3); }, {L"timer on"}, 0},
        {"right button held over the button", [](CommandInput& in) { in.MouseMove(2, 0, 5, 5); }, {}, 0},
        {"dragging back with the left button held",
         [](CommandInput& in) { in.MouseMove(1, 0, 5, 5); },
         {L"timer on", L"MouseMove 1 0 5 5", L"paint 2"}, 2},
        {"arrows move the focus",
         [](CommandInput& in) {
             in.KeyDown(39, 0);
             in.KeyDown(40, 0);
             in.KeyDown(37, 0);
             in.KeyDown(38, 0);
             in.KeyDown(65, 0);
             in.KeyPress(97);
         },
         {L"KeyDown 39 0", L"focus next", L"KeyDown 40 0", L"focus next", L"KeyDown 37 0", L"focus back",
          L"KeyDown 38 0", L"focus back", L"KeyDown 65 0", L"KeyPress 97"},
         0},
        {"access key", [](CommandInput& in) { in.AccessKey(); }, {L"paint 0 forced", L"refresh", L"Click"}, 0},
        // Enter clicks at once, as on a standard button; its release is only KeyUp.
        {"enter",
         [](CommandInput& in) {
             in.KeyDown(13, 0);
             in.KeyUp(13, 0);
         },
         {L"KeyDown 13 0", L"paint 0 forced", L"refresh", L"Click", L"KeyUp 13 0"}, 0},
    };
    for (const Case& c : cases) {
        command.state().visualState = 0;
        command.state().isHot = false;
        command.state().lastKey = 0;
        command.state().lastButton = 1;
        EXPECT_EQ(Run(c.steps), c.log) << c.name;
        EXPECT_EQ(command.state().visualState, c.finalState) << c.name;
    }
}

TEST_F(CommandInputTest, TheFormMayRewriteKeysAndButtons)
{
    journal.rewriteKey = 0;
    EXPECT_EQ(Run([](CommandInput& in) { in.KeyDown(32, 0); in.KeyDown(39, 0); in.KeyDown(13, 0); in.KeyUp(32, 0); }),
              (std::vector<std::wstring>{L"KeyDown 32 0", L"KeyDown 39 0", L"KeyDown 13 0", L"KeyUp 32 0"}));

    journal.rewriteKey = 32;
    EXPECT_EQ(Run([](CommandInput& in) { in.KeyDown(65, 4); }),
              (std::vector<std::wstring>{L"KeyDown 65 4", L"paint 2 forced", L"MouseDown 1 1 1 1"}));

    journal.rewriteButton = 1;
    command.state().isHot = false;
    EXPECT_EQ(Run([](CommandInput& in) { in.MouseMove(0, 0, 5, 5); }),
              (std::vector<std::wstring>{L"timer on", L"MouseMove 0 0 5 5", L"paint 2"}));
    EXPECT_FALSE(command.state().isHot);
}

TEST_F(CommandInputTest, HoverTimerRaisesMouseOutOnceThePointerIsOutside)
{
    input.MouseMove(0, 0, 5, 5);
    ASSERT_TRUE(command.state().isHot);
    struct Case {
        int x;
        int y;
        bool out;
    };
    const Case cases[] = {{75, 23, false}, {0, 0, false}, {76, 5, true}, {5, -1, true}, {-1, 5, true}, {5, 24, true}};
    for (const Case& c : cases) {
        command.state().isHot = true;
        command.state().visualState = 2;
        journal.pointerX = c.x;
        journal.pointerY = c.y;
        const std::vector<std::wstring> log = Run([](CommandInput& in) { in.TimerTick(); });
        if (c.out) {
            EXPECT_EQ(log, (std::vector<std::wstring>{L"timer off", L"MouseOut", L"paint 0 forced"})) << c.x << "," << c.y;
            EXPECT_FALSE(command.state().isHot);
            EXPECT_EQ(command.state().visualState, 0);
        } else {
            EXPECT_TRUE(log.empty()) << c.x << "," << c.y;
            EXPECT_TRUE(command.state().isHot);
        }
    }
}

TEST_F(CommandInputTest, DisabledButtonRaisesNothingButStillPaintsFocusAndTimesOut)
{
    command.SetEnabled(false);
    const std::vector<std::wstring> log = Run([](CommandInput& in) {
        in.MouseMove(0, 0, 5, 5);
        in.MouseDown(1, 0, 5, 5);
        in.MouseUp(1, 0, 5, 5);
        in.Clicked();
        in.DoubleClick();
        in.KeyDown(32, 0);
        in.KeyDown(39, 0);
        in.KeyPress(32);
        in.KeyUp(32, 0);
        in.AccessKey();
    });
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(command.state().visualState, 0);

    EXPECT_EQ(Run([](CommandInput& in) { in.GotFocus(); in.LostFocus(); in.AmbientChanged(); }),
              (std::vector<std::wstring>{L"paint 0 forced", L"paint 0 forced", L"paint 0 forced"}));
    journal.pointerX = 500;
    EXPECT_EQ(Run([](CommandInput& in) { in.TimerTick(); }),
              (std::vector<std::wstring>{L"timer off", L"MouseOut", L"paint 0 forced"}));
}

TEST_F(CommandInputTest, FocusSetsAndClearsHasFocus)
{
    input.GotFocus();
    EXPECT_TRUE(command.state().hasFocus);
    input.LostFocus();
    EXPECT_FALSE(command.state().hasFocus);
}
