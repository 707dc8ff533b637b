// The desktop's shell: the system's own folder, and showing a folder or a
// web address to the player with the system's own program, waiting for that
// program to return. On Windows that program is explorer.exe from the
// Windows folder (shell_windows.cpp); on Linux the desktop's opener,
// xdg-open (shell_posix.cpp).
#pragma once

#include <string>

// The system's folder as the system gives it (before the path rules of the
// game's paths): the Windows folder, or "/usr/bin/" on Linux. "" when the
// system does not say.
std::string shellSystemFolder();

// Shows the folder (a path with "/") or web address to the player and returns
// when the program that shows it has returned. What it did is not reported.
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
