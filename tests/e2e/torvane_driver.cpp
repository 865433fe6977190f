#include "torvane_driver.h"

#include <fstream>

#include <tlhelp32.h>
#include <vector>

#include "app/control_ids.h"
#include "platform/win_handles.h"

using namespace torvane;

// Build paths come as Unix paths; Wine shows the Unix root as drive Z:.
std::wstring WindowsPath(const char* buildPath)
{
    std::wstring path(buildPath, buildPath + strlen(buildPath));
    if (!path.empty() && path[0] == L'/')
        path = L"Z:" + path;
    for (wchar_t& c : path) {
        if (c == L'/')
            c = L'\\';
    }
    return path;
}

namespace {


std::string Narrow(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(size > 0 ? size - 1 : 0));
    return bytes;
}

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

} // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return condition();
        Sleep(50);
    }
    return true;
}

ProgramDirectory::ProgramDirectory(const std::wstring& folderName, bool withIcon)
{
    static int serial = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    base_ = std::wstring(temp) + L"torvane-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++serial);
    path_ = folderName.empty() ? base_ : base_ + L"\\" + folderName;
    CreateDirectoryW(base_.c_str(), nullptr);
    CreateDirectoryW(path_.c_str(), nullptr);
    CopyFileW(WindowsPath(TORVANE_EXE).c_str(), ExePath().c_str(), FALSE);
    if (withIcon)
        CopyFileW(WindowsPath(TORVANE_ICON).c_str(), (path_ + L"\\tv.ico").c_str(), FALSE);
}

bool ProgramDirectory::CopyIn(const char* buildPath, const std::wstring& name) const
{
    return CopyFileW(WindowsPath(buildPath).c_str(), (path_ + L"\\" + name).c_str(), FALSE) != 0;
}

namespace {

// Removes a folder and everything in it, read-only files too.
void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            const std::wstring path = folder + L"\\" + name;
            if (name == L"." || name == L"..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

std::wstring FromAcp(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

} // namespace

ProgramDirectory::~ProgramDirectory()
{
    RemoveTree(base_);
}

void ProgramDirectory::WriteConfig(const char* section, const char* key, const std::string& value) const
{
    WritePrivateProfileStringW(FromAcp(section).c_str(), FromAcp(key).c_str(), FromAcp(value).c_str(),
                               (path_ + L"\\config.ini").c_str());
}

std::optional<std::string> ProgramDirectory::ReadConfig(const char* section, const char* key) const
{
    wchar_t buffer[256];
    const wchar_t* absent = L"<absent>";
    GetPrivateProfileStringW(FromAcp(section).c_str(), FromAcp(key).c_str(), absent, buffer, 256,
                             (path_ + L"\\config.ini").c_str());
    if (std::wstring(buffer) == absent)
        return std::nullopt;
    return Narrow(buffer);
}

ChildProcess::~ChildProcess()
{
    if (info_.hProcess) {
        TerminateProcess(info_.hProcess, 0);
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

bool ChildProcess::Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& directory)
{
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          directory.empty() ? nullptr : directory.c_str(), &startup, &info_) != 0;
}

bool ChildProcess::Running() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND ChildProcess::WaitForWindow(const wchar_t* className, DWORD timeoutMs) const
{
    struct Search {
        DWORD pid;
        const wchar_t* className;
        HWND found;
    } search = {info_.dwProcessId, className, nullptr};
    WaitFor(
        [&] {
            EnumWindows(
                [](HWND window, LPARAM context) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(context);
                    DWORD pid = 0;
                    GetWindowThreadProcessId(window, &pid);
                    wchar_t name[64] = {};
                    GetClassNameW(window, name, 64);
                    if (pid == s->pid && wcscmp(name, s->className) == 0) {
                        s->found = window;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

DWORD ChildProcess::PriorityClass() const
{
    return GetPriorityClass(info_.hProcess);
}

Torvane::Torvane(const ProgramDirectory& directory, const std::function<void()>& justStarted)
{
    if (!process_.Start(directory.ExePath(), L"", directory.path()))
        return;
    if (justStarted)
        justStarted();
    HWND window = process_.WaitForWindow(kMainWindowClass);
    if (!window)
        return;
    window_ = window;
    // The combo boxes get their selection in the load's last steps.
    if (!WaitFor([&] { return Selection(ControlId::ComboSpeed) >= 0; }, 10000)) {
        window_ = nullptr;
        return;
    }
    // The load is over, the window shown and painted, once its thread waits
    // for input with nothing left to do.
    if (WaitForInputIdle(process_.handle(), 10000) != 0)
        window_ = nullptr;
}

HWND Torvane::Control(int id) const
{
    struct Search {
        int id;
        HWND found;
    } search = {id, nullptr};
    EnumChildWindows(
        window_,
        [](HWND child, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            if (GetDlgCtrlID(child) == s->id) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring Torvane::Text(int id) const
{
    HWND control = Control(id);
    const int length = static_cast<int>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0));
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return std::wstring(text.data());
}

int Torvane::Checked(int id) const
{
    return static_cast<int>(SendMessageW(Control(id), BM_GETCHECK, 0, 0));
}

int Torvane::Selection(int id) const
{
    HWND control = Control(id);
    return control ? static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)) : -1;
}

void Torvane::Click(int id) const
{
    SendMessageW(Control(id), BM_CLICK, 0, 0);
}

bool Torvane::Answers(DWORD timeoutMs) const
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

bool Torvane::Topmost() const
{
    return (GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool Torvane::RealClick(int id) const
{
    HWND control = Control(id);
    RECT box;
    if (!control || !GetWindowRect(control, &box))
        return false;
    return ClickAt((box.left + box.right) / 2, (box.top + box.bottom) / 2);
}

bool ClickAt(LONG x, LONG y)
{
    // The move comes first in the same input, so the control sees the
    // pointer arrive before the press, as from a mouse; press and release
    // carry the point too, whatever else moves the pointer meanwhile.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const DWORD flags[3] = {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    INPUT inputs[3] = {};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dx = static_cast<LONG>((x * 65536LL + 32768) / width);
        inputs[i].mi.dy = static_cast<LONG>((y * 65536LL + 32768) / height);
        inputs[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags[i];
    }
    return SendInput(3, inputs, sizeof(INPUT)) == 3;
}

std::vector<std::wstring> ListBoxItems(HWND list)
{
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, L'\0');
        const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
        items.push_back(text);
    }
    return items;
}

void PressKey(WORD key, std::initializer_list<WORD> held)
{
    std::vector<INPUT> inputs;
    const auto add = [&inputs](WORD vk, bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (WORD modifier : held)
        add(modifier, false);
    add(key, false);
    add(key, true);
    for (auto it = held.end(); it != held.begin();)
        add(*--it, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

HWND VisibleWindowOfClass(DWORD pid, const wchar_t* className)
{
    struct Search {
        DWORD pid;
        const wchar_t* className;
        HWND found;
    } search = {pid, className, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (owner == s->pid && wcscmp(name, s->className) == 0 && IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

namespace {

HWND FindMessageBox(DWORD pid)
{
    return VisibleWindowOfClass(pid, L"#32770");
}

} // namespace

std::wstring Torvane::WaitForMessageBox(DWORD timeoutMs) const
{
    HWND box = nullptr;
    WaitFor([&] { return (box = FindMessageBox(process_.id())) != nullptr; }, timeoutMs);
    if (!box)
        return std::wstring();
    wchar_t text[1024] = {};
    // The message of a message box is its static control 0xFFFF.
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    wchar_t caption[64] = {};
    GetWindowTextW(box, caption, 64);
    return std::wstring(caption) + L"|" + text;
}

void Torvane::DismissMessageBox() const
{
    HWND box = FindMessageBox(process_.id());
    if (box)
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitFor([&] { return FindMessageBox(process_.id()) == nullptr; }, 3000);
}

TestWindow::TestWindow(const std::wstring& title, const std::wstring& exe)
{
    if (process_.Start(exe.empty() ? WindowsPath(TEST_WINDOW_EXE) : exe, title, L""))
        window_ = process_.WaitForWindow(L"TorvaneTestWindow");
}

std::vector<DWORD> ChildProcessIds(DWORD parent, const wchar_t* exeName)
{
    std::vector<DWORD> ids;
    const ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
        if (entry.th32ParentProcessID == parent && _wcsicmp(entry.szExeFile, exeName) == 0)
            ids.push_back(entry.th32ProcessID);
    return ids;
}

DWORD ProcessPriorityClass(DWORD pid)
{
    const ScopedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    return process ? GetPriorityClass(process.get()) : 0;
}

bool SwitchAndReport(HWND window)
{
    SetForegroundWindow(window);
    if (!WaitFor([&] { return GetForegroundWindow() == window; }, 3000))
        return false;
    NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW, CHILDID_SELF);
    return true;
}

bool TestWindow::BringToFront() const
{
    SetForegroundWindow(window_);
    return WaitFor([&] { return GetForegroundWindow() == window_; }, 3000);
}

bool TestWindow::CloseWindowOnly() const
{
    PostMessageW(window_, WM_APP + 1, 0, 0);
    return WaitFor([&] { return !IsWindow(window_); }, 3000) && process_.Running();
}

std::optional<std::string> RunValue(HKEY root)
{
    ScopedRegKey key;
    if (RegOpenKeyExA(root, kRunKey, 0, KEY_QUERY_VALUE, key.receive()) != ERROR_SUCCESS)
        return std::nullopt;
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key.get(), "TV", nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(data);
}

void SetRunValue(HKEY root, const std::string& data)
{
    ScopedRegKey key;
    if (RegCreateKeyA(root, kRunKey, key.receive()) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key.get(), "TV", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
}

void DeleteRunValue(HKEY root)
{
    ScopedRegKey key;
    if (RegOpenKeyExA(root, kRunKey, 0, KEY_SET_VALUE, key.receive()) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key.get(), "TV");
}

std::vector<std::uint32_t> ScreenPixels(const RECT& box)
{
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const WindowDc screen;
    const MemoryDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const ScopedGdiObject<HBITMAP> bitmap(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const ScopedSelect selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), box.left, box.top, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    return std::vector<std::uint32_t>(first, first + static_cast<std::size_t>(width) * height);
}

std::vector<std::uint32_t> SteadyScreenPixels(
    const RECT& box, const std::function<bool(const std::vector<std::uint32_t>&)>& wanted, DWORD timeoutMs)
{
    std::vector<std::uint32_t> last = ScreenPixels(box);
    const DWORD start = GetTickCount();
    for (;;) {
        Sleep(100);
        std::vector<std::uint32_t> now = ScreenPixels(box);
        const bool settled = now == last && (!wanted || wanted(now));
        last = std::move(now);
        if (settled || GetTickCount() - start > timeoutMs)
            return last;
    }
}

void SaveScreenBmp(const RECT& box, const std::string& path)
{
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    std::vector<std::uint32_t> pixels = ScreenPixels(box);
    // Opaque, so that viewers reading the fourth byte as alpha show it.
    for (std::uint32_t& pixel : pixels)
        pixel |= 0xFF000000u;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size() * 4);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size() * 4));
}

std::string FileBytes(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<HWND> TrayIconWindows()
{
    std::vector<HWND> icons;
    HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    for (HWND child = FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr); child;
         child = FindWindowExW(tray, child, L"__winex11_tray_icon", nullptr))
        icons.push_back(child);
    return icons;
}
