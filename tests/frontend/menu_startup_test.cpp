#include <gtest/gtest.h>

#include "app/app.h"
#include "config/dialog.h"
#include "config/settings.h"
#include "frontend/menus.h"
#include "gfx/draw_layer.h"
#include "gfx/frame.h"
#include "platform/keys.h"
#include "progress/profiles.h"
#include "support/headless_game.h"

namespace {

int firstScreen = 0;

// Once the menus show, notes their screen and leaves through the window's
// close request and the quit question.
void quitFromTheMenus(HeadlessPlatform& system) {
    if (renderer.menuVisible == 0 || firstScreen != 0) return;
    firstScreen = menu.menuScreen;
    system.keyQueue.push_back(KeyClose);
    system.keyQueue.push_back(KeyEnter);
}

class MenuStartupTest : public HeadlessGameTest {
protected:
    // Runs the program as a fresh start would, from its folder's files.
    int runProgram() {
        resetGameState();
        drawLayer.recording = true;
        firstScreen = 0;
        headless.onSleep = quitFromTheMenus;
        try {
            runGame(folder.path(), menuFrontEnd());
        } catch (const HeadlessExit& exit) {
            return exit.status;
        }
        return -1;
    }
};

TEST_F(MenuStartupTest, AFirstStartOpensTheLanguagesAndTheNextTheTitle) {
    folder.write("english.str", "Zindrop 7\n");
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(firstScreen, 3);
    ASSERT_TRUE(fileExists(folder.path() + "settings.dat"));
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(firstScreen, 21);
}

TEST_F(MenuStartupTest, TheProfileInUseIsLoweredToTheProfilesThereAre) {
    folder.write("english.str", "Zindrop 7\n");
    folder.write("anna.alp", "lvlpckzindrop\r\n");
    folder.write("bob.alp", "");
    Settings wanted;
    wanted.currentProfile = 5;
    folder.write("settings.dat", encodeSettings(wanted));
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(profileState.profiles.count(), 2);
    Settings saved;
    decodeSettings(folder.read("settings.dat"), saved);
    EXPECT_EQ(saved.currentProfile, 2);
}

}  // namespace
