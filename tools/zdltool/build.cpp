// zdltool build LEVEL.txt [-o LEVEL.zdl]: a level's text form compiled into a
// version-7 level file (by default beside the text, with ".zdl").
#include <cstdio>

#include "arguments.h"
#include "level_text.h"
#include "platform/files.h"

namespace {
int runBuild(const Arguments& arguments) {
    std::string input;
    std::string output;
    if (!inputAndOutput(arguments, input, output)) {
        std::fprintf(stderr, "usage: zdltool build LEVEL.txt [-o LEVEL.zdl]\n");
        return 2;
    }
    if (output.empty()) {
        const std::size_t dot = input.find_last_of('.');
        const std::size_t slash = input.find_last_of('/');
        output = (dot != std::string::npos && (slash == std::string::npos || dot > slash) ? input.substr(0, dot) : input) +
                 ".zdl";
    }
    std::string text;
    if (!readTextFile(input, text)) {
        std::fprintf(stderr, "%s: cannot be read\n", input.c_str());
        return 1;
    }
    LevelFileData data;
    std::vector<TextProblem> problems;
    if (!levelFromText(text, data, problems)) {
        const std::string report = describeProblems(input, problems);
        std::fwrite(report.data(), 1, report.size(), stderr);
        return 1;
    }
    if (!writeFileSafely(output, encodeLevelFile(data))) {
        std::fprintf(stderr, "%s: cannot be written\n", output.c_str());
        return 1;
    }
    return 0;
}

const RegisterCommand registered{{"build", "LEVEL.txt [-o LEVEL.zdl]", runBuild}};
}  // namespace
