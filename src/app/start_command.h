#pragma once

#include <string>

namespace torvane {

// What a start of the program is asked to do. The installer runs the
// program with "/exit" before it replaces the files, and with "/uninstall"
// before it removes them.
enum class StartCommand {
    Run,       // no argument, or one the program does not know
    Exit,      // end the running copy, then end
    Uninstall, // end the running copy, remove a "TV" value that starts this copy, then end
};

// The arguments after the program's name, as wWinMain receives them.
StartCommand ParseStartCommand(const std::wstring& arguments);

} // namespace torvane
