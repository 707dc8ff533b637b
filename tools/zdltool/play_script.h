// Scripted play: the real play code driven headlessly by a script of inputs,
// for level designers (zdltool play), for the tests and for the shipped
// levels' solutions.
//
// A script is text, one instruction per line, "#" starting a comment:
//   N [KEY ...]        N frames holding the named keys (Up Down Left Right
//                      Jump Bomb Zoom), none for no key
//   press KEY          a buffered key press the next frame reads (Esc, m)
//   frame-time SECONDS the length of every following frame (at least the
//                      frame limiter's minimum, which is the default); one
//                      before the first frames also sets the step of the
//                      first frame's update
//   seed N             the random generator's seed (default 1)
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "level_text.h"

struct ScriptInstruction {
    enum Kind { Frames, Press, FrameTime, Seed } kind = Frames;
    int line = 0;                  // 1-based line of the script
    std::int64_t frames = 0;       // Frames: how many
    std::vector<int> heldKeys;     // Frames: set-1 scan codes held
    std::string key;               // Press: the key string
    double seconds = 0;            // FrameTime
    std::uint64_t seed = 0;        // Seed
};

// Reads a script; on mistakes returns false with the problems (line numbers
// of the script).
bool parsePlayScript(const std::string& text, std::vector<ScriptInstruction>& script,
                     std::vector<TextProblem>& problems);

enum class PlayResult { Finished, Quit, Lost, Unfinished };

const char* playResultName(PlayResult result);

// The result of a run that playLevel's loop ended with `levelResult` (-1
// finished through the exit, 0 otherwise): a quit when a key ended it.
PlayResult playResultOf(std::int32_t levelResult);

// Whether `path` names a level file (".zdl") rather than a level text.
bool isLevelFile(const std::string& path);

struct PlayOutcome {
    PlayResult result = PlayResult::Unfinished;
    std::int32_t score = 0;
    double time = 0;         // the level clock, seconds
    std::int64_t frames = 0;
};

// Runs the level that is loaded in the level model (with the texture table
// of its game folder loaded and a headless platform installed by the
// caller, and installed again at the end) through the script, then with no key held for up to
// `settleSeconds` of simulated time. `eachFrame`, when given, is called
// after every frame with the frame's number.
PlayOutcome runPlayScript(const std::vector<ScriptInstruction>& script, double settleSeconds,
                          const std::function<void(std::int64_t frame)>& eachFrame = {});

// The trace line of one frame: the ball and the play state after it.
std::string traceLine(std::int64_t frame);

// The last line `zdltool play` prints.
std::string resultLine(const PlayOutcome& outcome);

// Makes `gameFolder` the program folder and loads its first language and
// its texture packs, as the game does at start-up. Needs a headless platform
// installed.
void loadGameFolder(const std::string& gameFolder);

// Loads a game folder's texture packs and language, and the level file
// (".zdl") or level text (any other name) into the level model, as the game
// would before playing it. False with a message when the level cannot be
// read. Needs a headless platform installed.
bool preparePlay(const std::string& gameFolder, const std::string& levelPath, std::string& error);
