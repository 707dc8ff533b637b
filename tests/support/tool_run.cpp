#include "support/tool_run.h"

#include <sys/wait.h>

#include <cstdlib>

ToolRun runTool(const TempFolder& folder, const std::string& arguments) {
#ifdef ZD_TOOL
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
