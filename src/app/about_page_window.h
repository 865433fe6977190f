#pragma once

#include <memory>
#include <string>

#include <windows.h>

#include "app/win_page_parts.h"
#include "app/win_link_label.h"
#include "app/win_widgets.h"
#include "links/news_line.h"
#include "links/win_ad_fetch.h"
#include "platform/win_base_window.h"

namespace torvane {

// The about page: what the program does, the vendor's two links, the news
// line it fetches every 5 s until one is taken, and where the settings are
// kept when that is not beside the program.
class AboutPageWindow : public BaseWindow<AboutPageWindow> {
public:
    // configElsewhere: the path of config.ini when it is not beside the
    // program, else empty.
    AboutPageWindow(VendorSite site, std::wstring configElsewhere)
        : newsLine_(std::move(site)), configElsewhere_(std::move(configElsewhere))
    {
    }

    bool Create(const PageCreateArgs& args);
    // "官方网站" of the tray menu opens the same page as LabelWeb.
    void OpenHomePage() const;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls(const PageCreateArgs& args);
    void LabelWeb_Click() const;
    void LabelHomePage_Click() const;
    void TimerAd_Timer();
    void AdTextArrived(LPARAM text);
    void OpenPage(const std::wstring& url) const;
    void StopFetching();

    NewsLine newsLine_;
    std::wstring configElsewhere_;
    LinkLabel labelWeb_;
    LinkLabel labelHomePage_;
    WidgetRouter router_;
    std::unique_ptr<AdFetcher> adFetcher_;
    bool adFetchPending_ = false;
};

} // namespace torvane
