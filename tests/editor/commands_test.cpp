#include <gtest/gtest.h>

#include <cmath>

#include "assets/audio.h"
#include "assets/texture_catalogue.h"
#include "config/dialog.h"
#include "config/settings.h"
#include "editor/editor_fixture.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "platform/keys.h"

using EditorCommands = EditorTest;

TEST_F(EditorCommands, PlacingReplacesWithinAListAndRemovingTakesAllOrTheTopmost) {
    press("g");
    press(" ");
    press(" ");
    EXPECT_EQ(level.groundTiles.count(), 1);
    EXPECT_EQ(level.levelModified, -1);
    press("f");
    EXPECT_EQ(editor.currentTexture, StoneFlag);
    press(" ");
    ASSERT_EQ(level.bombsAndFlags.count(), 1);
    EXPECT_EQ(level.groundTiles.count(), 1);

    level.levelModified = 0;
    press(KeyDel);  // the flag only
    EXPECT_TRUE(level.bombsAndFlags.empty());
    EXPECT_EQ(level.groundTiles.count(), 1);
    EXPECT_EQ(level.levelModified, -1);
    press(" ");
    press("d");  // both
    EXPECT_TRUE(level.bombsAndFlags.empty());
    EXPECT_TRUE(level.groundTiles.empty());
    level.levelModified = 0;
    press(KeyDel);  // nothing left: nothing changes
    EXPECT_EQ(level.levelModified, 0);
}

TEST_F(EditorCommands, EachKindGoesToItsListOrRecordAtTheRoundedCursor) {
    level.viewX = 127.6;
    level.viewY = -0.4;
    for (const char* key : {"8", "e"}) {
        press(key);
        press(" ");
    }
    press(KeyAltRight);
    press(" ");
    ASSERT_EQ(level.arrows.count(), 1);
    EXPECT_EQ(level.arrows[1].vx, DirNorth);
    EXPECT_EQ(level.arrows[1].x, 128);
    EXPECT_EQ(level.arrows[1].y, 0);
    ASSERT_EQ(level.platformMarkers.count(), 1);
    EXPECT_EQ(level.platformMarkers[1].vx, DirEast);
    EXPECT_EQ(level.exitsAndTraps.count(), 1);

    press(KeyAltB);
    press(" ");
    EXPECT_EQ(level.background.texture, StoneSky);
    EXPECT_EQ(level.background.frame, 8);
    press("h");
    press(" ");
    EXPECT_EQ(level.ball.texture, StoneBall);
    EXPECT_EQ(level.ball.x, 128);
    EXPECT_EQ(level.ballShadow.x, 144);
    EXPECT_EQ(level.ballShadow.y, 16);

    // A kind without any picture leaves nothing to place.
    press("w");
    EXPECT_EQ(editor.currentTexture, 0);
    level.levelModified = 0;
    press(" ");
    EXPECT_TRUE(level.walls.empty());
    EXPECT_EQ(level.levelModified, 0);
}

TEST_F(EditorCommands, ShiftWithTheArrowsPaintsEveryCellPassed) {
    press("g");
    headless.heldKeys.insert(ScanLeftShift);
    for (int i = 0; i < 3; ++i) press(KeyRight);
    ASSERT_EQ(level.groundTiles.count(), 4);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(level.groundTiles[i].x, 128 * (i - 1));
        EXPECT_EQ(level.groundTiles[i].y, 0);
    }
    headless.heldKeys.clear();
    press(KeyDown);
    press(KeyLeft);
    press(KeyUp);
    EXPECT_EQ(level.viewX, 256);
    EXPECT_EQ(level.viewY, 0);
    EXPECT_EQ(level.groundTiles.count(), 4);
}

TEST_F(EditorCommands, PictureChoiceStepsWithinTheKindAndThePackFilter) {
    press("g");
    EXPECT_EQ(editor.currentTexture, StoneGround);
    press(KeyPgDn);
    EXPECT_EQ(editor.currentTexture, NeonGround);
    EXPECT_EQ(editor.previewFrame, 5);
    press(KeyPgDn);
    EXPECT_EQ(editor.currentTexture, StoneGround2);
    press(KeyPgDn);  // the last one: the choice stays
    EXPECT_EQ(editor.currentTexture, StoneGround2);
    press(KeyPgUp);
    EXPECT_EQ(editor.currentTexture, NeonGround);

    press(KeyHome);  // already 0: stays
    EXPECT_EQ(editor.packFilter, 0);
    press(KeyEnd);
    press(KeyEnd);
    press(KeyEnd);  // not beyond the last texture pack
    EXPECT_EQ(editor.packFilter, 2);
    EXPECT_EQ(editor.currentTexture, StoneGround);  // the neon one no longer fits
    press(KeyPgDn);
    EXPECT_EQ(editor.currentTexture, StoneGround2);
    press(KeyPgUp);
    EXPECT_EQ(editor.currentTexture, StoneGround);
    press(KeyHome);
    press("f");
    EXPECT_EQ(editor.currentTexture, 0);  // no flag in the neon pack
    EXPECT_EQ(editor.previewFrame, catalogue.textureTable[0].firstFrame);
}

TEST_F(EditorCommands, ZoomStopsAtItsLimits) {
    for (int i = 0; i < 25; ++i) press("+");
    EXPECT_DOUBLE_EQ(level.zoom, MaxZoom);
    for (int i = 0; i < 60; ++i) press("-");
    EXPECT_DOUBLE_EQ(level.zoom, MinZoom);
}

TEST_F(EditorCommands, TitleAndTimeLimitDialogsSetTheLevelAndMarkChanges) {
    makePack("lvlpcktest", 1);
    press("L");
    EXPECT_EQ(dialog.dialogId, 104);
    EXPECT_EQ(dialog.dialogField, "level 1");
    dialog.dialogField = "  level 1 ";
    handleDialogKey(KeyLeftButton);
    EXPECT_EQ(dialog.dialogId, 0);
    EXPECT_EQ(level.levelModified, 0);  // the same title once trimmed
    press("l");
    dialog.dialogField = "Two";
    handleDialogKey(KeyEsc);
    EXPECT_EQ(level.levelName, "level 1");
    press("l");
    dialog.dialogField = "";
    handleDialogKey(KeyLeftButton);
    EXPECT_EQ(level.levelName, "");
    EXPECT_EQ(level.levelModified, -1);

    level.levelModified = 0;
    press(KeyAltDel);
    EXPECT_EQ(dialog.dialogId, 103);
    EXPECT_EQ(dialog.dialogField, "10:00");
    handleDialogKey(KeyLeftButton);
    EXPECT_EQ(level.levelModified, 0);
    press(KeyAltDel);
    dialog.dialogField = "2:75";
    handleDialogKey(KeyLeftButton);
    EXPECT_EQ(level.timeLimit, 195);
    EXPECT_EQ(level.levelModified, -1);
    press(KeyAltDel);
    dialog.dialogField = "  ";  // empty: nothing changes
    handleDialogKey(KeyLeftButton);
    EXPECT_EQ(level.timeLimit, 195);
}

TEST_F(EditorCommands, SavingReportsSuccessOrTheSaversMessageAndKeepsTheFlag) {
    makePack("lvlpcktest", 1);
    level.levelName = "saved title";
    level.levelModified = -1;
    press(KeyAltS);
    EXPECT_EQ(level.levelModified, 0);
    EXPECT_EQ(dialog.dialogId, 1);
    EXPECT_EQ(dialog.dialogLine1, s(71));
    EXPECT_EQ(storedTitle("lvlpcktest", 1), "saved title");

    handleDialogKey(KeyLeftButton);
    EXPECT_EQ(dialog.dialogId, 0);
    // The pack folder went away behind the game's back.
    deleteFile(folder.path() + "lvlpcktest/001.zdl");
    removeFolder(folder.path() + "lvlpcktest");
    level.levelModified = -1;
    press(KeyAltS);
    EXPECT_EQ(dialog.dialogId, 1);
    EXPECT_EQ(dialog.dialogLine1, s(76));
    EXPECT_EQ(level.levelModified, -1);
}

TEST_F(EditorCommands, MusicButtonsChangeTheLevelsTrackAndMKeyOnlySwitches) {
    audio.musicList.append("audio/a.ogg");
    audio.musicList.append("audio/b.ogg");
    audio.musicIndex = 1;
    press(KeyTrackNext);
    EXPECT_EQ(audio.musicIndex, 2);
    EXPECT_EQ(level.levelModified, -1);
    press(KeyTrackPrevious);
    EXPECT_EQ(audio.musicIndex, 1);
    level.levelModified = 0;
    const auto before = settings.musicOn;
    press("m");
    EXPECT_EQ(settings.musicOn, ~before);
    EXPECT_EQ(level.levelModified, 0);
}

TEST_F(EditorCommands, F7ShowsThePackFolderWhenItExists) {
    makePack("lvlpcktest", 1);
    press(KeyF7);
    ASSERT_EQ(headless.shownToPlayer.size(), 1u);
    EXPECT_EQ(headless.shownToPlayer[0], folder.path() + "lvlpcktest/");
    deleteFile(folder.path() + "lvlpcktest/001.zdl");
    removeFolder(folder.path() + "lvlpcktest");
    press(KeyF7);
    EXPECT_EQ(headless.shownToPlayer.size(), 1u);
}

// Asking first: each pending action runs at once without unsaved changes;
// with them the question comes, Esc keeps it, "RB" runs the action without
// saving and "LB" saves first.
struct PendingCase {
    const char* name;
    std::string key;
    std::int32_t id;
};

class EditorAskFirst : public EditorTest, public ::testing::WithParamInterface<PendingCase> {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        deleteFile(folder.path() + "lvlpckbbb/004.zdl");  // appended by an earlier round
        makePack("lvlpckaaa", 1);
        makePack("lvlpckbbb", 3);
        makePack("lvlpckccc", 1);
        packs.currentPack = 2;
        countLevels();
        packs.currentLevel = 2;
        loadLevel();
        dialog.dialogId = 0;
    }
    // What the action leaves: pack, level, passes ending or the new-pack dialog.
    std::string where() {
        return currentPackName() + "/" + std::to_string(packs.currentLevel) + "/" +
               std::to_string(packs.levelCount) + "/" + std::to_string(dialog.dialogId);
    }
    void runAction() {
        handleEditorKey(GetParam().key);
    }
    std::string expected() {
        switch (GetParam().id) {
        case 3: return "lvlpckbbb/4/4/0";
        case 4: return "lvlpckbbb/1/3/0";
        case 5: return "lvlpckbbb/3/3/0";
        case 6: return "lvlpckbbb/2/3/0";
        case 7: return "lvlpckaaa/1/1/0";
        case 8: return "lvlpckccc/1/1/0";
        default: return "lvlpckbbb/2/3/101";
        }
    }
};

TEST_P(EditorAskFirst, RunsAtOnceOrAfterTheQuestion) {
    runAction();
    EXPECT_EQ(where(), expected());
    if (GetParam().id == 9) EXPECT_EQ(dialog.dialogLine1, s(56));

    for (const bool save : {false, true}) {
        SetUp();
        level.levelName = "changed";
        level.levelModified = -1;
        runAction();
        EXPECT_EQ(dialog.dialogId, GetParam().id);
        EXPECT_EQ(dialog.dialogLine1, s(48));
        EXPECT_EQ(dialog.dialogButton2, s(52));
        handleDialogKey(KeyEsc);
        handleDialogKey("x");
        EXPECT_EQ(dialog.dialogId, GetParam().id);
        handleDialogKey(save ? KeyLeftButton : KeyRightButton);
        EXPECT_EQ(where(), expected());
        if (GetParam().id == 9) EXPECT_EQ(dialog.dialogLine1, s(75));
        EXPECT_EQ(storedTitle("lvlpckbbb", 2), save ? "changed" : "level 2");
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryPendingAction, EditorAskFirst,
    ::testing::Values(PendingCase{"Append", KeyCtrlN, 3}, PendingCase{"PreviousLevel", KeyAltPgUp, 4},
                      PendingCase{"NextLevel", KeyAltPgDn, 5}, PendingCase{"Leave", KeyEsc, 6},
                      PendingCase{"PreviousPack", KeyCtrlPgUp, 7}, PendingCase{"NextPack", KeyCtrlPgDn, 8},
                      PendingCase{"NewPack", KeyF5, 9}),
    [](const ::testing::TestParamInfo<PendingCase>& info) { return std::string(info.param.name); });

TEST_F(EditorCommands, AQuestionWhoseSaveFailsKeepsTheLevelAndRunsNothing) {
    makePack("lvlpcktest", 2);
    level.levelName = "precious";
    level.levelModified = -1;
    press(KeyAltPgDn);
    makeFolder(folder.path() + "lvlpcktest/001.zdl.tmp");  // the save cannot write its scratch file
    handleDialogKey(KeyEnter);
    EXPECT_EQ(dialog.dialogId, 1);
    EXPECT_EQ(dialog.dialogLine1, s(76));
    EXPECT_EQ(packs.currentLevel, 1);
    EXPECT_EQ(level.levelName, "precious");
    EXPECT_EQ(level.levelModified, -1);
}

TEST_F(EditorCommands, PackDialogsCreateAndRenameAndIgnoreUnusableNames) {
    makePack("lvlpckold", 1);
    folder.write("joe.alp", "lvlpckold\r\n");
    folder.write("ann.alp", "lvlpckother\r\n");
    press(KeyF5);
    dialog.dialogField = " .. ";
    handleDialogKey(KeyLeftButton);
    EXPECT_EQ(dialog.dialogId, 0);
    EXPECT_EQ(packs.levelPacks.count(), 1);

    press(KeyF5);
    dialog.dialogField = "new one";
    handleDialogKey(KeyLeftButton);
    EXPECT_EQ(currentPackName(), "lvlpcknew one");
    EXPECT_TRUE(fileExists(folder.path() + "lvlpcknew one/001.zdl"));

    press(KeyF5);
    dialog.dialogField = "old";
    handleDialogKey(KeyLeftButton);
    EXPECT_EQ(dialog.dialogId, 1);  // taken: the message stays up
    EXPECT_EQ(dialog.dialogLine2, "old");
    handleDialogKey(KeyLeftButton);

    packs.currentPack = 2;  // "old" sorts after "new one"
    press("R");
    EXPECT_EQ(dialog.dialogId, 102);
    EXPECT_EQ(dialog.dialogField, "old");
    dialog.dialogField = "renamed";
    handleDialogKey(KeyLeftButton);
    EXPECT_EQ(dialog.dialogId, 0);
    EXPECT_EQ(currentPackName(), "lvlpckrenamed");
    EXPECT_EQ(folder.read("joe.alp"), "lvlpckrenamed\r\n");
    EXPECT_EQ(folder.read("ann.alp"), "lvlpckother\r\n");
}

TEST_F(EditorCommands, TheOnlyLevelAndTheOnlyPackCannotBeDeleted) {
    makePack("lvlpcktest", 1);
    press(KeyCtrlDel);
    EXPECT_EQ(dialog.dialogId, 1);
    EXPECT_EQ(dialog.dialogLine1, s(67));
    handleDialogKey(KeyLeftButton);
    press(KeyF6);
    EXPECT_EQ(dialog.dialogId, 1);
    EXPECT_EQ(dialog.dialogLine1, s(60));
    EXPECT_TRUE(fileExists(folder.path() + "lvlpcktest/001.zdl"));

    makePack("lvlpckzzz", 1);
    press(KeyF6);
    EXPECT_EQ(dialog.dialogId, 201);
    handleDialogKey(KeyEsc);
    EXPECT_TRUE(folderExists(folder.path() + "lvlpckzzz"));
    press(KeyF6);
    handleDialogKey(KeyEnter);
    EXPECT_FALSE(folderExists(folder.path() + "lvlpckzzz"));
    EXPECT_EQ(currentPackName(), "lvlpcktest");
}
