#include "tray/tray_menu.h"

const std::vector<TrayMenuEntry>& TrayMenuEntries()
{
    static const std::vector<TrayMenuEntry> entries = {
        {TrayMenuId::Web, L"m_Web", L"官方网站"},   {0, L"s1", L"-"},
        {TrayMenuId::State, L"m_State", L"状态"},   {TrayMenuId::Record, L"m_Record", L"记录"},
        {TrayMenuId::Setting, L"m_Setting", L"设置"}, {TrayMenuId::About, L"m_About", L"关于"},
        {0, L"s0", L"-"},                            {TrayMenuId::Exit, L"m_Exit", L"退出"},
    };
    return entries;
}

bool OnTrayMenuCommand(TrayMenuHost& host, int id)
{
    Page page = Page::Status;
    switch (id) {
    case TrayMenuId::Web:
        host.OpenHomePage();
        return true;
    case TrayMenuId::Exit:
        // The icon goes first, at once, then the windows.
        host.RemoveTrayIcon();
        host.ExitProgram();
        return true;
    case TrayMenuId::State: page = Page::Status; break;
    case TrayMenuId::Record: page = Page::Records; break;
    case TrayMenuId::Setting: page = Page::Settings; break;
    case TrayMenuId::About: page = Page::About; break;
    default:
        return false;
    }
    host.ShowAndRestoreMainWindow();
    host.SelectMainWindowPage(page);
    return true;
}
