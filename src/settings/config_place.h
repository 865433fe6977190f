#pragma once

#include <string>

namespace torvane {

// What choosing the settings' place asks of the file system.
class ConfigPlaceProbe {
public:
    virtual ~ConfigPlaceProbe() = default;
    // A test write: true when the file can be opened for writing, made if it
    // is absent. Leaves behind nothing it made.
    virtual bool CanWrite(const std::wstring& file) = 0;
    virtual bool FileExists(const std::wstring& file) = 0;
    // Makes the folder unless it is there; false when it is not there after.
    virtual bool MakeFolder(const std::wstring& folder) = 0;
    // Copies a file that does not exist at `to` yet.
    virtual bool CopyNew(const std::wstring& from, const std::wstring& to) = 0;
    // The user's application data folder; empty when there is none. Asked
    // only when the program's folder cannot be written: finding it loads
    // the shell, which a portable copy never needs before its window shows.
    virtual std::wstring UserDataFolder() = 0;
};

// Where config.ini, Logs.txt and the list of processes Torvane holds raised
// live for this run.
struct ConfigPlace {
    std::wstring configPath;
    std::wstring logsPath;
    std::wstring ledgerPath;
    // True when they live in the user's application data rather than beside
    // the program.
    bool inUserData = false;
};

// Beside the program when config.ini can be written there (a portable copy
// works as always); otherwise in <userData>\Torvane, made on first need, with
// the program folder's config.ini copied over the first time so that no
// setting is lost. Where neither can be written, beside the program.
ConfigPlace ChooseConfigPlace(const std::wstring& programFolder, ConfigPlaceProbe& probe);

} // namespace torvane
