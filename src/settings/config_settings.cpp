#include "settings/config_settings.h"

#include "platform/trim_null.h"

namespace torvane {

std::optional<std::wstring> ConfigSettings::Read(const wchar_t* section, const wchar_t* key)
{
    std::optional<std::wstring> raw = store_.ReadRaw(section, key);
    if (!raw || raw->empty())
        return std::nullopt;
    return TrimNull(*raw);
}

} // namespace torvane
