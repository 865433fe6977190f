#include "controls/command_input.h"

#include <utility>

namespace torvane {

namespace {

constexpr int kReturn = 13;
constexpr int kSpace = 32;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kStateUp = 0;
constexpr int kStateDown = 2;

} // namespace

CommandInput::CommandInput(Command& command, CommandInputHost& host, CommandEvents events)
    : command_(command), host_(host), events_(std::move(events))
{
}

void CommandInput::PaintCurrent()
{
    host_.Paint(command_.state().visualState, true);
}

void CommandInput::MouseDown(int button, int shift, float x, float y)
{
    if (Disabled())
        return;
    CommandState& state = command_.state();
    state.lastButton = button;
    if (button != MouseButton::Right)
        state.visualState = kStateDown;
    PaintCurrent();
    if (events_.onMouseDown)
        events_.onMouseDown(button, shift, x, y);
}

void CommandInput::MouseUp(int button, int shift, float x, float y)
{
    if (Disabled())
        return;
    if (button != MouseButton::Right)
        command_.state().visualState = kStateUp;
    PaintCurrent();
    if (events_.onMouseUp)
        events_.onMouseUp(button, shift, x, y);
}

void CommandInput::Clicked()
{
    if (Disabled())
        return;
    if (command_.state().lastButton == MouseButton::Left)
        command_.state().visualState = kStateUp;
    PaintCurrent();
    host_.Refresh();
    if (events_.onClick)
        events_.onClick();
}

void CommandInput::MouseMove(int button, int shift, float x, float y)
{
    if (Disabled() || (button != MouseButton::None && button != MouseButton::Left))
        return;
    host_.SetHoverTimer(true);
    CommandState& state = command_.state();
    if (x < 0 || y < 0 || x > state.width || y > state.height)
        return;
    if (events_.onMouseMove)
        events_.onMouseMove(button, shift, x, y);
    if (button == MouseButton::Left) {
        host_.Paint(kStateDown, false);
    } else if (!state.isHot) {
        state.isHot = true;
        host_.Paint(kStateUp, true);
    }
}

void CommandInput::DoubleClick()
{
    if (Disabled())
        return;
    if (command_.state().lastButton == MouseButton::Left)
        MouseDown(MouseButton::Left, 1, 1.0f, 1.0f);
}

void CommandInput::KeyDown(int keyCode, int shift)
{
    if (Disabled())
        return;
    if (events_.onKeyDown)
        events_.onKeyDown(keyCode, shift);
    // A byte, as the platform's key codes are.
    command_.state().lastKey = keyCode & 0xFF;
    switch (keyCode) {
    case kSpace:
        MouseDown(MouseButton::Left, 1, 1.0f, 1.0f);
        break;
    case kReturn:
        // Enter clicks a focused button at once, as it does a standard one.
        command_.state().lastButton = MouseButton::Left;
        Clicked();
        break;
    case kRight:
    case kDown:
        host_.MoveFocus(false);
        break;
    case kLeft:
    case kUp:
        host_.MoveFocus(true);
        break;
    default:
        break;
    }
}

void CommandInput::KeyPress(int charCode)
{
    if (Disabled())
        return;
    if (events_.onKeyPress)
        events_.onKeyPress(charCode);
}

void CommandInput::KeyUp(int keyCode, int shift)
{
    if (Disabled())
        return;
    if (events_.onKeyUp)
        events_.onKeyUp(keyCode, shift);
    if (command_.state().lastKey == kSpace && keyCode == kSpace) {
        MouseUp(MouseButton::Left, 1, 1.0f, 1.0f);
        command_.state().lastButton = MouseButton::Left;
        Clicked();
    }
}

void CommandInput::AccessKey()
{
    Clicked();
}

void CommandInput::GotFocus()
{
    command_.state().hasFocus = true;
    PaintCurrent();
}

void CommandInput::LostFocus()
{
    command_.state().hasFocus = false;
    PaintCurrent();
}

void CommandInput::AmbientChanged()
{
    PaintCurrent();
}

void CommandInput::TimerTick()
{
    int x = 0;
    int y = 0;
    host_.PointerPosition(x, y);
    const CommandState& state = command_.state();
    if (x >= 0 && y >= 0 && x <= state.width && y <= state.height)
        return;
    host_.SetHoverTimer(false);
    if (events_.onMouseOut)
        events_.onMouseOut();
    command_.state().isHot = false;
    host_.Paint(kStateUp, true);
}

} // namespace torvane
