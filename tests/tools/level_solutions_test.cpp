// Every shipped level is played headlessly with the solution that lies
// beside it: a level that its solution no longer finishes in time fails here.
#include <gtest/gtest.h>

#include <algorithm>

#include "level/level.h"
#include "platform/files.h"
#include "gfx/hud.h"
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

struct SolutionRun {
    PlayOutcome outcome;
    double timeLimit = 0;
    std::string problem;  // set when the level or its solution cannot be read
};

// Loads the level text with the game folder's pictures and plays its
// solution as zdltool play does.
SolutionRun playSolution(const std::string& pack, const std::string& levelName) {
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
    run.outcome = runPlayScript(script, 6.0);
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
        hud.shownScore = 0;
        const SolutionRun run = playSolution("lvlpckzindrop", name);
        ASSERT_TRUE(run.problem.empty()) << name << ": " << run.problem;
        ASSERT_EQ(run.outcome.result, PlayResult::Finished) << name << ": " << resultLine(run.outcome);
        EXPECT_GT(run.outcome.score, 0) << name;
        total += run.outcome.score;
    }
    EXPECT_GT(total, 0);
}
