// zdltool play: scripts of inputs driving the real play code on a small
// level built from the text form, with the game folder's texture packs.
#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"
#include "support/tool_run.h"

#ifdef ZD_TOOL

namespace {

// A corridor of grass, four tiles long: a flag on the second, the exit on
// the fourth, walls all round. Holding Right takes the flag then the exit.
const char* const Corridor = R"(title "Corridor"
timeLimit 60
zoom 0.5
background txtpckclassic sky
ball txtpckclassic ball 128 128
ballShadow txtpckclassic shadow 144 144
legend g txtpckclassic grass
legend h txtpckclassic hedge
legend f txtpckclassic flag
legend x txtpckclassic exit
grid walls 0 0
|hhhhhh|
|h....h|
|hhhhhh|
grid groundTiles 128 128
|gggg|
grid bombsAndFlags 256 128
|f|
grid exitsAndTraps 512 128
|x|
)";

class PlayCommand : public ::testing::Test {
protected:
    TempFolder folder;

    ToolRun play(const std::string& script, const std::string& options = "") {
        folder.write("corridor.txt", std::string(Corridor));
        folder.write("run.script", script);
        return runTool(folder, "play '" + folder.path() + "corridor.txt' --inputs '" + folder.path() +
                                   "run.script' --game '" ZD_GAME_DIR "' " + options);
    }

    static std::string lastLine(const std::string& output) {
        std::string text = output;
        while (!text.empty() && text.back() == '\n') text.pop_back();
        return text.substr(text.find_last_of('\n') + 1);
    }
};

TEST_F(PlayCommand, HoldingRightTakesTheFlagAndFinishesThroughTheExit) {
    const ToolRun run = play("# straight on\n120 Right\n");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string result = lastLine(run.output);
    EXPECT_EQ(result.rfind("result finished score ", 0), 0u) << result;
    // 100 for the flag plus the bonus of the seconds left of 60.
    const int score = std::stoi(result.substr(result.find("score ") + 6));
    EXPECT_GT(score, 100 + 500 * 55);
}

TEST_F(PlayCommand, EscQuitsAndAnEmptyScriptWithoutSettlingIsUnfinished) {
    EXPECT_EQ(lastLine(play("10\npress Esc\n5\n").output), "result quit score 0 time 0.167 frames 11");
    EXPECT_EQ(lastLine(play("30\n", "--settle 0").output).rfind("result unfinished score 0 ", 0), 0u);
}

TEST_F(PlayCommand, TraceLinesAreTheSameOnEveryRunAndFollowTheFrames) {
    const ToolRun first = play("seed 5\nframe-time 0.025\n40 Right Down\n", "--trace --settle 0");
    const ToolRun second = play("seed 5\nframe-time 0.025\n40 Right Down\n", "--trace --settle 0");
    ASSERT_EQ(first.status, 0) << first.output;
    EXPECT_EQ(first.output, second.output);
    // The clock is read at the start of a frame: 0 on the first, then one
    // frame time more each frame until the exit opens and stops it.
    EXPECT_EQ(first.output.rfind("frame 1 elapsed 0 x ", 0), 0u) << first.output.substr(0, 200);
    EXPECT_NE(first.output.find("\nframe 11 elapsed 0.25"), std::string::npos);
    EXPECT_NE(first.output.find(" flags 1 bombs 0 score "), std::string::npos);
}

// A frame-time line before the first frames sets the first frame's step
// too: from rest, Right held for one frame of 0.05 s gives the ball three
// times the speed one frame of the default 1/60 s gives it.
TEST_F(PlayCommand, ALeadingFrameTimeAppliesFromTheFirstFrame) {
    auto firstFrameVx = [&](const std::string& script) {
        const ToolRun run = play(script, "--trace --settle 0");
        EXPECT_EQ(run.status, 0) << run.output;
        const std::size_t at = run.output.find(" vx ");
        return at == std::string::npos ? 0.0 : std::stod(run.output.substr(at + 4));
    };
    const double shortFrame = firstFrameVx("1 Right\n");
    const double longFrame = firstFrameVx("# slower frames\nseed 2\nframe-time 0.05\n1 Right\n");
    ASSERT_GT(shortFrame, 0);
    EXPECT_NEAR(longFrame / shortFrame, 0.05 / 0.0167, 1e-9);
}

TEST_F(PlayCommand, ScriptMistakesAreReportedWithTheirLine) {
    const ToolRun run = play("10 Right\n\n# fine so far\n5 Sideways\nframe-time 0.001\nhop\n");
    EXPECT_EQ(run.status, 1);
    const std::string script = folder.path() + "run.script";
    EXPECT_NE(run.output.find(script + ":4: unknown key 'Sideways'"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(script + ":5: frame-time"), std::string::npos);
    EXPECT_NE(run.output.find(script + ":6: unknown instruction 'hop'"), std::string::npos);
    EXPECT_EQ(runTool(folder, "play '" + folder.path() + "none.txt'").status, 2);  // no --inputs
}

}  // namespace

#endif
