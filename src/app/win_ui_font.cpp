#include "app/win_ui_font.h"

#include <string>

namespace torvane {

namespace {

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceInstalled(const wchar_t* face)
{
    LOGFONTW query = {};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    const WindowDc screen;
    EnumFontFamiliesExW(screen.get(), &query, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

const wchar_t* ChooseFace()
{
    static const wchar_t* const candidates[] = {L"Microsoft YaHei UI", L"Microsoft YaHei",
                                                L"WenQuanYi Micro Hei", L"SimSun"};
    for (const wchar_t* face : candidates) {
        if (FaceInstalled(face))
            return face;
    }
    return L"MS Shell Dlg 2";
}

HFONT MakeFont(const wchar_t* face, int points, int dpi, int weight)
{
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(points, dpi, 72);
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

} // namespace

UiFonts::UiFonts(int dpi) : face_(ChooseFace())
{
    regular_.reset(MakeFont(face_, 9, dpi, FW_NORMAL));
    heading_.reset(MakeFont(face_, 10, dpi, FW_BOLD));
}

} // namespace torvane
