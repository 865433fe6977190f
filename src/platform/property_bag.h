#pragma once

#include <cstdint>
#include <string>

namespace torvane {

// A font as the controls store it with their host.
struct FontDescription {
    std::wstring name;
    double size = 0; // points
    bool bold = false;
    bool italic = false;

    bool operator==(const FontDescription& other) const
    {
        return name == other.name && size == other.size && bold == other.bold && italic == other.italic;
    }
    bool operator!=(const FontDescription& other) const { return !(*this == other); }
};

// The host's property store for a user control: typed values by key. A read
// gives the default when the key is missing; a value equal to its default is
// not stored.
class PropertyBag {
public:
    virtual ~PropertyBag() = default;

    virtual std::int32_t ReadInt32(const std::wstring& key, std::int32_t fallback) = 0;
    virtual std::int16_t ReadInt16(const std::wstring& key, std::int16_t fallback) = 0;
    virtual bool ReadBool(const std::wstring& key, bool fallback) = 0;
    virtual std::wstring ReadString(const std::wstring& key, const std::wstring& fallback) = 0;
    virtual FontDescription ReadFont(const std::wstring& key, const FontDescription& fallback) = 0;

    virtual void WriteInt32(const std::wstring& key, std::int32_t value, std::int32_t fallback) = 0;
    virtual void WriteInt16(const std::wstring& key, std::int16_t value, std::int16_t fallback) = 0;
    virtual void WriteBool(const std::wstring& key, bool value, bool fallback) = 0;
    virtual void WriteString(const std::wstring& key, const std::wstring& value, const std::wstring& fallback) = 0;
    virtual void WriteFont(const std::wstring& key, const FontDescription& value, const FontDescription& fallback) = 0;
};

} // namespace torvane
