#include "tray/tray_window_proc.h"

namespace torvane {

TrayAction TrayMessageAction(unsigned taskbarCreatedMessage, unsigned message, std::intptr_t lParam,
                             bool windowVisible)
{
    if (message == kTrayCallbackMessage && lParam == kTrayLeftDoubleClick)
        return windowVisible ? TrayAction::Nothing : TrayAction::ShowWindow;
    if (message == kTrayCallbackMessage && lParam == kTrayRightButtonDown)
        return TrayAction::ShowMenu;
    if (taskbarCreatedMessage != 0 && message == taskbarCreatedMessage)
        return TrayAction::AddIcon;
    return TrayAction::PassOn;
}

} // namespace torvane
