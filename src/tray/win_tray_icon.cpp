#include "tray/win_tray_icon.h"

#include <cstring>
#include <utility>

#include "platform/ansi_text.h"
#include "tray/tray_window_proc.h"

namespace torvane {

namespace {

// The tip field of the record's first layout, the one cbSize names: the
// headers' larger field is read no further than this.
constexpr std::size_t kTipBytes = 64;

} // namespace

TrayIcon::TrayIcon(std::wstring iconPath, ShellCall shell) : iconPath_(std::move(iconPath)), shell_(std::move(shell))
{
}

void TrayIcon::Add(HWND window)
{
    HICON icon = static_cast<HICON>(LoadImageW(nullptr, iconPath_.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    // A copy without tv.ico beside it (only the program was copied) shows the
    // program's own icon: an icon-less entry is no entry at all, and with the
    // window hidden at start the program could not be reached.
    if (!icon)
        icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
    data_ = {};
    data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data_.hWnd = window;
    data_.uID = 0;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayCallbackMessage;
    data_.hIcon = icon;
    FillTip();
    shell_(NIM_ADD, &data_);
    added_ = true;
    // The shell keeps its own copy; the one added before is no longer needed.
    icon_.reset(icon);
}

void TrayIcon::Remove()
{
    shell_(NIM_DELETE, &data_);
    added_ = false;
}

void TrayIcon::SetTip(const std::wstring& text)
{
    std::string tip = ToAnsi(text);
    if (tip.size() > kTipBytes - 1) {
        tip.resize(kTipBytes - 1);
        DropSplitCharacter(tip);
    }
    if (tip == tip_)
        return;
    tip_ = std::move(tip);
    if (!added_)
        return;
    FillTip();
    const UINT flags = data_.uFlags;
    data_.uFlags = NIF_TIP;
    shell_(NIM_MODIFY, &data_);
    data_.uFlags = flags;
}

void TrayIcon::FillTip()
{
    // The text, its NUL, then spaces to the end of the field.
    static_assert(sizeof data_.szTip >= kTipBytes, "the tip field holds the first layout's");
    std::memset(data_.szTip, ' ', kTipBytes);
    std::memcpy(data_.szTip, tip_.c_str(), tip_.size() + 1);
}

} // namespace torvane
