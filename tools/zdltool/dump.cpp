// zdltool dump LEVEL.zdl [-o LEVEL.txt]: a level file of any version as text.
#include <cstdio>

#include "arguments.h"
#include "level_text.h"
#include "platform/files.h"

namespace {
int runDump(const Arguments& arguments) {
    std::string input;
    std::string output;
    if (!inputAndOutput(arguments, input, output)) {
        std::fprintf(stderr, "usage: zdltool dump LEVEL.zdl [-o LEVEL.txt]\n");
        return 2;
    }
    Bytes bytes;
    if (!readFile(input, bytes)) {
        std::fprintf(stderr, "%s: cannot be read\n", input.c_str());
        return 1;
    }
    LevelFileData data;
    if (!decodeLevelFile(bytes, data)) {
        std::fprintf(stderr, "%s: not a level file, or a damaged one\n", input.c_str());
        return 1;
    }
    const std::string text = levelToText(data);
    if (output.empty()) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    if (!writeFileSafely(output, text)) {
        std::fprintf(stderr, "%s: cannot be written\n", output.c_str());
        return 1;
    }
    return 0;
}

const RegisterCommand registered{{"dump", "LEVEL.zdl [-o LEVEL.txt]", runDump}};
}  // namespace
