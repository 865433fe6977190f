#pragma once

#include <string>

namespace torvane {

// A file beside the program: the directory, a backslash, the name. The
// backslash is always added; Windows reads a doubled one as one.
inline std::wstring ProgramFilePath(const std::wstring& directory, const std::wstring& fileName)
{
    return directory + L"\\" + fileName;
}

} // namespace torvane
