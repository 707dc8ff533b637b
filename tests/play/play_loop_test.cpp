// The play loop: clock texts, the checkpoint and its restoring, the endings,
// bonus levels and the keys of play.
#include <gtest/gtest.h>

#include "assets/audio.h"
#include "config/settings.h"
#include "gfx/frame.h"
#include "platform/keys.h"
#include "play/play.h"
#include "support/play_fixture.h"

namespace {

class PlayLoopTest : public PlayTest {
protected:
    // Runs frames of the real loop until it ends or `limit` frames passed;
    // the number of frames run.
    int runFrames(int limit) {
        for (int frame = 1; frame <= limit; ++frame)
            if (!playFrame()) return frame;
        return limit;
    }
};

TEST(ClockText, MinutesAndSecondsOfTheNearestSecond) {
    EXPECT_EQ(clockText(65.4), "01:05");
    EXPECT_EQ(clockText(0), "00:00");
    EXPECT_EQ(clockText(59.5), "01:00");   // 59.5 rounds to 60 (even)
    EXPECT_EQ(clockText(6000), "100:00");  // longer numbers are not cut
}

TEST_F(PlayLoopTest, ACheckpointIsTakenOnTheSeventhFrameAtRestAtANewPlace) {
    floorTiles(0, 0, 9, 0);
    ballAt(0, 0);
    startPlay();
    level.ball.x = 256;  // moved on; now at rest
    for (int frame = 1; frame <= 6; ++frame) {
        step(0.5);
        EXPECT_EQ(play.checkpointX, 0) << "frame " << frame;
    }
    step(0.5);
    EXPECT_EQ(play.checkpointX, 256);
    EXPECT_EQ(play.restFrames, 0);
}

TEST_F(PlayLoopTest, ALostLifeRestoresTheBoardScoreAndBombsWhileTheClockRunsOn) {
    floorTiles(0, 0, 3, 0);
    put(level.bombsAndFlags, KindFlag, 128, 0);
    put(level.bombsAndFlags, KindFlag, 256, 0);
    put(level.cracks, KindCrack, 384, 0);
    ballAt(0, 0);
    startPlay();
    const double started = play.levelStartTime;
    ballAt(128, 0);
    onStep();
    level.bombsCarried = 2;
    blast(384, 0);
    play.shownScore = 299.6;
    EXPECT_EQ(play.score, 300);
    level.sinkScale = 101;  // the fall has ended
    level.explosions.append(LevelObject{});
    headless.clock += 1;
    EXPECT_TRUE(playFrame());
    EXPECT_EQ(level.bombsAndFlags.count(), 2);
    EXPECT_EQ(level.groundTiles.count(), 4);
    EXPECT_EQ(level.cracks.count(), 1);
    EXPECT_EQ(play.score, 0);
    EXPECT_EQ(level.bombsCarried, 0);
    EXPECT_EQ(play.flagsLeft, 2);
    EXPECT_EQ(level.ball.x, 0);
    EXPECT_EQ(level.sinkScale, 0);
    EXPECT_TRUE(level.explosions.empty());
    EXPECT_TRUE(play.floatingMessages.empty());
    EXPECT_EQ(play.levelStartTime, started);
    EXPECT_GT(play.elapsed, 0);
}

TEST_F(PlayLoopTest, ABonusLevelEndsOnALostLifeAfterRestoring) {
    floorTiles(0, 0, 3, 3);
    level.background.texture = BonusBackgroundEntry;
    ballAt(128, 256);
    startPlay();
    put(level.bombsAndFlags, KindFlag, 0, 0);  // after the checkpoint: gone again on restore
    level.explodeCount = 51;
    EXPECT_FALSE(playFrame());
    EXPECT_EQ(level.bombsAndFlags.count(), 0);
    EXPECT_EQ(endPlay(), 0);
    EXPECT_EQ(play.endedByKey, 0);
}

TEST_F(PlayLoopTest, ABonusLevelDrivesTheBallUpwardsAndIgnoresTheArrowKeys) {
    floorTiles(0, 0, 3, 9);
    level.background.texture = BonusBackgroundEntry;
    ballAt(128, 1000);
    play.startZoom = 0.5;
    step(0.5, {ScanRight, ScanMinus});
    EXPECT_EQ(level.ball.vx, 0);
    EXPECT_DOUBLE_EQ(level.ball.vy, -3);
    EXPECT_EQ(frameClock.targetZoom, 1.0);
}

TEST_F(PlayLoopTest, TheExitSequenceEndsTheLevelAndEscLaterStillCountsAsFinished) {
    floorTiles(0, 0, 3, 0);
    put(level.exitsAndTraps, KindExit, 128, 0);
    ballAt(100, 0, 10, 0);  // only a rolling ball meets what lies under it
    level.timeLimit = 0;
    startPlay();
    EXPECT_EQ(play.flagsLeft, 0);  // no flags: the exit is open from the start
    for (int frame = 0; frame < 10 && level.exitCount == 0; ++frame) EXPECT_TRUE(playFrame());
    EXPECT_GE(level.exitCount, 1);
    headless.keyQueue.push_back(KeyEsc);
    EXPECT_FALSE(playFrame());
    EXPECT_EQ(endPlay(), -1);
    EXPECT_EQ(play.flagsLeft, 1);
    EXPECT_EQ(level.exitCount, 0);
    EXPECT_EQ(level.zoom, 0.5);
}

TEST_F(PlayLoopTest, ExplosionsOnTheBoardHoldTheEndOfTheExitSequenceUntilItsCountPasses100) {
    floorTiles(0, 0, 3, 0);
    ballAt(128, 0);
    startPlay();
    level.exitCount = 60;
    level.explosions.append(LevelObject{KindExplosion, 0, 0, 100000, 100000, 13});
    const int frames = runFrames(1000);
    EXPECT_LT(frames, 1000);
    EXPECT_GT(level.exitCount, 100);
}

TEST_F(PlayLoopTest, TheTimeUpMessageShowsOnceAndLevelsWithoutALimitShowNone) {
    floorTiles(0, 0, 3, 0);
    ballAt(0, 0);
    level.timeLimit = 1;
    startPlay();
    runFrames(90);
    int timeUp = 0;
    for (const std::string& text : messageTexts()) timeUp += text == s(92) ? 1 : 0;
    EXPECT_EQ(timeUp, 1);
    EXPECT_EQ(play.timeUpShown, -1);
    EXPECT_EQ(play.timeLimitText, "00:01");

    level.timeLimit = 0;
    startPlay();
    play.floatingMessages.clear();
    runFrames(90);
    for (const std::string& text : messageTexts()) EXPECT_NE(text, s(92));
}

TEST_F(PlayLoopTest, MTogglesMusicInEitherCaseAndTheCloseRequestEndsLikeEsc) {
    floorTiles(0, 0, 3, 0);
    ballAt(0, 0);
    startPlay();
    settings.musicOn = -1;
    headless.keyQueue = {"M"};
    EXPECT_TRUE(playFrame());
    EXPECT_EQ(settings.musicOn, 0);
    headless.keyQueue = {"m"};
    EXPECT_TRUE(playFrame());
    EXPECT_EQ(settings.musicOn, -1);
    headless.keyQueue = {KeyClose};
    EXPECT_FALSE(playFrame());
    EXPECT_EQ(play.endedByKey, -1);
    EXPECT_EQ(endPlay(), 0);
}

TEST_F(PlayLoopTest, TheStartSetsTheCheckpointTheGreetingAndAStartVoice) {
    floorTiles(0, 0, 3, 0);
    put(level.bombsAndFlags, KindFlag, 256, 0);
    put(level.bombsAndFlags, KindBomb, 384, 0);
    ballAt(128, 0);
    level.zoom = 0.8;
    startPlay();
    EXPECT_EQ(play.flagsLeft, 1);
    EXPECT_EQ(play.checkpointSet, -1);
    EXPECT_EQ(play.checkpointX, 128);
    EXPECT_EQ(frameClock.targetZoom, 0.4);
    EXPECT_EQ(frameClock.zoomEasing, -1);
    EXPECT_FALSE(headless.pointerVisible);
    EXPECT_EQ(messageTexts(), std::vector<std::string>{s(91)});
    ASSERT_EQ(audio.requests.size(), 1u);
    EXPECT_TRUE(audio.requests[0] >= 16 && audio.requests[0] <= 18);

    settings.voicesOn = 0;
    audio.requests.clear();
    startPlay();
    EXPECT_TRUE(audio.requests.empty());
}

TEST_F(PlayLoopTest, AJumpCutShortByEscScoresNothingInTheNextAttempt) {
    floorTiles(0, 0, 3, 0);
    ballAt(0, 0);
    startPlay();
    play.wasJumping = -1;  // the last attempt ended in the air over a hole
    play.holeJumpArmed = -1;
    play.lastComboLanding = headless.clock - 0.5;
    startPlay();
    const int before = play.score;
    step(0.5);
    EXPECT_EQ(play.score, before);
}

}  // namespace
