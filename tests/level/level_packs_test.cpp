#include <gtest/gtest.h>

#include "app/app.h"
#include "config/dialog.h"
#include "config/paths.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "level/pack_operations.h"
#include "progress/statistics.h"
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

    // Names a folder cannot carry are ignored; a folder that cannot be made
    // (a file is in the way) is reported and leaves the level in memory.
    dialog = DialogState();
    addObject(level.walls, 0, 0, 1);
    for (const char* name : {"", "  ", ".", "...", "a/b", "a\\b"}) EXPECT_FALSE(createLevelPack(name));
    EXPECT_EQ(dialog.dialogId, -1);
    EXPECT_FALSE(createLevelPack(std::string(250, 'a')));  // too long for a folder name
    EXPECT_EQ(dialog.dialogId, 1);
    EXPECT_EQ(dialog.dialogLine1, s(76));
    EXPECT_EQ(packs.levelPacks.count(), 3);
    EXPECT_EQ(packs.currentPack, 1);
    EXPECT_EQ(level.walls.count(), 1);
}

TEST_F(LevelPacksTest, RenamingMovesTheFilesUnlessTheNameIsTakenOrUnusable) {
    makeFolder(folder.path() + "lvlpckalpha");
    writeTitledLevel("lvlpckold", 1, "one");
    writeStatistics("lvlpckold", "joe", 1);
    folder.write("lvlpckold/notes", "no extension");
    listLevelPacks();
    packs.currentPack = 2;

    EXPECT_FALSE(renameLevelPack("OLD"));  // only the case differs: nothing happens
    EXPECT_TRUE(folderExists(folder.path() + "lvlpckold"));
    EXPECT_EQ(dialog.dialogId, -1);
    EXPECT_FALSE(renameLevelPack(".."));  // not a name a folder can carry
    EXPECT_FALSE(renameLevelPack("a/b"));
    EXPECT_EQ(dialog.dialogId, -1);
    EXPECT_FALSE(renameLevelPack("alpha"));
    EXPECT_EQ(dialog.dialogLine2, "alpha");
    EXPECT_TRUE(folderExists(folder.path() + "lvlpckold"));

    EXPECT_TRUE(renameLevelPack("Able"));
    expectPacks({"lvlpckAble", "lvlpckalpha"});
    EXPECT_EQ(packs.currentPack, 1);
    EXPECT_FALSE(folderExists(folder.path() + "lvlpckold"));
    EXPECT_EQ(storedTitle("lvlpckAble", 1), "one");
    EXPECT_EQ(readStatistics("lvlpckAble", "joe").levelBest[3], 300);
    EXPECT_EQ(folder.read("lvlpckAble/notes"), "no extension");
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

// The game folder the build assembles offers every shipped pack in the pack
// choice, each with all of its levels.
TEST_F(LevelPacksTest, TheBuiltGameFolderOffersEveryShippedPack) {
    setProgramFolder(ZD_GAME_DIR "/");
    listLevelPacks();
    expectPacks({"lvlpckexpert", "lvlpckjourney", "lvlpckzindrop"});
    const int expectedLevels[] = {0, 13, 20, 30};
    for (int pack = 1; pack <= packs.levelPacks.count(); ++pack) {
        packs.currentPack = pack;
        countLevels();
        EXPECT_EQ(packs.levelCount, expectedLevels[pack]) << packs.levelPacks[pack];
    }
}
