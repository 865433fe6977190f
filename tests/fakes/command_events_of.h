#pragma once

#include "controls/command_input.h"

namespace torvane {

// A button's events, each handed to the recorder's member of the same name.
template <typename Recorder>
CommandEvents CommandEventsOf(Recorder& r)
{
    CommandEvents events;
    events.onClick = [&r] { r.Click(); };
    events.onKeyDown = [&r](int& keyCode, int& shift) { r.KeyDown(keyCode, shift); };
    events.onKeyPress = [&r](int& charCode) { r.KeyPress(charCode); };
    events.onKeyUp = [&r](int& keyCode, int& shift) { r.KeyUp(keyCode, shift); };
    events.onMouseDown = [&r](int& button, int& shift, float& x, float& y) { r.MouseDown(button, shift, x, y); };
    events.onMouseMove = [&r](int& button, int& shift, float& x, float& y) { r.MouseMove(button, shift, x, y); };
    events.onMouseUp = [&r](int& button, int& shift, float& x, float& y) { r.MouseUp(button, shift, x, y); };
    events.onMouseOut = [&r] { r.MouseOut(); };
    return events;
}

} // namespace torvane
