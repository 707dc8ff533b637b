// A player's way through a pack, through the menu loop: the pack choice, the
// level screen, play fed by input scripts through the real play code, the
// notices after a finished level, the skip limit, and the progress kept in
// the statistics files.
#include <gtest/gtest.h>

#include <deque>

#include "config/dialog.h"
#include "config/language.h"
#include "config/paths.h"
#include "config/settings.h"
#include "frontend/level_screens.h"
#include "frontend/menu_fixture.h"
#include "frontend/progression.h"
#include "gfx/frame.h"
#include "gfx/level_panel.h"
#include "gfx/textures.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "platform/keys.h"
#include "play/play.h"
#include "play/replay.h"
#include "play_script.h"
#include "progress/profiles.h"
#include "progress/statistics.h"
#include "support/level_bytes.h"

namespace {

// A row of floor with a flag and the exit; "60 Right" finishes it in about
// two seconds of its minute.
std::string rowLevel(int number) {
    return "title \"Row " + std::to_string(number) + R"("
timeLimit 60
zoom 0.5
background txtpcktest k6
ball txtpcktest k7 0 0
ballShadow txtpcktest k9 16 16
legend g txtpcktest k16
legend f txtpcktest k14
legend x txtpcktest k12
grid groundTiles 0 0
|gggggg|
grid bombsAndFlags 128 0
|f|
grid exitsAndTraps 384 0
|x|
)";
}

// Finishing fast scores far above the default record; waiting first scores
// below it, the longer the wait the less.
const char* const Fast = "60 Right\n";
const char* const Slow = "3000\n60 Right\n";
const char* const Slower = "3200\n60 Right\n";
const char* const LeaveWithEsc = "5\npress Esc\n5\n";

std::deque<std::string> scripts;  // the runs the next plays take, in order
std::int32_t lastScore = 0;
PlayResult lastResult = PlayResult::Unfinished;

std::int32_t playNextScript() {
    std::vector<ScriptInstruction> instructions;
    std::vector<TextProblem> problems;
    EXPECT_FALSE(scripts.empty());
    if (scripts.empty()) return 0;
    EXPECT_TRUE(parsePlayScript(scripts.front(), instructions, problems));
    scripts.pop_front();
    const PlayOutcome outcome = runPlayScript(instructions, 6);
    lastScore = outcome.score;
    lastResult = outcome.result;
    return outcome.result == PlayResult::Finished ? -1 : 0;
}

class Progression : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        for (int kind = 1; kind <= KindWall; ++kind)
            addTextureEntry("txtpcktest", "k" + std::to_string(kind), kind, kind, kind, 0);
        catalogue.explosionEntry = KindExplosion;
        progression.playRunner = playNextScript;
        scripts.clear();
    }

    void writeLevels(int count, const std::string& pack = "lvlpckzindrop") {
        for (int n = 1; n <= count; ++n) {
            LevelFileData data;
            std::vector<TextProblem> problems;
            ASSERT_TRUE(levelFromText(rowLevel(n), data, problems));
            folder.write(pack + "/" + zeroPadded(n) + ".zdl", encodeLevelFile(data));
        }
        listLevelPacks();
    }

    static std::string zeroPadded(int n) {
        std::string text = std::to_string(n);
        return std::string(3 - text.size(), '0') + text;
    }

    // A profile that starts playing: the level screen of its pack, or the
    // pack choice when there are several.
    void startAs(const std::string& name) {
        createProfile(name);
        playChosenProfile();
    }

    // Plays the current level from the level screen with `script`.
    std::int32_t playWith(const std::string& script) {
        scripts.push_back(script);
        press("nr2");
        return lastScore;
    }

    Statistics savedStatistics(const std::string& profile) {
        Bytes bytes;
        readFile(statisticsFileName(profile), bytes);
        return decodeStatistics(bytes);
    }

    bool savedExists(const std::string& profile) { return fileExists(statisticsFileName(profile)); }
};

TEST_F(Progression, ANewProfileStartsAtLevelOneOfTheMainPack) {
    writeLevels(3);
    goToScreen(1, 1);
    press("nr1");
    ASSERT_EQ(menu.menuScreen, 15);
    type("Ann");
    press(KeyEnter);
    ASSERT_EQ(menu.menuScreen, 16);
    press("nr2");
    ASSERT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(menu.menuSelection, 2);
    EXPECT_EQ(packs.currentLevel, 1);
    EXPECT_EQ(level.levelName, "Row 1");
    EXPECT_EQ(frameClock.targetZoom, LevelScreenZoom);
    EXPECT_EQ(folder.read("ann.alp"), "lvlpckzindrop\r\n");
    EXPECT_FALSE(savedExists("ann"));

    idle();
    EXPECT_EQ(item(1), str(173) + "1:");
    EXPECT_EQ(item(2), str(101));
    EXPECT_EQ(item(3), "_");  // no level before the first
    EXPECT_EQ(item(4), str(176));
    EXPECT_EQ(item(5), str(179));
    press(KeyUp);
    EXPECT_EQ(menu.menuSelection, 5);  // past the empty line and the label

    // The panel shows the player's name capitalised and the defaults.
    ASSERT_NE(levelPanel.source, nullptr);
    const LevelPanelView view = levelPanel.source();
    EXPECT_EQ(view.packName, "zindrop");
    EXPECT_EQ(view.profileName, "Ann");
    EXPECT_EQ(view.packRecordHolder, "Tavisk Software");
    EXPECT_EQ(view.packRecord, 30000);
    EXPECT_EQ(view.levelRecord, 10000);
    EXPECT_EQ(view.unfinished, 3);
    EXPECT_EQ(view.completions, 0);
    EXPECT_EQ(view.levelName, "Row 1");
    EXPECT_EQ(completionLine(0), str(235));
    EXPECT_EQ(completionLine(1), str(236));
    EXPECT_EQ(completionLine(3), str(237) + "3" + str(238));
}

TEST_F(Progression, FinishingALevelCountsItKeepsTheBestAndMovesOn) {
    writeLevels(3);
    startAs("ann");
    const std::int32_t score = playWith(Fast);
    ASSERT_GT(score, 10000);
    // Above the default record: no notice, straight on to level 2.
    EXPECT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(stats.progress.levelCompletions[1], 1);
    EXPECT_EQ(stats.progress.levelBest[1], score);
    EXPECT_EQ(renderer.menuVisible, -1);
    const Statistics saved = savedStatistics("ann");
    EXPECT_EQ(saved.currentLevel, 2);
    EXPECT_EQ(saved.levelCompletions[1], 1);
    EXPECT_EQ(saved.levelBest[1], score);
    EXPECT_EQ(stats.levelRecord, 10000);  // level 2's

    // Back on level 1 the player holds its record; the same score again
    // counts a completion and changes nothing else.
    press("nr3");
    EXPECT_EQ(packs.currentLevel, 1);
    EXPECT_EQ(stats.levelRecord, score);
    EXPECT_EQ(stats.levelRecordHolder, "ann");
    EXPECT_EQ(levelPanel.source().levelRecordHolder, "Ann");
    idle();
    EXPECT_EQ(item(4), str(175));
    EXPECT_EQ(playWith(Fast), score);
    EXPECT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(savedStatistics("ann").levelCompletions[1], 2);
    EXPECT_EQ(levelPanel.source().bestTotal, score);
}

TEST_F(Progression, ABetterScoreBelowTheRecordIsAPersonalBest) {
    writeLevels(3);
    startAs("ann");
    const std::int32_t first = playWith(Slower);
    ASSERT_LT(first, 10000);
    EXPECT_EQ(menu.menuScreen, 14);  // a first finish is no news
    EXPECT_EQ(stats.progress.levelBest[1], first);
    press("nr3");

    const std::int32_t second = playWith(Slow);
    ASSERT_GT(second, first);
    ASSERT_LT(second, 10000);
    EXPECT_EQ(menu.menuScreen, 20);
    EXPECT_EQ(packs.currentLevel, 1);
    // Kept at once, before the notice is left.
    EXPECT_EQ(savedStatistics("ann").levelBest[1], second);
    idle();
    EXPECT_EQ(item(1), str(200) + "ann_");
    EXPECT_EQ(item(4), str(203) + std::to_string(second));
    EXPECT_EQ(menu.menuSelection, 4);

    press(KeyEnter);
    EXPECT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(savedStatistics("ann").currentLevel, 2);

    // A worse score changes nothing but the count.
    press("nr3");
    playWith(Slower);
    EXPECT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(stats.progress.levelBest[1], second);
    EXPECT_EQ(stats.progress.levelCompletions[1], 3);
}

TEST_F(Progression, BeatingAnotherPlayersRecordShowsTheRecordNotice) {
    writeLevels(3);
    Statistics zed;
    zed.levelBest[1] = 12000;
    folder.write("lvlpckzindrop/zed.sts", encodeStatistics(zed));
    startAs("ann");
    EXPECT_EQ(stats.levelRecord, 12000);
    EXPECT_EQ(stats.levelRecordHolder, "zed");
    const std::int32_t score = playWith(Fast);
    ASSERT_GT(score, 12000);
    EXPECT_EQ(menu.menuScreen, 17);
    EXPECT_EQ(savedStatistics("ann").levelBest[1], score);
    idle();
    EXPECT_EQ(item(1), str(188) + "ann_");
    EXPECT_EQ(item(4), str(191) + std::to_string(score));
    press(KeyEnter);
    EXPECT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(savedStatistics("ann").currentLevel, 2);
    EXPECT_EQ(stats.packRecordHolder, "Tavisk Software");  // score < 3 x 10000
}

TEST_F(Progression, SkippingIsRefusedPastEightUnfinishedLevelsExceptForFreerun) {
    writeLevels(11);
    startAs("ann");
    for (int i = 0; i < 9; ++i) press("nr4");
    EXPECT_EQ(packs.currentLevel, 10);
    EXPECT_EQ(savedStatistics("ann").currentLevel, 10);
    EXPECT_EQ(skippedCount(), 9);
    EXPECT_EQ(levelPanel.source().skipped, 9);
    press("nr4");
    EXPECT_EQ(menu.menuScreen, 19);
    EXPECT_EQ(packs.currentLevel, 10);
    idle();
    EXPECT_EQ(item(1), str(195));
    press(KeyEsc);
    EXPECT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(packs.currentLevel, 10);
    // A level already finished may always be left.
    stats.progress.levelCompletions[10] = 1;
    press("nr4");
    EXPECT_EQ(packs.currentLevel, 11);
    press("nr3");
    stats.progress.levelCompletions[10] = 0;
    press("nr4");
    ASSERT_EQ(menu.menuScreen, 19);
    press("nr4");  // to the first unfinished level
    EXPECT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(packs.currentLevel, 1);

    startAs("freerun");
    for (int i = 0; i < 10; ++i) press("nr4");
    EXPECT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(packs.currentLevel, 11);
}

TEST_F(Progression, TheLastLevelLeadsToTheFirstUnfinishedOneOrTheFirst) {
    writeLevels(3);
    startAs("ann");
    press("nr4");
    press("nr4");
    ASSERT_EQ(packs.currentLevel, 3);
    idle();
    EXPECT_EQ(item(4), str(177));
    press("nr4");
    EXPECT_EQ(packs.currentLevel, 1);
    playWith(Fast);
    ASSERT_EQ(packs.currentLevel, 2);
    press("nr4");
    press("nr4");
    EXPECT_EQ(packs.currentLevel, 2);  // level 1 is done, 2 is the first left

    playWith(Fast);
    ASSERT_EQ(packs.currentLevel, 3);
    idle();
    EXPECT_EQ(item(4), str(178));  // nothing skipped before the last
    press("nr4");
    EXPECT_EQ(packs.currentLevel, 1);
    EXPECT_EQ(frameClock.targetZoom, LevelScreenZoom);

    // Moving before the first level is undone.
    press("nr3");
    EXPECT_EQ(packs.currentLevel, 1);
    EXPECT_EQ(level.levelName, "Row 1");
}

TEST_F(Progression, TheEndOfThePackIsToldOnceAndTheCompletePackOnce) {
    writeLevels(2);
    startAs("ann");
    press("nr4");
    playWith(Fast);  // the last level, with level 1 skipped
    ASSERT_EQ(menu.menuScreen, 27);
    EXPECT_EQ(packs.currentLevel, 1);
    idle();
    EXPECT_EQ(item(3), str(223));
    EXPECT_EQ(item(5), "WOW");
    Statistics saved = savedStatistics("ann");
    EXPECT_EQ(saved.packEndShown, -1);
    EXPECT_EQ(saved.packCompleteShown, 0);
    press(KeyEnter);
    EXPECT_EQ(menu.menuScreen, 14);

    playWith(Fast);  // now nothing is left unfinished
    ASSERT_EQ(menu.menuScreen, 27);
    idle();
    EXPECT_EQ(item(3), str(221));
    EXPECT_EQ(savedStatistics("ann").packCompleteShown, -1);
    press(KeyEnter);
    EXPECT_EQ(menu.menuScreen, 9);
    EXPECT_EQ(menu.menuSelection, 5);
    EXPECT_EQ(menu.returnToMainAfterLink, -1);
    EXPECT_EQ(frameClock.targetZoom, 1.0);

    // Never again, not even after a restart of the pack.
    playChosenProfile();
    ASSERT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(packs.currentLevel, 2);
    playWith(Fast);
    EXPECT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(packs.currentLevel, 1);
}

TEST_F(Progression, FinishingEveryLevelInTurnShowsTheCompletePackAtTheEnd) {
    writeLevels(2);
    startAs("ann");
    playWith(Fast);
    playWith(Fast);
    ASSERT_EQ(menu.menuScreen, 27);
    const Statistics saved = savedStatistics("ann");
    EXPECT_EQ(saved.packEndShown, -1);
    EXPECT_EQ(saved.packCompleteShown, -1);
    EXPECT_EQ(saved.currentLevel, 1);
    idle();
    EXPECT_EQ(item(3), str(221));
    EXPECT_EQ(item(1), str(219) + "ann");
}

TEST_F(Progression, LeavingPlayChangesNothingAndStartsTheLevelAfresh) {
    writeLevels(2);
    startAs("ann");
    playWith(LeaveWithEsc);
    EXPECT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(packs.currentLevel, 1);
    EXPECT_EQ(stats.progress.levelCompletions[1], 0);
    EXPECT_FALSE(savedExists("ann"));
    EXPECT_EQ(level.ball.x, 0);
    EXPECT_EQ(renderer.menuVisible, -1);

    press(KeyEsc);
    EXPECT_EQ(menu.menuScreen, 1);
    EXPECT_EQ(frameClock.targetZoom, 1.0);
}

TEST_F(Progression, PacksAreListedUpToFourAndChosenOneByOneFromFive) {
    writeLevels(2, "lvlpckalpha");
    writeLevels(3, "lvlpckzindrop");
    writeProfiles({"ann"});
    settings.currentProfile = 1;
    playChosenProfile();
    ASSERT_EQ(menu.menuScreen, 13);
    EXPECT_EQ(menu.menuSelection, 3);  // the profile's pack, zindrop
    idle();
    EXPECT_EQ(item(1), str(170));
    EXPECT_EQ(item(2), "alpha");
    EXPECT_EQ(item(3), "zindrop");
    EXPECT_EQ(item(4), "_");
    press("nr2");
    ASSERT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(packs.levelCount, 2);
    EXPECT_EQ(folder.read("ann.alp"), "lvlpckalpha\r\n");
    EXPECT_EQ(stats.packRecord, 20000);

    for (const char* name : {"lvlpckb", "lvlpckc", "lvlpckd"}) writeLevels(1, name);
    playChosenProfile();
    ASSERT_EQ(menu.menuScreen, 13);
    EXPECT_EQ(menu.menuSelection, 2);
    idle();
    EXPECT_EQ(item(2), "alpha");
    EXPECT_EQ(item(3), "_");
    press("nr5");
    press("nr5");
    idle();
    EXPECT_EQ(item(2), "c");
    press("nr4");
    press("nr2");
    ASSERT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(currentPackName(), "lvlpckb");
    press(KeyEsc);
    press("nr1");
    press("nr2");  // the profile list: ann
    ASSERT_EQ(menu.menuScreen, 13);
    idle();
    EXPECT_EQ(item(2), "b");  // remembered in the profile file
}

// Level 2 of three cut to its first 50 bytes: reached by the skip, it shows
// the loader's message until Enter or Esc, is never played, and the player
// goes on around it.
TEST_F(Progression, ADamagedLevelIsToldAndNeverPlayedAndCanBeGoneAround) {
    writeLevels(3);
    const std::string damaged = "lvlpckzindrop/002.zdl";
    Bytes bytes;
    ASSERT_TRUE(readFile(folder.path() + damaged, bytes));
    bytes.resize(50);
    folder.write(damaged, bytes);
    startAs("ann");
    EXPECT_EQ(dialog.dialogId, 0);
    press("nr4");
    ASSERT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(dialog.dialogId, 1);
    EXPECT_EQ(dialog.dialogLine1, str(80));
    EXPECT_EQ(dialog.dialogLine2, str(82));
    EXPECT_EQ(dialog.dialogLine3, damaged);
    EXPECT_EQ(level.levelName, "");
    EXPECT_TRUE(level.groundTiles.empty());
    const Statistics afterSkip = savedStatistics("ann");

    // Other keys wait; Enter closes the message.
    press(KeyDown);
    press("nr2");
    EXPECT_EQ(dialog.dialogId, 1);
    EXPECT_EQ(packs.currentLevel, 2);
    press(KeyEnter);
    EXPECT_EQ(dialog.dialogId, 0);
    EXPECT_EQ(menu.menuScreen, 14);

    // Play shows the message again; the board stays empty and nothing runs
    // or is saved.
    scripts.push_back(Fast);
    press("nr2");
    EXPECT_EQ(scripts.size(), 1u);
    scripts.clear();
    EXPECT_EQ(dialog.dialogId, 1);
    EXPECT_EQ(dialog.dialogLine3, damaged);
    EXPECT_EQ(renderer.menuVisible, -1);
    EXPECT_TRUE(level.groundTiles.empty());
    EXPECT_EQ(level.ball.x, 0);
    EXPECT_EQ(stats.progress.levelCompletions[2], 0);
    EXPECT_EQ(savedStatistics("ann").currentLevel, afterSkip.currentLevel);
    press(KeyEsc);
    EXPECT_EQ(dialog.dialogId, 0);
    EXPECT_EQ(menu.menuScreen, 14);  // Esc only closed the message

    // Skip passes it, Previous comes back to it, and the level before is
    // played as usual.
    press("nr4");
    EXPECT_EQ(packs.currentLevel, 3);
    EXPECT_EQ(dialog.dialogId, 0);
    EXPECT_EQ(level.levelName, "Row 3");
    EXPECT_GT(playWith(Fast), 10000);
    EXPECT_EQ(stats.progress.levelCompletions[3], 1);
    EXPECT_EQ(menu.menuScreen, 27);  // the end of the pack, then level 1
    press(KeyEnter);
    EXPECT_EQ(packs.currentLevel, 1);
    press("nr4");
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(dialog.dialogId, 1);
    press(KeyEsc);
    press("nr4");
    EXPECT_EQ(packs.currentLevel, 3);
    press("nr3");
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(dialog.dialogId, 1);
    press(KeyEnter);
    press("nr3");
    EXPECT_EQ(packs.currentLevel, 1);
    EXPECT_EQ(dialog.dialogId, 0);
    EXPECT_GT(playWith(Fast), 10000);
    EXPECT_EQ(packs.currentLevel, 2);  // finished: on to the next, damaged one
    EXPECT_EQ(dialog.dialogId, 1);
    press(KeyEnter);
    press(KeyEsc);
    EXPECT_EQ(menu.menuScreen, 1);
    EXPECT_EQ(stats.progress.levelCompletions[2], 0);
}

// A level the statistics point to that is not there (the pack lost files)
// is not played as an empty board either; a move past the last level is
// undone without a word.
TEST_F(Progression, AMissingLevelIsToldAndAMoveToNoLevelIsUndoneQuietly) {
    writeLevels(2);
    startAs("ann");
    press("nr4");
    ASSERT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(dialog.dialogId, 0);
    ASSERT_TRUE(deleteFile(folder.path() + "lvlpckzindrop/002.zdl"));
    press("nr3");
    press("nr4");  // level 2 is the last by the count: gone, back to 1
    EXPECT_EQ(packs.currentLevel, 1);
    EXPECT_EQ(dialog.dialogId, 0);
    packs.currentLevel = 2;
    loadCurrentLevel();
    EXPECT_EQ(dialog.dialogId, 1);
    EXPECT_EQ(dialog.dialogLine2, str(81));
    press(KeyEnter);
    scripts.push_back(Fast);
    press("nr2");
    EXPECT_EQ(scripts.size(), 1u);
    scripts.clear();
    EXPECT_EQ(dialog.dialogId, 1);
}

// The session ends while a level is played with the real play loop: the
// run ends as by Esc, its replay is written, nothing is recorded as played,
// and the game quits with the settings saved.
TEST_F(Progression, TheSessionsEndInPlayEndsTheRunAsEscThenQuits) {
    writeLevels(2);
    startAs("ann");
    progression.playRunner = nullptr;
    const std::string replay = folder.path() + "lastrun.zrp";
    recordRunsTo(replay);
    // Rolling right for a while, when the session ends.
    static int playYields;
    playYields = 0;
    headless.onSleep = [](HeadlessPlatform& system) {
        if (renderer.menuVisible != 0) return;
        system.heldKeys = {ScanRight};
        if (++playYields == 30) system.sessionEnding = true;
    };
    press("nr2");
    headless.onSleep = nullptr;
    EXPECT_EQ(play.endedByKey, -1);
    EXPECT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(stats.progress.levelCompletions[1], 0);
    EXPECT_FALSE(savedExists("ann"));
    ReplayRecord record;
    std::string error;
    ASSERT_TRUE(readReplay(replay, record, error)) << error;
    EXPECT_EQ(record.levelNumber, 1);
    EXPECT_EQ(callsOf(record.calls).back().key, KeyEsc);

    int status = -1;
    try {
        idle();
    } catch (const HeadlessExit& exit) {
        status = exit.status;
    }
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(fileExists(folder.path() + "settings.dat"));
    recordRunsTo("");
}

// The shipped main pack played from the level screen with the solutions that
// lie beside its levels, from a copy of its levels (the players' files stay
// out of the game folder).
class ShippedPack : public Progression {
protected:
    const std::string sources = ZD_SOURCE_DIR "/levels/lvlpckzindrop/";

    void SetUp() override {
        Progression::SetUp();
        if (!fileExists(sources + "001.solution")) GTEST_SKIP() << "no solutions of the shipped levels yet";
        // The pictures come from the game folder, the levels are copied.
        const std::string game = ZD_GAME_DIR "/";
        setProgramFolder(game);
        textures = TextureState();
        catalogue = TextureCatalogue();
        ::testing::internal::CaptureStderr();
        loadTextures(drawFrame);
        ::testing::internal::GetCapturedStderr();
        setProgramFolder(folder.path());
        for (const std::string& file : listFolder(game + "lvlpckzindrop/", "*", EntryKind::Files)) {
            Bytes bytes;
            ASSERT_TRUE(readFile(game + "lvlpckzindrop/" + file, bytes));
            folder.write("lvlpckzindrop/" + file, bytes);
        }
        listLevelPacks();
    }

    std::string solutionOf(int levelNumber) {
        std::string text;
        EXPECT_TRUE(readTextFile(sources + zeroPadded(levelNumber) + ".solution", text));
        return text;
    }
};

TEST_F(ShippedPack, TheFirstLevelsPlayThroughFromTheLevelScreen) {
    startAs("ann");
    ASSERT_EQ(menu.menuScreen, 14);
    ASSERT_EQ(packs.currentLevel, 1);
    ASSERT_GE(packs.levelCount, 3);
    std::int64_t total = 0;
    for (int n = 1; n <= 3; ++n) {
        const std::int32_t score = playWith(solutionOf(n));
        ASSERT_EQ(lastResult, PlayResult::Finished) << "level " << n;
        total += score;
        EXPECT_EQ(stats.progress.levelCompletions[n], 1);
        EXPECT_EQ(stats.progress.levelBest[n], score);
        EXPECT_EQ(packs.currentLevel, n + 1);
        EXPECT_EQ(savedStatistics("ann").currentLevel, n + 1);
    }
    EXPECT_EQ(bestTotal(), total);

    // Level 1 again, played the same way: one more completion, no notice.
    press("nr3");
    press("nr3");
    press("nr3");
    ASSERT_EQ(packs.currentLevel, 1);
    playWith(solutionOf(1));
    EXPECT_EQ(menu.menuScreen, 14);
    EXPECT_EQ(savedStatistics("ann").levelCompletions[1], 2);
}

TEST_F(ShippedPack, TheWholeMainPackPlaysThroughAndIsRecordedFinished) {
    startAs("ann");
    const int count = packs.levelCount;
    ASSERT_GE(count, 30);
    for (int n = 1; n <= count; ++n) {
        ASSERT_EQ(packs.currentLevel, n);
        ASSERT_EQ(menu.menuScreen, 14) << "before level " << n;
        playWith(solutionOf(n));
        ASSERT_EQ(lastResult, PlayResult::Finished) << "level " << n;
    }
    EXPECT_EQ(menu.menuScreen, 27);  // the end of the pack is announced
    const Statistics saved = savedStatistics("ann");
    for (int n = 1; n <= count; ++n) EXPECT_EQ(saved.levelCompletions[n], 1) << "level " << n;
    EXPECT_EQ(unfinishedCount(), 0);
}

}  // namespace
