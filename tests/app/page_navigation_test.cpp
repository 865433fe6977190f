#include <gtest/gtest.h>

#include <map>

#include "app/page_navigation.h"

using namespace torvane;

namespace {

struct FakePageView : PageView {
    void MarkTab(Page tab, bool selected) override { tabs[tab] = selected; }
    void ShowPage(Page page, bool visible) override { pages[page] = visible; }
    void SetTip(const std::wstring& text) override { tip = text; }
    std::map<Page, bool> tabs;
    std::map<Page, bool> pages;
    std::wstring tip;
};

} // namespace

TEST(SelectPage, ExactlyOnePageAndTabShowWithTheirTip)
{
    struct Case {
        Page page;
        const wchar_t* tip;
    };
    const Case cases[] = {
        {Page::Records, L"提速记录，让您清楚了解历史提速效果。"},
        {Page::Settings, L"请依个人习惯进行配置，让软件使用更轻松。"},
        {Page::About, L"Torvane，打开即自动为系统提速！"},
        {Page::Status, L"实时了解提速状态及系统性能情况。提速，有效看的见！"},
        {Page::Status, L"实时了解提速状态及系统性能情况。提速，有效看的见！"},
    };
    FakePageView view;
    for (const Case& c : cases) {
        SelectPage(view, c.page);
        for (Page p : kAllPages) {
            EXPECT_EQ(view.tabs.at(p), p == c.page);
            EXPECT_EQ(view.pages.at(p), p == c.page);
        }
        EXPECT_EQ(view.tip, c.tip);
    }
}
