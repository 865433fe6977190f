#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include "platform/ansi_text.h"
#include "tray/tray_tip.h"
#include "tray/win_tray_icon.h"

using namespace torvane;

namespace {

// What the shell was told, call by call.
struct ShellCall {
    DWORD message;
    UINT flags;
    std::string tipField; // the 64 bytes of the record's first layout
};

TrayIcon RecordingIcon(std::vector<ShellCall>& calls)
{
    return TrayIcon(L"C:\\nowhere\\tv.ico", [&calls](DWORD message, NOTIFYICONDATAA* data) {
        calls.push_back({message, data->uFlags, std::string(data->szTip, 64)});
        return TRUE;
    });
}

std::string TipField(const std::string& text)
{
    std::string field(64, ' ');
    field.replace(0, text.size() + 1, text + '\0');
    return field;
}

} // namespace

TEST(TrayIcon, TellsTheShellEachNewTipOnceAndNothingForTheSameOne)
{
    std::vector<ShellCall> calls;
    TrayIcon icon = RecordingIcon(calls);
    // Before the icon is added, a tip is kept for the add.
    icon.SetTip(TrayTipText(false, L""));
    EXPECT_TRUE(calls.empty());
    const HWND window = GetDesktopWindow();
    icon.Add(window);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(calls[0].flags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(calls[0].tipField, TipField(ToAnsi(L"Torvane - 已暂停提速")));

    const std::wstring longTitle(40, L'提'); // 80 bytes in code page 936
    struct Step {
        bool speedUp;
        std::wstring title;
        std::string told; // empty: the shell is not called
    };
    const Step steps[] = {
        {false, L"", ""}, // the same tip again
        {true, L"", "Torvane"},
        {true, L"", ""},
        {true, L"记事本", ToAnsi(L"Torvane - 正在提速：记事本")},
        {true, L"记事本", ""}, // a tick that changes nothing
        {false, L"记事本", ToAnsi(L"Torvane - 已暂停提速")},
        // 20 bytes of "Torvane - 正在提速：", then 21 whole characters: the
        // 22nd would end at byte 64, past the field's 63.
        {true, longTitle, ToAnsi(L"Torvane - 正在提速：" + longTitle.substr(0, 21))},
        {true, L"a" + longTitle, ToAnsi(L"Torvane - 正在提速：a" + longTitle.substr(0, 21))},
        {true, L"a" + longTitle + L"b", ""}, // differs only past the cut
    };
    for (const Step& step : steps) {
        calls.clear();
        icon.SetTip(TrayTipText(step.speedUp, step.title));
        if (step.told.empty()) {
            EXPECT_TRUE(calls.empty()) << step.title.size();
            continue;
        }
        ASSERT_EQ(calls.size(), 1u) << step.told;
        EXPECT_EQ(calls[0].message, static_cast<DWORD>(NIM_MODIFY));
        EXPECT_EQ(calls[0].flags, static_cast<UINT>(NIF_TIP));
        EXPECT_LE(step.told.size(), 63u);
        EXPECT_EQ(calls[0].tipField, TipField(step.told));
    }

    // A new shell gets the icon with the tip in force.
    calls.clear();
    icon.Add(window);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].tipField, TipField(ToAnsi(L"Torvane - 正在提速：a" + longTitle.substr(0, 21))));
}
