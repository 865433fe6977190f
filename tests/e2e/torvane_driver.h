#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>
#include <cstdint>

#include <windows.h>

// A file of the build as Windows names it (Wine shows the Unix root as Z:).
std::wstring WindowsPath(const char* buildPath);

// Waits until condition holds or timeoutMs pass; returns the last result.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// A fresh program directory holding a copy of Torvane.exe and tv.ico, removed
// again at the end.
class ProgramDirectory {
public:
    // folderName: a folder of that name inside the fresh one holds the
    // program; withIcon: tv.ico is copied beside it.
    explicit ProgramDirectory(const std::wstring& folderName = L"", bool withIcon = true);
    ~ProgramDirectory();
    ProgramDirectory(const ProgramDirectory&) = delete;
    ProgramDirectory& operator=(const ProgramDirectory&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring ExePath() const { return path_ + L"\\Torvane.exe"; }

    // Copies a file of the build into the directory under the given name.
    bool CopyIn(const char* buildPath, const std::wstring& name) const;
    void WriteConfig(const char* section, const char* key, const std::string& value) const;
    std::optional<std::string> ReadConfig(const char* section, const char* key) const;

private:
    std::wstring base_;
    std::wstring path_;
};

// A process started from outside, ended by its handle at the end.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& directory);
    bool Running() const;
    DWORD id() const { return info_.dwProcessId; }
    HANDLE handle() const { return info_.hProcess; }
    // The process's top-level window of the given class, once it exists.
    HWND WaitForWindow(const wchar_t* className, DWORD timeoutMs = 10000) const;
    DWORD PriorityClass() const;

private:
    PROCESS_INFORMATION info_ = {};
};

// The running program: its main window and controls, found by id.
class Torvane {
public:
    // justStarted runs as soon as the process is there, before its window.
    explicit Torvane(const ProgramDirectory& directory, const std::function<void()>& justStarted = nullptr);

    // False when the window did not come up, or its load did not finish.
    bool started() const { return window_ != nullptr; }
    HWND window() const { return window_; }
    ChildProcess& process() { return process_; }

    HWND Control(int id) const;
    std::wstring Text(int id) const;
    int Checked(int id) const;
    int Selection(int id) const;
    // As a user's click: the box toggles and its parent is told.
    void Click(int id) const;
    bool Topmost() const;
    // True when the window's thread answers a request sent now: everything
    // sent to it before has been handled, and its message loop still runs.
    bool Answers(DWORD timeoutMs = 5000) const;
    // A real left click in the middle of the control, as the mouse gives it.
    bool RealClick(int id) const;
    // The text of the message box the program shows, once it is up; empty
    // when none comes within the timeout.
    std::wstring WaitForMessageBox(DWORD timeoutMs = 5000) const;
    // Presses the message box's OK button.
    void DismissMessageBox() const;

private:
    ChildProcess process_;
    HWND window_ = nullptr;
};

// A helper window in a process of its own.
class TestWindow {
public:
    // exe: a copy of the test window under another name; arguments as the
    // test window reads them, a title or one of its other command lines.
    explicit TestWindow(const std::wstring& title, const std::wstring& exe = L"");
    DWORD id() const { return process_.id(); }
    HWND window() const { return window_; }
    DWORD PriorityClass() const { return process_.PriorityClass(); }
    bool SetPriorityClass(DWORD priorityClass) const { return ::SetPriorityClass(process_.handle(), priorityClass) != 0; }
    bool BringToFront() const;
    // Its window goes, its process runs on; false when the window stays.
    bool CloseWindowOnly() const;
    bool Running() const { return process_.Running(); }

private:
    ChildProcess process_;
    HWND window_ = nullptr;
};

// The ids of the running processes that `parent` started from the program
// file named `exeName`.
std::vector<DWORD> ChildProcessIds(DWORD parent, const wchar_t* exeName);
// A process's class as another process reads it; 0 when it cannot be read.
DWORD ProcessPriorityClass(DWORD pid);
// Brings the window in front and reports the switch as Windows does (Wine
// does not report it): the event Torvane's hook is waiting for.
bool SwitchAndReport(HWND window);

// A key as the keyboard gives it, with modifiers held around it. What it
// does is waited for by the caller.
void PressKey(WORD key, std::initializer_list<WORD> held = {});
// A real left click at a point of the screen, as the mouse gives it.
bool ClickAt(LONG x, LONG y);
// The texts of a list box of another process, in order.
std::vector<std::wstring> ListBoxItems(HWND list);

// What the screen shows inside a rectangle, as 32-bit pixels row by row.
std::vector<std::uint32_t> ScreenPixels(const RECT& box);
// The same once it has settled: two looks 100 ms apart agree and, when
// given, wanted holds for them; the last look when that does not come
// within the timeout.
std::vector<std::uint32_t> SteadyScreenPixels(
    const RECT& box, const std::function<bool(const std::vector<std::uint32_t>&)>& wanted = nullptr,
    DWORD timeoutMs = 3000);

// A visible top-level window of the given class that the process owns (a
// popup menu is "#32768", a message box "#32770"); null when there is none.
HWND VisibleWindowOfClass(DWORD pid, const wchar_t* className);
// Keeps what the screen shows inside a rectangle as a BMP file.
void SaveScreenBmp(const RECT& box, const std::string& path);

// The file's bytes; empty when it cannot be read.
std::string FileBytes(const std::wstring& path);

// Icons in Wine's notification area, oldest first: each is a child window
// of its tray.
std::vector<HWND> TrayIconWindows();
inline int TrayIconCount() { return static_cast<int>(TrayIconWindows().size()); }

// The Run value "TV" under a root, if present.
std::optional<std::string> RunValue(HKEY root);
void SetRunValue(HKEY root, const std::string& data);
void DeleteRunValue(HKEY root);
