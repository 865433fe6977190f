#pragma once

#include <string>

namespace torvane {

// Writes the bytes to "<path>.tmp" and moves that over the path, so that a
// reader finds the old file or the new one, never half of either. With
// `durable` the bytes reach the disk before the move; without it a killed
// process still loses nothing, only a power cut might. On failure the
// system's reason is in GetLastError and no temporary file is left.
bool ReplaceFileWhole(const std::wstring& path, const std::string& bytes, bool durable);

} // namespace torvane
