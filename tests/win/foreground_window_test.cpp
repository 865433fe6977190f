#include <gtest/gtest.h>

#include <windows.h>

#include "booster/win_foreground_window.h"

using namespace torvane;

namespace {

HWND ShowTitledWindow(const std::wstring& title)
{
    HWND window = CreateWindowExW(0, L"STATIC", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                  200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(window);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    return window;
}

} // namespace

TEST(WinForegroundWindow, ReadsTheForegroundHandleAndTitleCutTo254Bytes)
{
    struct Case {
        std::wstring title;
        std::wstring read;
    };
    const Case cases[] = {
        {L"记事本", L"记事本"},
        {L" padded ", L" padded "},
        {std::wstring(300, L'a'), std::wstring(254, L'a')},
        // Two bytes a character in code page 936: 127 characters fit in 254 bytes.
        {std::wstring(200, L'速'), std::wstring(127, L'速')},
        // The cut falls inside a character: its first half is dropped.
        {L"x" + std::wstring(200, L'速'), L"x" + std::wstring(126, L'速')},
    };
    for (const Case& c : cases) {
        HWND window = ShowTitledWindow(c.title);
        ASSERT_EQ(GetForegroundWindow(), window);
        WinForegroundWindow foreground;
        EXPECT_EQ(foreground.Window(), reinterpret_cast<std::uintptr_t>(window));
        EXPECT_EQ(foreground.Title(foreground.Window()), c.read);
        DestroyWindow(window);
    }
}

TEST(WinForegroundWindow, NamesTheProgramOfAWindow)
{
    HWND window = ShowTitledWindow(L"program name");
    std::wstring name = WinForegroundWindow().ProgramName(reinterpret_cast<std::uintptr_t>(window));
    CharLowerW(name.data());
    EXPECT_EQ(name, L"torvane_win_tests.exe");
    DestroyWindow(window);
    EXPECT_EQ(WinForegroundWindow().ProgramName(reinterpret_cast<std::uintptr_t>(window) + 0x10000), L"");
}
