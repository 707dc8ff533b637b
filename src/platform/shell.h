// The desktop's shell: the system's own folder, and showing a file, a folder
// or a web address to the player with the system's own program. On Windows
// that program is explorer.exe from the Windows folder, and the game waits
// for it to return, which it does once it has handed the target on
// (shell_windows.cpp); on Linux it is the desktop's opener, xdg-open, started
// detached, since it may last as long as the browser it starts
// (shell_posix.cpp).
#pragma once

#include <string>

// The system's folder as the system gives it (before the path rules of the
// game's paths): the Windows folder, or "/usr/bin/" on Linux. "" when the
// system does not say.
std::string shellSystemFolder();

// Shows the file or folder (a path with "/") or web address to the player.
// What it did is not reported.
void shellShow(const std::string& folderOrAddress);

// The Windows way, built the same on every system so that it is tested
// everywhere: explorer.exe in `windowsFolder` ("C:\WINDOWS" when that is
// empty), with one argument in double quotes: a folder with every "/" turned
// into "\" and no separator at its end, or an address as it is.
struct ShellCommand {
    std::string program;      // the program's full path
    std::string commandLine;  // the program in quotes, a space, the argument in quotes
};
ShellCommand explorerCommand(const std::string& windowsFolder, const std::string& folderOrAddress);

#ifdef _WIN32
// Starts `program` with `commandLine` (both UTF-8), waits for it to end and
// gives its exit status; -1 when it could not be started.
long runProgramAndWait(const std::string& program, const std::string& commandLine);
#endif
