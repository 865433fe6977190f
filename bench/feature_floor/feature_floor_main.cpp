// The feature floor: what Wine charges for the platform features Torvane's
// design asks for, with none of Torvane's own work. A borderless window of
// the designed size, the Chinese captions in the interface's font, Common
// Controls 6 (from Torvane's manifest) with one tooltip, a tray icon, one
// request to the local site from a worker thread, and the 361x73 chart
// repainted every 500 ms as the plain floor does.
//
//   tv_bench_feature_floor [/wininet]
//
// The request goes over Winsock, delay-loaded as in Torvane; /wininet makes
// it through WinINet instead, to show what that stack would cost. The site's
// port comes from TORVANE_SITE_PORT; without it no request is made.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <wininet.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "floor/floor_chart.h"

namespace {

constexpr int kWidthTwips = 11760;
constexpr int kHeightTwips = 7560;
constexpr UINT_PTR kFetchTimer = 2;
// Torvane's first news fetch comes with its 5 s timer.
constexpr UINT kFetchDelayMs = 5000;
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr COLORREF kWindowColour = RGB(236, 241, 248);

HINSTANCE g_instance = nullptr;
HBRUSH g_background = nullptr;
HFONT g_regular = nullptr;
HFONT g_heading = nullptr;
HWND g_chart = nullptr;
HWND g_tooltip = nullptr;
HICON g_trayIcon = nullptr;
NOTIFYICONDATAW g_tray = {};
HANDLE g_worker = nullptr;
int g_dpi = 96;
bool g_wininet = false;

int Pixels(int twips)
{
    return (twips * g_dpi + 720) / 1440;
}

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// The same choice of face as the interface makes.
const wchar_t* ChooseFace()
{
    static const wchar_t* const candidates[] = {L"Microsoft YaHei UI", L"Microsoft YaHei",
                                                L"WenQuanYi Micro Hei", L"SimSun"};
    HDC screen = GetDC(nullptr);
    const wchar_t* chosen = L"MS Shell Dlg 2";
    for (const wchar_t* face : candidates) {
        LOGFONTW query = {};
        query.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
        bool found = false;
        EnumFontFamiliesExW(screen, &query, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
        if (found) {
            chosen = face;
            break;
        }
    }
    ReleaseDC(nullptr, screen);
    return chosen;
}

HFONT MakeFont(const wchar_t* face, int points, int weight)
{
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(points, g_dpi, 72);
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

HWND Label(HWND parent, const wchar_t* text, int left, int top, int width, int height, HFONT font)
{
    HWND label = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_NOTIFY, Pixels(left), Pixels(top),
                                 Pixels(width), Pixels(height), parent, nullptr, g_instance, nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return label;
}

LRESULT CALLBACK ChartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return floor_chart::Handle(window, message) ? 0 : DefWindowProcW(window, message, wParam, lParam);
}

// One GET of the news path over Winsock; the answer is read and dropped.
void GetOverWinsock(const char* port)
{
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return;
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    if (getaddrinfo("127.0.0.1", port, &hints, &found) == 0) {
        SOCKET s = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
        if (s != INVALID_SOCKET && connect(s, found->ai_addr, static_cast<int>(found->ai_addrlen)) == 0) {
            const std::string request = std::string("GET /ad/tv/ HTTP/1.1\r\nHost: 127.0.0.1:") + port +
                                        "\r\nUser-Agent: TorvaneBench\r\nConnection: close\r\n\r\n";
            send(s, request.data(), static_cast<int>(request.size()), 0);
            char buffer[4096];
            while (recv(s, buffer, sizeof buffer, 0) > 0) {
            }
        }
        if (s != INVALID_SOCKET)
            closesocket(s);
        freeaddrinfo(found);
    }
    WSACleanup();
}

void GetOverWinInet(const char* port)
{
    HINTERNET session = InternetOpenW(L"TorvaneBench", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!session)
        return;
    const std::string url = std::string("http://127.0.0.1:") + port + "/ad/tv/";
    const std::wstring wideUrl(url.begin(), url.end());
    HINTERNET request = InternetOpenUrlW(session, wideUrl.c_str(), nullptr, 0,
                                         INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
    if (request) {
        char buffer[4096];
        DWORD got = 0;
        while (InternetReadFile(request, buffer, sizeof buffer, &got) && got > 0) {
        }
        InternetCloseHandle(request);
    }
    InternetCloseHandle(session);
}

DWORD WINAPI Fetch(void*)
{
    const char* port = std::getenv("TORVANE_SITE_PORT");
    if (!port || !*port)
        return 0;
    if (g_wininet)
        GetOverWinInet(port);
    else
        GetOverWinsock(port);
    return 0;
}

void CreateChildren(HWND window)
{
    const wchar_t* face = ChooseFace();
    g_regular = MakeFont(face, 9, FW_NORMAL);
    g_heading = MakeFont(face, 10, FW_BOLD);
    Label(window, L"Torvane", 420, 120, 3000, 360, g_heading);
    static const wchar_t* const tabs[] = {L"提速状态", L"提速记录", L"软件设置", L"关于软件"};
    const int tabTops[] = {2010, 2540, 3060, 3590};
    for (int i = 0; i < 4; ++i)
        Label(window, tabs[i], 480, tabTops[i] + 90, 2400, 300, g_regular);
    Label(window, L"实时了解提速状态及系统性能情况。提速，有效看的见！", 3480, 1680, 8040, 360, g_regular);

    g_chart = CreateWindowExW(0, L"TorvaneBenchFeatureChart", nullptr, WS_CHILD | WS_VISIBLE, Pixels(3720),
                              Pixels(4320), floor_chart::kWidth, floor_chart::kHeight, window, nullptr, g_instance, nullptr);
    // Not owned, as Torvane's chart tip: an owned topmost tooltip under Wine
    // pulls its owner out of the topmost band.
    g_tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                g_instance, nullptr);
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = g_chart;
    tool.uId = 1;
    GetClientRect(g_chart, &tool.rect);
    tool.lpszText = const_cast<wchar_t*>(L"CPU 23%，内存 61%，页面文件 12%，磁盘空间 48%，虚拟内存 30%");
    SendMessageW(g_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(g_tooltip, TTM_SETMAXTIPWIDTH, 0, 1000);
}

void AddTrayIcon(HWND window)
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring icon(path, length);
    icon = icon.substr(0, icon.find_last_of(L"\\/") + 1) + L"tv.ico";
    g_trayIcon = static_cast<HICON>(LoadImageW(nullptr, icon.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    g_tray.cbSize = sizeof g_tray;
    g_tray.hWnd = window;
    g_tray.uID = 0;
    g_tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    g_tray.uCallbackMessage = kTrayMessage;
    g_tray.hIcon = g_trayIcon;
    lstrcpynW(g_tray.szTip, L"Torvane", 64);
    Shell_NotifyIconW(NIM_ADD, &g_tray);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateChildren(window);
        SetTimer(window, kFetchTimer, kFetchDelayMs, nullptr);
        return 0;
    case WM_TIMER:
        if (wParam == kFetchTimer) {
            KillTimer(window, kFetchTimer);
            g_worker = CreateThread(nullptr, 0, Fetch, nullptr, 0, nullptr);
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        SetBkColor(reinterpret_cast<HDC>(wParam), kWindowColour);
        return reinterpret_cast<LRESULT>(g_background);
    case WM_DESTROY:
        KillTimer(window, kFetchTimer);
        Shell_NotifyIconW(NIM_DELETE, &g_tray);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int)
{
    g_instance = instance;
    g_wininet = arguments && std::wcsstr(arguments, L"/wininet") != nullptr;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    g_background = CreateSolidBrush(kWindowColour);

    WNDCLASSW chart = {};
    chart.lpfnWndProc = ChartProc;
    chart.hInstance = instance;
    chart.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    chart.lpszClassName = L"TorvaneBenchFeatureChart";
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.hbrBackground = g_background;
    wc.lpszClassName = L"TorvaneBenchFeatureFloor";
    if (!RegisterClassW(&chart) || !RegisterClassW(&wc))
        return 1;

    HDC screen = GetDC(nullptr);
    g_dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const int width = Pixels(kWidthTwips);
    const int height = Pixels(kHeightTwips);
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Torvane", WS_POPUP | WS_CLIPCHILDREN,
                                  work.left + (work.right - work.left - width) / 2,
                                  work.top + (work.bottom - work.top - height) / 2, width, height, nullptr, nullptr,
                                  instance, nullptr);
    if (!window)
        return 1;
    AddTrayIcon(window);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (g_worker) {
        WaitForSingleObject(g_worker, 5000);
        CloseHandle(g_worker);
    }
    if (g_trayIcon)
        DestroyIcon(g_trayIcon);
    if (g_tooltip)
        DestroyWindow(g_tooltip);
    DeleteObject(g_regular);
    DeleteObject(g_heading);
    DeleteObject(g_background);
    return static_cast<int>(msg.wParam);
}
