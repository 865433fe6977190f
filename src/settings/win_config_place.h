#pragma once

#include <string>

#include "settings/config_place.h"

namespace torvane {

// The file system as choosing the settings' place sees it.
class WinConfigPlaceProbe : public ConfigPlaceProbe {
public:
    bool CanWrite(const std::wstring& file) override;
    bool FileExists(const std::wstring& file) override;
    bool MakeFolder(const std::wstring& folder) override;
    bool CopyNew(const std::wstring& from, const std::wstring& to) override;
};

// The current user's application data folder (%APPDATA%); empty when the
// system names none.
std::wstring UserDataFolder();

} // namespace torvane
