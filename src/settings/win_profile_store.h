#pragma once

#include "settings/profile_store.h"

namespace torvane {

// config.ini through the private-profile calls. The path goes through the
// wide calls, so any folder name works; the file itself stays in the system
// code page, as the calls keep a file without a byte-order mark.
class WinProfileStore : public ProfileStore {
public:
    explicit WinProfileStore(std::wstring filePath);

    std::optional<std::wstring> ReadRaw(const wchar_t* section, const wchar_t* key) override;
    std::optional<std::wstring> ReadWhole(const wchar_t* section, const wchar_t* key) override;
    bool Write(const wchar_t* section, const wchar_t* key, const std::wstring& value) override;
    bool Keeps(const std::wstring& value) override;

private:
    std::wstring path_;
};

} // namespace torvane
