// The clips a scripted run asks for at its events, through the real play
// code and the game folder's texture packs: pickups, the exit, a fall and a
// hard landing each ask for theirs.
#include <gtest/gtest.h>

#include <algorithm>

#include "assets/audio.h"
#include "config/settings.h"
#include "platform/headless.h"
#include "play_script.h"
#include "support/headless_game.h"

namespace {

// A row of grass with a flag and the exit, ending at a drop into the sky.
const char* const Row = R"(title "Row"
timeLimit 60
zoom 0.5
background txtpckclassic sky
ball txtpckclassic ball 0 0
ballShadow txtpckclassic shadow 16 16
legend g txtpckclassic grass
legend f txtpckclassic flag
legend x txtpckclassic exit
grid groundTiles 0 0
|gggggg|
grid bombsAndFlags 128 0
|f|
grid exitsAndTraps 384 0
|x|
)";

class PlaySounds : public HeadlessGameTest {
protected:
    std::vector<int> clipsOf(const std::string& level, const std::string& script) {
        folder.write("level.txt", level);
        std::string error;
        EXPECT_TRUE(preparePlay(ZD_GAME_DIR, folder.path() + "level.txt", error)) << error;
        std::vector<ScriptInstruction> instructions;
        std::vector<TextProblem> problems;
        EXPECT_TRUE(parsePlayScript(script, instructions, problems));
        audio.recordRequests = true;
        audio.requests.clear();
        runPlayScript(instructions, 3);
        return audio.requests;
    }

    static bool has(const std::vector<int>& clips, int from, int to) {
        return std::any_of(clips.begin(), clips.end(), [&](int c) { return c >= from && c <= to; });
    }
};

TEST_F(PlaySounds, AFlagTheExitAndTheirVoices) {
    const std::vector<int> clips = clipsOf(Row, "60 Right\n");
    EXPECT_TRUE(has(clips, 16, 18));  // the start
    EXPECT_TRUE(has(clips, 1, 1));    // the flag
    EXPECT_TRUE(has(clips, 22, 24));  // the last flag's voice
    const auto exit = std::find(clips.begin(), clips.end(), 4);
    ASSERT_NE(exit, clips.end());
    ASSERT_NE(exit + 1, clips.end());
    EXPECT_TRUE(exit[1] >= 10 && exit[1] <= 15);
}

TEST_F(PlaySounds, AFallAndAHardLanding) {
    std::string noExit = Row;
    noExit.replace(noExit.find("grid exitsAndTraps"), std::string::npos, "");
    const std::vector<int> fall = clipsOf(noExit, "200 Right\n");
    const auto lose = std::find(fall.begin(), fall.end(), 5);
    ASSERT_NE(lose, fall.end());
    ASSERT_NE(lose + 1, fall.end());
    EXPECT_TRUE(lose[1] >= 19 && lose[1] <= 21);

    const std::vector<int> landing = clipsOf(noExit, "40 Jump\n");
    EXPECT_NE(std::find(landing.begin(), landing.end(), 0), landing.end());

    settings.soundEffectsOn = 0;
    settings.voicesOn = 0;
    EXPECT_TRUE(clipsOf(Row, "60 Right\n").empty());
}

}  // namespace
