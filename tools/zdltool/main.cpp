// zdltool: levels as text, level checks and picture checks for level
// designers and texture-pack makers. Usage: zdltool COMMAND ARGUMENTS...
#include <cstdio>
#include <cstring>

#include "commands.h"

namespace {
std::vector<ToolCommand>& registry() {
    static std::vector<ToolCommand> commands;
    return commands;
}

int usage() {
    std::fprintf(stderr, "usage: zdltool COMMAND ARGUMENTS...\n");
    for (const ToolCommand& command : toolCommands())
        std::fprintf(stderr, "  zdltool %s %s\n", command.name, command.usage);
    return 2;
}
}  // namespace

RegisterCommand::RegisterCommand(const ToolCommand& command) { registry().push_back(command); }

const std::vector<ToolCommand>& toolCommands() { return registry(); }

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    for (const ToolCommand& command : toolCommands())
        if (std::strcmp(command.name, argv[1]) == 0) return command.run(Arguments(argv + 2, argv + argc));
    return usage();
}
