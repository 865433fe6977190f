#include "app/status_page_view.h"

#include <cwchar>

#include "app/control_ids.h"
#include "app/design_values.h"

namespace {

constexpr int kCaptionLeft = 480;
constexpr int kValueLeft = 1680;
constexpr int kCaptionWidth = 1200;
constexpr int kMonitorTop = 2160;

struct LegendEntry {
    const wchar_t* caption;
    Colour colour;
};

// Series order: CPU, memory, page file, disk, virtual memory, as the legend reads.
const LegendEntry kLegend[5] = {
    {L"CPU", 0x00FF00}, {L"内存", 0x00FFFF}, {L"页面文件", 0x0000FF}, {L"磁盘空间", 0xFF80FF}, {L"虚拟内存", 0xFF0000},
};

} // namespace

bool StatusPageView::SwatchColour(int id, Colour& colour)
{
    const int index = id - ControlId::LegendSwatchFirst;
    if (index < 0 || index >= 5)
        return false;
    colour = kLegend[index].colour;
    return true;
}

void StatusPageView::Create(const ChildFactory& factory, HFONT headingFont, CpuMonitorSupport& support)
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

    // 361 x 73 pixels at 96 DPI.
    MemoryPropertyBag properties = CpuMonitor1Properties();
    CpuMonitorCreateArgs args;
    args.parent = factory.parent();
    args.id = ControlId::CpuMonitor1;
    args.left = factory.Pixels(kCaptionLeft);
    args.top = factory.Pixels(kMonitorTop);
    args.width = factory.Pixels(5415);
    args.height = factory.Pixels(1095);
    args.support = &support;
    args.properties = &properties;
    cpuMonitor1 = CpuMonitorWindow::Create(args);

    const int legendTop = kMonitorTop + 1095 + 150;
    int left = kCaptionLeft;
    for (int i = 0; i < 5; ++i) {
        factory.Swatch(ControlId::LegendSwatchFirst + i, {left, legendTop + 60, 150, 150});
        const int width = 120 + 240 * static_cast<int>(std::wcslen(kLegend[i].caption));
        factory.Label(0, {left + 210, legendTop, width}, kLegend[i].caption);
        left += 210 + width;
    }
}
