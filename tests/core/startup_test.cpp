#include <gtest/gtest.h>

#include "core/app.h"
#include "core/bytes.h"
#include "core/language.h"
#include "core/settings.h"
#include "gfx/draw_layer.h"
#include "platform/keys.h"
#include "support/headless_game.h"

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
    void writeSettings(std::int32_t width, std::int32_t height) {
        Settings wanted;
        wanted.chosenWidth = width;
        wanted.chosenHeight = height;
        folder.write("settings.dat", encodeSettings(wanted));
    }
};

TEST_F(StartupTest, NoLanguageFileShowsScreenAAndOpensNothing) {
    headless.keyQueue.push_back(KeyEsc);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_FALSE(headless.windowOpen);
    EXPECT_EQ(headless.textScreenRow, 9);
    ASSERT_EQ(headless.textScreen.size(), 8u);
    EXPECT_EQ(headless.textScreen[0].colour, 12);
    EXPECT_EQ(headless.textScreen[0].text, "Error: no language-files found!");
    EXPECT_EQ(headless.textScreen[7].text, "Press any key to quit.");
    EXPECT_FALSE(fileExists(folder.path() + "settings.dat"));
}

TEST_F(StartupTest, NoLargeEnoughModeShowsScreenB) {
    folder.write("english.str", "Zindrop 7\n");
    headless.modes = {{640, 400}, {320, 240}};
    EXPECT_EQ(runProgram(), 0);
    EXPECT_FALSE(headless.windowOpen);
    EXPECT_EQ(headless.textScreenRow, 8);
    ASSERT_EQ(headless.textScreen.size(), 10u);
    EXPECT_EQ(headless.textScreen[0].text, " Zindrop 7");
    EXPECT_EQ(headless.textScreen[1].text, " ---------");
    EXPECT_EQ(headless.textScreen[4].text, " least 640 x 480 and 32 bit color.");
    EXPECT_EQ(headless.textScreen[6].colour, 12);
}

TEST_F(StartupTest, UnavailableModeFallsBackToTheFirstAndIsSavedAtQuit) {
    folder.write("english.str", "Zindrop 7\n");
    writeSettings(1280, 1024);
    headless.modes = {{800, 600}, {1024, 768}};
    headless.keyQueue.push_back(KeyEsc);
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
    ASSERT_EQ(app.screenModeWidths.count(), 3);
    EXPECT_EQ(app.screenModeWidths[1], 1024);
    EXPECT_EQ(app.screenModeWidths[2], 640);
    EXPECT_EQ(app.screenModeWidths[3], 1024);
    EXPECT_EQ(app.screenModeHeights[3], 768);
}

TEST_F(StartupTest, ConfiguredLanguageThatIsGoneIsReplacedAndSaved) {
    folder.write("english.str", "English title\n");
    Settings wanted;
    wanted.languageFile = "klingon.str";
    folder.write("settings.dat", encodeSettings(wanted));
    headless.keyQueue.push_back(KeyEsc);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(headless.windowTitle, "English title");
    Settings saved;
    decodeSettings(folder.read("settings.dat"), saved);
    EXPECT_EQ(saved.languageFile, "english.str");
}
