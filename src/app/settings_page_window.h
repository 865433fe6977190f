#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "app/image_view.h"
#include "app/settings_controls.h"
#include "app/win_page_parts.h"
#include "app/win_widgets.h"
#include "platform/win_base_window.h"

namespace torvane {

// The settings page: its check boxes and drop-down lists, laid out from one
// table. A control the user changes is reported to onChanged, which runs the
// settings logic's handler for it.
class SettingsPageWindow : public BaseWindow<SettingsPageWindow>, public SettingsControls {
public:
    std::function<void(SettingsControl)> onChanged;

    bool Create(const PageCreateArgs& args);

    int CheckValue(SettingsControl box) override;
    void SetCheckValue(SettingsControl box, int value) override;
    std::wstring ComboText(SettingsControl combo) override;
    void AddComboItem(SettingsControl combo, const std::wstring& item) override;
    void SelectComboItem(SettingsControl combo, const std::wstring& item) override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls(const PageCreateArgs& args);

    static constexpr int kSettingCount = 8;
    CheckBox checks_[kSettingCount];
    DropDownList combos_[kSettingCount];
    WidgetRouter router_;
    std::unique_ptr<ImageView::Picture> accent_;
    std::vector<POINT> accentPlaces_;
};

} // namespace torvane
