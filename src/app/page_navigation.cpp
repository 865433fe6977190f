#include "app/page_navigation.h"

#include "app/page_table.h"

namespace torvane {

const wchar_t* PageTip(Page page)
{
    return PageRowOf(page).tip;
}

void SelectPage(PageView& view, Page chosen)
{
    for (Page tab : kAllPages)
        view.MarkTab(tab, tab == chosen);
    for (Page page : kAllPages)
        view.ShowPage(page, page == chosen);
    view.SetTip(PageTip(chosen));
}

} // namespace torvane
