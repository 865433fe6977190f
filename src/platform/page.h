#pragma once

namespace torvane {

// The pages of the main window, in the order of their tabs.
enum class Page { Status, Records, Settings, About, Exclusions };

constexpr int kPageCount = 5;
constexpr Page kAllPages[kPageCount] = {Page::Status, Page::Records, Page::Settings, Page::About, Page::Exclusions};

} // namespace torvane
