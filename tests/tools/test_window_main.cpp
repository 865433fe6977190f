// A plain top-level window with the title given on the command line (none
// for an empty one), for the booster to find in the foreground. It ends when
// closed; sent kCloseWindowOnly, its window goes and the process runs on, as
// a program that lives on in the notification area does.
//
// Other command lines make the processes of a multi-process application:
//   /helpers TITLE     the window, a windowless copy of this program (its
//                      helper), and second_program.exe beside it, when
//                      there, showing a window of its own ("TITLE 2")
//   /helper PARENT     no window; ends when process PARENT ends
//   /follow PARENT T   a window titled T; ends when process PARENT ends
//   /core FRAME        a window of a UWP app's class inside the window FRAME
//                      (a decimal handle), as an app puts into its frame
#include <windows.h>

#include <cwchar>
#include <string>

#include "unquoted.h"

namespace {

constexpr UINT kCloseWindowOnly = WM_APP + 1;
bool keepRunning = false;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kCloseWindowOnly) {
        keepRunning = true;
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        if (!keepRunning)
            PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Ends this process when the process `parent` ends.
void FollowParent(DWORD parent)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, parent);
    if (!process)
        ExitProcess(0);
    HANDLE watcher = CreateThread(
        nullptr, 0,
        [](void* handle) -> DWORD {
            WaitForSingleObject(static_cast<HANDLE>(handle), INFINITE);
            ExitProcess(0);
            return 0;
        },
        process, 0, nullptr);
    if (watcher)
        CloseHandle(watcher);
}

void Start(const std::wstring& exe, const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
}

std::wstring ThisProgram()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// The text after the first word, and the first word as a number.
std::wstring Rest(const std::wstring& text, unsigned long long* number = nullptr)
{
    const std::wstring::size_type space = text.find(L' ');
    if (number)
        *number = std::wcstoull(text.c_str(), nullptr, 10);
    return space == std::wstring::npos ? std::wstring() : text.substr(space + 1);
}

int MessageLoop()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int)
{
    std::wstring title = Unquoted(commandLine);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"TorvaneTestWindow";
    RegisterClassW(&windowClass);

    if (title.rfind(L"/helper ", 0) == 0) {
        unsigned long long parent = 0;
        Rest(title.substr(8), &parent);
        FollowParent(static_cast<DWORD>(parent));
        return MessageLoop();
    }
    if (title.rfind(L"/core ", 0) == 0) {
        const HWND frame = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::wcstoull(title.c_str() + 6, nullptr, 10)));
        windowClass.lpszClassName = L"Windows.UI.Core.CoreWindow";
        RegisterClassW(&windowClass);
        if (!CreateWindowExW(0, windowClass.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, frame, nullptr,
                             instance, nullptr))
            return 1;
        return MessageLoop();
    }
    if (title.rfind(L"/follow ", 0) == 0) {
        unsigned long long parent = 0;
        title = Rest(title.substr(8), &parent);
        FollowParent(static_cast<DWORD>(parent));
    }
    const bool helpers = title.rfind(L"/helpers ", 0) == 0;
    if (helpers)
        title = title.substr(9);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  40, 40, 360, 200, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    if (helpers) {
        const std::wstring self = ThisProgram();
        const std::wstring id = std::to_wstring(GetCurrentProcessId());
        Start(self, L"/helper " + id);
        const std::wstring second = self.substr(0, self.find_last_of(L'\\') + 1) + L"second_program.exe";
        if (GetFileAttributesW(second.c_str()) != INVALID_FILE_ATTRIBUTES)
            Start(second, L"/follow " + id + L" " + title + L" 2");
    }
    return MessageLoop();
}
