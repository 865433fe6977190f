#pragma once

#include <string>

namespace torvane {

// Where the history is saved: bytes in the system code page, replacing the
// file whole.
class LogFile {
public:
    virtual ~LogFile() = default;
    // False with the system's reason when the file could not be written; the
    // file is then left as it was.
    virtual bool Replace(const std::wstring& path, const std::wstring& content, std::wstring& reason) = 0;
};

// What saving told the user.
struct SaveOutcome {
    enum class Kind { NothingToSave, Saved, Failed };
    Kind kind;
    std::wstring message;
};

// The file's content: the header line, then the history as the box holds it.
std::wstring LogsContent(const std::wstring& history);

// Saves the history to logsPath. An empty history writes nothing.
SaveOutcome SaveRecords(const std::wstring& history, const std::wstring& logsPath, LogFile& file);

} // namespace torvane
