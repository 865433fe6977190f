#pragma once

#include <functional>
#include <string>

#include <windows.h>

#include "controls/command.h"
#include "controls/command_input.h"
#include "drawing/win_gdi_canvas.h"
#include "controls/win_button_region.h"
#include "controls/win_system_colours.h"
#include "platform/win_accessible.h"
#include "platform/win_base_window.h"
#include "platform/property_bag.h"
#include "platform/win_handles.h"

namespace torvane {

struct CommandCreateArgs {
    HWND parent = nullptr;
    int id = 0;
    int left = 0;
    int top = 0;
    int width = 75;
    int height = 23;
    // The control's name on its form: a new button's caption.
    std::wstring name = L"Command1";
    // Stored property values; null places a new button with the defaults.
    PropertyBag* properties = nullptr;
    // The form's handlers of the button's events; those not set go to nobody.
    CommandEvents events;
};

// The window class around a Command button: a child window that owns the
// button's persistent picture and window region, and shows the picture. To
// the system it is a push button: its window text is its caption, and its
// accessible object says so. The object lives as long as its window.
class CommandWindow : public BaseWindow<CommandWindow>,
                      private CommandSurface,
                      private CommandInputHost,
                      private AccessibleSource {
public:
    static CommandWindow* Create(const CommandCreateArgs& args);
    static CommandWindow* FromHandle(HWND window);
    // Alt + key: clicks the first enabled, visible button under root whose
    // caption marks that key. False when there is none.
    static bool ClickAccessKey(HWND root, wchar_t key);

    Command& command() { return command_; }
    const std::wstring& accessKeys() const { return accessKeys_; }
    GdiCanvas& canvas()
    {
        BringPictureUpToDate();
        return canvas_;
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnFinalMessage() override;

    explicit CommandWindow(const CommandCreateArgs& args);

    std::uintptr_t WindowHandle() override;
    std::wstring ControlName() override { return name_; }
    bool RunMode() override { return true; }
    FontDescription SurfaceFont() override;
    FontDescription ContainerFont() override;
    void SetSurfaceEnabled(bool enabled) override;
    void SetSurfaceFont(const FontDescription& font) override;
    void SetAccessKeys(const std::wstring& keys) override;
    void PropertyChanged(const wchar_t* name) override;
    void Repaint() override;
    void Resize() override;

    // CommandInputHost
    void Paint(int state, bool force) override;
    void Refresh() override;
    void SetHoverTimer(bool enabled) override;
    void MoveFocus(bool backward) override;
    void PointerPosition(int& x, int& y) override;

    // AccessibleSource
    long AccessibleRole() const override { return ROLE_SYSTEM_PUSHBUTTON; }
    std::wstring AccessibleName() const override;
    long AccessibleState() const override;
    std::wstring AccessibleShortcut() const override;
    std::wstring DefaultActionName() const override { return L"按下"; }
    bool DoDefaultAction() override;

    LRESULT DialogCode(const MSG* message) const;
    void BringPictureUpToDate();
    void ShowPicture();
    LRESULT MouseMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool IsDefaultButton() const;

    std::wstring name_;
    WinSystemColours system_;
    GdiCanvas canvas_;
    ScopedGdiObject<HFONT> font_;
    ButtonRegion region_;
    std::wstring accessKeys_;
    Command command_;
    CommandInput input_;
    AccessibleAnswer accessible_{*this};
    // A paint was taken while nobody saw the button: the picture is behind.
    bool pictureDue_ = false;
    // The state last announced to assistive technology.
    long announcedState_ = 0;
};

} // namespace torvane
