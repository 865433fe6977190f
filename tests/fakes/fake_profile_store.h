#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/profile_store.h"

namespace torvane {

// An INI file in memory that notes every write.
class FakeProfileStore : public ProfileStore {
public:
    std::optional<std::wstring> ReadRaw(const wchar_t* section, const wchar_t* key) override
    {
        ++reads;
        auto found = values.find({section, key});
        if (found == values.end() || found->second.empty())
            return std::nullopt;
        return found->second;
    }

    std::optional<std::wstring> ReadWhole(const wchar_t* section, const wchar_t* key) override
    {
        ++wholeReads;
        auto found = values.find({section, key});
        if (found == values.end() || found->second.empty())
            return std::nullopt;
        return found->second;
    }

    bool Write(const wchar_t* section, const wchar_t* key, const std::wstring& value) override
    {
        writes.push_back(std::wstring(section) + L"/" + key + L"=" + value);
        if (!writable)
            return false;
        values[{section, key}] = value;
        return true;
    }

    bool Keeps(const std::wstring& value) override
    {
        return value.find_first_of(unkept) == std::wstring::npos;
    }

    void Set(const std::wstring& section, const std::wstring& key, const std::wstring& value)
    {
        values[{section, key}] = value;
    }

    std::optional<std::wstring> Get(const std::wstring& section, const std::wstring& key) const
    {
        auto found = values.find({section, key});
        if (found == values.end())
            return std::nullopt;
        return found->second;
    }

    std::map<std::pair<std::wstring, std::wstring>, std::wstring> values;
    std::vector<std::wstring> writes;
    int reads = 0;
    int wholeReads = 0;
    bool writable = true;
    // The characters the file's code page has none for.
    std::wstring unkept;
};

} // namespace torvane
