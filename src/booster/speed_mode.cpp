#include "booster/speed_mode.h"

namespace torvane {

SpeedMode SpeedModeFromText(const std::wstring& comboText)
{
    return comboText == kNormalModeText ? SpeedMode::Normal : SpeedMode::Crazy;
}

std::uint32_t BoostPriorityClass(SpeedMode mode)
{
    return mode == SpeedMode::Normal ? kHighPriorityClass : kRealtimePriorityClass;
}

const wchar_t* RecordModeText(SpeedMode mode)
{
    return mode == SpeedMode::Normal ? L" 普通提速，速度提升：" : L" 疯狂提速，速度提升：";
}

} // namespace torvane
