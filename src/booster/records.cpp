#include "booster/records.h"

namespace torvane {

std::wstring LogsContent(const std::wstring& history)
{
    return L"提速记录：\r\n" + history;
}

SaveOutcome SaveRecords(const std::wstring& history, const std::wstring& logsPath, LogFile& file)
{
    if (history.empty())
        return {SaveOutcome::Kind::NothingToSave, L"没有记录可保存。"};
    std::wstring reason;
    if (!file.Replace(logsPath, LogsContent(history), reason))
        return {SaveOutcome::Kind::Failed, L"记录保存失败：\r\n" + logsPath + L"\r\n" + reason};
    return {SaveOutcome::Kind::Saved, L"记录已保存在：\r\n" + logsPath};
}

} // namespace torvane
