#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "app/control_ids.h"
#include "torvane_driver.h"

using namespace torvane;

namespace {

std::wstring FromCodePage936(const std::string& bytes)
{
    const int size = MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream(path.c_str(), std::ios::binary) << bytes;
}

// Boosts two helper windows with recording on, then pauses speed-up so the
// history holds still, and shows the records page by a click on its tab.
class RecordsE2e : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.WriteConfig("Normal", "EnableSpeed", "1");
        dir.WriteConfig("Speed", "SpeedLevel", "1");
        dir.WriteConfig("Record", "EnableRecord", "1");
        dir.WriteConfig("Record", "RecordCount", "800");
        torvane = std::make_unique<Torvane>(dir);
        ASSERT_TRUE(torvane->started());
        ASSERT_TRUE(a.BringToFront());
        ASSERT_TRUE(WaitFor([&] { return a.PriorityClass() == HIGH_PRIORITY_CLASS; }, 2600));
        ASSERT_TRUE(b.BringToFront());
        ASSERT_TRUE(WaitFor([&] { return b.PriorityClass() == HIGH_PRIORITY_CLASS; }, 2600));
        torvane->Click(ControlId::CheckState);
        // Paused: the last raised is given its class back, and no tick adds
        // to the history any more.
        ASSERT_TRUE(WaitFor([&] { return b.PriorityClass() == NORMAL_PRIORITY_CLASS; }, 2000));
        SetForegroundWindow(torvane->window());
        ASSERT_TRUE(torvane->RealClick(ControlId::LabelRecords));
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(torvane->Control(ControlId::PictureRecords)) != 0; }));
    }

    std::wstring Save()
    {
        EXPECT_TRUE(torvane->RealClick(ControlId::CommandSaveRecords));
        const std::wstring shown = torvane->WaitForMessageBox();
        torvane->DismissMessageBox();
        return shown;
    }

    std::wstring LogsPath() const { return dir.path() + L"\\Logs.txt"; }

    ProgramDirectory dir;
    TestWindow a{L"Alpha 记录"};
    TestWindow b{L"Beta 记录"};
    std::unique_ptr<Torvane> torvane;
};

} // namespace

TEST_F(RecordsE2e, SaveWritesTheHeaderAndTheHistoryInCodePage936ReplacingALongerFile)
{
    const std::wstring history = torvane->Text(ControlId::TextHistory);
    ASSERT_NE(history.find(L" Beta 记录 普通提速，速度提升："), std::wstring::npos);
    WriteFileBytes(LogsPath(), std::string(20000, 'x'));

    EXPECT_EQ(Save(), L"Torvane|记录已保存在：\r\n" + LogsPath());
    EXPECT_EQ(FromCodePage936(FileBytes(LogsPath())), L"提速记录：\r\n" + history);

    // Saving again writes the same from the first byte; the box is unchanged.
    EXPECT_EQ(Save(), L"Torvane|记录已保存在：\r\n" + LogsPath());
    EXPECT_EQ(FromCodePage936(FileBytes(LogsPath())), L"提速记录：\r\n" + history);
    EXPECT_EQ(torvane->Text(ControlId::TextHistory), history);
}

TEST_F(RecordsE2e, ReadOnlyLogsBringsTheErrorAndClearThenSaveHasNothing)
{
    WriteFileBytes(LogsPath(), "earlier");
    SetFileAttributesW(LogsPath().c_str(), FILE_ATTRIBUTE_READONLY);
    const std::wstring refused = Save();
    EXPECT_EQ(refused.rfind(L"Torvane|记录保存失败：\r\n" + LogsPath(), 0), 0u) << std::string(refused.begin(), refused.end());
    SetFileAttributesW(LogsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(FileBytes(LogsPath()), "earlier");
    EXPECT_FALSE(torvane->Text(ControlId::TextHistory).empty());

    const std::wstring count = torvane->Text(ControlId::LabelCount);
    ASSERT_TRUE(torvane->RealClick(ControlId::CommandClearRecords));
    EXPECT_TRUE(WaitFor([&] { return torvane->Text(ControlId::TextHistory).empty(); }));
    EXPECT_EQ(torvane->Text(ControlId::LabelCount), count);
    EXPECT_EQ(Save(), L"Torvane|没有记录可保存。");
    EXPECT_EQ(FileBytes(LogsPath()), "earlier");
}
