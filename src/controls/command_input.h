#pragma once

#include <functional>

#include "controls/command.h"

namespace torvane {

// The events a button raises to the form that holds it, each run when it is
// set. Arguments passed by reference may be changed by the form; the button
// reads them back.
struct CommandEvents {
    std::function<void()> onClick;
    std::function<void(int& keyCode, int& shift)> onKeyDown;
    std::function<void(int& charCode)> onKeyPress;
    std::function<void(int& keyCode, int& shift)> onKeyUp;
    std::function<void(int& button, int& shift, float& x, float& y)> onMouseDown;
    std::function<void(int& button, int& shift, float& x, float& y)> onMouseMove;
    std::function<void(int& button, int& shift, float& x, float& y)> onMouseUp;
    std::function<void()> onMouseOut;
};

// What the input handling asks of the window around the button.
class CommandInputHost {
public:
    virtual ~CommandInputHost() = default;
    // DrawButton(state, force) and show the result.
    virtual void Paint(int state, bool force) = 0;
    // Puts the picture on screen now rather than at the next paint message.
    virtual void Refresh() = 0;
    virtual void SetHoverTimer(bool enabled) = 0;
    // Moves the focus to the next (or previous) control in tab order.
    virtual void MoveFocus(bool backward) = 0;
    // The pointer in the button's client coordinates.
    virtual void PointerPosition(int& x, int& y) = 0;
};

namespace MouseButton {
constexpr int None = 0;
constexpr int Left = 1;
constexpr int Right = 2;
constexpr int Middle = 4;
} // namespace MouseButton

// How the button reacts to the pointer, the keyboard, focus and its hover
// timer: the state it paints in and the events it raises, in order.
class CommandInput {
public:
    CommandInput(Command& command, CommandInputHost& host, CommandEvents events);

    void MouseDown(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    // The host's click on the control.
    void Clicked();
    void MouseMove(int button, int shift, float x, float y);
    void DoubleClick();
    void KeyDown(int keyCode, int shift);
    void KeyPress(int charCode);
    void KeyUp(int keyCode, int shift);
    void AccessKey();
    void GotFocus();
    void LostFocus();
    void AmbientChanged();
    void TimerTick();

private:
    void PaintCurrent();
    bool Disabled() const { return !command_.Enabled(); }

    Command& command_;
    CommandInputHost& host_;
    CommandEvents events_;
};

} // namespace torvane
