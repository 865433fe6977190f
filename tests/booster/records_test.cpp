#include <gtest/gtest.h>

#include <map>

#include "booster/records.h"

using namespace torvane;

namespace {

class FakeLogFile : public LogFile {
public:
    bool Replace(const std::wstring& path, const std::wstring& content, std::wstring& reason) override
    {
        ++writes;
        if (!writable) {
            reason = L"拒绝访问。";
            return false;
        }
        files[path] = content;
        return true;
    }
    std::map<std::wstring, std::wstring> files;
    bool writable = true;
    int writes = 0;
};

const std::wstring kPath = L"C:\\Torvane\\Logs.txt";

} // namespace

TEST(SaveRecords, OutcomesAndWhatReachesTheFile)
{
    struct Case {
        const char* name;
        std::wstring history;
        bool writable;
        SaveOutcome::Kind kind;
        std::wstring message;
        int writes;
    };
    const Case cases[] = {
        {"empty history", L"", true, SaveOutcome::Kind::NothingToSave, L"没有记录可保存。", 0},
        {"saved", L"12:00:00 A 普通提速，速度提升：5%\r\n", true, SaveOutcome::Kind::Saved,
         L"记录已保存在：\r\nC:\\Torvane\\Logs.txt", 1},
        {"refused", L"x\r\n", false, SaveOutcome::Kind::Failed, L"记录保存失败：\r\nC:\\Torvane\\Logs.txt\r\n拒绝访问。", 1},
    };
    for (const Case& c : cases) {
        FakeLogFile file;
        file.writable = c.writable;
        const SaveOutcome outcome = SaveRecords(c.history, kPath, file);
        EXPECT_EQ(outcome.kind, c.kind) << c.name;
        EXPECT_EQ(outcome.message, c.message) << c.name;
        EXPECT_EQ(file.writes, c.writes) << c.name;
        if (c.kind == SaveOutcome::Kind::Saved)
            EXPECT_EQ(file.files[kPath], L"提速记录：\r\n" + c.history);
        else
            EXPECT_TRUE(file.files.empty()) << c.name;
    }
}

TEST(SaveRecords, SavingTwiceWritesTheThenCurrentHistoryWhole)
{
    FakeLogFile file;
    SaveRecords(L"first line\r\nsecond line\r\n", kPath, file);
    SaveRecords(L"third\r\n", kPath, file);
    EXPECT_EQ(file.files[kPath], L"提速记录：\r\nthird\r\n");
}
