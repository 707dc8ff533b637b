// zdltool play --replay: a run recorded in the game's way, played back by the
// built tool on the shipped level it was recorded on.
#include <gtest/gtest.h>

#include <string>

#include "level/level_packs.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/keys.h"
#include "play/play.h"
#include "play/replay.h"
#include "play_script.h"
#include "support/headless_game.h"
#include "support/tool_run.h"

#ifdef ZD_TOOL

namespace {

const std::string GameFolder = ZD_GAME_DIR "/";
const std::string FirstLevel = GameFolder + "lvlpckzindrop/001.zdl";

// Rolls down and right for a while, jumps, then presses Esc.
void player(HeadlessPlatform& h) {
    const double t = h.clock - 50;
    h.heldKeys.clear();
    if (t < 1.5) h.heldKeys.insert(ScanRight);
    if (t > 1.0 && t < 2.5) h.heldKeys.insert(ScanDown);
    if (t > 2.0 && t < 2.05) h.heldKeys.insert(ScanCtrl);
    if (t > 4 && h.keyQueue.empty()) h.keyQueue.push_back(KeyEsc);
}

class PlayReplayCommand : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        if (!fileExists(FirstLevel)) GTEST_SKIP() << "the game's levels are not built";
        record = folder.path() + "run.zrp";
        std::string error;
        ASSERT_TRUE(preparePlay(GameFolder, FirstLevel, error)) << error;
        // Level 1 of the shipped pack is current, as when the game plays it.
        packs.levelPacks.clear();
        packs.levelPacks.append("lvlpckzindrop");
        packs.currentPack = 1;
        packs.currentLevel = 1;
        setPlatform(&headless);
        headless.clock = 50;
        headless.onSleep = player;
        recordRunsTo(record);
        const int swaps = headless.swapCount;
        const std::int32_t result = playLevel();
        recordRunsTo("");
        PlayOutcome outcome;
        outcome.result = result == -1 ? PlayResult::Finished
                         : play.endedByKey != 0 ? PlayResult::Quit
                                                : PlayResult::Lost;
        outcome.score = play.score;
        outcome.time = play.elapsed;
        outcome.frames = headless.swapCount - swaps;
        expectedLine = resultLine(outcome) + "\n";
    }

    std::string record;
    std::string expectedLine;
};

TEST_F(PlayReplayCommand, PrintsTheRecordedRunsResult) {
    ASSERT_TRUE(fileExists(record));
    EXPECT_NE(expectedLine.find("result quit"), std::string::npos) << expectedLine;
    const ToolRun run = runTool(folder, "play '" + FirstLevel + "' --replay '" + record +
                                            "' --game '" + GameFolder + "'");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, expectedLine);

    const ToolRun traced = runTool(folder, "play '" + FirstLevel + "' --replay '" + record +
                                               "' --game '" + GameFolder + "' --trace");
    EXPECT_EQ(traced.status, 0);
    EXPECT_EQ(traced.output.rfind("frame 1 elapsed ", 0), 0u);
}

TEST_F(PlayReplayCommand, RefusesDamagedRecordsAndOtherLevels) {
    Bytes bytes;
    ASSERT_TRUE(readFile(record, bytes));
    bytes.resize(bytes.size() - 1);
    folder.write("cut.zrp", bytes);
    ToolRun run = runTool(folder, "play '" + FirstLevel + "' --replay '" + folder.path() +
                                      "cut.zrp' --game '" + GameFolder + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, folder.path() + "cut.zrp: the replay file is damaged: it ends early\n");

    const std::string second = GameFolder + "lvlpckzindrop/002.zdl";
    run = runTool(folder, "play '" + second + "' --replay '" + record + "' --game '" + GameFolder + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output,
              second + ": not the level file the run was recorded on (level 1 of lvlpckzindrop)\n");
}

}  // namespace

#endif
