#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "controls/win_command.h"
#include "platform/win_handles.h"

using namespace torvane;

namespace {

constexpr int kWidth = 90;
constexpr int kHeight = 26;
constexpr int kGap = 6;
constexpr int kStyles = 5;
const wchar_t* const kLooks[] = {L"up", L"hot", L"down", L"focused", L"disabled"};
constexpr int kLookCount = 5;

std::vector<std::uint32_t> Pixels(GdiCanvas& canvas)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            pixels.push_back(canvas.GetPixel(x, y));
    return pixels;
}

void SetLook(CommandWindow& button, int look)
{
    CommandState& state = button.command().state();
    switch (look) {
    case 1: state.isHot = true; break;
    case 2: state.visualState = 2; break;
    case 3: state.hasFocus = true; break;
    case 4: button.command().SetEnabled(false); return;
    default: break;
    }
    // The setter repaints with the state just given.
    button.command().SetXpType(button.command().XpType());
}

// A 32-bit bottom-up BMP of the sheet, kept beside the test as its artefact.
void WriteBmp(const std::string& path, HDC dc, HBITMAP bitmap, int width, int height)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    std::vector<char> bits(static_cast<std::size_t>(width) * height * 4);
    GetDIBits(dc, bitmap, 0, height, bits.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    // Opaque, so that viewers reading the fourth byte as alpha show it.
    for (std::size_t i = 3; i < bits.size(); i += 4)
        bits[i] = static_cast<char>(0xFF);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + bits.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(bits.data(), static_cast<std::streamsize>(bits.size()));
}

} // namespace

TEST(CommandLooks, EachStyleShowsFiveDistinctLooksOnOneSheet)
{
    const int sheetWidth = kStyles * (kWidth + kGap) + kGap;
    const int sheetHeight = kLookCount * (kHeight + kGap) + kGap;
    HWND parent = CreateWindowExW(0, L"STATIC", L"looks", WS_POPUP, 0, 0, sheetWidth, sheetHeight, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    const WindowDc screen;
    const MemoryDc sheetDc(CreateCompatibleDC(screen.get()));
    const ScopedGdiObject<HBITMAP> sheet(CreateCompatibleBitmap(screen.get(), sheetWidth, sheetHeight));
    std::optional<ScopedSelect> selected;
    selected.emplace(sheetDc.get(), sheet.get());
    RECT all = {0, 0, sheetWidth, sheetHeight};
    FillRect(sheetDc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    for (int style = 1; style <= kStyles; ++style) {
        std::vector<std::uint32_t> up;
        for (int look = 0; look < kLookCount; ++look) {
            CommandCreateArgs args;
            args.parent = parent;
            args.width = kWidth;
            args.height = kHeight;
            args.name = L"样式" + std::to_wstring(style);
            CommandWindow* button = CommandWindow::Create(args);
            ASSERT_NE(button, nullptr);
            button->command().SetFont({L"WenQuanYi Micro Hei", 9, false, false});
            button->command().SetButtonType(style);
            SetLook(*button, look);
            const std::vector<std::uint32_t> pixels = Pixels(button->canvas());
            if (look == 0)
                up = pixels;
            else
                EXPECT_NE(pixels, up) << "style " << style << " looks the same " << std::string(kLooks[look], kLooks[look] + wcslen(kLooks[look]));
            BitBlt(sheetDc.get(), kGap + (style - 1) * (kWidth + kGap), kGap + look * (kHeight + kGap), kWidth, kHeight,
                   button->canvas().Dc(), 0, 0, SRCCOPY);
            DestroyWindow(button->hwnd());
        }
    }
    // GetDIBits wants the bitmap out of every DC.
    selected.reset();
    WriteBmp("command_styles.bmp", sheetDc.get(), sheet.get(), sheetWidth, sheetHeight);
    DestroyWindow(parent);
}
