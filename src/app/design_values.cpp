#include "app/design_values.h"

namespace torvane {

namespace {

// Style 1, scheme 1, XP variant 1: every default but caption and font.
MemoryPropertyBag RecordsButton(const wchar_t* caption, const FontDescription& font)
{
    MemoryPropertyBag bag;
    bag.Set(L"Caption", std::wstring(caption));
    bag.Set(L"Font", font);
    return bag;
}

} // namespace

MemoryPropertyBag SaveRecordsButtonProperties(const FontDescription& font)
{
    return RecordsButton(L"保存", font);
}

MemoryPropertyBag ClearRecordsButtonProperties(const FontDescription& font)
{
    return RecordsButton(L"清空", font);
}

MemoryPropertyBag PageButtonProperties(const wchar_t* caption, const FontDescription& font)
{
    return RecordsButton(caption, font);
}

MemoryPropertyBag CpuMonitor1Properties()
{
    MemoryPropertyBag bag;
    bag.Set(L"BackColor", std::int32_t{0xFFFFFF});
    bag.Set(L"BorderStyle", std::int32_t{0});
    bag.Set(L"DisplayGridColor", std::int32_t{0xE0E0E0});
    bag.Set(L"UpdateInterval", std::int32_t{500});
    bag.Set(L"HDDriveLetter", std::wstring(L"C:\\"));
    return bag;
}

} // namespace torvane
