// zdltool play LEVEL --inputs SCRIPT [--game FOLDER] [--trace] [--settle SECONDS]:
// the real play code run headlessly through a script of inputs. LEVEL is a
// ".zdl" file or a level in the text form; the texture packs and the
// language come from the game folder (by default "game/" beside the tool).
//
// zdltool play LEVEL --replay FILE [--game FOLDER] [--trace]: the same for a
// recorded run (such as the game's lastrun.zrp), played back headlessly.
#include <cstdio>

#include "commands.h"
#include "config/dialog.h"
#include "gfx/draw_layer.h"
#include "level_text.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "play/play.h"
#include "play/replay.h"
#include "play_script.h"
#include "text_syntax.h"

namespace {

struct PlayArguments {
    std::string level;
    std::string inputs;
    std::string replay;
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
        else if (a == "--replay" && hasValue) out.replay = arguments[++i];
        else if (a == "--game" && hasValue) out.game = arguments[++i];
        else if (a == "--settle" && hasValue) {
            if (!readNumber(arguments[++i], out.settle) || !(out.settle >= 0) || out.settle > 86400) return false;
        } else if (out.level.empty() && !a.empty() && a[0] != '-') out.level = a;
        else return false;
    }
    return !out.level.empty() && out.inputs.empty() != out.replay.empty();
}

const char* const Usage =
    "usage: zdltool play LEVEL --inputs SCRIPT [--game FOLDER] [--trace] [--settle SECONDS]\n"
    "       zdltool play LEVEL --replay FILE [--game FOLDER] [--trace]\n";

// Plays a recorded run on LEVEL. The result line is the script form's; a
// replay that went another way than recorded is reported and fails.
int replayRun(const PlayArguments& options) {
    ReplayRecord record;
    std::string error;
    if (!readReplay(options.replay, record, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    Bytes levelBytes;
    if (isLevelFile(options.level) && readFile(options.level, levelBytes) && hash64(levelBytes) != record.levelFileHash) {
        const std::string recordedOn =
            record.packFolder.empty() ? ""
                                      : " (level " + std::to_string(record.levelNumber) + " of " +
                                            record.packFolder + ")";
        std::fprintf(stderr, "%s: not the level file the run was recorded on%s\n",
                     options.level.c_str(), recordedOn.c_str());
        return 1;
    }
    HeadlessPlatform headless;
    setPlatform(&headless);
    if (!preparePlay(options.game, options.level, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    dialog.dialogId = 0;
    const ReplayOutcome replayed = playRecord(record, nullptr, false, [&](std::int64_t frame) {
        drawLayer.calls.clear();  // nothing looks at the drawing; keep memory flat
        if (options.trace) std::printf("%s\n", traceLine(frame).c_str());
    });
    setPlatform(nullptr);
    if (!replayed.error.empty()) {
        std::fprintf(stderr, "%s: %s\n", options.level.c_str(), replayed.error.c_str());
        return 1;
    }
    PlayOutcome outcome;
    outcome.result = playResultOf(replayed.result);
    outcome.score = play.score;
    outcome.time = play.elapsed;
    outcome.frames = replayed.frames;
    std::printf("%s\n", resultLine(outcome).c_str());
    if (replayed.complete) return 0;
    std::fprintf(stderr, "%s: the run went another way than recorded: %s\n", options.replay.c_str(),
                 replayed.report.empty() ? "it ended before its record did" : replayed.report.c_str());
    return 1;
}

int runPlay(const Arguments& arguments) {
    PlayArguments options;
    if (!readArguments(arguments, options)) {
        std::fprintf(stderr, "%s", Usage);
        return 2;
    }
    if (options.game.empty()) options.game = executableFolder(nullptr) + "game/";
    if (!options.replay.empty()) return replayRun(options);

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
    {"play", "LEVEL (--inputs SCRIPT [--settle SECONDS] | --replay FILE) [--game FOLDER] [--trace]",
     runPlay}};
}  // namespace
