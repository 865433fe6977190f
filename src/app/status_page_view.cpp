#include "app/status_page_view.h"

#include "app/control_ids.h"

namespace {

constexpr int kCaptionLeft = 480;
constexpr int kValueLeft = 1680;
constexpr int kCaptionWidth = 1200;

} // namespace

void StatusPageView::Create(const ChildFactory& factory, HFONT headingFont)
{
    factory.Heading({240, 120, 3000, 360}, L"提速状态", headingFont);

    factory.Label(0, {kCaptionLeft, 600, kCaptionWidth}, L"当前时间：");
    labelTime = factory.Label(ControlId::LabelTime, {kValueLeft, 600, 3000}, L"0");

    factory.Label(0, {kCaptionLeft, 960, kCaptionWidth}, L"提速效果：");
    factory.Label(0, {kValueLeft, 960, 1740}, L"系统整体速度已提升");
    labelSpeed = factory.Label(ControlId::LabelSpeed, {kValueLeft + 1740, 960, 1200}, L"0%");

    factory.Label(0, {kCaptionLeft, 1320, kCaptionWidth}, L"提速目标：");
    labelSpeedupTarget = factory.Label(ControlId::LabelSpeedupTarget, {kValueLeft, 1320, 6240}, L"无",
                                       SS_ENDELLIPSIS);

    factory.Label(0, {kCaptionLeft, 1680, kCaptionWidth}, L"提速统计：");
    labelSpeedCount = factory.Label(ControlId::LabelSpeedCount, {kValueLeft, 1680, 6240}, L"0");
}
