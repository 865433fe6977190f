#pragma once

#include "booster/records.h"

namespace torvane {

// Writes the content in the system code page (characters it cannot hold
// become its default character) to a file beside the target, then moves it
// over the target, so that a failed write never leaves half a file.
class WinLogFile : public LogFile {
public:
    bool Replace(const std::wstring& path, const std::wstring& content, std::wstring& reason) override;
};

// The system's text for an error code, without the trailing line break.
std::wstring SystemErrorText(unsigned long error);

} // namespace torvane
