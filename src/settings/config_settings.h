#pragma once

#include <optional>
#include <string>

#include "settings/profile_store.h"

namespace torvane {

// The keys of config.ini, a reader and a writer each. A reader returns
// the stored text cut at its first NUL and trimmed of spaces, or nothing; a
// writer returns whether the value was written.
class ConfigSettings {
public:
    explicit ConfigSettings(ProfileStore& store) : store_(store) {}

    std::optional<std::wstring> ReadAutoRun() { return Read(L"Normal", L"AutoRun"); }
    bool WriteAutoRun(const std::wstring& v) { return store_.Write(L"Normal", L"AutoRun", v); }

    std::optional<std::wstring> ReadAutoMin() { return Read(L"Normal", L"AutoMin"); }
    bool WriteAutoMin(const std::wstring& v) { return store_.Write(L"Normal", L"AutoMin", v); }

    std::optional<std::wstring> ReadEnableSpeed() { return Read(L"Normal", L"EnableSpeed"); }
    bool WriteEnableSpeed(const std::wstring& v) { return store_.Write(L"Normal", L"EnableSpeed", v); }

    std::optional<std::wstring> ReadAlwaysTop() { return Read(L"Normal", L"AlwaysTop"); }
    bool WriteAlwaysTop(const std::wstring& v) { return store_.Write(L"Normal", L"AlwaysTop", v); }

    std::optional<std::wstring> ReadRestoreOriginal() { return Read(L"Speed", L"RestoreOriginal"); }
    bool WriteRestoreOriginal(const std::wstring& v) { return store_.Write(L"Speed", L"RestoreOriginal", v); }

    std::optional<std::wstring> ReadSpeedLevel() { return Read(L"Speed", L"SpeedLevel"); }
    bool WriteSpeedLevel(const std::wstring& v) { return store_.Write(L"Speed", L"SpeedLevel", v); }

    std::optional<std::wstring> ReadEnableRecord() { return Read(L"Record", L"EnableRecord"); }
    bool WriteEnableRecord(const std::wstring& v) { return store_.Write(L"Record", L"EnableRecord", v); }

    std::optional<std::wstring> ReadRecordCount() { return Read(L"Record", L"RecordCount"); }
    bool WriteRecordCount(const std::wstring& v) { return store_.Write(L"Record", L"RecordCount", v); }

    // A list that may be long: read whole, not cut to 254 bytes.
    std::wstring ReadExcludedPrograms() { return store_.ReadWhole(L"Exclude", L"Programs").value_or(L""); }
    bool WriteExcludedPrograms(const std::wstring& v) { return store_.Write(L"Exclude", L"Programs", v); }
    // Whether the file can hold this text as it is.
    bool Keeps(const std::wstring& text) { return store_.Keeps(text); }

private:
    std::optional<std::wstring> Read(const wchar_t* section, const wchar_t* key);

    ProfileStore& store_;
};

} // namespace torvane
