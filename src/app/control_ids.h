#pragma once

// Stable ids of the main window's controls. Tests and accessibility clients
// find the controls by these, so an id never changes meaning.
namespace ControlId {

constexpr int PictureStatus = 100;
constexpr int PictureRecords = 101;
constexpr int PictureSettings = 102;
constexpr int PictureAbout = 103;

// Tabs and the page tip
constexpr int LabelStatus = 110;
constexpr int LabelRecords = 111;
constexpr int LabelSettings = 112;
constexpr int LabelAbout = 113;
constexpr int LabelTip = 114;
constexpr int ImageStatus = 115;
constexpr int ImageRecords = 116;
constexpr int ImageSettings = 117;
constexpr int ImageAbout = 118;
constexpr int ImageCaption = 119;
constexpr int LabelCaption = 120;
constexpr int ImageMin = 121;
constexpr int ImageExit = 122;
constexpr int LabelVersion = 123;

// Status page
constexpr int LabelTime = 200;
constexpr int LabelSpeed = 201;
constexpr int LabelSpeedupTarget = 202;
constexpr int LabelSpeedCount = 203;
constexpr int CpuMonitor1 = 204;
// The legend's five swatches, in the order of the series.
constexpr int LegendSwatchFirst = 210;

// Records page
constexpr int TextHistory = 300;
constexpr int LabelInfo = 301;
constexpr int LabelCount = 302;
constexpr int CommandSaveRecords = 303;
constexpr int CommandClearRecords = 304;

// About page
constexpr int LabelWeb = 350;
constexpr int LabelHomePage = 351;

// Settings page
constexpr int CheckAutoRun = 400;
constexpr int CheckAutoMin = 401;
constexpr int CheckState = 402;
constexpr int CheckAlwaysOnTop = 403;
constexpr int ComboSpeed = 404;
constexpr int CheckEnableRecord = 405;
constexpr int ComboAutoCleanCount = 406;

} // namespace ControlId

// The main window's class name, by which other programs find it.
inline const wchar_t kMainWindowClass[] = L"TorvaneMainWindow";
