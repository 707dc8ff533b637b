// The commands of zdltool. Each takes the arguments after its name and
// returns the exit status; each lives in a file of its own.
#pragma once

#include <string>
#include <vector>

using Arguments = std::vector<std::string>;

struct ToolCommand {
    const char* name;
    const char* usage;  // one line: the arguments
    int (*run)(const Arguments& arguments);
};

// Every command registers itself with one of these at namespace scope:
//   static const RegisterCommand registered{{"dump", "LEVEL.zdl", runDump}};
struct RegisterCommand {
    explicit RegisterCommand(const ToolCommand& command);
};

const std::vector<ToolCommand>& toolCommands();
