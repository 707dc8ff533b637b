// Runs of the real play loop recorded through playLevel and played back.
#include <gtest/gtest.h>

#include "assets/audio.h"
#include "base/numeric.h"
#include "config/settings.h"
#include "gfx/frame.h"
#include "gfx/hud.h"
#include "platform/keys.h"
#include "play/play.h"
#include "play/replay.h"
#include "support/play_fixture.h"

namespace {

constexpr double StartClock = 100;  // the play fixture's clock
bool musicPressed = false;          // the player has pressed "m"

// The player of the recorded run, by virtual time since the start: rolls
// right, jumps, rolls over a bomb and a flag, toggles the music, sets the bomb
// off beside a crack, and rolls on over the second flag to the exit. Esc late, in
// case the exit is missed.
void player(HeadlessPlatform& h) {
    const double t = h.clock - StartClock;
    h.heldKeys.clear();
    if (t > 0.2) h.heldKeys.insert(ScanRight);
    if (t > 1.1 && t < 1.2) h.heldKeys.insert(ScanSpace);
    if (t > 0.3 && t < 0.35) h.heldKeys.insert(ScanCtrl);
    if (t > 0.6 && !musicPressed) {
        musicPressed = true;
        h.keyQueue.push_back("m");
    }
    if (t > 20 && h.keyQueue.empty()) h.keyQueue.push_back(KeyEsc);
}

// The same player, whose session ends (a logout, say) after a second.
void playerUntilTheSessionEnds(HeadlessPlatform& h) {
    player(h);
    if (h.clock - StartClock > 1.0) h.sessionEnding = true;
}

InputStream streamOf(const std::vector<InputCall>& calls) {
    InputStreamWriter writer;
    for (const InputCall& call : calls) writer.add(call);
    return writer.finish();
}

// What a run leaves behind, compared exactly.
struct RunResult {
    std::int32_t result = 0;
    std::int64_t frames = 0;
    LevelObject ball;
    std::int32_t score = 0;
    double elapsed = 0;
    int flags = 0;
    int cracks = 0;
    std::vector<int> clips;
    std::int32_t comboCount = 0;
};

class ReplayRunTest : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        floorTiles(0, 0, 11, 1);
        put(level.bombsAndFlags, KindBomb, 128, 0);
        put(level.bombsAndFlags, KindFlag, 512, 0);
        put(level.bombsAndFlags, KindFlag, 1024, 0);
        put(level.cracks, KindCrack, 768, 128);
        put(level.walls, KindWall, 768, 128);
        put(level.exitsAndTraps, KindExit, 1408, 0);
        ballAt(0, 0);
        start = level;
        path = folder.path() + "lastrun.zrp";
    }

    // Plays the level through playLevel with recording on.
    RunResult recordRun(void (*inputs)(HeadlessPlatform&) = player) {
        recordRunsTo(path);
        headless.onSleep = inputs;
        musicPressed = false;
        play.comboCount = 2;  // carried over from an earlier run
        frameClock.animDelta = 0.6;
        const int swapsBefore = headless.swapCount;
        RunResult run;
        run.result = playLevel();
        run.frames = headless.swapCount - swapsBefore;
        fill(run);
        recordRunsTo("");
        headless.onSleep = nullptr;
        return run;
    }

    // Puts the board back and forgets everything play carried over, as a new
    // program would have it.
    void freshProgram() {
        level = start;
        indexBoard();
        play = PlayState();
        frameClock.animDelta = 0;
        audio.requests.clear();
        seedRandom(777);
    }

    void fill(RunResult& run) {
        run.ball = level.ball;
        run.score = play.score;
        run.elapsed = play.elapsed;
        run.flags = 0;
        for (const LevelObject& o : level.bombsAndFlags)
            if (o.texture == KindFlag) ++run.flags;
        run.cracks = level.cracks.count();
        run.clips = audio.requests;
        run.comboCount = play.comboCount;
    }

    void expectSame(const RunResult& replayed, const RunResult& recorded) {
        EXPECT_EQ(replayed.result, recorded.result);
        EXPECT_EQ(replayed.frames, recorded.frames);
        EXPECT_TRUE(replayed.ball == recorded.ball);
        EXPECT_EQ(replayed.score, recorded.score);
        EXPECT_EQ(replayed.elapsed, recorded.elapsed);
        EXPECT_EQ(replayed.flags, recorded.flags);
        EXPECT_EQ(replayed.cracks, recorded.cracks);
        EXPECT_EQ(replayed.clips, recorded.clips);
        EXPECT_EQ(replayed.comboCount, recorded.comboCount);
    }

    ReplayRecord readRecord() {
        ReplayRecord record;
        std::string error;
        EXPECT_TRUE(readReplay(path, record, error)) << error;
        return record;
    }

    Level start;
    std::string path;
};

TEST_F(ReplayRunTest, ARecordedRunReplaysToTheSameEnd) {
    const std::int32_t musicBefore = settings.musicOn;
    const RunResult recorded = recordRun();
    // The run did what the script meant: the exit was reached with both
    // flags and the crack broken, voices and effects were heard.
    ASSERT_EQ(recorded.result, -1);
    EXPECT_EQ(recorded.flags, 0);
    EXPECT_EQ(recorded.cracks, 0);
    EXPECT_GE(recorded.score, 400);
    EXPECT_GT(recorded.frames, 60);
    EXPECT_FALSE(recorded.clips.empty());
    EXPECT_NE(settings.musicOn, musicBefore);  // "m" was pressed once
    ASSERT_TRUE(fileExists(path));
    EXPECT_EQ(&platform(), &headless);

    const ReplayRecord record = readRecord();
    freshProgram();
    settings.voicesOn = 0;  // the record's switches apply during the replay
    const std::int32_t musicBeforeReplay = settings.musicOn;
    const ReplayOutcome outcome = playRecord(record, nullptr, false);
    ASSERT_EQ(outcome.error, "");
    EXPECT_TRUE(outcome.complete) << outcome.report;
    EXPECT_EQ(outcome.progress, ReplayProgress::Playing);
    RunResult replayed;
    replayed.result = outcome.result;
    replayed.frames = outcome.frames;
    fill(replayed);
    expectSame(replayed, recorded);
    EXPECT_EQ(&platform(), &headless);
    EXPECT_EQ(settings.voicesOn, 0);
    EXPECT_EQ(settings.musicOn, musicBeforeReplay);
    // Nothing was recorded over the file while it played.
    EXPECT_EQ(readRecord().seed, record.seed);
}

TEST_F(ReplayRunTest, ADesynchronisedOrCutReplayEndsTheRunCleanly) {
    recordRun();
    const ReplayRecord record = readRecord();
    const std::vector<InputCall> calls = callsOf(record.calls);
    ASSERT_GT(calls.size(), 100u);

    // Another call where the game reads a key, midway: the replay ends there
    // and the loop stops on the Esc it then reads.
    std::vector<InputCall> changedCalls = calls;
    std::size_t middle = changedCalls.size() / 2;
    while (changedCalls[middle].kind != InputKind::ReadKey) ++middle;
    changedCalls[middle].kind = InputKind::Mouse;
    ReplayRecord changed = record;
    changed.calls = streamOf(changedCalls);
    freshProgram();
    ReplayOutcome outcome = playRecord(changed, nullptr, false);
    EXPECT_EQ(outcome.progress, ReplayProgress::Desynchronised);
    EXPECT_NE(outcome.report.find("the game asked for readKey, the record holds mouse"),
              std::string::npos)
        << outcome.report;
    EXPECT_EQ(outcome.result, 0);
    EXPECT_FALSE(outcome.complete);
    EXPECT_EQ(play.endedByKey, -1);
    EXPECT_EQ(&platform(), &headless);

    // A record cut short: the replay runs out and ends the same way.
    ReplayRecord cut = record;
    cut.calls = streamOf(std::vector<InputCall>(calls.begin(), calls.begin() + calls.size() / 3));
    freshProgram();
    outcome = playRecord(cut, nullptr, false);
    EXPECT_EQ(outcome.progress, ReplayProgress::Exhausted);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(&platform(), &headless);
}

TEST_F(ReplayRunTest, ARecordIsNotPlayedOnAnotherBoard) {
    recordRun();
    const ReplayRecord record = readRecord();
    freshProgram();
    level.bombsAndFlags[1].x += 128;
    const ReplayOutcome outcome = playRecord(record, nullptr, false);
    EXPECT_NE(outcome.error.find("not the board the run began on"), std::string::npos);
    EXPECT_EQ(outcome.frames, 0);
    EXPECT_EQ(&platform(), &headless);
}

// The session's end stops play as Esc does; the record holds that Esc, so
// the run replays to the same end, and a watched replay stops on it too.
TEST_F(ReplayRunTest, ARunTheSessionEndsIsRecordedAsEndedByEsc) {
    const RunResult recorded = recordRun(playerUntilTheSessionEnds);
    EXPECT_EQ(recorded.result, 0);
    EXPECT_EQ(play.endedByKey, -1);
    EXPECT_LT(recorded.elapsed, 1.2);
    const ReplayRecord record = readRecord();
    const std::vector<InputCall> calls = callsOf(record.calls);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().kind, InputKind::ReadKey);
    EXPECT_EQ(calls.back().key, KeyEsc);

    headless.sessionEnding = false;
    freshProgram();
    ReplayOutcome outcome = playRecord(record, nullptr, false);
    EXPECT_TRUE(outcome.complete) << outcome.report;
    EXPECT_EQ(outcome.progress, ReplayProgress::Playing);
    RunResult replayed;
    replayed.result = outcome.result;
    replayed.frames = outcome.frames;
    fill(replayed);
    expectSame(replayed, recorded);

    HeadlessPlatform display;
    display.sessionEnding = true;
    freshProgram();
    outcome = playRecord(record, &display, false);
    EXPECT_EQ(outcome.progress, ReplayProgress::Stopped);
    EXPECT_EQ(outcome.frames, 1);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(&platform(), &headless);
}

}  // namespace
