#pragma once

namespace torvane {

// Stable ids of the main window's controls. Tests and accessibility clients
// find the controls by these, so an id never changes meaning. The names are
// the controls' names in the program's design, kept as a contract; each has
// a gloss of what it is.
namespace ControlId {

constexpr int PictureStatus = 100;   // the status page
constexpr int PictureRecords = 101;  // the records page
constexpr int PictureSettings = 102; // the settings page
constexpr int PictureAbout = 103;    // the about page
constexpr int PictureExclusions = 104; // the page of programs never boosted

// Tabs and the page tip
constexpr int LabelStatus = 110;   // the status tab's caption
constexpr int LabelRecords = 111;  // the records tab's caption
constexpr int LabelSettings = 112; // the settings tab's caption
constexpr int LabelAbout = 113;    // the about tab's caption
constexpr int LabelTip = 114;      // the shown page's tip above it
constexpr int ImageStatus = 115;   // the status tab's picture
constexpr int ImageRecords = 116;  // the records tab's picture
constexpr int ImageSettings = 117; // the settings tab's picture
constexpr int ImageAbout = 118;    // the about tab's picture
constexpr int ImageCaption = 119;  // the caption bar; a press drags the window
constexpr int LabelCaption = 120;  // the title on the caption bar
constexpr int ImageMin = 121;      // the minimise button
constexpr int ImageExit = 122;     // the close button (hides the window)
constexpr int LabelVersion = 123;  // the version under the pages
constexpr int LabelExclusions = 124; // the exclusions tab's caption
constexpr int ImageExclusions = 125; // the exclusions tab's picture

// Status page
constexpr int LabelTime = 200;          // "当前时间"
constexpr int LabelSpeed = 201;         // the last recorded gain, "5%"
constexpr int LabelSpeedupTarget = 202; // "提速目标": the last recorded title
constexpr int LabelSpeedCount = 203;    // "已为系统提速 N 次。"
constexpr int CpuMonitor1 = 204;        // the system monitor

// Records page
constexpr int TextHistory = 300;         // the history box
constexpr int LabelInfo = 301;           // "正在提速": the last boosted title
constexpr int LabelCount = 302;          // the boost count
constexpr int CommandSaveRecords = 303;  // "保存"
constexpr int CommandClearRecords = 304; // "清空"

// About page
constexpr int LabelWeb = 350;      // the vendor's web address; opens the home page
constexpr int LabelHomePage = 351; // the host, then the news line
constexpr int LabelConfigPlace = 352; // where config.ini is, when not beside the program

// Exclusions page
constexpr int ListExcludedPrograms = 450;  // the names of [Exclude] Programs, one per item
constexpr int CommandAddProgram = 451;     // "添加…": a program chosen in the open dialog
constexpr int CommandExcludeBoosted = 452; // "排除正在提速的程序"
constexpr int CommandRemoveProgram = 453;  // "删除": the selected name
constexpr int LabelBoostedProgram = 454;   // the program "排除正在提速的程序" would add

// Settings page
constexpr int CheckAutoRun = 400;        // "伴机启动" ([Normal] AutoRun)
constexpr int CheckAutoMin = 401;        // "启动后缩为托盘图标" ([Normal] AutoMin)
constexpr int CheckState = 402;          // "启用提速" ([Normal] EnableSpeed)
constexpr int CheckAlwaysOnTop = 403;    // "窗体总在最前" ([Normal] AlwaysTop)
constexpr int ComboSpeed = 404;          // "提速级别" ([Speed] SpeedLevel)
constexpr int CheckEnableRecord = 405;   // "启用提速记录" ([Record] EnableRecord)
constexpr int ComboAutoCleanCount = 406; // "最大记录数" ([Record] RecordCount)
constexpr int CheckRestoreOriginal = 407; // "恢复原优先级" ([Speed] RestoreOriginal)

} // namespace ControlId

// The main window's class name, by which other programs find it.
inline const wchar_t kMainWindowClass[] = L"TorvaneMainWindow";

} // namespace torvane
