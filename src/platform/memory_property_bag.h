#pragma once

#include <map>
#include <variant>

#include "platform/property_bag.h"

namespace torvane {

// A property store held in memory: the main window's design-time values for
// its controls live in one of these. A stored value of another type than the
// one asked for reads as missing.
class MemoryPropertyBag : public PropertyBag {
public:
    using Value = std::variant<std::int32_t, std::int16_t, bool, std::wstring, FontDescription>;

    std::int32_t ReadInt32(const std::wstring& key, std::int32_t fallback) override { return Read(key, fallback); }
    std::int16_t ReadInt16(const std::wstring& key, std::int16_t fallback) override { return Read(key, fallback); }
    bool ReadBool(const std::wstring& key, bool fallback) override { return Read(key, fallback); }
    std::wstring ReadString(const std::wstring& key, const std::wstring& fallback) override { return Read(key, fallback); }
    FontDescription ReadFont(const std::wstring& key, const FontDescription& fallback) override { return Read(key, fallback); }

    void WriteInt32(const std::wstring& key, std::int32_t value, std::int32_t fallback) override { Write(key, value, fallback); }
    void WriteInt16(const std::wstring& key, std::int16_t value, std::int16_t fallback) override { Write(key, value, fallback); }
    void WriteBool(const std::wstring& key, bool value, bool fallback) override { Write(key, value, fallback); }
    void WriteString(const std::wstring& key, const std::wstring& value, const std::wstring& fallback) override
    {
        Write(key, value, fallback);
    }
    void WriteFont(const std::wstring& key, const FontDescription& value, const FontDescription& fallback) override
    {
        Write(key, value, fallback);
    }

    void Set(const std::wstring& key, Value value) { values_[key] = std::move(value); }
    bool Has(const std::wstring& key) const { return values_.count(key) != 0; }
    const std::map<std::wstring, Value>& values() const { return values_; }

private:
    template <typename T>
    T Read(const std::wstring& key, const T& fallback) const
    {
        const auto found = values_.find(key);
        if (found == values_.end())
            return fallback;
        const T* value = std::get_if<T>(&found->second);
        return value ? *value : fallback;
    }

    template <typename T>
    void Write(const std::wstring& key, const T& value, const T& fallback)
    {
        if (value == fallback)
            values_.erase(key);
        else
            values_[key] = value;
    }

    std::map<std::wstring, Value> values_;
};

} // namespace torvane
