#pragma once

#include "platform/memory_property_bag.h"

namespace torvane {

// The main window's design-time property values for its user controls, in
// the store they are read from when the window is built.
MemoryPropertyBag SaveRecordsButtonProperties(const FontDescription& font);
MemoryPropertyBag ClearRecordsButtonProperties(const FontDescription& font);
// The exclusions page's buttons look like the records page's two.
MemoryPropertyBag PageButtonProperties(const wchar_t* caption, const FontDescription& font);

// CpuMonitor1 on the status page: white, borderless, light grey grid, two
// samples a second, drive C.
MemoryPropertyBag CpuMonitor1Properties();

} // namespace torvane
