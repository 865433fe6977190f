#pragma once

#include <map>
#include <string>
#include <vector>

#include "controls/command.h"

namespace torvane {

// Records what the button asks of its window, in order.
class FakeCommandSurface : public CommandSurface {
public:
    std::uintptr_t WindowHandle() override { return 0x1234; }
    std::wstring ControlName() override { return name; }
    bool RunMode() override { return runMode; }
    FontDescription SurfaceFont() override { return surfaceFont; }
    FontDescription ContainerFont() override { return containerFont; }
    void SetSurfaceEnabled(bool enabled) override { calls.push_back(enabled ? L"enable" : L"disable"); }
    void SetSurfaceFont(const FontDescription& font) override { calls.push_back(L"font " + font.name); }
    void SetAccessKeys(const std::wstring& keys) override
    {
        accessKeys = keys;
        calls.push_back(L"keys " + keys);
    }
    void PropertyChanged(const wchar_t* property) override { calls.push_back(std::wstring(L"changed ") + property); }
    void Repaint() override { calls.push_back(L"repaint"); }
    void Resize() override { calls.push_back(L"resize"); }

    std::wstring name = L"Command1";
    bool runMode = true;
    FontDescription surfaceFont{L"Surface Sans", 9, false, false};
    FontDescription containerFont{L"Container Sans", 10, true, false};
    std::wstring accessKeys;
    std::vector<std::wstring> calls;
};

// Known system colours, distinct per index.
class FakeSystemColours : public SystemColours {
public:
    Colour Get(int index) override
    {
        const auto found = colours.find(index);
        return found != colours.end() ? found->second : Rgb(index, index, index);
    }
    std::map<int, Colour> colours = {
        {SystemColour::ButtonFace, Rgb(240, 240, 240)}, {SystemColour::ButtonText, Rgb(1, 2, 3)},
        {SystemColour::ButtonShadow, Rgb(160, 160, 160)}, {SystemColour::Light3D, Rgb(227, 227, 227)},
        {SystemColour::DarkShadow3D, Rgb(105, 105, 105)}, {SystemColour::ButtonHighlight, Rgb(255, 255, 254)},
    };
};

} // namespace torvane
