#pragma once

#include <optional>
#include <string>

namespace torvane {

// One key of an INI file, one platform call per access, nothing cached.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // The stored text, cut to 254 bytes in the system code page; absent when
    // the file, section or key is missing or the value is empty. Untrimmed.
    virtual std::optional<std::wstring> ReadRaw(const wchar_t* section, const wchar_t* key) = 0;
    // The same, read whole however long it is.
    virtual std::optional<std::wstring> ReadWhole(const wchar_t* section, const wchar_t* key) = 0;
    // True when the platform reports the value written.
    virtual bool Write(const wchar_t* section, const wchar_t* key, const std::wstring& value) = 0;
    // Whether the file keeps this text as it is: a file in the system code
    // page would keep a character outside it as "?".
    virtual bool Keeps(const std::wstring& value) = 0;
};

} // namespace torvane
