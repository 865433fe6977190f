#pragma once

#include "settings/profile_store.h"

namespace torvane {

// config.ini through the private-profile calls, in the system code page.
class WinProfileStore : public ProfileStore {
public:
    explicit WinProfileStore(std::wstring filePath);

    std::optional<std::wstring> ReadRaw(const wchar_t* section, const wchar_t* key) override;
    std::optional<std::wstring> ReadWhole(const wchar_t* section, const wchar_t* key) override;
    bool Write(const wchar_t* section, const wchar_t* key, const std::wstring& value) override;

private:
    std::string path_;
};

} // namespace torvane
