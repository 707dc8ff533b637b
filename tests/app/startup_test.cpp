#include <gtest/gtest.h>

#include <algorithm>

#include "app/app.h"
#include "assets/audio.h"
#include "base/bytes.h"
#include "config/dialog.h"
#include "config/language.h"
#include "config/settings.h"
#include "gfx/display.h"
#include "gfx/draw_layer.h"
#include "gfx/frame.h"
#include "gfx/png_samples.h"
#include "level/level_file.h"
#include "platform/keys.h"
#include "platform/text_screen.h"
#include "support/headless_game.h"

namespace {

// What the scripted input saw while the program ran: the loop after the
// logo is recognised by the logo being gone (dialogId no longer -1).
struct Script {
    double logoEndedAt = -1;    // virtual time of the first yield after the logo
    int framesBeforeBoard = 0;  // frames presented until then
    bool escPushed = false;
    double stallWhileLoading = 0;  // seconds the loading takes (added once)
} script;

void followScript(HeadlessPlatform& system) {
    if (renderer.loadingCaption != 0 && script.stallWhileLoading > 0) {
        system.clock += script.stallWhileLoading;
        script.stallWhileLoading = 0;
    }
    if (renderer.loadingCaption != 0 || dialog.dialogId == -1) return;
    if (script.logoEndedAt < 0) {
        script.logoEndedAt = system.clock;
        script.framesBeforeBoard = system.swapCount;
    }
    // Two frames of the board, then Esc ends the program after the third.
    if (system.swapCount - script.framesBeforeBoard == 2 && !script.escPushed) {
        system.keyQueue.push_back(KeyEsc);
        script.escPushed = true;
    }
}

}  // namespace

class StartupTest : public HeadlessGameTest {
protected:
    // Runs the program until it ends and returns its exit status.
    int runProgram() {
        try {
            runGame(folder.path());
        } catch (const HeadlessExit& exit) {
            return exit.status;
        }
        return -1;
    }
    // Lets the program run past the logo and ends it with Esc on the board.
    void endOnTheBoard() {
        script = Script();
        headless.onSleep = followScript;
    }
    // A texture pack with a background, a ball and a shadow, and a level of
    // the first pack that uses them: start-up loads it without a message, so
    // the logo phase runs.
    void writeLoadableLevel() {
        const Bytes pixel = PngBuilder().header(1, 1, 8, 6).data({0, 40, 80, 120, 255}).end().bytes();
        folder.write("txtpckplain/backrrsky00.png", pixel);
        folder.write("txtpckplain/ballccred00.png", pixel);
        folder.write("txtpckplain/blshccsoft00.png", pixel);
        LevelFileData data;
        data.background = {"txtpckplain", "sky", 0, 0, 0, 0};
        data.ball = {"txtpckplain", "red", 0, 0, 256, 128};
        data.ballShadow = {"txtpckplain", "soft", 0, 0, 272, 144};
        folder.write("lvlpckzindrop/001.zdl", encodeLevelFile(data));
    }
    void writeSettings(std::int32_t width, std::int32_t height) {
        Settings wanted;
        wanted.chosenWidth = width;
        wanted.chosenHeight = height;
        folder.write("settings.dat", encodeSettings(wanted));
    }
};

// Every line of an error screen fits the 40 columns of its grid.
void expectLinesFit(const std::vector<TextLine>& lines, int row) {
    EXPECT_LE(row - 1 + static_cast<int>(lines.size()), TextRows);
    for (const TextLine& line : lines) EXPECT_LE(line.text.size(), static_cast<std::size_t>(TextColumns)) << line.text;
}

TEST_F(StartupTest, NoLanguageFileShowsScreenAAndOpensNothing) {
    headless.keyQueue.push_back(KeyEsc);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_FALSE(headless.windowOpen);
    EXPECT_EQ(headless.textScreenRow, 9);
    const std::vector<TextLine>& lines = headless.textScreen;
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[0].colour, 12);
    EXPECT_EQ(lines[0].text, "Error: no language-files found!");
    EXPECT_EQ(lines[1].text, "Please redownload Zindrop 7:");
    EXPECT_EQ(lines[3].text, "Surf to:");
    EXPECT_EQ(lines.back().text, "Press any key to quit.");
    // It says which files are missing and the folder where they must lie.
    std::string all;
    for (const TextLine& line : lines) all += line.text + "\n";
    EXPECT_NE(all.find("english.str"), std::string::npos) << all;
    EXPECT_NE(all.find("install"), std::string::npos) << all;
    EXPECT_NE(all.find(folder.path()), std::string::npos) << all;
    expectLinesFit(lines, 9);
    EXPECT_FALSE(fileExists(folder.path() + "settings.dat"));
}

TEST_F(StartupTest, ScreenLinesCutALongFolderAndKeepItsEnd) {
    EXPECT_EQ(screenLines("/home/ann/", 3), std::vector<std::string>{"/home/ann/"});
    const std::string deep = "/home/" + std::string(70, 'x') + "/games/zindrop7/";
    const std::vector<std::string> two = screenLines(deep, 2);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].substr(0, 3), "...");
    EXPECT_EQ(two[0].size(), 40u);
    EXPECT_EQ(two[1].substr(two[1].size() - 16), "/games/zindrop7/");
    EXPECT_EQ(two[0].substr(3) + two[1], deep.substr(deep.size() - 77));
    EXPECT_EQ(screenLines(std::string(80, 'y'), 2).size(), 2u);  // exactly two lines: nothing cut
    EXPECT_EQ(screenLines(std::string(80, 'y'), 2)[0], std::string(40, 'y'));
}

TEST_F(StartupTest, NoLargeEnoughModeShowsScreenBWithTheLargestModeOffered) {
    folder.write("english.str", "Zindrop 7\n");
    headless.modes = {{320, 240}, {800, 400}, {640, 400}};
    EXPECT_EQ(runProgram(), 0);
    EXPECT_FALSE(headless.windowOpen);
    EXPECT_EQ(headless.textScreenRow, 8);
    const std::vector<TextLine>& lines = headless.textScreen;
    ASSERT_GE(lines.size(), 10u);
    EXPECT_EQ(lines[0].text, " Zindrop 7");
    EXPECT_EQ(lines[1].text, " ---------");
    EXPECT_EQ(lines[4].text, " least 640 x 480 and 32 bit color.");
    EXPECT_EQ(lines[6].colour, 12);
    EXPECT_EQ(lines[9].text, " The largest it offers is 800 x 400.");
    EXPECT_EQ(lines.back().text, " Press any key to quit.");
    expectLinesFit(lines, 8);

    headless.modes.clear();
    EXPECT_EQ(runProgram(), 0);
    ASSERT_GE(headless.textScreen.size(), 10u);
    EXPECT_EQ(headless.textScreen[9].text, " It offers no mode with 32 bit color.");
}

TEST_F(StartupTest, UnavailableModeFallsBackToTheFirstAndIsSavedAtQuit) {
    folder.write("english.str", "Zindrop 7\n");
    writeSettings(1280, 1024);
    headless.modes = {{800, 600}, {1024, 768}};
    endOnTheBoard();
    EXPECT_EQ(runProgram(), 0);
    EXPECT_TRUE(headless.windowOpen);
    EXPECT_EQ(headless.windowWidth, 800);
    EXPECT_EQ(headless.windowHeight, 600);
    EXPECT_EQ(headless.windowTitle, "Zindrop 7");
    Settings saved;
    decodeSettings(folder.read("settings.dat"), saved);
    EXPECT_EQ(saved.chosenWidth, 800);
    EXPECT_EQ(saved.chosenHeight, 600);
}

TEST_F(StartupTest, AvailableModeIsUsedAndTheWindowGetsTheFixedState) {
    folder.write("english.str", "Zindrop 7\n");
    writeSettings(1024, 768);
    headless.keyQueue.push_back(KeyClose);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(headless.windowWidth, 1024);
    ASSERT_FALSE(drawLayer.calls.empty());
    EXPECT_EQ(drawLayer.calls[0].op, DrawOp::FixedState);
    EXPECT_EQ(drawLayer.calls[0].a[0], 1024);
    EXPECT_EQ(drawLayer.calls[0].a[1], 768);
}

TEST_F(StartupTest, ModesAreFilteredButNeverSortedOrDeduplicated) {
    headless.modes = {{1024, 768}, {640, 480}, {1024, 768}, {639, 480}, {800, 479}};
    listScreenModes();
    ASSERT_EQ(display.screenModeWidths.count(), 3);
    EXPECT_EQ(display.screenModeWidths[1], 1024);
    EXPECT_EQ(display.screenModeWidths[2], 640);
    EXPECT_EQ(display.screenModeWidths[3], 1024);
    EXPECT_EQ(display.screenModeHeights[3], 768);
}

TEST_F(StartupTest, ConfiguredLanguageThatIsGoneIsReplacedAndSaved) {
    folder.write("english.str", "English title\n");
    Settings wanted;
    wanted.languageFile = "klingon.str";
    folder.write("settings.dat", encodeSettings(wanted));
    endOnTheBoard();
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(headless.windowTitle, "English title");
    Settings saved;
    decodeSettings(folder.read("settings.dat"), saved);
    EXPECT_EQ(saved.languageFile, "english.str");
}

TEST_F(StartupTest, AKeyEndsTheLogoAndIsDropped) {
    folder.write("english.str", "Zindrop 7\n");
    writeLoadableLevel();
    endOnTheBoard();
    // Esc during the logo ends the logo only: the board loop, which would
    // quit on it, never sees it.
    headless.keyQueue.push_back(KeyEsc);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(headless.swapCount - script.framesBeforeBoard, 3);
    EXPECT_LT(script.logoEndedAt, 0.1);
    // One frame while loading, one of the logo phase.
    EXPECT_EQ(script.framesBeforeBoard, 2);
}

TEST_F(StartupTest, AClickOutsideTheWindowDoesNotEndTheLogo) {
    folder.write("english.str", "Zindrop 7\n");
    writeLoadableLevel();
    endOnTheBoard();
    headless.mouseState = {-1, -1, 1};
    EXPECT_EQ(runProgram(), 0);
    // The 2 seconds run out instead.
    EXPECT_GE(script.logoEndedAt, 2.0);
    EXPECT_LT(script.logoEndedAt, 2.1);
}

TEST_F(StartupTest, AClickInsideTheWindowEndsTheLogo) {
    folder.write("english.str", "Zindrop 7\n");
    writeLoadableLevel();
    endOnTheBoard();
    headless.mouseState = {10, 10, 1};
    EXPECT_EQ(runProgram(), 0);
    EXPECT_LT(script.logoEndedAt, 0.1);
}

TEST_F(StartupTest, ASlowStartDrawsOneMoreLogoFrameOnly) {
    folder.write("english.str", "Zindrop 7\n");
    writeLoadableLevel();
    endOnTheBoard();
    script.stallWhileLoading = 3.0;
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(script.framesBeforeBoard, 2);
}

TEST_F(StartupTest, ClosingTheWindowDuringTheLogoQuits) {
    folder.write("english.str", "Zindrop 7\n");
    writeLoadableLevel();
    endOnTheBoard();
    headless.keyQueue.push_back(KeyClose);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_LT(script.logoEndedAt, 0);
    EXPECT_TRUE(fileExists(folder.path() + "settings.dat"));
}

TEST_F(StartupTest, TheSessionsEndDuringTheLogoQuits) {
    folder.write("english.str", "Zindrop 7\n");
    writeLoadableLevel();
    endOnTheBoard();
    headless.sessionEnding = true;
    EXPECT_EQ(runProgram(), 0);
    EXPECT_LT(script.logoEndedAt, 0);
    EXPECT_TRUE(fileExists(folder.path() + "settings.dat"));
}

// Past the logo, on the board the program shows without a front end.
TEST_F(StartupTest, TheSessionsEndOnTheBoardQuits) {
    folder.write("english.str", "Zindrop 7\n");
    writeLoadableLevel();
    headless.onSleep = [](HeadlessPlatform& system) {
        if (renderer.loadingCaption == 0 && dialog.dialogId != -1) system.sessionEnding = true;
    };
    EXPECT_EQ(runProgram(), 0);
    EXPECT_TRUE(fileExists(folder.path() + "settings.dat"));
}

TEST_F(StartupTest, ABackgroundLevelThatCannotLoadTakesThePlaceOfTheLogo) {
    folder.write("english.str", "Zindrop 7\n");
    endOnTheBoard();
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(dialog.dialogId, 1);  // the loader's message
    EXPECT_EQ(script.framesBeforeBoard, 1);  // only the frame drawn while loading
}

TEST_F(StartupTest, SoundStartsWithTheJingleAndTheLevelsTrackAndClosesAtQuit) {
    folder.write("english.str", "Zindrop 7\n");
    folder.write("tavisk.ogg", "clip");
    folder.write("audio/calm.ogg", "music");
    folder.write("audio/level.ogg", "music");
    writeLoadableLevel();
    LevelFileData data;
    Bytes stored;
    ASSERT_TRUE(readFile(folder.path() + "lvlpckzindrop/001.zdl", stored));
    ASSERT_TRUE(decodeLevelFile(stored, data));
    data.musicName = "level.ogg";
    folder.write("lvlpckzindrop/001.zdl", encodeLevelFile(data));
    endOnTheBoard();
    EXPECT_EQ(runProgram(), 0);

    const auto& calls = mixerLayer.calls;
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().op, MixOp::OpenDevice);
    EXPECT_EQ(calls.back().op, MixOp::CloseDevice);
    auto played = std::find_if(calls.begin(), calls.end(),
                               [](const MixCall& call) { return call.op == MixOp::PlayClip; });
    ASSERT_NE(played, calls.end());
    EXPECT_EQ(played->path, folder.path() + "tavisk.ogg");
    auto track = std::find_if(calls.begin(), calls.end(),
                              [](const MixCall& call) { return call.op == MixOp::LoadMusic; });
    ASSERT_NE(track, calls.end());
    EXPECT_EQ(track->path, folder.path() + "audio/level.ogg");
    EXPECT_GT(track - calls.begin(), played - calls.begin());
}

TEST_F(StartupTest, WithoutASoundDeviceTheSoundSwitchesAreSavedAsTheyWere) {
    folder.write("english.str", "Zindrop 7\n");
    Settings wanted;
    wanted.musicOn = 0;
    folder.write("settings.dat", encodeSettings(wanted));
    mixerLayer.deviceMissing = true;
    headless.keyQueue.push_back(KeyClose);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_TRUE(mixerLayer.calls.empty());
    Settings saved;
    decodeSettings(folder.read("settings.dat"), saved);
    EXPECT_EQ(saved.soundEffectsOn, -1);
    EXPECT_EQ(saved.musicOn, 0);
    EXPECT_EQ(saved.voicesOn, -1);
}
