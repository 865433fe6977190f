#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include "controls/win_command.h"
#include "fakes/command_events_of.h"

using namespace torvane;

namespace {

class Recorder {
public:
    void Click() { log.push_back(L"Click"); }
    void KeyDown(int& keyCode, int&) { log.push_back(L"KeyDown " + std::to_wstring(keyCode)); }
    void KeyPress(int& charCode) { log.push_back(L"KeyPress " + std::to_wstring(charCode)); }
    void KeyUp(int& keyCode, int&) { log.push_back(L"KeyUp " + std::to_wstring(keyCode)); }
    void MouseDown(int& button, int&, float& x, float& y) { log.push_back(L"MouseDown " + Args(button, x, y)); }
    void MouseMove(int& button, int&, float& x, float& y) { log.push_back(L"MouseMove " + Args(button, x, y)); }
    void MouseUp(int& button, int&, float& x, float& y) { log.push_back(L"MouseUp " + Args(button, x, y)); }
    void MouseOut() { log.push_back(L"MouseOut"); }

    std::vector<std::wstring> log;

private:
    static std::wstring Args(int button, float x, float y)
    {
        return std::to_wstring(button) + L" " + std::to_wstring(static_cast<int>(x)) + L" " +
               std::to_wstring(static_cast<int>(y));
    }
};

void Pump(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

class CommandInputWin : public ::testing::Test {
protected:
    CommandInputWin()
    {
        parent_ = CreateWindowExW(0, L"STATIC", L"buttons", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 100,
                                  100, 300, 150, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        CommandCreateArgs args;
        args.parent = parent_;
        args.left = 20;
        args.top = 20;
        args.events = CommandEventsOf(recorder);
        button = CommandWindow::Create(args);
        SetForegroundWindow(parent_);
        Pump(100);
        // Stay well away from the button to begin with.
        SetCursorPos(5, 5);
        Pump(50);
        recorder.log.clear();
    }
    ~CommandInputWin() override { DestroyWindow(parent_); }

    HWND parent_ = nullptr;
    Recorder recorder;
    CommandWindow* button = nullptr;
};

} // namespace

TEST_F(CommandInputWin, PostedMouseAndKeyMessagesRaiseTheSequences)
{
    ASSERT_NE(button, nullptr);
    HWND window = button->hwnd();
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    EXPECT_EQ(button->command().state().visualState, 2);
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    EXPECT_EQ(button->command().state().visualState, 0);
    const std::vector<std::wstring> click = {L"MouseMove 0 10 5", L"MouseDown 1 10 5", L"MouseUp 1 10 5", L"Click"};
    EXPECT_EQ(recorder.log, click);

    recorder.log.clear();
    SendMessageW(window, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(window, WM_KEYUP, VK_SPACE, 0);
    const std::vector<std::wstring> space = {L"KeyDown 32", L"MouseDown 1 1 1", L"KeyUp 32", L"MouseUp 1 1 1", L"Click"};
    EXPECT_EQ(recorder.log, space);

    recorder.log.clear();
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(button->command().state().visualState, 0);
    SendMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(recorder.log, (std::vector<std::wstring>{L"MouseDown 2 3 3", L"MouseUp 2 3 3"}));

    recorder.log.clear();
    button->command().SetEnabled(false);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    SendMessageW(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(recorder.log.empty());
}

TEST_F(CommandInputWin, RealPointerHoversClicksAndLeaves)
{
    ASSERT_NE(button, nullptr);
    RECT box;
    GetWindowRect(button->hwnd(), &box);
    SetCursorPos(box.left + 10, box.top + 8);
    Pump(100);
    ASSERT_FALSE(recorder.log.empty());
    EXPECT_EQ(recorder.log.front().rfind(L"MouseMove 0", 0), 0u) << recorder.log.front();
    EXPECT_TRUE(button->command().state().isHot);

    recorder.log.clear();
    INPUT clicks[2] = {};
    clicks[0].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].type = INPUT_MOUSE;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(2, clicks, sizeof(INPUT)), 2u);
    Pump(150);
    std::vector<std::wstring> pressed;
    for (const std::wstring& entry : recorder.log) {
        if (entry.rfind(L"MouseMove", 0) != 0)
            pressed.push_back(entry);
    }
    EXPECT_EQ(pressed, (std::vector<std::wstring>{L"MouseDown 1 10 8", L"MouseUp 1 10 8", L"Click"}));

    recorder.log.clear();
    SetCursorPos(box.right + 40, box.bottom + 40);
    Pump(100);
    EXPECT_EQ(recorder.log, std::vector<std::wstring>{L"MouseOut"});
    EXPECT_FALSE(button->command().state().isHot);
}

TEST_F(CommandInputWin, AltAndTheMarkedLetterClicksTheButton)
{
    ASSERT_NE(button, nullptr);
    button->command().SetCaption(L"保存(&S)");
    EXPECT_FALSE(CommandWindow::ClickAccessKey(parent_, L'x'));
    EXPECT_TRUE(recorder.log.empty());
    EXPECT_TRUE(CommandWindow::ClickAccessKey(parent_, L'S'));
    EXPECT_EQ(recorder.log, std::vector<std::wstring>{L"Click"});

    // The window text follows the caption, so the dialog manager finds the
    // mark too and clicks through BM_CLICK, as it does a standard button.
    wchar_t text[32] = {};
    GetWindowTextW(button->hwnd(), text, 32);
    EXPECT_STREQ(text, L"保存(&S)");
    recorder.log.clear();
    MSG alt = {parent_, WM_SYSCHAR, L's', 0, 0, {}};
    EXPECT_TRUE(IsDialogMessageW(parent_, &alt));
    EXPECT_EQ(recorder.log, std::vector<std::wstring>{L"Click"});

    // Disabled: neither way clicks it.
    recorder.log.clear();
    EnableWindow(button->hwnd(), FALSE);
    EXPECT_FALSE(CommandWindow::ClickAccessKey(parent_, L's'));
    IsDialogMessageW(parent_, &alt);
    EXPECT_TRUE(recorder.log.empty());
}
