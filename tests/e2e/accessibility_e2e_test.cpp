#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <regex>
#include <thread>

#include <windows.h>

#include <oleacc.h>

#include "app/control_ids.h"
#include "torvane_driver.h"

using namespace torvane;

namespace {

class ComScope {
public:
    ComScope() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComScope() { CoUninitialize(); }
};

struct Releaser {
    void operator()(IAccessible* object) const { object->Release(); }
};
using AccessiblePtr = std::unique_ptr<IAccessible, Releaser>;

VARIANT Self()
{
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

// A window's client object, as a screen reader gets it from another process.
AccessiblePtr ClientObject(HWND window)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return nullptr;
    return AccessiblePtr(object);
}

std::wstring TextOf(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*read)(VARIANT, BSTR*))
{
    BSTR text = nullptr;
    if ((object->*read)(Self(), &text) != S_OK || !text)
        return {};
    std::wstring result(text, SysStringLen(text));
    SysFreeString(text);
    return result;
}

long NumberOf(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*read)(VARIANT, VARIANT*))
{
    VARIANT value;
    value.vt = VT_EMPTY;
    if ((object->*read)(Self(), &value) != S_OK || value.vt != VT_I4)
        return -1;
    return value.lVal;
}

// What a screen reader reads of a control.
struct Reading {
    std::wstring name;
    std::wstring value;
    std::wstring shortcut;
    std::wstring action;
    long role = -1;
    long state = -1;
};

Reading Read(HWND window)
{
    Reading reading;
    const AccessiblePtr object = ClientObject(window);
    if (!object)
        return reading;
    reading.name = TextOf(object.get(), &IAccessible::get_accName);
    reading.value = TextOf(object.get(), &IAccessible::get_accValue);
    reading.shortcut = TextOf(object.get(), &IAccessible::get_accKeyboardShortcut);
    reading.action = TextOf(object.get(), &IAccessible::get_accDefaultAction);
    reading.role = NumberOf(object.get(), &IAccessible::get_accRole);
    reading.state = NumberOf(object.get(), &IAccessible::get_accState);
    return reading;
}

// The control under root whose accessible name is `name`, found as an
// automation tool walking the windows finds it; null when there is none.
HWND FindByAccessibleName(HWND root, const std::wstring& name)
{
    struct Search {
        const std::wstring* name;
        HWND found;
    } search = {&name, nullptr};
    EnumChildWindows(
        root,
        [](HWND child, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            const AccessiblePtr object = ClientObject(child);
            if (object && TextOf(object.get(), &IAccessible::get_accName) == *s->name) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HRESULT DoDefaultAction(HWND window)
{
    const AccessiblePtr object = ClientObject(window);
    return object ? object->accDoDefaultAction(Self()) : E_FAIL;
}

// The keyboard focus of the thread that owns `window`.
HWND FocusOf(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// What assistive technology hears from the program: event and window.
std::vector<std::pair<DWORD, HWND>>& HeardEvents()
{
    static std::vector<std::pair<DWORD, HWND>> heard;
    return heard;
}

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (object == OBJID_CLIENT && child == CHILDID_SELF)
        HeardEvents().emplace_back(event, window);
}

// Out-of-context events arrive as messages to this thread.
bool Heard(DWORD event, HWND window)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    const auto& heard = HeardEvents();
    return std::find(heard.begin(), heard.end(), std::make_pair(event, window)) != heard.end();
}

RECT WindowBoxOf(HWND window)
{
    RECT box = {};
    GetWindowRect(window, &box);
    return box;
}

constexpr long kPushButton = ROLE_SYSTEM_PUSHBUTTON; // 43
constexpr long kPageTab = ROLE_SYSTEM_PAGETAB;       // 37
constexpr long kChart = ROLE_SYSTEM_CHART;           // 17

const std::wregex kValuePattern(L"CPU (\\d+)%，内存 (\\d+)%，页面文件 (\\d+)%，磁盘空间 (\\d+)%，虚拟内存 (\\d+)%");

} // namespace

TEST(Accessibility, AScreenReaderFindsReadsAndPressesTheDrawnButtonsAndTabs)
{
    const ComScope com;
    ProgramDirectory dir;
    dir.WriteConfig("Normal", "EnableSpeed", "1");
    dir.WriteConfig("Speed", "SpeedLevel", "1");
    dir.WriteConfig("Record", "EnableRecord", "1");
    dir.WriteConfig("Record", "RecordCount", "800");
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    TestWindow helper(L"Alpha 读屏");
    ASSERT_TRUE(helper.BringToFront());
    ASSERT_TRUE(WaitFor([&] { return helper.PriorityClass() == HIGH_PRIORITY_CLASS; }, 2600));
    torvane.Click(ControlId::CheckState);
    const std::wstring history = torvane.Text(ControlId::TextHistory);
    ASSERT_NE(history.find(L"Alpha 读屏"), std::wstring::npos);

    // The tabs: page tabs named by their captions, the shown one selected;
    // the default action of one shows its page.
    const int tabs[4] = {ControlId::ImageStatus, ControlId::ImageRecords, ControlId::ImageSettings,
                         ControlId::ImageAbout};
    const wchar_t* captions[4] = {L"提速状态", L"提速记录", L"软件设置", L"关于软件"};
    for (int i = 0; i < 4; ++i) {
        const Reading tab = Read(torvane.Control(tabs[i]));
        EXPECT_EQ(tab.name, captions[i]);
        EXPECT_EQ(tab.role, kPageTab) << i;
        EXPECT_EQ((tab.state & STATE_SYSTEM_SELECTED) != 0, i == 0) << i;
        EXPECT_NE(tab.state & STATE_SYSTEM_FOCUSABLE, 0) << i;
    }
    ASSERT_EQ(DoDefaultAction(FindByAccessibleName(torvane.window(), L"提速记录")), S_OK);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(torvane.Control(ControlId::PictureRecords)) != 0; }));
    EXPECT_NE(Read(torvane.Control(ControlId::ImageRecords)).state & STATE_SYSTEM_SELECTED, 0);
    EXPECT_EQ(Read(torvane.Control(ControlId::ImageStatus)).state & STATE_SYSTEM_SELECTED, 0);

    // The drawn buttons: found by name, push buttons, available, no access
    // key in their captions; their window text is the caption.
    const HWND save = FindByAccessibleName(torvane.window(), L"保存");
    const HWND clear = FindByAccessibleName(torvane.window(), L"清空");
    ASSERT_EQ(save, torvane.Control(ControlId::CommandSaveRecords));
    ASSERT_EQ(clear, torvane.Control(ControlId::CommandClearRecords));
    for (HWND button : {save, clear}) {
        const Reading reading = Read(button);
        EXPECT_EQ(reading.role, kPushButton);
        EXPECT_EQ(reading.state & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE),
                  STATE_SYSTEM_FOCUSABLE);
        EXPECT_FALSE(reading.action.empty());
        EXPECT_TRUE(reading.shortcut.empty());
    }
    wchar_t text[16] = {};
    GetWindowTextW(save, text, 16);
    EXPECT_STREQ(text, L"保存");

    // Taking the focus shows in the state.
    SetForegroundWindow(torvane.window());
    {
        const AccessiblePtr object = ClientObject(save);
        ASSERT_TRUE(object);
        EXPECT_EQ(object->accSelect(SELFLAG_TAKEFOCUS, Self()), S_OK);
    }
    EXPECT_TRUE(WaitFor([&] { return (Read(save).state & STATE_SYSTEM_FOCUSED) != 0; }, 2000));

    // Pressed through the default action: the records are saved, then cleared.
    ASSERT_EQ(DoDefaultAction(save), S_OK);
    EXPECT_EQ(torvane.WaitForMessageBox(), L"Torvane|记录已保存在：\r\n" + dir.path() + L"\\Logs.txt");
    torvane.DismissMessageBox();
    EXPECT_NE(FileBytes(dir.path() + L"\\Logs.txt").find("Alpha"), std::string::npos);
    ASSERT_EQ(DoDefaultAction(clear), S_OK);
    EXPECT_TRUE(WaitFor([&] { return torvane.Text(ControlId::TextHistory).empty(); }, 2000));

    // A disabled button says so and its default action does nothing.
    EnableWindow(clear, FALSE);
    EXPECT_NE(Read(clear).state & STATE_SYSTEM_UNAVAILABLE, 0);
    EXPECT_NE(DoDefaultAction(clear), S_OK);
}

TEST(Accessibility, TheDiagramReadsItsLatestFiguresAndShowsThemOnHover)
{
    const ComScope com;
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    const HWND monitor = FindByAccessibleName(torvane.window(), L"系统性能");
    ASSERT_EQ(monitor, torvane.Control(ControlId::CpuMonitor1));
    EXPECT_EQ(Read(monitor).role, kChart);

    // Figures within range, in the legend's order, after the first sample.
    const auto figures = [monitor] {
        std::vector<int> values;
        const std::wstring value = Read(monitor).value;
        std::wsmatch match;
        if (std::regex_match(value, match, kValuePattern))
            for (std::size_t i = 1; i < match.size(); ++i)
                values.push_back(std::stoi(match[i].str()));
        return values;
    };
    ASSERT_TRUE(WaitFor([&] { const auto v = figures(); return v.size() == 5 && v[1] > 0; }, 4000))
        << std::string(Read(monitor).value.begin(), Read(monitor).value.end());
    for (int value : figures()) {
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 100);
    }

    // They follow the samples: a busy core moves the CPU figure.
    const std::vector<int> before = figures();
    std::atomic<bool> busy{true};
    std::thread spinner([&busy] {
        while (busy) {
        }
    });
    const bool changed = WaitFor([&] { return figures() != before; }, 8000);
    busy = false;
    spinner.join();
    // A machine already busy on every core (builds beside the tests) shows
    // full load before and after: a busy core cannot move that figure.
    const bool saturated = before.size() == 5 && before[0] >= 95 && figures().size() == 5 && figures()[0] >= 95;
    EXPECT_TRUE(changed || saturated) << before[0];

    // Hovering the diagram shows the same text in a tooltip.
    SetForegroundWindow(torvane.window());
    RECT box = {};
    GetWindowRect(monitor, &box);
    SetCursorPos((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    INPUT nudge = {};
    nudge.type = INPUT_MOUSE;
    nudge.mi.dx = 1;
    nudge.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &nudge, sizeof nudge);
    std::wstring tip;
    EXPECT_TRUE(WaitFor(
        [&] {
            const HWND shown = VisibleWindowOfClass(torvane.process().id(), L"tooltips_class32");
            // Asked of the tooltip itself: GetWindowText does not ask a
            // window of another process.
            wchar_t buffer[256] = {};
            DWORD_PTR copied = 0;
            if (shown)
                SendMessageTimeoutW(shown, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                                    1000, &copied);
            tip = buffer;
            return std::regex_match(tip, kValuePattern);
        },
        5000))
        << std::string(tip.begin(), tip.end());
}

TEST(Keyboard, TabArrowsCtrlTabEnterAndEscWorkTheWindowWithoutAMouse)
{
    const ComScope com;
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    const HWND window = torvane.window();
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }));
    const auto focusIs = [&](int id) { return WaitFor([&] { return FocusOf(window) == torvane.Control(id); }, 2000); };
    const auto shown = [&](int page) { return WaitFor([&] { return IsWindowVisible(torvane.Control(page)) != 0; }); };
    const auto heard = [&](DWORD event, int id) { return WaitFor([&] { return Heard(event, torvane.Control(id)); }, 2000); };
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, nullptr, Hear,
                                               torvane.process().id(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);

    // Tab reaches the shown page's tab; Ctrl+Tab turns to the next page.
    PressKey(VK_TAB);
    EXPECT_TRUE(focusIs(ControlId::ImageStatus));
    PressKey(VK_TAB, {VK_CONTROL});
    EXPECT_TRUE(shown(ControlId::PictureRecords));
    EXPECT_TRUE(focusIs(ControlId::ImageRecords));
    EXPECT_TRUE(heard(EVENT_OBJECT_SELECTION, ControlId::ImageRecords));
    EXPECT_TRUE(heard(EVENT_OBJECT_FOCUS, ControlId::ImageRecords));
    SteadyScreenPixels(WindowBoxOf(window));
    SaveScreenBmp(WindowBoxOf(window), "keyboard_tab_focus_96.bmp");

    // Tab goes through the page in reading order and round to its tab.
    const int records[] = {ControlId::TextHistory, ControlId::CommandSaveRecords, ControlId::CommandClearRecords,
                           ControlId::ImageRecords};
    for (int id : records) {
        PressKey(VK_TAB);
        EXPECT_TRUE(focusIs(id)) << id;
        if (id == ControlId::CommandSaveRecords) {
            // Focus and the state that shows it are announced.
            EXPECT_TRUE(heard(EVENT_OBJECT_FOCUS, id));
            EXPECT_TRUE(heard(EVENT_OBJECT_STATECHANGE, id));
            SteadyScreenPixels(WindowBoxOf(window));
            SaveScreenBmp(WindowBoxOf(window), "keyboard_save_focus_96.bmp");
        }
    }
    PressKey(VK_TAB, {VK_SHIFT});
    EXPECT_TRUE(focusIs(ControlId::CommandClearRecords));
    PressKey(VK_TAB, {VK_SHIFT});
    EXPECT_TRUE(focusIs(ControlId::CommandSaveRecords));

    // Enter presses the focused drawn button.
    PressKey(VK_RETURN);
    EXPECT_EQ(torvane.WaitForMessageBox(), L"Torvane|没有记录可保存。");
    torvane.DismissMessageBox();
    SetForegroundWindow(window);

    // Ctrl+Shift+Tab turns back; the arrows move between tabs.
    PressKey(VK_TAB, {VK_CONTROL, VK_SHIFT});
    EXPECT_TRUE(shown(ControlId::PictureStatus));
    EXPECT_TRUE(focusIs(ControlId::ImageStatus));
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    EXPECT_TRUE(shown(ControlId::PictureSettings));
    EXPECT_TRUE(focusIs(ControlId::ImageSettings));
    const int settings[] = {ControlId::CheckAutoRun,        ControlId::CheckAutoMin,   ControlId::CheckState,
                            ControlId::CheckRestoreOriginal, ControlId::CheckAlwaysOnTop, ControlId::ComboSpeed,
                            ControlId::CheckEnableRecord,   ControlId::ComboAutoCleanCount};
    for (int id : settings) {
        PressKey(VK_TAB);
        EXPECT_TRUE(focusIs(id)) << id;
    }

    // A page hidden by a click takes no focus with it: the window keeps it.
    ASSERT_TRUE(torvane.RealClick(ControlId::LabelAbout));
    EXPECT_TRUE(shown(ControlId::PictureAbout));
    EXPECT_TRUE(WaitFor([&] { return FocusOf(window) == window; }, 2000));

    // The about page's two links are reached too, and read as links.
    for (int id : {ControlId::ImageAbout, ControlId::LabelWeb, ControlId::LabelHomePage}) {
        PressKey(VK_TAB);
        EXPECT_TRUE(focusIs(id)) << id;
        if (id == ControlId::LabelWeb) {
            SteadyScreenPixels(WindowBoxOf(window));
            SaveScreenBmp(WindowBoxOf(window), "keyboard_link_focus_96.bmp");
        }
    }
    EXPECT_EQ(Read(torvane.Control(ControlId::LabelWeb)).role, ROLE_SYSTEM_LINK);
    EXPECT_EQ(Read(torvane.Control(ControlId::LabelWeb)).name, torvane.Text(ControlId::LabelWeb));

    // Ctrl+Tab turns to the last page; its list, then the one button
    // available while nothing is listed or boosted, then round to its tab.
    PressKey(VK_TAB, {VK_CONTROL});
    EXPECT_TRUE(shown(ControlId::PictureExclusions));
    EXPECT_TRUE(focusIs(ControlId::ImageExclusions));
    for (int id : {ControlId::ListExcludedPrograms, ControlId::CommandAddProgram, ControlId::ImageExclusions}) {
        PressKey(VK_TAB);
        EXPECT_TRUE(focusIs(id)) << id;
    }
    EXPECT_EQ(Read(torvane.Control(ControlId::CommandRemoveProgram)).state & STATE_SYSTEM_UNAVAILABLE,
              STATE_SYSTEM_UNAVAILABLE);

    // Esc hides the window as its close button does; the program goes on.
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }, 2000));
    EXPECT_TRUE(torvane.process().Running());
    UnhookWinEvent(hook);
}
