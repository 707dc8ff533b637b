#include "play_script.h"

#include <cmath>
#include <sstream>

#include "base/numeric.h"
#include "config/dialog.h"
#include "config/language.h"
#include "config/paths.h"
#include "gfx/display.h"
#include "gfx/draw_layer.h"
#include "gfx/frame.h"
#include "gfx/hud.h"
#include "gfx/textures.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/keys.h"
#include "play/play.h"
#include "text_syntax.h"

namespace {

// A headless platform whose frames last exactly the script's frame time:
// the frame limiter's sleep jumps the clock to the frame's deadline. The
// clock starts at 1024 s, where a double's spacing is fine and constant for
// the next 1024 s, so every frame of the same length measures exactly the
// same and a run gives the same result on every machine.
class ScriptedPlatform : public HeadlessPlatform {
public:
    double deadline = 0;
    void sleep(double) override {
        ++sleepCount;
        // Past the deadline the limiter still wants more: one step of the
        // clock's resolution at a time until it is satisfied.
        clock = clock < deadline ? deadline : std::nextafter(clock, INFINITY);
    }
};

constexpr double ScriptClockStart = 1024.0;

struct KeyName {
    const char* name;
    int scanCode;
};
const KeyName heldKeyNames[] = {{"up", ScanUp},    {"down", ScanDown},   {"left", ScanLeft}, {"right", ScanRight},
                                {"jump", ScanCtrl}, {"bomb", ScanSpace}, {"zoom", ScanMinus}};

int heldKeyCode(const std::string& word) {
    const std::string lower = lowerCase(word);
    for (const KeyName& key : heldKeyNames)
        if (lower == key.name) return key.scanCode;
    return 0;
}

bool pressedKey(const std::string& word, std::string& key) {
    if (lowerCase(word) == "esc") {
        key = KeyEsc;
        return true;
    }
    if (word.size() == 1 && std::isprint(static_cast<unsigned char>(word[0]))) {
        key = word;
        return true;
    }
    return false;
}

std::vector<std::string> wordsOf(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line.substr(0, line.find('#')));
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

bool wholeNumber(const std::string& word, std::int64_t& value) {
    if (word.empty() || word.size() > 12) return false;
    for (char c : word)
        if (c < '0' || c > '9') return false;
    value = std::stoll(word);
    return true;
}

bool parseLine(const std::vector<std::string>& words, ScriptInstruction& out, std::string& problem) {
    const std::string& first = words[0];
    if (first == "press") {
        out.kind = ScriptInstruction::Press;
        if (words.size() != 2 || !pressedKey(words[1], out.key)) {
            problem = "press takes one key: Esc or a single character";
            return false;
        }
        return true;
    }
    if (first == "frame-time") {
        out.kind = ScriptInstruction::FrameTime;
        if (words.size() != 2 || !readNumber(words[1], out.seconds) || !(out.seconds >= MinFrameSeconds) ||
            !(out.seconds <= 10)) {
            problem = "frame-time takes a number of seconds from 0.0167 to 10";
            return false;
        }
        return true;
    }
    if (first == "seed") {
        out.kind = ScriptInstruction::Seed;
        std::int64_t seed = 0;
        if (words.size() != 2 || !wholeNumber(words[1], seed)) {
            problem = "seed takes a whole number";
            return false;
        }
        out.seed = static_cast<std::uint64_t>(seed);
        return true;
    }
    out.kind = ScriptInstruction::Frames;
    if (!wholeNumber(first, out.frames)) {
        problem = "unknown instruction '" + first + "' (a frame count, press, frame-time or seed)";
        return false;
    }
    for (std::size_t i = 1; i < words.size(); ++i) {
        const int code = heldKeyCode(words[i]);
        if (code == 0) {
            problem = "unknown key '" + words[i] + "' (Up, Down, Left, Right, Jump, Bomb, Zoom)";
            return false;
        }
        out.heldKeys.push_back(code);
    }
    return true;
}

// One frame of play with `held` keys down; false once the level has ended.
bool scriptedFrame(ScriptedPlatform& backend, const std::vector<int>& held, double frameTime) {
    backend.heldKeys = std::set<int>(held.begin(), held.end());
    backend.deadline = frameClock.lastFrameTime + frameTime;
    const bool goesOn = playFrame();
    drawLayer.calls.clear();  // nothing looks at the drawing; keep memory flat
    return goesOn;
}

}  // namespace

bool parsePlayScript(const std::string& text, std::vector<ScriptInstruction>& script,
                     std::vector<TextProblem>& problems) {
    script.clear();
    std::istringstream in(text);
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> words = wordsOf(line);
        if (words.empty()) continue;
        ScriptInstruction instruction;
        instruction.line = lineNumber;
        std::string problem;
        if (parseLine(words, instruction, problem)) script.push_back(instruction);
        else problems.push_back({lineNumber, problem});
    }
    return problems.empty();
}

const char* playResultName(PlayResult result) {
    switch (result) {
    case PlayResult::Finished: return "finished";
    case PlayResult::Quit: return "quit";
    case PlayResult::Lost: return "lost";
    case PlayResult::Unfinished: break;
    }
    return "unfinished";
}

PlayResult playResultOf(std::int32_t levelResult) {
    if (levelResult == -1) return PlayResult::Finished;
    return play.endedByKey != 0 ? PlayResult::Quit : PlayResult::Lost;
}

bool isLevelFile(const std::string& path) {
    return path.size() > 4 && path.compare(path.size() - 4, 4, ".zdl") == 0;
}

PlayOutcome runPlayScript(const std::vector<ScriptInstruction>& script, double settleSeconds,
                          const std::function<void(std::int64_t frame)>& eachFrame) {
    PlatformBackend& caller = platform();
    ScriptedPlatform backend;
    backend.clock = ScriptClockStart;
    setPlatform(&backend);
    drawLayer.recording = true;
    dialog.dialogId = 0;
    seedRandom(1);
    // Every run starts as in a fresh program, whatever ran before it in this
    // process: play's carried values (checkpoint count, hole-jump series,
    // notices) anew.
    play = PlayState();
    hud = HudState();

    double frameTime = MinFrameSeconds;
    bool started = false;
    bool running = true;
    PlayOutcome outcome;
    auto frame = [&](const std::vector<int>& held) {
        if (!started) {
            // The first frame's update steps by the frame drawn before play:
            // here one of the frame time in force (a frame-time line before
            // the first frames, else the shortest frame).
            frameClock.animDelta = 25 * frameTime;
            startPlay();
            started = true;
        }
        running = scriptedFrame(backend, held, frameTime);
        ++outcome.frames;
        if (eachFrame) eachFrame(outcome.frames);
    };

    for (const ScriptInstruction& instruction : script) {
        if (!running) break;
        switch (instruction.kind) {
        case ScriptInstruction::Seed: seedRandom(instruction.seed); break;
        case ScriptInstruction::FrameTime: frameTime = instruction.seconds; break;
        case ScriptInstruction::Press: backend.keyQueue.push_back(instruction.key); break;
        case ScriptInstruction::Frames:
            for (std::int64_t n = 0; n < instruction.frames && running; ++n) frame(instruction.heldKeys);
            break;
        }
    }
    const double settleEnd = backend.clock + settleSeconds;
    while (running && (!started || backend.clock < settleEnd) && settleSeconds > 0) frame({});

    outcome.score = play.score;
    outcome.time = play.elapsed;
    if (running) {
        outcome.result = PlayResult::Unfinished;
    } else {
        outcome.result = playResultOf(endPlay());
    }
    setPlatform(&caller);
    return outcome;
}

std::string traceLine(std::int64_t frame) {
    const LevelObject& ball = level.ball;
    std::ostringstream line;
    line << "frame " << frame << " elapsed " << numberWord(play.elapsed) << " x " << numberWord(ball.x) << " y "
         << numberWord(ball.y) << " vx " << numberWord(ball.vx) << " vy " << numberWord(ball.vy) << " sink "
         << numberWord(level.sinkScale) << " jump " << level.jumpState << " height " << numberWord(level.jumpHeight)
         << " flags " << play.flagsLeft << " bombs " << level.bombsCarried << " score " << play.score << " exit "
         << numberWord(level.exitCount) << " explode " << numberWord(level.explodeCount);
    return line.str();
}

std::string resultLine(const PlayOutcome& outcome) {
    char time[64];
    std::snprintf(time, sizeof time, "%.3f", outcome.time);
    return std::string("result ") + playResultName(outcome.result) + " score " + std::to_string(outcome.score) +
           " time " + time + " frames " + std::to_string(outcome.frames);
}

void loadGameFolder(const std::string& gameFolder) {
    std::string folder = gameFolder;
    if (folder.empty() || folder.back() != '/') folder += '/';
    setProgramFolder(folder);
    listLanguageFiles();
    if (!language.languageFiles.empty()) loadLanguage(language.languageFiles[1]);
    display.screenWidth = 1024;
    display.screenHeight = 768;
    textures = TextureState();
    catalogue = TextureCatalogue();
    setFrameDrawer(drawFrame);
    drawLayer.recording = true;
    loadTextures(drawFrame);
    drawLayer.calls.clear();
}

bool preparePlay(const std::string& gameFolder, const std::string& levelPath, std::string& error) {
    loadGameFolder(gameFolder);
    if (isLevelFile(levelPath)) {
        if (loadLevel(levelPath)) return true;
        error = levelPath + ": cannot be read as a level file";
        return false;
    }
    std::string text;
    if (!readTextFile(levelPath, text)) {
        error = levelPath + ": cannot be read";
        return false;
    }
    LevelFileData data;
    std::vector<TextProblem> problems;
    if (!levelFromText(text, data, problems)) {
        error = describeProblems(levelPath, problems);
        return false;
    }
    loadLevelData(data, levelPath);
    return true;
}
