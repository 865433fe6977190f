#include "settings/config_place.h"

#include "platform/program_path.h"

namespace torvane {

namespace {

constexpr const wchar_t* kLedgerFileName = L"Raised.txt";

} // namespace

ConfigPlace ChooseConfigPlace(const std::wstring& programFolder, ConfigPlaceProbe& probe)
{
    const ConfigPlace beside = {ProgramFilePath(programFolder, L"config.ini"),
                                ProgramFilePath(programFolder, L"Logs.txt"),
                                ProgramFilePath(programFolder, kLedgerFileName), false};
    if (probe.CanWrite(beside.configPath))
        return beside;
    const std::wstring userDataFolder = probe.UserDataFolder();
    if (userDataFolder.empty())
        return beside;
    const std::wstring folder = ProgramFilePath(userDataFolder, L"Torvane");
    const ConfigPlace userData = {ProgramFilePath(folder, L"config.ini"), ProgramFilePath(folder, L"Logs.txt"),
                                  ProgramFilePath(folder, kLedgerFileName), true};
    if (!probe.MakeFolder(folder))
        return beside;
    if (!probe.FileExists(userData.configPath) && probe.FileExists(beside.configPath))
        probe.CopyNew(beside.configPath, userData.configPath);
    return probe.CanWrite(userData.configPath) ? userData : beside;
}

} // namespace torvane
