#include <gtest/gtest.h>

#include "base/bytes.h"
#include "level/level_packs.h"
#include "progress/statistics.h"
#include "support/headless_game.h"

namespace {

// Level entries (level, 100 * level), stored level `storedLevel`, both flags set.
Statistics numbered(int storedLevel) {
    Statistics statistics;
    statistics.currentLevel = storedLevel;
    for (int i = 1; i <= StatisticsLevels; ++i) {
        statistics.levelCompletions[i] = i;
        statistics.levelBest[i] = 100 * i;
    }
    statistics.packEndShown = -1;
    statistics.packCompleteShown = -1;
    return statistics;
}

std::int32_t i32At(const Bytes& bytes, std::size_t offset) {
    ByteReader in(bytes.data() + offset, 4);
    return in.i32();
}

}  // namespace

TEST(StatisticsFile, LayoutIs8004BytesOfLevelPairsBetweenTheLevelAndTheFlags) {
    Statistics statistics = numbered(7);
    statistics.packCompleteShown = 0;
    const Bytes bytes = encodeStatistics(statistics);
    ASSERT_EQ(bytes.size(), StatisticsFileSize);
    EXPECT_EQ(i32At(bytes, 0), 7);
    EXPECT_EQ(i32At(bytes, 4 + 8 * (5 - 1)), 5);      // completions of level 5
    EXPECT_EQ(i32At(bytes, 8 + 8 * (5 - 1)), 500);    // best of level 5
    EXPECT_EQ(i32At(bytes, 8 + 8 * (999 - 1)), 99900);
    EXPECT_EQ(i32At(bytes, 7996), -1);
    EXPECT_EQ(i32At(bytes, 8000), 0);

    const Bytes shortFile(bytes.begin(), bytes.begin() + 20);
    const Statistics partial = decodeStatistics(shortFile);
    EXPECT_EQ(partial.currentLevel, 7);
    EXPECT_EQ(partial.levelBest[2], 200);
    EXPECT_EQ(partial.levelCompletions[3], 0);
    EXPECT_EQ(partial.packEndShown, 0);
}

TEST(StatisticsFile, RemovingALevelShiftsLaterEntriesAndLevelsDown) {
    Statistics at5 = numbered(5);
    shiftStatistics(at5, LevelShift::Removed, 3);
    EXPECT_EQ(at5.currentLevel, 4);
    EXPECT_EQ(at5.levelBest[2], 200);
    EXPECT_EQ(at5.levelBest[3], 400);
    EXPECT_EQ(at5.levelCompletions[998], 999);
    EXPECT_EQ(at5.levelCompletions[999], 0);
    EXPECT_EQ(at5.levelBest[999], 0);
    EXPECT_EQ(at5.packEndShown, -1);

    Statistics at3 = numbered(3);
    shiftStatistics(at3, LevelShift::Removed, 3);
    EXPECT_EQ(at3.currentLevel, 3);
    Statistics at2 = numbered(2);
    shiftStatistics(at2, LevelShift::Removed, 3);
    EXPECT_EQ(at2.currentLevel, 2);
}

TEST(StatisticsFile, SwapsExchangeTwoEntriesAndTheStoredLevel) {
    for (int stored : {2, 3, 4, 7}) {
        Statistics earlier = numbered(stored);
        shiftStatistics(earlier, LevelShift::SwappedWithPrevious, 3);
        EXPECT_EQ(earlier.currentLevel, stored == 2 ? 3 : stored == 3 ? 2 : stored);
        EXPECT_EQ(earlier.levelBest[2], 300);
        EXPECT_EQ(earlier.levelCompletions[3], 2);
        EXPECT_EQ(earlier.levelBest[4], 400);

        Statistics later = numbered(stored);
        shiftStatistics(later, LevelShift::SwappedWithNext, 3);
        EXPECT_EQ(later.currentLevel, stored == 3 ? 4 : stored == 4 ? 3 : stored);
        EXPECT_EQ(later.levelBest[3], 400);
        EXPECT_EQ(later.levelBest[4], 300);
        EXPECT_EQ(later.levelBest[2], 200);
    }
    // Level 999 has no later neighbour with statistics: it takes an empty entry.
    Statistics last = numbered(1);
    shiftStatistics(last, LevelShift::SwappedWithNext, 999);
    EXPECT_EQ(last.levelBest[999], 0);
    EXPECT_EQ(last.levelBest[998], 99800);
}

class StatisticsFilesTest : public HeadlessGameTest {};

TEST_F(StatisticsFilesTest, EveryProfileOfThePackIsRewrittenWhole) {
    makeFolder(folder.path() + "lvlpcktest");
    packs.levelPacks.append("lvlpcktest");
    packs.currentPack = 1;
    packs.currentLevel = 3;
    folder.write("lvlpcktest/joe.sts", encodeStatistics(numbered(5)));
    const Bytes full = encodeStatistics(numbered(3));
    folder.write("lvlpcktest/ann.sts", Bytes(full.begin(), full.begin() + 100));  // short
    folder.write("lvlpcktest/notes.txt", "untouched");
    shiftLevelStatistics(LevelShift::Removed);

    Bytes joe, ann;
    ASSERT_TRUE(readFile(folder.path() + "lvlpcktest/joe.sts", joe));
    ASSERT_TRUE(readFile(folder.path() + "lvlpcktest/ann.sts", ann));
    EXPECT_EQ(decodeStatistics(joe).currentLevel, 4);
    EXPECT_EQ(decodeStatistics(joe).levelBest[3], 400);
    ASSERT_EQ(ann.size(), StatisticsFileSize);
    EXPECT_EQ(decodeStatistics(ann).currentLevel, 3);
    EXPECT_EQ(folder.read("lvlpcktest/notes.txt"), "untouched");
    EXPECT_FALSE(fileExists(folder.path() + "lvlpcktest/tempstat.tmp"));
}
