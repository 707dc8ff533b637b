#include "platform/shell.h"

ShellCommand explorerCommand(const std::string& windowsFolder, const std::string& folderOrAddress) {
    std::string folder = windowsFolder.empty() ? "C:\\WINDOWS" : windowsFolder;
    if (folder.back() != '\\' && folder.back() != '/') folder += "\\";
    ShellCommand command;
    command.program = folder + "explorer.exe";
    std::string argument = folderOrAddress;
    if (argument.find("://") == std::string::npos) {
        for (char& c : argument)
            if (c == '/') c = '\\';
        // "...\" before the closing quote would read as an escaped quote.
        while (argument.size() > 1 && argument.back() == '\\') argument.pop_back();
    }
    command.commandLine = "\"" + command.program + "\" \"" + argument + "\"";
    return command;
}
