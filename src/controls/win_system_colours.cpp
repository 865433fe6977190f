#include "controls/win_system_colours.h"

#include <windows.h>

namespace torvane {

Colour WinSystemColours::Get(int index)
{
    return GetSysColor(index);
}

} // namespace torvane
