#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz_text.h"
#include "booster/excluded_programs.h"
#include "settings/config_settings.h"
#include "settings/profile_store.h"

using namespace torvane;

namespace {

constexpr std::size_t kValueBytes = 254; // a 255-byte buffer less its NUL

// Narrow text in a double-byte code page read as wide: a lead byte 0x81-0xFE
// with a trail byte makes one CJK character, any other byte is itself; a lead
// byte cut off at the end becomes U+FFFD.
std::wstring FromDoubleByte(const std::string& bytes)
{
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned lead = static_cast<unsigned char>(bytes[i]);
        if (lead >= 0x81 && lead <= 0xFE) {
            if (i + 1 == bytes.size()) {
                text += L'\xFFFD';
                break;
            }
            const unsigned trail = static_cast<unsigned char>(bytes[++i]);
            text += static_cast<wchar_t>(0x4E00 + ((lead - 0x81) * 256 + trail) % 0x51A6);
        } else {
            text += static_cast<wchar_t>(lead);
        }
    }
    return text;
}

// Every key holds the fuzz input; reads are counted and their keys noted.
class FuzzProfileStore : public ProfileStore {
public:
    explicit FuzzProfileStore(std::string bytes) : bytes_(std::move(bytes)) {}

    std::optional<std::wstring> ReadRaw(const wchar_t* section, const wchar_t* key) override
    {
        ++reads;
        lastSection = section;
        lastKey = key;
        if (bytes_.empty())
            return std::nullopt;
        return FromDoubleByte(bytes_.substr(0, kValueBytes));
    }

    bool Keeps(const std::wstring&) override { return true; }

    std::optional<std::wstring> ReadWhole(const wchar_t*, const wchar_t*) override
    {
        if (bytes_.empty())
            return std::nullopt;
        return FromDoubleByte(bytes_);
    }

    bool Write(const wchar_t*, const wchar_t*, const std::wstring&) override { return false; }

    int reads = 0;
    std::wstring lastSection;
    std::wstring lastKey;

private:
    std::string bytes_;
};

using Reader = std::optional<std::wstring> (ConfigSettings::*)();

struct Key {
    Reader read;
    const wchar_t* section;
    const wchar_t* key;
};

const Key kKeys[] = {
    {&ConfigSettings::ReadAutoRun, L"Normal", L"AutoRun"},
    {&ConfigSettings::ReadAutoMin, L"Normal", L"AutoMin"},
    {&ConfigSettings::ReadEnableSpeed, L"Normal", L"EnableSpeed"},
    {&ConfigSettings::ReadAlwaysTop, L"Normal", L"AlwaysTop"},
    {&ConfigSettings::ReadSpeedLevel, L"Speed", L"SpeedLevel"},
    {&ConfigSettings::ReadEnableRecord, L"Record", L"EnableRecord"},
    {&ConfigSettings::ReadRecordCount, L"Record", L"RecordCount"},
    {&ConfigSettings::ReadRestoreOriginal, L"Speed", L"RestoreOriginal"},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzProfileStore store(std::string(reinterpret_cast<const char*>(data), size));
    ConfigSettings settings(store);
    const std::optional<std::wstring> raw = store.ReadRaw(L"", L"");
    store.reads = 0;

    for (const Key& k : kKeys) {
        const int before = store.reads;
        const std::optional<std::wstring> value = (settings.*k.read)();
        // One platform read per access, of this key.
        FUZZ_CHECK(store.reads == before + 1);
        FUZZ_CHECK(store.lastSection == k.section && store.lastKey == k.key);

        FUZZ_CHECK(value.has_value() == (raw.has_value() && !raw->empty()));
        if (!value)
            continue;
        FUZZ_CHECK(value->size() <= kValueBytes);
        FUZZ_CHECK(value->find(L'\0') == std::wstring::npos);
        if (!value->empty())
            FUZZ_CHECK(value->front() != L' ' && value->back() != L' ');
        // Taken from the stored text before its first NUL, less outer spaces.
        const std::wstring head = raw->substr(0, raw->find(L'\0'));
        const std::size_t at = head.find_first_not_of(L' ');
        if (at == std::wstring::npos) {
            FUZZ_CHECK(value->empty());
        } else {
            FUZZ_CHECK(head.compare(at, value->size(), *value) == 0);
            FUZZ_CHECK(head.find_first_not_of(L' ', at + value->size()) == std::wstring::npos);
        }
    }

    // The exclusion list is read whole and any text makes a list; a first
    // name with nothing around it to strip is in it.
    const std::wstring list = settings.ReadExcludedPrograms();
    const ExcludedPrograms excluded(list);
    const std::wstring first = list.substr(0, list.find(L';'));
    if (!first.empty() && first.find_first_of(L" \t\"'\\/") == std::wstring::npos)
        FUZZ_CHECK(excluded.Contains(first));
    return 0;
}
