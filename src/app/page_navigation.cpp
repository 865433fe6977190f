#include "app/page_navigation.h"

const wchar_t* PageTip(Page page)
{
    switch (page) {
    case Page::Status: return L"实时了解提速状态及系统性能情况。提速，有效看的见！";
    case Page::Records: return L"提速记录，让您清楚了解历史提速效果。";
    case Page::Settings: return L"请依个人习惯进行配置，让软件使用更轻松。";
    case Page::About: return L"Torvane，打开即自动为系统提速！";
    }
    return L"";
}

void SelectPage(PageView& view, Page chosen)
{
    for (Page tab : kAllPages)
        view.MarkTab(tab, tab == chosen);
    for (Page page : kAllPages)
        view.ShowPage(page, page == chosen);
    view.SetTip(PageTip(chosen));
}
