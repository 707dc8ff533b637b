#include <gtest/gtest.h>

#include "config/dialog.h"
#include "editor/editor_fixture.h"
#include "level/level.h"
#include "level/level_packs.h"
#include "platform/files.h"
#include "platform/keys.h"

using EditorLevelList = EditorTest;

TEST_F(EditorLevelList, MovingLevel3Of5LaterAndBackTakesBothProfilesStatisticsAlong) {
    makePack("lvlpcktest", 5);
    writeStatistics("lvlpcktest", "joe", 3);
    writeStatistics("lvlpcktest", "ann", 4);
    packs.currentLevel = 3;
    loadLevel();
    level.levelName = "unsaved edit";
    level.levelModified = -1;

    press(KeyLevelLater);
    EXPECT_EQ(packs.currentLevel, 4);
    EXPECT_EQ(storedTitle("lvlpcktest", 3), "level 4");
    EXPECT_EQ(storedTitle("lvlpcktest", 4), "level 3");
    EXPECT_FALSE(fileExists(folder.path() + "lvlpcktest/tempinc.zdl"));
    EXPECT_EQ(level.levelName, "unsaved edit");  // neither saved nor reloaded
    EXPECT_EQ(level.levelModified, -1);
    Statistics joe = readStatistics("lvlpcktest", "joe");
    Statistics ann = readStatistics("lvlpcktest", "ann");
    EXPECT_EQ(joe.currentLevel, 4);
    EXPECT_EQ(ann.currentLevel, 3);
    EXPECT_EQ(joe.levelBest[3], 400);
    EXPECT_EQ(joe.levelBest[4], 300);
    EXPECT_EQ(ann.levelCompletions[4], 3);

    press(KeyLevelEarlier);
    press(KeyLevelEarlier);
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(storedTitle("lvlpcktest", 2), "level 3");
    EXPECT_EQ(storedTitle("lvlpcktest", 3), "level 2");
    EXPECT_EQ(storedTitle("lvlpcktest", 4), "level 4");
    EXPECT_EQ(readStatistics("lvlpcktest", "joe").levelBest[2], 300);
    EXPECT_EQ(readStatistics("lvlpcktest", "ann").currentLevel, 4);

    // At either end a move does nothing.
    packs.currentLevel = 1;
    const std::string before = folderSnapshot("lvlpcktest");
    press(KeyLevelEarlier);
    packs.currentLevel = 5;
    press(KeyLevelLater);
    EXPECT_EQ(folderSnapshot("lvlpcktest"), before);
}

TEST_F(EditorLevelList, DeletingLevel2Of4RenumbersTheFilesAndBothProfiles) {
    makePack("lvlpcktest", 4);
    writeStatistics("lvlpcktest", "joe", 4);
    writeStatistics("lvlpcktest", "ann", 2);
    packs.currentLevel = 2;
    press(KeyCtrlDel);
    EXPECT_EQ(dialog.dialogId, 2);
    EXPECT_EQ(dialog.dialogLine1, s(64));
    handleDialogKey(KeyRightButton);
    EXPECT_EQ(packs.levelCount, 4);
    press(KeyCtrlDel);
    handleDialogKey(KeyLeftButton);
    EXPECT_EQ(dialog.dialogId, 0);
    EXPECT_EQ(packs.levelCount, 3);
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(storedTitle("lvlpcktest", 1), "level 1");
    EXPECT_EQ(storedTitle("lvlpcktest", 2), "level 3");
    EXPECT_EQ(storedTitle("lvlpcktest", 3), "level 4");
    EXPECT_FALSE(fileExists(folder.path() + "lvlpcktest/004.zdl"));
    EXPECT_FALSE(fileExists(folder.path() + "lvlpcktest/tempinc.zdl"));
    EXPECT_EQ(level.levelName, "level 3");
    EXPECT_EQ(readStatistics("lvlpcktest", "joe").currentLevel, 3);
    EXPECT_EQ(readStatistics("lvlpcktest", "ann").currentLevel, 2);
    EXPECT_EQ(readStatistics("lvlpcktest", "joe").levelBest[2], 300);
    EXPECT_EQ(readStatistics("lvlpcktest", "ann").levelBest[999], 0);

    // Deleting the last level makes the one before it current.
    packs.currentLevel = 3;
    ASSERT_TRUE(deleteLevel());
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(level.levelName, "level 3");
}

TEST_F(EditorLevelList, AFailedMoveOrDeleteLeavesEveryFileAsItWas) {
    makePack("lvlpcktest", 4);
    writeStatistics("lvlpcktest", "ann", 2);
    writeStatistics("lvlpcktest", "joe", 3);
    const std::string before = folderSnapshot("lvlpcktest");

    // The scratch name of the statistics is taken by a folder: no profile's
    // file can be rewritten.
    makeFolder(folder.path() + "lvlpcktest/tempstat.tmp");
    packs.currentLevel = 2;
    EXPECT_FALSE(moveLevelLater());
    EXPECT_FALSE(moveLevelEarlier());
    EXPECT_FALSE(deleteLevel());
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(packs.levelCount, 4);
    EXPECT_EQ(folderSnapshot("lvlpcktest"), before);
    removeFolder(folder.path() + "lvlpcktest/tempstat.tmp");

    // A leftover scratch level blocks both operations and is kept.
    folder.write("lvlpcktest/tempinc.zdl", "left over");
    const std::string withScratch = folderSnapshot("lvlpcktest");
    EXPECT_FALSE(moveLevelLater());
    EXPECT_FALSE(deleteLevel());
    EXPECT_EQ(folderSnapshot("lvlpcktest"), withScratch);
    deleteFile(folder.path() + "lvlpcktest/tempinc.zdl");

    // A gap in the numbering stops the renumbering half-way: undone.
    deleteFile(folder.path() + "lvlpcktest/004.zdl");
    const std::string withGap = folderSnapshot("lvlpcktest");
    EXPECT_FALSE(deleteLevel());
    EXPECT_EQ(folderSnapshot("lvlpcktest"), withGap);
}

TEST_F(EditorLevelList, AppendingSavesAnEmptyLevelUnlessItCannot) {
    makePack("lvlpcktest", 1);
    level.levelName = "edited";
    press(KeyCtrlN);
    EXPECT_EQ(packs.levelCount, 2);
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(storedTitle("lvlpcktest", 2), "");
    EXPECT_EQ(level.levelModified, 0);

    // A file beyond the counted levels is never overwritten.
    folder.write("lvlpcktest/004.zdl", "not counted, not lost");
    packs.levelCount = 3;
    packs.currentLevel = 3;
    level.levelName = "kept";
    EXPECT_FALSE(appendLevel());
    EXPECT_EQ(dialog.dialogLine1, s(76));
    EXPECT_EQ(folder.read("lvlpcktest/004.zdl"), "not counted, not lost");
    EXPECT_EQ(packs.levelCount, 3);
    EXPECT_EQ(level.levelName, "kept");

    // A save that fails brings the edited level back.
    packs.levelCount = 2;
    packs.currentLevel = 2;
    makeFolder(folder.path() + "lvlpcktest/003.zdl.tmp");
    dialog.dialogId = 0;
    EXPECT_FALSE(appendLevel());
    EXPECT_EQ(dialog.dialogId, 1);
    EXPECT_EQ(packs.levelCount, 2);
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(level.levelName, "kept");

    // 999 levels are the most a pack holds.
    packs.levelCount = 999;
    dialog.dialogId = 0;
    level.levelModified = 0;
    press(KeyCtrlN);
    EXPECT_EQ(packs.levelCount, 999);
    EXPECT_EQ(dialog.dialogId, 0);
}
