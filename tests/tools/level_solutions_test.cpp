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
    bool bonus = false;       // a bonus level, whose ball rises by itself
    int boardColumns = 0;     // the box round the level's ground tiles, in tiles
    int boardRows = 0;
    std::string problem;  // set when the level or its solution cannot be read
};

// The pack of large boards, each with two ways to the exit.
const char* const JourneyPack = "lvlpckjourney";

// Sets the run's board box from the ground tiles of the loaded level.
void measureBoard(SolutionRun& run) {
    if (level.groundTiles.empty()) return;
    double x0 = level.groundTiles[0].x, x1 = x0, y0 = level.groundTiles[0].y, y1 = y0;
    for (const LevelObject& tile : level.groundTiles) {
        x0 = std::min(x0, tile.x), x1 = std::max(x1, tile.x);
        y0 = std::min(y0, tile.y), y1 = std::max(y1, tile.y);
    }
    run.boardColumns = static_cast<int>((x1 - x0) / 128) + 1;
    run.boardRows = static_cast<int>((y1 - y0) / 128) + 1;
}

// The solution files that lie beside a level: "solution" for the way the
// level is meant to be played, "alt.solution" for a second way to the exit.
const char* const MainSolution = "solution";
const char* const OtherWay = "alt.solution";

std::string solutionFile(const std::string& pack, const std::string& levelName, const char* extension) {
    return LevelsFolder + pack + "/" + levelName.substr(0, levelName.size() - 3) + extension;
}

// Loads the level text with the game folder's pictures and plays its
// solution as zdltool play does.
SolutionRun playSolution(const std::string& pack, const std::string& levelName, bool fortyFrames = false,
                         const char* extension = MainSolution) {
    SolutionRun run;
    const std::string levelPath = LevelsFolder + pack + "/" + levelName;
    const std::string solutionPath = solutionFile(pack, levelName, extension);
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
    run.bonus = isBonusLevel();
    measureBoard(run);
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

    // Plays the given solution of every shipped level that has one and expects
    // each to finish in time; hands each finished run to checkRun and returns
    // how many were played.
    template <typename CheckRun>
    int expectEverySolutionFinishesInTime(const char* extension, bool fortyFrames, CheckRun checkRun) {
        int played = 0;
        for (const std::string& pack : packFolders())
            for (const std::string& name : levelTexts(pack)) {
                if (std::string(extension) != MainSolution && !fileExists(solutionFile(pack, name, extension))) continue;
                resetGameState();
                setPlatform(&headless);
                const SolutionRun run = playSolution(pack, name, fortyFrames, extension);
                const std::string where = pack + "/" + name + " with its " + extension +
                                          (fortyFrames ? " at 40 frames a second" : "");
                EXPECT_TRUE(run.problem.empty()) << where << ": " << run.problem;
                if (!run.problem.empty()) continue;
                EXPECT_EQ(run.outcome.result, PlayResult::Finished) << where << ": " << resultLine(run.outcome);
                EXPECT_GT(run.timeLimit, 0) << where << " has no time limit";
                EXPECT_LE(run.outcome.time, run.timeLimit) << where << ": " << resultLine(run.outcome);
                checkRun(pack, name, run);
                ++played;
            }
        return played;
    }
    int expectEverySolutionFinishesInTime(const char* extension, bool fortyFrames) {
        return expectEverySolutionFinishesInTime(extension, fortyFrames, [](auto&&...) {});
    }
};

}  // namespace

// Besides, the journey pack's levels are boards larger than the screen whose
// solutions take a minute to three; its bonus levels last a quarter of a
// minute at least. Checked on the same runs, as the long boards take a while.
TEST_F(LevelSolutionsTest, EveryShippedLevelIsFinishedInTimeByItsSolution) {
    int journeyLevels = 0, bonusLevels = 0;
    const auto checkJourneyLevel = [&](const std::string& pack, const std::string& name, const SolutionRun& run) {
        if (pack != JourneyPack || run.outcome.result != PlayResult::Finished) return;
        ++journeyLevels;
        if (run.bonus) {
            ++bonusLevels;
            EXPECT_GE(run.outcome.time, 15) << name;
            return;
        }
        EXPECT_GE(run.boardColumns, 20) << name;
        EXPECT_GE(run.boardRows, 20) << name;
        EXPECT_GE(run.outcome.time, 60) << name;
        EXPECT_LE(run.outcome.time, 180) << name;
    };
    EXPECT_GE(expectEverySolutionFinishesInTime(MainSolution, false, checkJourneyLevel), 30);
    EXPECT_GE(journeyLevels, 20);
    EXPECT_GE(bonusLevels, 3);
}

// A solution that only works at exactly 60 frames a second asks for
// frame-perfect play: every shipped solution must also finish at 40.
TEST_F(LevelSolutionsTest, EveryShippedLevelIsFinishedInTimeAtFortyFramesASecond) {
    EXPECT_GE(expectEverySolutionFinishesInTime(MainSolution, true), 30);
}

// A level with more than one way to the exit proves the other way passable
// too, at both frame rates; in a pack where any level has such a second
// solution, every level has one.
TEST_F(LevelSolutionsTest, EveryOtherWayToTheExitIsFinishedInTime) {
    for (const std::string& pack : packFolders()) {
        const std::vector<std::string> names = levelTexts(pack);
        const auto hasOther = [&](const std::string& name) { return fileExists(solutionFile(pack, name, OtherWay)); };
        if (std::none_of(names.begin(), names.end(), hasOther)) continue;
        for (const std::string& name : names) EXPECT_TRUE(hasOther(name)) << pack << "/" << name << " has no " << OtherWay;
    }
    EXPECT_GE(expectEverySolutionFinishesInTime(OtherWay, false), 20);
}

TEST_F(LevelSolutionsTest, EveryOtherWayToTheExitIsFinishedInTimeAtFortyFramesASecond) {
    EXPECT_GE(expectEverySolutionFinishesInTime(OtherWay, true), 20);
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
