#include "platform/win_font.h"

#include <cmath>

namespace torvane {

HFONT CreateFontFromDescription(const FontDescription& wanted, int dpi)
{
    LOGFONTW font = {};
    font.lfHeight = -static_cast<LONG>(std::lround(wanted.size * dpi / 72.0));
    font.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = wanted.italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, wanted.name.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

FontDescription DescribeFont(HFONT font, int dpi)
{
    LOGFONTW logical = {};
    if (!font)
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    GetObjectW(font, sizeof logical, &logical);
    FontDescription read;
    read.name = logical.lfFaceName;
    // Sizes are kept in whole points, as a font dialog shows them.
    read.size = std::round(std::fabs(static_cast<double>(logical.lfHeight)) * 72.0 / (dpi > 0 ? dpi : 96));
    read.bold = logical.lfWeight >= FW_BOLD;
    read.italic = logical.lfItalic != 0;
    return read;
}

} // namespace torvane
