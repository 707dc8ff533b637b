// Every shipped level is played headlessly with the solution that lies
// beside it: a level that its solution no longer finishes in time fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "level/level.h"
#include "platform/files.h"
#include "play/play.h"
#include "play_script.h"
#include "support/headless_game.h"

namespace {

const std::string LevelsFolder = ZD_SOURCE_DIR "/levels/";

std::vector<std::string> packFolders() {
    std::vector<std::string> packs = listFolder(LevelsFolder, "lvlpck*", EntryKind::Folders);
    std::sort(packs.begin(), packs.end());
    return packs;
}

std::vector<std::string> levelTexts(const std::string& pack) {
    std::vector<std::string> names = listFolder(LevelsFolder + pack + "/", "???.txt", EntryKind::Files);
    std::sort(names.begin(), names.end());
    return names;
}

// The same held-key durations at 40 frames a second: every frame lasts
// 0.025 s and frame counts shrink so that each line of the script lasts as
// long as before (the remainder carried on, a held key kept for at least one
// frame), as tools/levels/check_solutions.py plays them.
std::vector<ScriptInstruction> atFortyFramesASecond(const std::vector<ScriptInstruction>& script) {
    std::vector<ScriptInstruction> out;
    ScriptInstruction frameTime;
    frameTime.kind = ScriptInstruction::FrameTime;
    frameTime.seconds = 0.025;
    out.push_back(frameTime);
    double carry = 0;
    for (ScriptInstruction instruction : script) {
        if (instruction.kind == ScriptInstruction::Frames) {
            const double exact = static_cast<double>(instruction.frames) * 0.0167 / 0.025 + carry;
            std::int64_t frames = static_cast<std::int64_t>(std::nearbyint(exact));
            if (!instruction.heldKeys.empty()) frames = std::max<std::int64_t>(frames, 1);
            carry = exact - static_cast<double>(frames);
            instruction.frames = frames;
        }
        out.push_back(instruction);
    }
    return out;
}

struct SolutionRun {
    PlayOutcome outcome;
    double timeLimit = 0;
    std::string problem;  // set when the level or its solution cannot be read
};

// Loads the level text with the game folder's pictures and plays its
// solution as zdltool play does.
SolutionRun playSolution(const std::string& pack, const std::string& levelName, bool fortyFrames = false) {
    SolutionRun run;
    const std::string levelPath = LevelsFolder + pack + "/" + levelName;
    const std::string solutionPath = levelPath.substr(0, levelPath.size() - 3) + "solution";
    std::string scriptText;
    if (!readTextFile(solutionPath, scriptText)) {
        run.problem = solutionPath + " is missing";
        return run;
    }
    std::vector<ScriptInstruction> script;
    std::vector<TextProblem> problems;
    if (!parsePlayScript(scriptText, script, problems)) {
        run.problem = describeProblems(solutionPath, problems);
        return run;
    }
    if (!preparePlay(ZD_GAME_DIR, levelPath, run.problem)) return run;
    run.timeLimit = level.timeLimit;
    run.outcome = runPlayScript(fortyFrames ? atFortyFramesASecond(script) : script, 6.0);
    return run;
}

class LevelSolutionsTest : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        setPlatform(&headless);
        ::testing::internal::CaptureStderr();  // pictures a game folder without content cannot decode
    }
    void TearDown() override {
        ::testing::internal::GetCapturedStderr();
        HeadlessGameTest::TearDown();
    }
};

}  // namespace

TEST_F(LevelSolutionsTest, EveryShippedLevelIsFinishedInTimeByItsSolution) {
    int played = 0;
    for (const std::string& pack : packFolders())
        for (const std::string& name : levelTexts(pack)) {
            resetGameState();
            setPlatform(&headless);
            const SolutionRun run = playSolution(pack, name);
            const std::string where = pack + "/" + name;
            ASSERT_TRUE(run.problem.empty()) << where << ": " << run.problem;
            EXPECT_EQ(run.outcome.result, PlayResult::Finished) << where << ": " << resultLine(run.outcome);
            EXPECT_GT(run.timeLimit, 0) << where << " has no time limit";
            EXPECT_LE(run.outcome.time, run.timeLimit) << where << ": " << resultLine(run.outcome);
            ++played;
        }
    EXPECT_GE(played, 30);
}

// A solution that only works at exactly 60 frames a second asks for
// frame-perfect play: every shipped solution must also finish at 40.
TEST_F(LevelSolutionsTest, EveryShippedLevelIsFinishedInTimeAtFortyFramesASecond) {
    int played = 0;
    for (const std::string& pack : packFolders())
        for (const std::string& name : levelTexts(pack)) {
            resetGameState();
            setPlatform(&headless);
            const SolutionRun run = playSolution(pack, name, true);
            const std::string where = pack + "/" + name + " at 40 frames a second";
            ASSERT_TRUE(run.problem.empty()) << where << ": " << run.problem;
            EXPECT_EQ(run.outcome.result, PlayResult::Finished) << where << ": " << resultLine(run.outcome);
            EXPECT_LE(run.outcome.time, run.timeLimit) << where << ": " << resultLine(run.outcome);
            ++played;
        }
    EXPECT_GE(played, 30);
}

// The main pack in order, one level after the other in one process, with the
// scores added up as the level screen does.
TEST_F(LevelSolutionsTest, TheMainPackPlaysThroughInOrder) {
    const std::vector<std::string> names = levelTexts("lvlpckzindrop");
    ASSERT_GE(names.size(), 30u);
    std::int64_t total = 0;
    for (const std::string& name : names) {
        resetGameState();
        setPlatform(&headless);
        play.score = 0;  // as the level screen does before every level
        play.shownScore = 0;
        const SolutionRun run = playSolution("lvlpckzindrop", name);
        ASSERT_TRUE(run.problem.empty()) << name << ": " << run.problem;
        ASSERT_EQ(run.outcome.result, PlayResult::Finished) << name << ": " << resultLine(run.outcome);
        EXPECT_GT(run.outcome.score, 0) << name;
        total += run.outcome.score;
    }
    EXPECT_GT(total, 0);
}
