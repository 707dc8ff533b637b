// A profile's progress loaded and saved in its pack, and the level and pack
// records worked out over every profile's file.
#include <gtest/gtest.h>

#include "config/settings.h"
#include "level/level_packs.h"
#include "progress/profiles.h"
#include "progress/statistics.h"
#include "support/headless_game.h"

namespace {

class ProgressFiles : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        for (int n = 1; n <= 5; ++n) folder.write("lvlpcktest/00" + std::to_string(n) + ".zdl", "");
        listLevelPacks();
        countLevels();
        profileState.profiles.append("ann");
        profileState.profiles.append("bob");
        settings.currentProfile = 1;
    }

    void writeStatistics(const std::string& profile, const Statistics& statistics) {
        folder.write("lvlpcktest/" + profile + ".sts", encodeStatistics(statistics));
    }

    // A profile's file with these bests on levels 1, 2, ...
    void writeBests(const std::string& profile, std::initializer_list<std::int32_t> bests) {
        Statistics statistics;
        statistics.currentLevel = 1;
        int level = 0;
        for (std::int32_t best : bests) statistics.levelBest[++level] = best;
        writeStatistics(profile, statistics);
    }

    Bytes fileOf(const std::string& profile) {
        Bytes bytes;
        readFile(folder.path() + "lvlpcktest/" + profile + ".sts", bytes);
        return bytes;
    }
};

// A full file with every field different from zero.
Statistics everyFieldSet() {
    Statistics statistics;
    statistics.currentLevel = 4;
    for (int i = 1; i <= StatisticsLevels; ++i) {
        statistics.levelCompletions[i] = i;
        statistics.levelBest[i] = 1000 + i;
    }
    statistics.packEndShown = -1;
    statistics.packCompleteShown = -1;
    return statistics;
}

TEST_F(ProgressFiles, ANewProfileStartsAtLevelOneAndItsFileAppearsOnTheFirstSave) {
    packs.currentLevel = 3;
    stats.progress.levelBest[2] = 77;
    loadStatistics();
    EXPECT_EQ(packs.currentLevel, 1);
    EXPECT_EQ(stats.progress.levelBest[2], 0);
    EXPECT_TRUE(fileOf("ann").empty());

    packs.currentLevel = 2;
    stats.progress.levelCompletions[1] = 1;
    stats.progress.levelBest[1] = 12345;
    stats.progress.packEndShown = -1;
    ASSERT_TRUE(saveStatistics());
    const Bytes saved = fileOf("ann");
    ASSERT_EQ(saved.size(), StatisticsFileSize);
    EXPECT_FALSE(fileExists(folder.path() + "lvlpcktest/tempstat.tmp"));

    stats = StatisticsState();
    packs.currentLevel = 5;
    loadStatistics();
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(stats.progress.levelCompletions[1], 1);
    EXPECT_EQ(stats.progress.levelBest[1], 12345);
    EXPECT_EQ(stats.progress.packEndShown, -1);
    EXPECT_EQ(stats.progress.packCompleteShown, 0);

    // Each profile has its own file.
    settings.currentProfile = 2;
    loadStatistics();
    EXPECT_EQ(stats.progress.levelBest[1], 0);
}

// What a file cut after `length` bytes must give: the whole fields before
// the cut, zeros after it.
void expectCutAt(const Statistics& loaded, std::size_t length) {
    ASSERT_EQ(loaded.currentLevel, length >= 4 ? 4 : 0) << length;
    for (int i = 1; i <= StatisticsLevels; ++i) {
        const std::size_t pairEnd = 4 + 8 * static_cast<std::size_t>(i);
        ASSERT_EQ(loaded.levelCompletions[i], length >= pairEnd - 4 ? i : 0) << length;
        ASSERT_EQ(loaded.levelBest[i], length >= pairEnd ? 1000 + i : 0) << length;
    }
    ASSERT_EQ(loaded.packEndShown, length >= 8000 ? -1 : 0) << length;
    ASSERT_EQ(loaded.packCompleteShown, length >= 8004 ? -1 : 0) << length;
}

TEST_F(ProgressFiles, AFileCutAtAnyLengthLoadsAsFarAsItGoes) {
    const Bytes full = encodeStatistics(everyFieldSet());
    for (std::size_t length = 0; length <= full.size(); ++length) {
        // An exact-size copy: a read past its end is a fault the sanitizers see.
        expectCutAt(decodeStatistics(Bytes(full.begin(), full.begin() + length)), length);
    }
    // The same through the file, at the edges of each kind of field.
    for (std::size_t length : {0, 1, 3, 4, 7, 8, 11, 12, 13, 100, 7995, 7996, 7999, 8000, 8003, 8004}) {
        folder.write("lvlpcktest/ann.sts", Bytes(full.begin(), full.begin() + length));
        loadStatistics();
        expectCutAt(stats.progress, length);
        EXPECT_EQ(packs.currentLevel, length >= 4 ? 4 : 1) << length;
    }
}

TEST_F(ProgressFiles, AStoredLevelOutsideThePackContinuesFromTheNearestLevel) {
    Statistics statistics;
    statistics.currentLevel = 40;
    writeStatistics("ann", statistics);
    loadStatistics();
    EXPECT_EQ(packs.currentLevel, 5);
    statistics.currentLevel = -3;
    writeStatistics("ann", statistics);
    loadStatistics();
    EXPECT_EQ(packs.currentLevel, 1);
}

TEST_F(ProgressFiles, AFailedSaveLeavesTheOldFileAsItWas) {
    const Bytes old = encodeStatistics(everyFieldSet());
    folder.write("lvlpcktest/ann.sts", old);
    loadStatistics();
    stats.progress.levelBest[1] = 99999;
    // The scratch file cannot be created: a folder has its name.
    ASSERT_TRUE(makeFolder(folder.path() + "lvlpcktest/tempstat.tmp"));
    EXPECT_FALSE(saveStatistics());
    EXPECT_EQ(fileOf("ann"), old);

    ASSERT_TRUE(removeFolder(folder.path() + "lvlpcktest/tempstat.tmp"));
    EXPECT_TRUE(saveStatistics());
    EXPECT_EQ(decodeStatistics(fileOf("ann")).levelBest[1], 99999);

    // Without a profile nothing is written.
    settings.currentProfile = 0;
    EXPECT_FALSE(saveStatistics());
    EXPECT_FALSE(fileExists(folder.path() + "lvlpcktest/.sts"));
}

TEST_F(ProgressFiles, WithoutFilesTheRecordsAreTheDefaults) {
    computePackRecord();
    computeLevelRecord();
    EXPECT_EQ(stats.packRecord, 5 * 10000);
    EXPECT_EQ(stats.packRecordHolder, "Tavisk Software");
    EXPECT_EQ(stats.levelRecord, 10000);
    EXPECT_EQ(stats.levelRecordHolder, "Tavisk Software");

    // Scores below the defaults leave them there.
    writeBests("ann", {9999, 20000});
    computePackRecord();
    computeLevelRecord();
    EXPECT_EQ(stats.packRecord, 50000);
    EXPECT_EQ(stats.levelRecordHolder, "Tavisk Software");
    packs.currentLevel = 2;
    computeLevelRecord();
    EXPECT_EQ(stats.levelRecord, 20000);
    EXPECT_EQ(stats.levelRecordHolder, "ann");
}

TEST_F(ProgressFiles, ATieGoesToTheFirstFileAndTheDefaultScoreItselfIsHeld) {
    writeBests("bob", {10000, 20000, 20000});
    writeBests("ann", {10000, 40000});
    computePackRecord();
    EXPECT_EQ(stats.packRecord, 50000);  // exactly levelCount x 10000
    EXPECT_EQ(stats.packRecordHolder, "ann");
    computeLevelRecord();
    EXPECT_EQ(stats.levelRecord, 10000);
    EXPECT_EQ(stats.levelRecordHolder, "ann");

    writeBests("bob", {10001, 30000, 20000});
    computePackRecord();
    computeLevelRecord();
    EXPECT_EQ(stats.packRecordHolder, "bob");
    EXPECT_EQ(stats.packRecord, 60001);
    EXPECT_EQ(stats.levelRecordHolder, "bob");
    EXPECT_EQ(stats.levelRecord, 10001);
}

TEST_F(ProgressFiles, ShortAndHugeFilesCountAsFarAsTheyGo) {
    // A cut file adds what it holds; a file of huge scores does not wrap
    // around to a small total.
    Statistics huge;
    for (int i = 1; i <= StatisticsLevels; ++i) huge.levelBest[i] = 2000000000;
    writeStatistics("bob", huge);
    const Bytes full = encodeStatistics(everyFieldSet());
    folder.write("lvlpcktest/ann.sts", Bytes(full.begin(), full.begin() + 21));
    computePackRecord();
    EXPECT_EQ(stats.packRecord, 999LL * 2000000000LL);
    EXPECT_EQ(stats.packRecordHolder, "bob");
    folder.write("lvlpcktest/bob.sts", Bytes{});
    computePackRecord();
    EXPECT_EQ(stats.packRecord, 50000);
    packs.currentLevel = 2;
    writeBests("bob", {0, 15000});
    folder.write("lvlpcktest/ann.sts", Bytes(full.begin(), full.begin() + 16));  // level 2 cut off
    computeLevelRecord();
    EXPECT_EQ(stats.levelRecordHolder, "bob");
}

}  // namespace
