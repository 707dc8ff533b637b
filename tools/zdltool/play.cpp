// zdltool play LEVEL --inputs SCRIPT [--game FOLDER] [--trace] [--settle SECONDS]:
// the real play code run headlessly through a script of inputs. LEVEL is a
// ".zdl" file or a level in the text form; the texture packs and the
// language come from the game folder (by default "game/" beside the tool).
#include <cstdio>

#include "commands.h"
#include "level_text.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "play_script.h"
#include "text_syntax.h"

namespace {

struct PlayArguments {
    std::string level;
    std::string inputs;
    std::string game;
    bool trace = false;
    double settle = 10;
};

bool readArguments(const Arguments& arguments, PlayArguments& out) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == "--trace") out.trace = true;
        else if (a == "--inputs" && hasValue) out.inputs = arguments[++i];
        else if (a == "--game" && hasValue) out.game = arguments[++i];
        else if (a == "--settle" && hasValue) {
            if (!readNumber(arguments[++i], out.settle) || !(out.settle >= 0) || out.settle > 86400) return false;
        } else if (out.level.empty() && !a.empty() && a[0] != '-') out.level = a;
        else return false;
    }
    return !out.level.empty() && !out.inputs.empty();
}

int runPlay(const Arguments& arguments) {
    PlayArguments options;
    if (!readArguments(arguments, options)) {
        std::fprintf(stderr,
                     "usage: zdltool play LEVEL --inputs SCRIPT [--game FOLDER] [--trace] [--settle SECONDS]\n");
        return 2;
    }
    if (options.game.empty()) options.game = executableFolder(nullptr) + "game/";

    std::string scriptText;
    if (!readTextFile(options.inputs, scriptText)) {
        std::fprintf(stderr, "%s: cannot be read\n", options.inputs.c_str());
        return 1;
    }
    std::vector<ScriptInstruction> script;
    std::vector<TextProblem> problems;
    if (!parsePlayScript(scriptText, script, problems)) {
        const std::string report = describeProblems(options.inputs, problems);
        std::fwrite(report.data(), 1, report.size(), stderr);
        return 1;
    }

    HeadlessPlatform headless;
    setPlatform(&headless);
    std::string error;
    if (!preparePlay(options.game, options.level, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const PlayOutcome outcome = runPlayScript(script, options.settle, [&](std::int64_t frame) {
        if (options.trace) std::printf("%s\n", traceLine(frame).c_str());
    });
    std::printf("%s\n", resultLine(outcome).c_str());
    return 0;
}

const RegisterCommand registered{
    {"play", "LEVEL --inputs SCRIPT [--game FOLDER] [--trace] [--settle SECONDS]", runPlay}};
}  // namespace
