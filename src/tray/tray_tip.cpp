#include "tray/tray_tip.h"

namespace torvane {

std::wstring TrayTipText(bool speedUp, const std::wstring& boostedTitle)
{
    if (!speedUp)
        return L"Torvane - 已暂停提速";
    if (boostedTitle.empty())
        return L"Torvane";
    return L"Torvane - 正在提速：" + boostedTitle;
}

} // namespace torvane
