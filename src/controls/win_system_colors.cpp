#include "controls/win_system_colors.h"

#include <windows.h>

Colour WinSystemColors::Get(int index)
{
    return GetSysColor(index);
}
