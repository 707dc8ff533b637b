#include "support/tool_run.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>

#ifdef _WIN32
namespace {
// cmd.exe knows double quotes only; the paths themselves may keep "/".
std::string forCmd(std::string text) {
    for (char& c : text)
        if (c == '\'') c = '"';
    return text;
}

// The tool's own path for cmd.exe, which reads "/" in a program's name as
// the start of an option.
std::string programForCmd(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// Windows programs end their lines with "\r\n"; the tests compare lines.
std::string withoutCarriageReturns(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}
}  // namespace
#endif

ToolRun runTool(const TempFolder& folder, const std::string& arguments) {
#if defined(ZD_TOOL) && defined(_WIN32)
    // The outer quotes are cmd.exe's: it takes off the first and the last.
    const std::string command = "\"\"" + programForCmd(ZD_TOOL) + "\" " +
                                forCmd(arguments + " > '" + folder.path() + "tool.txt' 2>&1") + "\"";
    const int status = std::system(command.c_str());
    return {status, withoutCarriageReturns(folder.read("tool.txt"))};
#elif defined(ZD_TOOL)
    const std::string command =
        std::string("'") + ZD_TOOL + "' " + arguments + " > '" + folder.path() + "tool.txt' 2>&1";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, folder.read("tool.txt")};
#else
    (void)folder;
    (void)arguments;
    return {-1, "zdltool is not built"};
#endif
}
