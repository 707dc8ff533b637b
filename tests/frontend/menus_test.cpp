#include <gtest/gtest.h>

#include "assets/texture_catalogue.h"
#include "config/dialog.h"
#include "config/language.h"
#include "config/settings.h"
#include "frontend/menu_fixture.h"
#include "gfx/display.h"
#include "gfx/draw_layer.h"
#include "gfx/frame.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "platform/files.h"
#include "platform/keys.h"
#include "progress/profiles.h"
#include "support/drawn_quads.h"
#include "support/level_bytes.h"

namespace {

// --- The loop: navigation, skipping, time-outs, the mouse ----------------

TEST_F(MenuTest, AFirstRunStartsOnTheLanguagesAndLaterRunsOnTheTitle) {
    EXPECT_EQ(menu.menuScreen, 21);
    settings.firstStart = true;
    startMenus();
    EXPECT_EQ(menu.menuScreen, 3);
    EXPECT_EQ(menu.menuSelection, 1);
    EXPECT_EQ(renderer.menuVisible, -1);
}

TEST_F(MenuTest, ArrowsWrapAndPassOverLabelsInTheirDirection) {
    goToScreen(2, 2);  // options: a label, then four choices
    press(KeyUp);
    EXPECT_EQ(menu.menuSelection, 5);  // up from the first choice wraps past the label
    press(KeyDown);
    EXPECT_EQ(menu.menuSelection, 2);  // down from the last wraps and skips the label
    press(KeyHome);
    EXPECT_EQ(menu.menuSelection, 2);  // Home lands on the label, the skip goes down
    press(KeyEnd);
    EXPECT_EQ(menu.menuSelection, 5);

    goToScreen(7, 3);  // quit question: "_", label, yes, no
    press(KeyUp);
    EXPECT_EQ(menu.menuSelection, 4);  // past the label and the empty line, round to "no"
}

TEST_F(MenuTest, AScreenEnteredOnALineThatCannotBeSelectedMovesOff) {
    // The help page starts on its fifth empty line: one up (still empty),
    // then downwards to "Back".
    goToScreen(6, 2);
    press(KeyEnter);
    EXPECT_EQ(menu.menuScreen, 10);
    EXPECT_EQ(menu.menuSelection, 5);
    idle();
    EXPECT_EQ(menu.menuSelection, 6);

    // The title page has no items: the move up ends on item 0, which is empty.
    goToScreen(21, 1);
    menu.menuItems[1] = "Language:";
    idle();
    EXPECT_EQ(menu.menuSelection, 0);
    EXPECT_EQ(menu.menuScreen, 21);
}

TEST_F(MenuTest, TheSkipRuleCannotHangOnAListWithoutChoices) {
    goToScreen(21, 1);
    menu.menuItemCount = 0;
    menu.menuItems[1] = "_";
    skipUnselectable(KeyDown);  // returns although nothing on the way can be selected
    EXPECT_EQ(menu.menuSelection, 1);
}

TEST_F(MenuTest, MTogglesTheMusicAndSpaceActivatesExceptInTheNameEntry) {
    goToScreen(1, 2);
    press("m");
    EXPECT_EQ(settings.musicOn, 0);
    EXPECT_EQ(menu.menuScreen, 1);
    press("M");
    EXPECT_EQ(settings.musicOn, -1);
    press(KeySpace);
    EXPECT_EQ(menu.menuScreen, 6);  // the information menu

    goToScreen(15, 4);
    menu.menuItems[4] = "|";
    press("m");
    press(KeySpace);
    press("M");
    EXPECT_EQ(settings.musicOn, -1);
    EXPECT_EQ(item(4), "m M|");
    EXPECT_EQ(menu.menuScreen, 15);
}

TEST_F(MenuTest, TimeOutsMoveOnlyTheTitlePages) {
    goToScreen(1, 1);
    idle();
    EXPECT_TRUE(menu.timedOut);
    EXPECT_EQ(menu.menuScreen, 1);
    goToScreen(8, 6);
    idle();
    EXPECT_EQ(menu.menuScreen, 8);

    goToScreen(21, 0);
    const int expected[] = {22, 23, 24, 25, 21};
    for (int next : expected) {
        idle();
        EXPECT_EQ(menu.menuScreen, next);
    }
    press("x");
    EXPECT_EQ(menu.menuScreen, 1);
    EXPECT_EQ(menu.menuSelection, 1);
}

TEST_F(MenuTest, TheTitlePagesNameRolesAndSelectTheirLastLine) {
    goToScreen(21, 0);
    idle();
    EXPECT_EQ(menu.menuScreen, 22);
    runMenuPass();  // set up, then the next time-out
    EXPECT_EQ(item(1), "DEVELOPER:");
    EXPECT_EQ(item(6), "OK");
    EXPECT_EQ(menu.menuItemCount, 6);
}

TEST_F(MenuTest, AClickOnAnItemActivatesItAndAClickBesideItemsOnlyTurnsPages) {
    goToScreen(1, 1);
    clickAt(512, itemY(4));
    EXPECT_EQ(menu.menuScreen, 2);  // options
    EXPECT_EQ(menu.menuSelection, 2);

    goToScreen(1, 1);
    clickAt(5, 5);  // outside every item: nothing on a menu
    EXPECT_EQ(menu.key, "mouseclick");
    EXPECT_EQ(menu.menuScreen, 1);

    goToScreen(8, 6);
    clickAt(5, 5);  // the same click turns a page
    EXPECT_EQ(menu.menuScreen, 6);
    EXPECT_EQ(menu.menuSelection, 4);

    goToScreen(15, 4);
    menu.menuItems[4] = "a|";
    clickAt(5, 5);  // never a click on the name entry: the pass ends on its time-out
    EXPECT_NE(menu.key, "mouseclick");
    EXPECT_EQ(menu.menuScreen, 15);
}

TEST_F(MenuTest, ClosingTheWindowAsksTheQuitQuestionFromAnyScreen) {
    const int screens[] = {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 15, 16, -16, 18, 21, 22, 23, 24, 25, 26};
    LevelFileData background;
    background.levelName = "menu background";
    folder.write("menubackground.zdl", encodeLevelFile(background));
    for (int screen : screens) {
        goToScreen(screen, 1);
        menu.menuItems[4] = "|";
        level.levelName = "another level";
        frameClock.targetZoom = 0.25;
        press(KeyClose);
        EXPECT_EQ(menu.menuScreen, 7) << "from screen " << screen;
        EXPECT_EQ(menu.menuSelection, 3) << "from screen " << screen;
        EXPECT_EQ(level.levelName, "menu background");
        EXPECT_EQ(frameClock.targetZoom, 1.0);
    }
    press(KeyEsc);
    EXPECT_EQ(menu.menuScreen, 1);
    EXPECT_EQ(menu.menuSelection, 5);
}

TEST_F(MenuTest, QuittingSavesTheSettingsAndEndsTheProgram) {
    goToScreen(1, 5);
    press(KeyEnter);
    EXPECT_EQ(menu.menuScreen, 7);
    EXPECT_EQ(menu.menuSelection, 3);
    try {
        press(KeyEnter);
        FAIL() << "the quit question did not end the program";
    } catch (const HeadlessExit& exit) {
        EXPECT_EQ(exit.status, 0);
    }
    EXPECT_TRUE(fileExists(folder.path() + "settings.dat"));
}

// --- Options ---------------------------------------------------------------

TEST_F(MenuTest, ALanguageChosenTakesEffectAtOnce) {
    settings.firstStart = true;
    startMenus();
    press(KeyHome);  // settles on deutsch
    EXPECT_EQ(item(2), "deutsch.");
    EXPECT_EQ(item(3), "english.");
    EXPECT_EQ(item(4), "_");
    press(KeyEnter);
    EXPECT_EQ(settings.languageFile, "deutsch.str");
    EXPECT_FALSE(settings.firstStart);
    EXPECT_EQ(menu.menuScreen, 21);
    EXPECT_EQ(str(101), "Spielen");
    EXPECT_EQ(headless.windowTitle, str(1));

    // From the options, the choice opens on the language in use.
    goToScreen(2, 2);
    press(KeyEnter);
    EXPECT_EQ(menu.menuScreen, 3);
    EXPECT_EQ(menu.menuSelection, 2);
    press(KeyEsc);  // leaving reloads the same language
    EXPECT_EQ(menu.menuScreen, 2);
    EXPECT_EQ(menu.menuSelection, 2);
}

TEST_F(MenuTest, OnlyFourLanguagesAreOfferedAndAnEmptyLineChoosesNothing) {
    for (const char* name : {"a.str", "b.str", "c.str"}) folder.write(name, "x\n");
    listLanguageFiles();  // a, b, c, deutsch, english
    settings.languageFile = "english.str";
    goToScreen(2, 2);
    press(KeyEnter);
    EXPECT_EQ(menu.menuSelection, 2);  // english is fifth: not offered
    press("");
    EXPECT_EQ(item(5), "deutsch.");

    for (const char* name : {"a.str", "b.str", "c.str"}) deleteFile(folder.path() + name);
    listLanguageFiles();  // deutsch, english
    goToScreen(3, 5);
    press("nr5");  // the empty fifth line, as a release of the mouse over it activates it
    EXPECT_EQ(settings.languageFile, "english.str");
    EXPECT_EQ(item(5), "_");
}

TEST_F(MenuTest, DisplayChangesReopenTheWindowAndAlwaysShowTheNotice) {
    goToScreen(2, 3);
    press(KeyEnter);
    EXPECT_EQ(menu.menuScreen, 4);
    press(KeyEnter);
    EXPECT_EQ(item(2), str(162));  // windowed when the pass began
    press(KeyRight);
    EXPECT_EQ(settings.chosenFullScreen, 0);  // flipped twice
    press(KeyEsc);
    EXPECT_EQ(menu.menuScreen, 12);
    EXPECT_EQ(menu.menuSelection, 5);
    EXPECT_TRUE(headless.windowOpen);
    press(KeyEnter);
    EXPECT_EQ(menu.menuScreen, 2);
    EXPECT_EQ(menu.menuSelection, 3);

    // Unchanged: straight back.
    press(KeyEnter);
    press(KeyEsc);
    EXPECT_EQ(menu.menuScreen, 2);
    EXPECT_EQ(menu.menuSelection, 3);
}

TEST_F(MenuTest, TheResolutionStepsThroughTheModesBothWays) {
    settings.chosenWidth = 1280;  // not a mode: forwards starts at the first
    settings.chosenHeight = 1024;
    goToScreen(4, 4);
    press(KeyRight);
    EXPECT_EQ(item(4), "1280:1024");  // the items show the state the pass began with
    EXPECT_EQ(settings.chosenWidth, 800);
    press(KeyRight);
    EXPECT_EQ(settings.chosenWidth, 1024);
    press(KeyRight);
    EXPECT_EQ(settings.chosenWidth, 800);  // round again
    press(KeyLeft);
    EXPECT_EQ(settings.chosenWidth, 1024);
    EXPECT_EQ(settings.chosenHeight, 768);
    press(KeyEsc);
    EXPECT_EQ(headless.windowWidth, 1024);
    EXPECT_EQ(headless.windowHeight, 768);
    EXPECT_EQ(display.screenWidth, 1024);
    idle();
    EXPECT_EQ(renderer.xScale, 1.0);  // recomputed by the notice's first frame
}

TEST_F(MenuTest, SoundSwitchesFlipWithEnterOrTheSideArrows) {
    goToScreen(2, 4);
    press(KeyEnter);
    EXPECT_EQ(menu.menuScreen, 5);
    press(KeyEnter);
    EXPECT_EQ(settings.soundEffectsOn, 0);
    press(KeyDown);
    press(KeyLeft);
    EXPECT_EQ(settings.musicOn, 0);
    press(KeyDown);
    press(KeyRight);
    EXPECT_EQ(settings.voicesOn, 0);
    press("");  // the items follow
    EXPECT_EQ(item(2), str(155) + str(159));
    press(KeyEsc);
    EXPECT_EQ(menu.menuScreen, 2);
    EXPECT_EQ(menu.menuSelection, 4);
}

// --- Information ---------------------------------------------------------

TEST_F(MenuTest, ThePagesLeadOnAndTheLinkOpensThePageOfTheLevelPacks) {
    folder.write(str(130), std::string("<!DOCTYPE html>"));
    goToScreen(6, 3);
    press(KeyEnter);
    EXPECT_EQ(menu.menuScreen, 9);
    press("x");
    EXPECT_EQ(menu.menuScreen, 11);
    EXPECT_EQ(menu.menuSelection, 4);
    press(KeyEnter);
    ASSERT_EQ(headless.shownToPlayer.size(), 1u);
    EXPECT_EQ(headless.shownToPlayer[0], folder.path() + "levels.html");
    EXPECT_EQ(menu.menuScreen, 6);
    EXPECT_EQ(menu.menuSelection, 3);

    menu.returnToMainAfterLink = -1;
    goToScreen(11, 5);
    press(KeyEsc);
    EXPECT_EQ(menu.menuScreen, 1);
    EXPECT_EQ(menu.returnToMainAfterLink, 0);
}

TEST_F(MenuTest, WithoutThePageTheLinkOpensTheGameFolderAndAnAddressGoesAsItIs) {
    goToScreen(11, 4);
    press(KeyEnter);
    ASSERT_EQ(headless.shownToPlayer.size(), 1u);
    EXPECT_EQ(headless.shownToPlayer[0], folder.path());

    language.strings[130] = "https://example.org/zindrop7/";
    goToScreen(11, 4);
    press(KeyEnter);
    ASSERT_EQ(headless.shownToPlayer.size(), 2u);
    EXPECT_EQ(headless.shownToPlayer[1], "https://example.org/zindrop7/");

    // A name that could reach outside the game folder is not followed.
    folder.write("levels.html", std::string("<!DOCTYPE html>"));
    language.strings[130] = "../levels.html";
    goToScreen(11, 4);
    press(KeyEnter);
    ASSERT_EQ(headless.shownToPlayer.size(), 3u);
    EXPECT_EQ(headless.shownToPlayer[2], folder.path());
}

// --- Profiles --------------------------------------------------------------

TEST_F(MenuTest, PlayWithoutProfilesAsksForAName) {
    goToScreen(1, 1);
    press(KeyEnter);
    EXPECT_EQ(menu.menuScreen, 15);
    EXPECT_EQ(menu.menuSelection, 4);
    EXPECT_EQ(item(4), "|");
}

TEST_F(MenuTest, TheNameEntryTakesLettersDigitsAndSpacesUpToSeven) {
    goToScreen(15, 4);
    menu.menuItems[4] = "|";
    press(KeyBackspace);  // nothing to take back
    EXPECT_EQ(item(4), "|");
    press(KeyEnter);      // nothing typed: ignored
    EXPECT_EQ(menu.menuScreen, 15);
    type("A-b.");         // punctuation is not typed
    EXPECT_EQ(item(4), "Ab|");
    type(" 1xyzQ");       // the eighth character is ignored
    EXPECT_EQ(item(4), "Ab 1xyz|");
    press(KeyBackspace);
    EXPECT_EQ(item(4), "Ab 1xy|");
}

TEST_F(MenuTest, ANameEnteredCreatesALowerCaseProfile) {
    goToScreen(15, 4);
    menu.menuItems[4] = "|";
    type("Ab 1");
    press(KeyEnter);
    ASSERT_EQ(profileState.profiles.count(), 1);
    EXPECT_EQ(profileState.profiles[1], "ab 1");
    EXPECT_EQ(settings.currentProfile, 1);
    EXPECT_EQ(folder.read("ab 1.alp"), "lvlpckzindrop\r\n");
    EXPECT_EQ(menu.menuScreen, 16);
    EXPECT_EQ(menu.menuSelection, 2);
}

TEST_F(MenuTest, AnExistingNameIsSelectedAndReported) {
    writeProfiles({"anna", "bob"});
    goToScreen(15, 4);
    menu.menuItems[4] = "|";
    type(" BOB ");
    press(KeyEnter);
    EXPECT_EQ(profileState.profiles.count(), 2);
    EXPECT_EQ(settings.currentProfile, 2);
    EXPECT_EQ(menu.menuScreen, 18);
    press("x");
    EXPECT_EQ(item(1), "bob:");
    EXPECT_EQ(menu.menuScreen, 16);
    EXPECT_EQ(menu.menuSelection, 3);  // bob's line of the list
}

TEST_F(MenuTest, ThreeProfilesAreListedAndFourOpenTheSingleMode) {
    writeProfiles({"carl", "anna", "bob"});
    settings.currentProfile = 2;
    goToScreen(1, 1);
    press(KeyEnter);
    EXPECT_EQ(menu.menuScreen, 16);
    EXPECT_EQ(menu.menuSelection, 3);
    press("");
    EXPECT_EQ(item(2), "anna");
    EXPECT_EQ(item(4), "carl");
    press(KeyEnd);
    press(KeyEnter);  // "manage": the single mode
    EXPECT_EQ(menu.menuScreen, -16);

    writeProfiles({"dora"});
    goToScreen(1, 1);
    press(KeyEnter);
    EXPECT_EQ(menu.menuScreen, 16);
    EXPECT_EQ(menu.menuSelection, 1);
    press(KeyRight);  // next player
    EXPECT_EQ(settings.currentProfile, 3);
    press(KeyRight);
    press(KeyRight);  // not past the last
    EXPECT_EQ(settings.currentProfile, 4);
    press(KeyLeft);
    EXPECT_EQ(item(1), str(183) + "dora");
    EXPECT_EQ(settings.currentProfile, 3);
}

TEST_F(MenuTest, AnEmptyLineOfTheListPlaysNobody) {
    writeProfiles({"anna"});
    goToScreen(16, 2);
    press("nr4");  // the empty third line
    EXPECT_EQ(settings.currentProfile, 0);
    EXPECT_EQ(menu.menuScreen, 16);
}

TEST_F(MenuTest, DeletingTheLastAndTheFirstProfile) {
    writeProfiles({"anna", "bob", "carl", "dora"});
    folder.write("lvlpckzindrop/dora.sts", std::string(8004, '\0'));
    folder.write("lvlpckother/dora.sts", std::string(8004, '\0'));
    listLevelPacks();
    settings.currentProfile = 4;
    goToScreen(-16, 5);
    press(KeyEnter);
    EXPECT_EQ(menu.menuScreen, 26);
    EXPECT_EQ(menu.menuSelection, 5);
    press(KeyEsc);  // cancelled
    EXPECT_EQ(profileState.profiles.count(), 4);
    EXPECT_EQ(menu.menuScreen, -16);

    goToScreen(26, 4);
    press(KeyEnter);
    EXPECT_EQ(profileState.profiles.count(), 3);
    EXPECT_EQ(settings.currentProfile, 3);  // the new last
    EXPECT_FALSE(fileExists(folder.path() + "dora.alp"));
    EXPECT_FALSE(fileExists(folder.path() + "lvlpckzindrop/dora.sts"));
    EXPECT_FALSE(fileExists(folder.path() + "lvlpckother/dora.sts"));
    EXPECT_EQ(menu.menuScreen, -16);

    settings.currentProfile = 1;
    goToScreen(26, 4);
    press(KeyEnter);
    EXPECT_EQ(settings.currentProfile, 1);
    EXPECT_EQ(profileState.profiles[1], "bob");
    EXPECT_TRUE(fileExists(folder.path() + "bob.alp"));

    goToScreen(26, 4);
    press(KeyEnter);
    goToScreen(26, 4);
    press(KeyEnter);  // the last one: back to the main menu
    EXPECT_TRUE(profileState.profiles.empty());
    EXPECT_EQ(menu.menuScreen, 1);
    EXPECT_EQ(menu.menuSelection, 1);
}

TEST_F(MenuTest, AChosenProfileOpensItsPackAndPlayReturnsToTheLevelScreen) {
    writeProfiles({"anna"});
    goToScreen(16, 2);
    press(KeyEnter);
    EXPECT_EQ(settings.currentProfile, 1);
    EXPECT_EQ(menu.menuScreen, 14);
    headless.keyQueue.push_back(KeyEnter);  // play
    headless.keyQueue.push_back(KeyEsc);    // leaves the level
    runMenuPass();
    EXPECT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(renderer.menuVisible, -1);
    EXPECT_EQ(headless.currentControllerMode(), ControllerMode::Menus);
    press(KeyEsc);
    EXPECT_EQ(menu.menuScreen, 1);
}

// The session's end quits from any screen at once: no question, the
// settings saved, exit status 0. The window's close button still asks.
TEST_F(MenuTest, TheSessionsEndQuitsFromEveryScreenWithoutAsking) {
    const std::string saved = folder.path() + "settings.dat";
    for (int screen : {21, 22, 3, 1, 2, 7, 15, 16, 14, 27}) {
        goToScreen(screen, 1);
        menu.menuItems[4] = "|";
        if (screen == 14) showMessage("a level", "that did not", "load");
        deleteFile(saved);
        headless.sessionEnding = true;
        int status = -1;
        try {
            idle();
        } catch (const HeadlessExit& exit) {
            status = exit.status;
        }
        EXPECT_EQ(status, 0) << "on screen " << screen;
        EXPECT_TRUE(fileExists(saved)) << "on screen " << screen;
        EXPECT_EQ(menu.menuScreen, screen);
        headless.sessionEnding = false;
    }
    goToScreen(1, 1);
    press(KeyClose);
    EXPECT_EQ(menu.menuScreen, 7);
}

// From the main menu into the editor: a change not saved when the session
// ends is kept in the pack folder, and the game quits.
TEST_F(MenuTest, TheSessionsEndInTheEditorKeepsTheChangeAndQuits) {
    addTextureEntry("txtpcktest", "grass", KindGround, 0, 0, 0);
    LevelFileData data;
    data.levelName = "plain";
    data.background = data.ball = data.ballShadow = {"txtpcktest", "grass", 0, 0, 0, 0};
    folder.write("lvlpckzindrop/001.zdl", encodeLevelFile(data));
    headless.onSleep = [](HeadlessPlatform& system) {
        if (renderer.editorActive == 0) return;
        if (level.levelModified != 0) system.sessionEnding = true;
        else if (system.keyQueue.empty()) system.keyQueue.push_back(" ");
    };
    goToScreen(1, 3);
    int status = -1;
    try {
        press(KeyEnter);
    } catch (const HeadlessExit& exit) {
        status = exit.status;
    }
    headless.onSleep = nullptr;
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(fileExists(folder.path() + "settings.dat"));
    Bytes bytes;
    LevelFileData stored;
    ASSERT_TRUE(readFile(folder.path() + "lvlpckzindrop/recovered.zdl", bytes));
    ASSERT_TRUE(decodeLevelFile(bytes, stored));
    EXPECT_EQ(stored.levelName, "plain");
    EXPECT_EQ(stored.lists[ListGround].size(), 1u);
}

// A message over the menus (a level that did not load) takes the keys until
// Enter, Esc or a click closes it; it is drawn in the middle of the window.
TEST_F(MenuTest, AMessageOverTheMenusWaitsForEnterEscOrAClick) {
    goToScreen(1, 1);
    for (const std::string& closing : {KeyEnter, KeyEsc, std::string("click")}) {
        showMessage("Problem", "with a level", "lvlpckzindrop/002.zdl");
        press(KeyDown);
        press("nr5");
        EXPECT_EQ(dialog.dialogId, 1);
        EXPECT_EQ(menu.menuScreen, 1);
        EXPECT_EQ(menu.menuSelection, 1);
        if (closing == "click")
            clickAt(10, 10);
        else
            press(closing);
        EXPECT_EQ(dialog.dialogId, 0);
        EXPECT_EQ(menu.menuScreen, 1) << "Esc closes the message only";
    }
    showMessage("Problem", "with a level", "lvlpckzindrop/002.zdl");
    drawLayer.calls.clear();
    drawFrame();
    bool boxDrawn = false;
    for (const DrawnQuad& quad : drawnQuads())
        if (quad.x == (1024 - 374) / 2 && quad.y == (768 - 186) / 2 && quad.w == 374 && quad.h == 186) boxDrawn = true;
    EXPECT_TRUE(boxDrawn);
    EXPECT_EQ(renderer.hoveredItem, 0);
    press(KeyClose);  // the window's close request closes it and asks to quit
    EXPECT_EQ(dialog.dialogId, 0);
    EXPECT_EQ(menu.menuScreen, 7);
}

TEST_F(MenuTest, ManyProfilesStayUsable) {
    for (int i = 1; i <= 1005; ++i) folder.write("p" + std::to_string(i) + ".alp", "");
    startProfiles();
    EXPECT_EQ(profileState.profiles.count(), 1005);
    settings.currentProfile = 1005;
    goToScreen(-16, 1);
    press(KeyRight);
    EXPECT_EQ(settings.currentProfile, 1005);
    press(KeyLeft);
    EXPECT_EQ(settings.currentProfile, 1004);
}

}  // namespace

namespace {

// Pushes Esc once the second level of the pack is being played.
TEST_F(MenuTest, AFinishedLevelLeadsToTheNextOfThePack) {
    // Level 1: the ball rolls onto an open exit (no flags); level 2 is empty.
    for (const char* name : {"grass", "exit", "ball"}) {
        TextureEntry entry;
        entry.packName = "txtpcktest";
        entry.name = name;
        entry.kind = std::string(name) == "grass" ? KindGround : std::string(name) == "exit" ? KindExit : KindBall;
        catalogue.textureTable.append(entry);
    }
    LevelFileData first;
    first.timeLimit = 0;
    for (double x : {0.0, 128.0, 256.0}) first.lists[1].push_back({"txtpcktest", "grass", 0, 0, x, 0});
    first.lists[2].push_back({"txtpcktest", "exit", 0, 0, 128, 0});
    first.ball = {"txtpcktest", "ball", 10, 0, 100, 0};
    // Every picture named is in the table, so no message stops the screen.
    first.background = {"txtpcktest", "grass", 0, 0, 0, 0};
    first.ballShadow = {"txtpcktest", "ball", 0, 0, 116, 16};
    folder.write("lvlpckzindrop/001.zdl", encodeLevelFile(first));
    folder.write("lvlpckzindrop/002.zdl", encodeLevelFile(LevelFileData()));
    writeProfiles({"anna"});
    goToScreen(16, 2);
    press(KeyEnter);  // the only pack: its level screen
    ASSERT_EQ(menu.menuScreen, 14);
    press("nr2");     // play level 1
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(renderer.menuVisible, -1);
}

}  // namespace
