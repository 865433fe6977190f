#pragma once

namespace torvane {

// The four pages of the main window, in the order of their tabs.
enum class Page { Status, Records, Settings, About };

constexpr Page kAllPages[] = {Page::Status, Page::Records, Page::Settings, Page::About};

} // namespace torvane
