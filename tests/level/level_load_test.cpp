#include <gtest/gtest.h>

#include "assets/audio.h"
#include "assets/texture_catalogue.h"
#include "base/numeric.h"
#include "config/dialog.h"
#include "config/language.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "platform/files.h"
#include "support/level_fixture.h"

namespace {

bool isWhole(double value) { return value == static_cast<double>(static_cast<long long>(value)); }

// Leaves a previous level in memory whose values a load must replace.
void fillPreviousLevel() {
    addObject(level.walls, 0, 0, 2);
    level.zoom = 3;
    level.bombsCarried = 9;
    level.timeLimit = 1;
    level.levelName = "old";
    level.levelModified = -1;
    level.levelText[2] = "old text";
}

}  // namespace

class LevelLoadTest : public LevelFilesTest {
protected:
    std::string path(const std::string& name) { return folder.path() + name; }
};

TEST_F(LevelLoadTest, EveryVersionLoadsIntoTheModel) {
    seedRandom(7);
    for (int version = 0; version <= 7; ++version) {
        SCOPED_TRACE("version " + std::to_string(version));
        folder.write("v.zdl", sampleLevelBytes(version));
        fillPreviousLevel();
        const std::uint32_t textLoads = level.textLoads;
        ASSERT_TRUE(loadLevel(path("v.zdl")));
        EXPECT_EQ(level.textLoads, textLoads + 1);  // the HUD measures the new text
        EXPECT_EQ(dialog.dialogId, -1);  // every texture was found
        EXPECT_EQ(level.levelVersion, version);
        EXPECT_EQ(level.background.texture, 1);
        EXPECT_EQ(level.background.frame, 1);
        ASSERT_EQ(level.groundTiles.count(), 2);
        EXPECT_EQ(level.groundTiles[2].texture, 2);
        EXPECT_EQ(level.groundTiles[2].y, 256);
        for (const LevelObject& tile : level.groundTiles) {
            EXPECT_GE(tile.frame, 2);
            EXPECT_LE(tile.frame, 5);
        }
        EXPECT_TRUE(level.walls.empty());
        EXPECT_EQ(level.arrows[1].vx, version == 0 ? 0 : 2);
        EXPECT_EQ(level.platforms[1].vy, 5);
        EXPECT_EQ(level.spareObjects[1].texture, 5);
        EXPECT_EQ(level.spareObjects[1].frame, 9);  // synchronised: its first frame
        EXPECT_EQ(level.ball.texture, 2);           // the first entry of that pair wins
        EXPECT_EQ(level.ball.x, 384);
        EXPECT_EQ(level.ball.vx, version == 0 ? 0 : 1);
        EXPECT_EQ(level.ballShadow.texture, 4);
        EXPECT_TRUE(isWhole(level.ballShadow.frame));
        EXPECT_EQ(level.zoom, version >= 4   ? SampleZoom
                              : version >= 2 ? static_cast<double>(static_cast<float>(SampleZoom))
                                             : 0.5);
        EXPECT_EQ(level.bombsCarried, version >= 5 ? 3 : 0);
        EXPECT_EQ(level.timeLimit, version >= 6 ? 90 : 600);
        EXPECT_EQ(level.levelName, version >= 7 ? "First steps" : "");
        EXPECT_EQ(level.viewX, 384);
        EXPECT_EQ(level.viewY, 512);
        EXPECT_EQ(level.levelModified, 0);
        EXPECT_EQ(level.levelText[2], "");  // no companion text
    }
}

TEST_F(LevelLoadTest, ListObjectsGetFineFramesAndRecordsWholeOnes) {
    seedRandom(3);
    folder.write("v.zdl", sampleLevelBytes(7));
    bool sawFraction = false;
    for (int i = 0; i < 30; ++i) {
        ASSERT_TRUE(loadLevel(path("v.zdl")));
        for (const LevelObject& tile : level.groundTiles) sawFraction |= !isWhole(tile.frame);
        ASSERT_TRUE(isWhole(level.ballShadow.frame));
    }
    EXPECT_TRUE(sawFraction);
}

TEST_F(LevelLoadTest, Version6SavedBackIsVersion7WithAnEmptyTitleAndTheSameContent) {
    audio.musicList.append("audio/intro.ogg");
    audio.musicList.append("audio/TUNE.OGG");
    audio.musicIndex = 1;
    folder.write("v6.zdl", sampleLevelBytes(6));
    ASSERT_TRUE(loadLevel(path("v6.zdl")));
    EXPECT_EQ(audio.musicIndex, 2);  // "Tune.ogg" found whatever its case
    ASSERT_TRUE(saveLevel(path("saved.zdl")));

    Bytes bytes;
    ASSERT_TRUE(readFile(path("saved.zdl"), bytes));
    LevelFileData saved, original;
    ASSERT_TRUE(decodeLevelFile(bytes, saved));
    ASSERT_TRUE(decodeLevelFile(sampleLevelBytes(6), original));
    EXPECT_EQ(bytes[6], 7);
    EXPECT_EQ(saved.levelName, "");
    EXPECT_EQ(saved.timeLimit, 90);
    EXPECT_EQ(saved.zoom, SampleZoom);
    EXPECT_EQ(saved.musicName, "TUNE.OGG");
    EXPECT_EQ(saved.lists[3][0].vx, 2);
    EXPECT_EQ(saved.lists[10][0].name, "odd");
    EXPECT_EQ(saved.ballShadow.name, "soft");
    for (int n = 1; n <= 10; ++n) EXPECT_EQ(saved.lists[n].size(), original.lists[n].size()) << n;
    EXPECT_FALSE(fileExists(path("saved.zdl.tmp")));
}

TEST_F(LevelLoadTest, UnknownMusicKeepsThePreviousTrack) {
    audio.musicList.append("audio/intro.ogg");
    audio.musicIndex = 1;
    folder.write("v.zdl", sampleLevelBytes(7));
    ASSERT_TRUE(loadLevel(path("v.zdl")));
    EXPECT_EQ(audio.musicIndex, 1);
}

TEST_F(LevelLoadTest, AMissingFileClearsTheLevelAndNamesTheCurrentLevel) {
    usePack("lvlpcktest");
    packs.currentLevel = 4;
    folder.write("v.zdl", sampleLevelBytes(7));
    ASSERT_TRUE(loadLevel(path("v.zdl")));
    EXPECT_FALSE(loadLevel());
    EXPECT_EQ(dialog.dialogId, 1);
    EXPECT_EQ(dialog.dialogLine1, s(80));
    EXPECT_EQ(dialog.dialogLine2, s(81));
    EXPECT_EQ(dialog.dialogLine3, "lvlpcktest/004.zdl");
    EXPECT_EQ(dialog.dialogButton1, s(53));
    for (int n = 1; n <= LevelListCount; ++n) EXPECT_TRUE(levelList(n).empty()) << n;
    EXPECT_EQ(level.ball.x, 0);
    EXPECT_EQ(level.timeLimit, 600);
    EXPECT_EQ(level.levelName, "");
    // What a failed load keeps from the level before.
    EXPECT_EQ(level.zoom, SampleZoom);
    EXPECT_EQ(level.bombsCarried, 3);
    EXPECT_EQ(level.background.texture, 1);
}

TEST_F(LevelLoadTest, ForeignAndDamagedFilesFailCleanly) {
    const Bytes good = sampleLevelBytes(7);
    const Bytes foreign = {'Z', 'D', 'L', 'V', 'L', 0, 8};
    const Bytes cut(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
    Bytes hugeCount = good;
    hugeCount[7 + 4 + 11 + 4 + 3 + 32 + 3] = 0x80;  // first list count becomes negative
    // A foreign signature may be a newer version; a damaged level is named,
    // from the program folder.
    const std::pair<Bytes, std::string> cases[] = {{foreign, s(83)}, {cut, "v.zdl"}, {hugeCount, "v.zdl"}};
    for (const auto& [bad, line3] : cases) {
        folder.write("v.zdl", good);
        ASSERT_TRUE(loadLevel(path("v.zdl")));
        dialog = DialogState();
        folder.write("v.zdl", bad);
        EXPECT_EQ(loadLevelFile(path("v.zdl")), LevelLoad::Unusable);
        EXPECT_EQ(dialog.dialogId, 1);
        EXPECT_EQ(dialog.dialogLine1, s(80));
        EXPECT_EQ(dialog.dialogLine2, s(82));
        EXPECT_EQ(dialog.dialogLine3, line3);
        EXPECT_TRUE(level.groundTiles.empty());
        EXPECT_EQ(level.levelName, "");
        EXPECT_EQ(level.zoom, SampleZoom);
    }
}

// A level file cut anywhere (in the header, in an entry, between fields)
// is a bad file that leaves the cleared level; only the whole file loads.
TEST_F(LevelLoadTest, ALevelCutAtEveryLengthLoadsOnlyWhole) {
    usePack("lvlpcktest");
    for (int version : {0, 7}) {
        const Bytes whole = sampleLevelBytes(version);
        for (std::size_t length = 0; length <= whole.size(); ++length) {
            folder.write("lvlpcktest/001.zdl", Bytes(whole.begin(), whole.begin() + static_cast<long>(length)));
            fillPreviousLevel();
            dialog = DialogState();
            const LevelLoad result = loadLevelFile();
            if (length == whole.size()) {
                ASSERT_EQ(result, LevelLoad::Loaded) << "version " << version;
                EXPECT_EQ(dialog.dialogId, -1);
                continue;
            }
            ASSERT_EQ(result, LevelLoad::Unusable) << "version " << version << " cut at " << length;
            ASSERT_EQ(dialog.dialogId, 1);
            EXPECT_EQ(dialog.dialogLine2, s(82));
            ASSERT_EQ(dialog.dialogLine3, "lvlpcktest/001.zdl") << "cut at " << length;
            for (int n = 1; n <= LevelListCount; ++n) ASSERT_TRUE(levelList(n).empty());
            ASSERT_EQ(level.levelName, "");
            ASSERT_EQ(level.timeLimit, 600);
        }
    }
    deleteFile(folder.path() + "lvlpcktest/001.zdl");
    EXPECT_EQ(loadLevelFile(), LevelLoad::Missing);
}

TEST_F(LevelLoadTest, EachMissingTexturePairIsReportedOncePerLoad) {
    // Ground, arrow, platform and ball store the pair txtpckstone/"", the
    // spare object txtpckother/odd: five objects, two missing pairs.
    catalogue.textureTable[2].packName = "txtpckelse";
    catalogue.textureTable[3].packName = "txtpckelse";
    catalogue.textureTable[5].name = "renamed";
    folder.write("v.zdl", sampleLevelBytes(7));
    ASSERT_TRUE(loadLevel(path("v.zdl")));
    EXPECT_EQ(dialog.messagesShown, 2u);
    EXPECT_EQ(level.groundTiles[1].texture, 0);
    EXPECT_EQ(level.ball.texture, 0);
    ASSERT_TRUE(loadLevel(path("v.zdl")));
    EXPECT_EQ(dialog.messagesShown, 4u);  // once more for the next load
}

TEST_F(LevelLoadTest, AMissingTextureIsReportedAndLoadingGoesOn) {
    catalogue.textureTable[5].name = "renamed";
    folder.write("v.zdl", sampleLevelBytes(7));
    ASSERT_TRUE(loadLevel(path("v.zdl")));
    EXPECT_EQ(dialog.dialogId, 1);
    EXPECT_EQ(dialog.dialogLine2, s(85));
    EXPECT_EQ(dialog.dialogLine3, "odd" + s(86) + "txtpckother");
    ASSERT_EQ(level.spareObjects.count(), 1);
    EXPECT_EQ(level.spareObjects[1].texture, 0);
    EXPECT_EQ(level.spareObjects[1].x, 640);
    EXPECT_EQ(level.levelName, "First steps");  // read past the missing texture
}

TEST_F(LevelLoadTest, TheCompanionTextGivesFourLines) {
    language.strings[84] = "txt";
    folder.write("003.zdl", sampleLevelBytes(7));
    folder.write("003.txt", "First line\r\nSecond\r\n\r\nFourth\r\nFifth\r\n");
    ASSERT_TRUE(loadLevel(path("003.zdl")));
    EXPECT_EQ(level.levelText[1], "First line");
    EXPECT_EQ(level.levelText[2], "Second");
    EXPECT_EQ(level.levelText[3], "");
    EXPECT_EQ(level.levelText[4], "Fourth");
    folder.write("003.txt", "Only one");
    ASSERT_TRUE(loadLevel(path("003.zdl")));
    EXPECT_EQ(level.levelText[1], "Only one");
    EXPECT_EQ(level.levelText[2], "");
}

TEST_F(LevelLoadTest, AFailedSaveKeepsTheOldFileAndReportsIt) {
    folder.write("v.zdl", sampleLevelBytes(5));
    ASSERT_TRUE(loadLevel(path("v.zdl")));
    level.levelName = "changed";
    level.levelModified = -1;
    // A folder where the scratch file must go makes writing it fail.
    makeFolder(path("v.zdl.tmp"));
    EXPECT_FALSE(saveLevel(path("v.zdl")));
    EXPECT_EQ(dialog.dialogLine1, s(76));
    EXPECT_EQ(dialog.dialogLine2, s(78));
    EXPECT_EQ(dialog.dialogLine3, s(79));
    Bytes bytes;
    ASSERT_TRUE(readFile(path("v.zdl"), bytes));
    EXPECT_EQ(bytes, sampleLevelBytes(5));
    EXPECT_EQ(level.levelName, "changed");
    EXPECT_EQ(level.levelModified, -1);

    EXPECT_FALSE(saveLevel(path("no such folder/001.zdl")));
    EXPECT_EQ(dialog.dialogLine2, s(78));
}

TEST_F(LevelLoadTest, MissingTexturesAreSavedUnderTheNoTextureEntry) {
    catalogue.textureTable[0].name = "none";
    clearLevel();
    addObject(level.walls, 128, 0, 0);
    addObject(level.walls, 256, 0, 99);  // beyond the table
    ASSERT_TRUE(saveLevel(path("v.zdl")));
    Bytes bytes;
    LevelFileData saved;
    ASSERT_TRUE(readFile(path("v.zdl"), bytes));
    ASSERT_TRUE(decodeLevelFile(bytes, saved));
    ASSERT_EQ(saved.lists[ListWalls].size(), 2u);
    EXPECT_EQ(saved.lists[ListWalls][1].name, "none");
    EXPECT_EQ(saved.lists[ListWalls][1].packName, "");
}
