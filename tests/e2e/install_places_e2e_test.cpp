#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

#include <windows.h>

#include <shlobj.h>

#include "app/control_ids.h"
#include "torvane_driver.h"

using namespace torvane;

namespace {

// %APPDATA%\Torvane of the prefix's user, emptied before and after a test.
class UserDataPlace {
public:
    UserDataPlace()
    {
        wchar_t data[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, data);
        folder_ = std::wstring(data) + L"\\Torvane";
        Clear();
    }
    ~UserDataPlace() { Clear(); }

    std::wstring Config() const { return folder_ + L"\\config.ini"; }
    std::wstring Logs() const { return folder_ + L"\\Logs.txt"; }
    std::wstring Read(const wchar_t* section, const wchar_t* key) const
    {
        wchar_t value[256] = {};
        GetPrivateProfileStringW(section, key, L"<absent>", value, 256, Config().c_str());
        return value;
    }
    void Clear() const
    {
        DeleteFileW(Config().c_str());
        DeleteFileW(Logs().c_str());
        RemoveDirectoryW(folder_.c_str());
    }

private:
    std::wstring folder_;
};

std::wstring ConfigOf(const ProgramDirectory& dir)
{
    return dir.path() + L"\\config.ini";
}

// Boosts a helper window with recording on, pauses, saves the records and
// gives the message shown.
std::wstring BoostAndSave(Torvane& torvane, const wchar_t* title)
{
    TestWindow helper(title);
    const auto raised = [&] {
        const DWORD now = helper.PriorityClass();
        return now == HIGH_PRIORITY_CLASS || now == REALTIME_PRIORITY_CLASS;
    };
    if (!helper.BringToFront() || !WaitFor(raised, 2600))
        return L"<no boost>";
    torvane.Click(ControlId::CheckState);
    SetForegroundWindow(torvane.window());
    if (!torvane.RealClick(ControlId::LabelRecords) ||
        !WaitFor([&] { return IsWindowVisible(torvane.Control(ControlId::PictureRecords)) != 0; }) ||
        !torvane.RealClick(ControlId::CommandSaveRecords))
        return L"<no save>";
    const std::wstring shown = torvane.WaitForMessageBox();
    torvane.DismissMessageBox();
    return shown;
}

std::optional<std::wstring> UserRunValue()
{
    wchar_t data[1024] = {};
    DWORD bytes = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"TV", RRF_RT_REG_SZ,
                     nullptr, data, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(data);
}

// How many colours an icon window shows: a blank entry shows one.
std::size_t ColoursShown(HWND icon)
{
    RECT box = {};
    GetWindowRect(icon, &box);
    const std::vector<std::uint32_t> pixels = ScreenPixels(box);
    return std::set<std::uint32_t>(pixels.begin(), pixels.end()).size();
}

// The count once an icon of a copy just ended has gone too.
int SettledTrayIcons()
{
    int count = TrayIconCount();
    for (int round = 0; round < 6; ++round) {
        Sleep(500);
        const int now = TrayIconCount();
        if (now == count)
            break;
        count = now;
    }
    return count;
}

} // namespace

TEST(SettingsPlace, AProgramFolderThatCannotBeWrittenKeepsEverythingInTheUsersData)
{
    const UserDataPlace userData;
    {
        // A config.ini the user set up, which can be read but not written
        // (here another program holds it open for reading only: Wine lets
        // root write a read-only file): copied over whole, then written there
        // and read from there.
        ProgramDirectory dir;
        dir.WriteConfig("Speed", "SpeedLevel", "2");
        dir.WriteConfig("Normal", "EnableSpeed", "1");
        dir.WriteConfig("Record", "EnableRecord", "1");
        const std::string before = FileBytes(ConfigOf(dir));
        HANDLE held = CreateFileW(ConfigOf(dir).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        {
            Torvane torvane(dir);
            ASSERT_TRUE(torvane.started());
            EXPECT_EQ(torvane.Selection(ControlId::ComboSpeed), 1); // 疯狂提速, as set
            EXPECT_EQ(userData.Read(L"Speed", L"SpeedLevel"), L"2");
            EXPECT_EQ(torvane.Text(ControlId::LabelConfigPlace), userData.Config());
            torvane.Click(ControlId::CheckAlwaysOnTop);
            EXPECT_TRUE(WaitFor([&] { return userData.Read(L"Normal", L"AlwaysTop") == L"1"; }, 2000));
            EXPECT_EQ(BoostAndSave(torvane, L"Alpha 只读"), L"Torvane|记录已保存在：\r\n" + userData.Logs());
            EXPECT_NE(FileBytes(userData.Logs()).find("Alpha"), std::string::npos);
        }
        EXPECT_EQ(FileBytes(ConfigOf(dir)), before);

        // A later start reads the user's copy, not the one beside the program.
        WritePrivateProfileStringW(L"Speed", L"SpeedLevel", L"1", userData.Config().c_str());
        Torvane again(dir);
        ASSERT_TRUE(again.started());
        EXPECT_EQ(again.Selection(ControlId::ComboSpeed), 0);
        CloseHandle(held);
    }
    userData.Clear();
    {
        // A config.ini that is a folder: the first start writes its settings
        // to the user's data. A writable folder shows no place on the about page.
        ProgramDirectory dir;
        ASSERT_TRUE(CreateDirectoryW(ConfigOf(dir).c_str(), nullptr));
        Torvane torvane(dir);
        ASSERT_TRUE(torvane.started());
        EXPECT_TRUE(WaitFor([&] { return userData.Read(L"Record", L"RecordCount") != L"<absent>"; }, 2000));
        EXPECT_EQ(torvane.Text(ControlId::LabelConfigPlace), userData.Config());
    }
    userData.Clear();
    {
        ProgramDirectory dir;
        Torvane torvane(dir);
        ASSERT_TRUE(torvane.started());
        EXPECT_EQ(torvane.Control(ControlId::LabelConfigPlace), nullptr);
        EXPECT_EQ(userData.Read(L"Record", L"RecordCount"), L"<absent>");
    }
}

TEST(AnyFolder, AFolderOutsideTheSystemCodePageKeepsEveryFeature)
{
    const std::wstring folder = L"한국어 폴더 ไทย";
    ProgramDirectory dir(folder);
    const std::wstring exe = dir.ExePath();
    // Set up by hand, as a user would: start with Windows, records on.
    WritePrivateProfileStringW(L"Normal", L"AutoRun", L"1", ConfigOf(dir).c_str());
    WritePrivateProfileStringW(L"Normal", L"EnableSpeed", L"1", ConfigOf(dir).c_str());
    WritePrivateProfileStringW(L"Record", L"EnableRecord", L"1", ConfigOf(dir).c_str());
    WritePrivateProfileStringW(L"Speed", L"SpeedLevel", L"2", ConfigOf(dir).c_str());
    DeleteRunValue(HKEY_LOCAL_MACHINE);
    DeleteRunValue(HKEY_CURRENT_USER);
    const int iconsBefore = SettledTrayIcons();
    {
        Torvane torvane(dir);
        ASSERT_TRUE(torvane.started());
        // Its settings are read: the speed level and the start-with-system box.
        EXPECT_EQ(torvane.Selection(ControlId::ComboSpeed), 1);
        EXPECT_EQ(torvane.Checked(ControlId::CheckAutoRun), BST_CHECKED);
        // The start-with-system value names this program, whole.
        wchar_t data[1024] = {};
        DWORD bytes = sizeof data;
        const bool machine = RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                          L"TV", RRF_RT_REG_SZ, nullptr, data, &bytes) == ERROR_SUCCESS;
        EXPECT_EQ(machine ? std::wstring(data) : UserRunValue().value_or(L"<absent>"), L"\"" + exe + L"\"");
        // Its tray icon shows; a change is stored; records are saved beside it.
        EXPECT_TRUE(WaitFor([&] { return TrayIconCount() == iconsBefore + 1; }, 3000));
        torvane.Click(ControlId::CheckAlwaysOnTop);
        wchar_t value[16] = {};
        EXPECT_TRUE(WaitFor(
            [&] {
                GetPrivateProfileStringW(L"Normal", L"AlwaysTop", L"", value, 16, ConfigOf(dir).c_str());
                return std::wstring(value) == L"1";
            },
            2000));
        EXPECT_EQ(BoostAndSave(torvane, L"Beta 한국어"), L"Torvane|记录已保存在：\r\n" + dir.path() + L"\\Logs.txt");
    }
    DeleteRunValue(HKEY_LOCAL_MACHINE);
    DeleteRunValue(HKEY_CURRENT_USER);
}

TEST(AnyFolder, ACopyWithoutItsIconFileShowsTheProgramsOwnIconInTheTray)
{
    ProgramDirectory dir(L"", false);
    // Started as a tray icon: without one it could not be reached at all.
    dir.WriteConfig("Normal", "AutoMin", "1");
    const int iconsBefore = SettledTrayIcons();
    const std::vector<HWND> before = TrayIconWindows();
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    EXPECT_FALSE(IsWindowVisible(torvane.window()));
    ASSERT_TRUE(WaitFor([&] { return TrayIconCount() == iconsBefore + 1; }, 3000));
    // Its entry shows a picture, not an empty square.
    HWND added = nullptr;
    for (HWND icon : TrayIconWindows())
        if (std::find(before.begin(), before.end(), icon) == before.end())
            added = icon;
    ASSERT_NE(added, nullptr);
    WaitFor([&] { return ColoursShown(added) > 4u; }, 2000);
    EXPECT_GT(ColoursShown(added), 4u);
}
