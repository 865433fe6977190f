#pragma once

#include <cstdint>
#include <string>

#include "drawing/canvas.h"
#include "controls/colour_scheme.h"
#include "controls/system_colours.h"
#include "platform/property_bag.h"

namespace torvane {

// What the button needs from the window that hosts it.
class CommandSurface {
public:
    virtual ~CommandSurface() = default;
    virtual std::uintptr_t WindowHandle() = 0;
    // The control's name on its form.
    virtual std::wstring ControlName() = 0;
    // False while the form is being designed.
    virtual bool RunMode() = 0;
    virtual FontDescription SurfaceFont() = 0;
    virtual FontDescription ContainerFont() = 0;
    virtual void SetSurfaceEnabled(bool enabled) = 0;
    virtual void SetSurfaceFont(const FontDescription& font) = 0;
    // The characters that activate the button with Alt; empty for none.
    virtual void SetAccessKeys(const std::wstring& keys) = 0;
    // The persisted value of the named property changed.
    virtual void PropertyChanged(const wchar_t* name) = 0;
    // Draws the button anew in its current state.
    virtual void Repaint() = 0;
    // Rebuilds the rectangles and the window region, then repaints.
    virtual void Resize() = 0;
};

// Why a property refused a value.
enum class PropertyError {
    None = 0,
    InvalidValue = 380,
    SetNotSupportedAtRuntime = 382,
    SetNotPermitted = 387,
};

// The persisted properties, with the defaults of a new button. The system
// colours are filled in when the button is placed or read.
struct CommandProperties {
    Colour backColor = 0;
    Colour foreColor = 0;
    std::int16_t percent = 16;
    Colour midColor = 7587956;
    Colour endColor = 14153431;
    Colour mouseMoveMidColor = 3384117;
    Colour mouseMoveEndColor = 16055541;
    Colour mouseDownMidColor = 8769668;
    Colour mouseDownEndColor = 0;
    Colour officeXpFillColor = 10542814;
    Colour officeXpFrameColor = 4373692;
    Colour officeXpMousemoveFillColor = 12246236;
    Colour officeXpMousemoveFrameColor = 98431;
    bool enabled = true;
    FontDescription font;
    std::int32_t buttonType = 1;
    std::wstring caption;
    std::int32_t colorScheme = 1;
    std::int32_t xpType = 1;
    Colour rectcolor = 5817338;
    bool showFocusRect = true;
};

// State of one button between paints; never persisted.
struct CommandState {
    int visualState = 0; // 0 up, 2 down
    std::wstring lastCaption;
    bool hasFocus = false;
    bool isHot = false;
    int lastButton = 1;
    int lastKey = 0;
    int width = 0;
    int height = 0;
    PixelRect textRect;
    PixelRect pressedTextRect{2, 2, 0, 0};
    PixelRect focusRect;
};

// Command: the program's own push button. This object holds its properties
// and the colours derived from them; the window class around it paints.
class Command {
public:
    Command(CommandSurface& surface, SystemColours& system);

    void InitProperties();
    void ReadProperties(PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    const CommandProperties& properties() const { return p_; }
    const SchemeColours& scheme() const { return scheme_; }
    CommandState& state() { return state_; }
    const CommandState& state() const { return state_; }

    Colour BackColor() const { return p_.backColor; }
    void SetBackColor(Colour value);
    Colour ForeColor() const { return p_.foreColor; }
    void SetForeColor(Colour value);
    std::int32_t ColorScheme() const { return p_.colorScheme; }
    void SetColorScheme(std::int32_t value);

    std::int16_t Percent() const { return p_.percent; }
    // Refuses a value outside 0..100 and keeps the previous one.
    PropertyError SetPercent(int value);

    Colour MidColor() const { return p_.midColor; }
    void SetMidColor(Colour value);
    Colour EndColor() const { return p_.endColor; }
    void SetEndColor(Colour value);
    Colour MouseMoveMidColor() const { return p_.mouseMoveMidColor; }
    void SetMouseMoveMidColor(Colour value);
    Colour MouseMoveEndColor() const { return p_.mouseMoveEndColor; }
    void SetMouseMoveEndColor(Colour value);
    Colour MouseDownMidColor() const { return p_.mouseDownMidColor; }
    void SetMouseDownMidColor(Colour value);
    Colour MouseDownEndColor() const { return p_.mouseDownEndColor; }
    void SetMouseDownEndColor(Colour value);
    Colour OfficeXpFillColor() const { return p_.officeXpFillColor; }
    void SetOfficeXpFillColor(Colour value);
    Colour OfficeXpFrameColor() const { return p_.officeXpFrameColor; }
    void SetOfficeXpFrameColor(Colour value);
    Colour OfficeXpMousemoveFillColor() const { return p_.officeXpMousemoveFillColor; }
    void SetOfficeXpMousemoveFillColor(Colour value);
    Colour OfficeXpMousemoveFrameColor() const { return p_.officeXpMousemoveFrameColor; }
    void SetOfficeXpMousemoveFrameColor(Colour value);
    std::int32_t XpType() const { return p_.xpType; }
    void SetXpType(std::int32_t value);
    bool ShowFocusRect() const { return p_.showFocusRect; }
    void SetShowFocusRect(bool value);

    Colour rectcolor() const { return p_.rectcolor; }
    void Setrectcolor(Colour value);
    bool Enabled() const { return p_.enabled; }
    void SetEnabled(bool value);
    const FontDescription& Font() const { return p_.font; }
    void SetFont(const FontDescription& value);
    std::int32_t ButtonType() const { return p_.buttonType; }
    void SetButtonType(std::int32_t value);
    const std::wstring& Caption() const { return p_.caption; }
    void SetCaption(const std::wstring& value);

    std::uintptr_t hWnd() const;
    // hWnd is read-only: always refused, with the reason for the form's mode.
    PropertyError SethWnd(std::uintptr_t value);

    void ApplyColorScheme();
    void UpdateAccessKey();

private:
    void SetColour(Colour& field, Colour value, const wchar_t* name);
    void Changed(const wchar_t* name);

    CommandSurface& surface_;
    SystemColours& system_;
    CommandProperties p_;
    SchemeColours scheme_;
    CommandState state_;
};

} // namespace torvane
