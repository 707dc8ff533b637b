#include <gtest/gtest.h>

#include "core/app.h"
#include "core/dialog.h"
#include "core/paths.h"
#include "frontend/statistics.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "support/level_fixture.h"

class LevelPacksTest : public LevelFilesTest {
protected:
    // A statistics file whose level entries are (level, 100 * level) and
    // whose stored level is `storedLevel`.
    void writeStatistics(const std::string& pack, const std::string& profile, int storedLevel) {
        Statistics statistics;
        statistics.currentLevel = storedLevel;
        for (int i = 1; i <= StatisticsLevels; ++i) {
            statistics.levelCompletions[i] = i;
            statistics.levelBest[i] = 100 * i;
        }
        folder.write(pack + "/" + profile + ".sts", encodeStatistics(statistics));
    }
    Statistics readStatistics(const std::string& pack, const std::string& profile) {
        Bytes bytes;
        readFile(folder.path() + pack + "/" + profile + ".sts", bytes);
        EXPECT_EQ(bytes.size(), StatisticsFileSize);
        return decodeStatistics(bytes);
    }
    void expectPacks(std::initializer_list<const char*> names) {
        ASSERT_EQ(packs.levelPacks.count(), static_cast<int>(names.size()));
        int i = 1;
        for (const char* name : names) EXPECT_EQ(packs.levelPacks[i++], name);
    }
};

TEST_F(LevelPacksTest, WithNoPackFolderTheDefaultPackIsCreatedAndItsLevel1IsMissing) {
    folder.write("lvlpcknotafolder", "a file, not a pack");
    listLevelPacks();
    expectPacks({"lvlpckzindrop"});
    EXPECT_EQ(packs.currentPack, 1);
    EXPECT_TRUE(folderExists(folder.path() + "lvlpckzindrop"));
    countLevels();
    EXPECT_EQ(packs.levelCount, 1);
    EXPECT_EQ(packs.currentLevel, 1);
    EXPECT_FALSE(loadLevel());
    EXPECT_EQ(dialog.dialogLine3, "lvlpckzindrop/001.zdl");
}

TEST_F(LevelPacksTest, StartUpLoadsTheCurrentLevelOrLeavesTheLoadersMessage) {
    folder.write("english.str", "Zindrop 7\n");
    initialise();
    EXPECT_EQ(dialog.dialogId, 1);  // no level: the message replaces the logo
    EXPECT_TRUE(folderExists(folder.path() + "lvlpckzindrop"));

    resetGameState();
    setProgramFolder(folder.path());
    addSampleTextures();
    folder.write("lvlpckzindrop/001.zdl", sampleLevelBytes(7));
    initialise();
    EXPECT_EQ(dialog.dialogId, -1);
    EXPECT_EQ(level.levelName, "First steps");
}

TEST_F(LevelPacksTest, OnlyNumberedLevelFilesCount) {
    usePack("lvlpcktest");
    for (const char* name : {"001.zdl", "002.ZDL", "abc.zdl", "000.zdl", "0001.zdl", "01.zdl", "7.txt"})
        folder.write(std::string("lvlpcktest/") + name, "");
    makeFolder(folder.path() + "lvlpcktest/003.zdl");
    packs.currentLevel = 5;
    countLevels();
    EXPECT_EQ(packs.levelCount, 2);
    EXPECT_EQ(packs.currentLevel, 1);

    usePack("lvlpckgaps");
    folder.write("lvlpckgaps/001.zdl", "");
    folder.write("lvlpckgaps/005.zdl", "");
    countLevels();
    EXPECT_EQ(packs.levelCount, 2);  // numbering gaps are not looked for
}

TEST_F(LevelPacksTest, SortingIgnoresCaseAndBlanksAndTheCurrentEntryFollows) {
    List<std::string> names;
    for (const char* name : {"Zed", "beta ", "  alpha", "Alp", "ALPHA2"}) names.append(name);
    std::int32_t current = 1;  // "Zed"
    sortNames(names, current);
    const char* sorted[] = {"Alp", "  alpha", "ALPHA2", "beta ", "Zed"};
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(names[i], sorted[i - 1]);
    EXPECT_EQ(current, 5);
}

TEST_F(LevelPacksTest, ANewPackSortingFirstStaysCurrentAndHoldsOneEmptyLevel) {
    makeFolder(folder.path() + "lvlpckmiddle");
    makeFolder(folder.path() + "lvlpckzindrop");
    listLevelPacks();
    packs.currentPack = 2;
    addObject(level.walls, 0, 0, 1);
    level.levelModified = -1;
    createLevelPack("Aardvark");
    expectPacks({"lvlpckAardvark", "lvlpckmiddle", "lvlpckzindrop"});
    EXPECT_EQ(packs.currentPack, 1);
    EXPECT_EQ(packs.levelCount, 1);
    EXPECT_EQ(level.levelModified, 0);
    EXPECT_TRUE(level.walls.empty());
    EXPECT_EQ(storedTitle("lvlpckAardvark", 1), "");

    dialog = DialogState();
    createLevelPack("middle");
    EXPECT_EQ(dialog.dialogLine1, s(54));
    EXPECT_EQ(dialog.dialogLine2, "middle");
    EXPECT_EQ(dialog.dialogLine3, s(55));
    EXPECT_EQ(packs.levelPacks.count(), 3);
    EXPECT_EQ(packs.currentPack, 1);
}

TEST_F(LevelPacksTest, RenamingMovesTheFilesAndTheProfilesThatPlayedThePack) {
    makeFolder(folder.path() + "lvlpckalpha");
    writeTitledLevel("lvlpckold", 1, "one");
    writeStatistics("lvlpckold", "joe", 1);
    folder.write("lvlpckold/notes", "no extension");
    folder.write("joe.alp", "lvlpckold\r\n");
    folder.write("ann.alp", " LVLPCKOLD \r\n");
    folder.write("bob.alp", "lvlpckalpha\r\n");
    listLevelPacks();
    packs.currentPack = 2;

    renameLevelPack("OLD");  // only the case differs: nothing happens
    EXPECT_TRUE(folderExists(folder.path() + "lvlpckold"));
    EXPECT_EQ(dialog.dialogId, -1);
    renameLevelPack("alpha");
    EXPECT_EQ(dialog.dialogLine2, "alpha");
    EXPECT_TRUE(folderExists(folder.path() + "lvlpckold"));

    renameLevelPack("Able");
    expectPacks({"lvlpckAble", "lvlpckalpha"});
    EXPECT_EQ(packs.currentPack, 1);
    EXPECT_FALSE(folderExists(folder.path() + "lvlpckold"));
    EXPECT_EQ(storedTitle("lvlpckAble", 1), "one");
    EXPECT_EQ(readStatistics("lvlpckAble", "joe").levelBest[3], 300);
    EXPECT_EQ(folder.read("lvlpckAble/notes"), "no extension");
    EXPECT_EQ(folder.read("joe.alp"), "lvlpckAble\r\n");
    EXPECT_EQ(folder.read("ann.alp"), "lvlpckAble\r\n");
    EXPECT_EQ(folder.read("bob.alp"), "lvlpckalpha\r\n");
}

TEST_F(LevelPacksTest, DeletingAPackLoadsTheNextAndTheLastOneLeftIsReplacedByTheDefault) {
    writeTitledLevel("lvlpckfirst", 1, "first's");
    writeTitledLevel("lvlpcksecond", 1, "second's");
    folder.write("lvlpckfirst/joe.sts", "x");
    listLevelPacks();
    deleteLevelPack();
    EXPECT_FALSE(folderExists(folder.path() + "lvlpckfirst"));
    expectPacks({"lvlpcksecond"});
    EXPECT_EQ(packs.currentPack, 1);
    EXPECT_EQ(level.levelName, "second's");

    deleteLevelPack();
    expectPacks({"lvlpckzindrop"});
    EXPECT_TRUE(folderExists(folder.path() + "lvlpckzindrop"));
}

TEST_F(LevelPacksTest, DeletingLevel2Of4RenumbersTheRestAndTheStatistics) {
    usePack("lvlpcktest");
    for (int n = 1; n <= 4; ++n) writeTitledLevel("lvlpcktest", n, "level " + std::to_string(n));
    writeStatistics("lvlpcktest", "joe", 4);
    writeStatistics("lvlpcktest", "ann", 2);
    countLevels();
    packs.currentLevel = 2;
    ASSERT_TRUE(deleteLevel());
    EXPECT_EQ(packs.levelCount, 3);
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(storedTitle("lvlpcktest", 1), "level 1");
    EXPECT_EQ(storedTitle("lvlpcktest", 2), "level 3");
    EXPECT_EQ(storedTitle("lvlpcktest", 3), "level 4");
    EXPECT_FALSE(fileExists(folder.path() + "lvlpcktest/004.zdl"));
    EXPECT_EQ(level.levelName, "level 3");
    EXPECT_EQ(readStatistics("lvlpcktest", "joe").currentLevel, 3);
    EXPECT_EQ(readStatistics("lvlpcktest", "ann").currentLevel, 2);
    EXPECT_EQ(readStatistics("lvlpcktest", "joe").levelBest[2], 300);

    // Deleting the last level makes the one before it current.
    packs.currentLevel = 3;
    ASSERT_TRUE(deleteLevel());
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(level.levelName, "level 3");
}

TEST_F(LevelPacksTest, MovingLevel3Of5SwapsFilesAndStatisticsAndKeepsItCurrent) {
    usePack("lvlpcktest");
    for (int n = 1; n <= 5; ++n) writeTitledLevel("lvlpcktest", n, "level " + std::to_string(n));
    writeStatistics("lvlpcktest", "joe", 3);
    countLevels();
    packs.currentLevel = 3;
    ASSERT_TRUE(moveLevelLater());
    EXPECT_EQ(packs.currentLevel, 4);
    EXPECT_EQ(storedTitle("lvlpcktest", 3), "level 4");
    EXPECT_EQ(storedTitle("lvlpcktest", 4), "level 3");
    EXPECT_FALSE(fileExists(folder.path() + "lvlpcktest/tempinc.zdl"));
    Statistics joe = readStatistics("lvlpcktest", "joe");
    EXPECT_EQ(joe.currentLevel, 4);
    EXPECT_EQ(joe.levelBest[3], 400);
    EXPECT_EQ(joe.levelBest[4], 300);

    ASSERT_TRUE(moveLevelEarlier());
    EXPECT_EQ(packs.currentLevel, 3);
    EXPECT_EQ(storedTitle("lvlpcktest", 3), "level 3");
    EXPECT_EQ(readStatistics("lvlpcktest", "joe").levelBest[4], 400);

    // A scratch file left by an interrupted run is never overwritten.
    folder.write("lvlpcktest/tempinc.zdl", "left over");
    EXPECT_FALSE(moveLevelLater());
    EXPECT_EQ(packs.currentLevel, 3);
    EXPECT_EQ(storedTitle("lvlpcktest", 3), "level 3");
    EXPECT_EQ(folder.read("lvlpcktest/tempinc.zdl"), "left over");
    EXPECT_EQ(readStatistics("lvlpcktest", "joe").currentLevel, 3);

    packs.currentLevel = 5;
    EXPECT_FALSE(moveLevelLater());  // already the last
}

TEST_F(LevelPacksTest, AppendingSavesAnEmptyLevelAfterTheLast) {
    usePack("lvlpcktest");
    writeTitledLevel("lvlpcktest", 1, "level 1");
    countLevels();
    level.levelName = "edited";
    ASSERT_TRUE(appendLevel());
    EXPECT_EQ(packs.levelCount, 2);
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(storedTitle("lvlpcktest", 2), "");
}
