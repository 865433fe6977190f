#include "platform/win_font.h"

#include <cmath>

HFONT CreateFontFromSpec(const FontSpec& spec, int dpi)
{
    LOGFONTW font = {};
    font.lfHeight = -static_cast<LONG>(std::lround(spec.size * dpi / 72.0));
    font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = spec.italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, spec.name.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

FontSpec SpecFromFont(HFONT font, int dpi)
{
    LOGFONTW logical = {};
    if (!font)
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    GetObjectW(font, sizeof logical, &logical);
    FontSpec spec;
    spec.name = logical.lfFaceName;
    // Sizes are kept in whole points, as a font dialog shows them.
    spec.size = std::round(std::fabs(static_cast<double>(logical.lfHeight)) * 72.0 / (dpi > 0 ? dpi : 96));
    spec.bold = logical.lfWeight >= FW_BOLD;
    spec.italic = logical.lfItalic != 0;
    return spec;
}
