#include "tray/tray_menu.h"

namespace torvane {

const std::vector<TrayMenuEntry>& TrayMenuEntries()
{
    static const std::vector<TrayMenuEntry> entries = {
        {TrayMenuId::Web, L"m_Web", L"官方网站"},   {0, L"s1", L"-"},
        {TrayMenuId::State, L"m_State", L"状态"},   {TrayMenuId::Record, L"m_Record", L"记录"},
        {TrayMenuId::Setting, L"m_Setting", L"设置"}, {TrayMenuId::About, L"m_About", L"关于"},
        {0, L"s0", L"-"},                            {TrayMenuId::EnableSpeed, L"m_EnableSpeed", L"启用提速"},
        {TrayMenuId::Exit, L"m_Exit", L"退出"},
    };
    return entries;
}

TrayMenuChoice TrayMenuCommand(int id)
{
    using Kind = TrayMenuChoice::Kind;
    switch (id) {
    case TrayMenuId::Web: return {Kind::OpenHomePage, Page::Status};
    case TrayMenuId::Exit: return {Kind::Exit, Page::Status};
    case TrayMenuId::EnableSpeed: return {Kind::ToggleSpeed, Page::Status};
    case TrayMenuId::State: return {Kind::ShowPage, Page::Status};
    case TrayMenuId::Record: return {Kind::ShowPage, Page::Records};
    case TrayMenuId::Setting: return {Kind::ShowPage, Page::Settings};
    case TrayMenuId::About: return {Kind::ShowPage, Page::About};
    default: return {};
    }
}

} // namespace torvane
