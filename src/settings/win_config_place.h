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
    // %APPDATA%, made if it is missing.
    std::wstring UserDataFolder() override;
};

} // namespace torvane
