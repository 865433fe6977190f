#pragma once

#include "app/control_ids.h"
#include "platform/page.h"

namespace torvane {

// The pages and their tabs, in tab order: everything that differs
// from one page to the next.
struct PageRow {
    Page page;
    const wchar_t* tabCaption;
    const wchar_t* tip; // LabelTip while the page is shown
    int pageId;         // the page window
    int tabImageId;
    int tabLabelId;
    int tabTop;         // in twips, in the main window
};

inline constexpr PageRow kPageRows[kPageCount] = {
    {Page::Status, L"提速状态", L"实时了解提速状态及系统性能情况。提速，有效看的见！", ControlId::PictureStatus,
     ControlId::ImageStatus, ControlId::LabelStatus, 2010},
    {Page::Records, L"提速记录", L"提速记录，让您清楚了解历史提速效果。", ControlId::PictureRecords,
     ControlId::ImageRecords, ControlId::LabelRecords, 2540},
    {Page::Settings, L"软件设置", L"请依个人习惯进行配置，让软件使用更轻松。", ControlId::PictureSettings,
     ControlId::ImageSettings, ControlId::LabelSettings, 3060},
    {Page::About, L"关于软件", L"Torvane，打开即自动为系统提速！", ControlId::PictureAbout, ControlId::ImageAbout,
     ControlId::LabelAbout, 3590},
    {Page::Exclusions, L"排除程序", L"这些程序不会被提速，也不会被改变优先级。", ControlId::PictureExclusions,
     ControlId::ImageExclusions, ControlId::LabelExclusions, 4120},
};

inline const PageRow& PageRowOf(Page page)
{
    return kPageRows[static_cast<int>(page)];
}

} // namespace torvane
