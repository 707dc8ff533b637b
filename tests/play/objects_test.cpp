// The level objects: pickups, exits and traps, bombs and cracks, platforms
// with markers, the hole-jump series.
#include <gtest/gtest.h>

#include "assets/audio.h"
#include "base/numeric.h"
#include "gfx/frame.h"
#include "platform/keys.h"
#include "play/play.h"
#include "support/play_fixture.h"

namespace {

class ObjectsTest : public PlayTest {};

TEST_F(ObjectsTest, TwoFlagsOnOneSquareAreTakenOnTwoSteps) {
    floorTiles(0, 0, 5, 0);
    put(level.bombsAndFlags, KindFlag, 128, 0);
    put(level.bombsAndFlags, KindFlag, 128, 0);
    put(level.bombsAndFlags, KindBomb, 640, 0);
    play.flagsLeft = 2;
    ballAt(100, 0);
    onStep();
    EXPECT_EQ(play.flagsLeft, 1);
    EXPECT_EQ(level.bombsAndFlags.count(), 2);
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"100"});
    onStep();
    EXPECT_EQ(play.flagsLeft, 0);
    EXPECT_EQ(messageTexts().back(), s(94));
    EXPECT_EQ(play.score, 200);
    onStep();  // nothing left under the ball
    EXPECT_EQ(play.score, 200);
    ASSERT_EQ(audio.requests.size(), 3u);
    EXPECT_EQ(audio.requests[0], 1);
    EXPECT_EQ(audio.requests[1], 1);
    EXPECT_TRUE(audio.requests[2] >= 22 && audio.requests[2] <= 24);

    ballAt(640, 0);
    onStep();
    EXPECT_EQ(level.bombsCarried, 1);
    EXPECT_EQ(play.score, 350);
    EXPECT_EQ(messageTexts().back(), "150");
}

TEST_F(ObjectsTest, TheExitOpensAtTheFirstTouchOnceEveryFlagIsTaken) {
    put(level.exitsAndTraps, KindExit, 0, 0);
    ballAt(0, 0);
    play.flagsLeft = 2;
    play.lastExitNotice = 0;
    onStep();
    EXPECT_EQ(level.exitCount, 0);
    EXPECT_EQ(messageTexts().back(), "2" + s(100));
    onStep();  // within 1.5 s: no second notice
    EXPECT_EQ(play.floatingMessages.count(), 1);
    play.flagsLeft = 1;
    headless.clock += 2;
    onStep();
    EXPECT_EQ(messageTexts().back(), "1" + s(99));

    play.flagsLeft = 0;
    level.explodeCount = 3;  // being blown up keeps it shut
    headless.clock += 2;
    onStep();
    EXPECT_EQ(level.exitCount, 0);
    EXPECT_EQ(messageTexts().back(), "0" + s(100));

    level.explodeCount = 0;
    level.timeLimit = 0;
    onStep();
    EXPECT_EQ(level.exitCount, 1);
    EXPECT_EQ(play.score, 0);  // no limit: no bonus and no penalty
    EXPECT_EQ(audio.requests[0], 4);
    EXPECT_TRUE(audio.requests[1] >= 10 && audio.requests[1] <= 15);
}

TEST_F(ObjectsTest, ExitBonusAndPenaltyRoundHalvesToEven) {
    put(level.exitsAndTraps, KindExit, 0, 0);
    ballAt(0, 0);
    play.flagsLeft = 0;
    level.timeLimit = 60;
    play.elapsed = 57.7;
    onStep();
    EXPECT_EQ(play.score, 1150);
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{s(98), "1150"}));
    EXPECT_DOUBLE_EQ(play.floatingMessages[2].y, play.floatingMessages[1].y + 64);

    level.exitCount = 0;
    play.floatingMessages.clear();
    play.score = 0;
    play.elapsed = 60.001;
    onStep();
    EXPECT_EQ(play.score, 0);  // nearest(-0.5) is 0
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{s(96), s(97) + "0"}));
    EXPECT_EQ(play.floatingMessages[1].red, 255);

    level.exitCount = 0;
    play.score = 300;
    play.elapsed = 61;
    onStep();
    EXPECT_EQ(play.score, 0);  // a penalty never makes the score negative
}

TEST_F(ObjectsTest, TrapsAndExitsDoNothingWhileJumpingOrOnAPlatform) {
    put(level.exitsAndTraps, KindTrap, 0, 0);
    ballAt(0, 0);
    level.jumpState = 1;
    onStep();
    EXPECT_EQ(level.explodeCount, 0);
    level.jumpState = 0;
    play.onPlatform = -1;
    onStep();
    EXPECT_EQ(level.explodeCount, 0);
    play.onPlatform = 0;
    onStep();
    EXPECT_EQ(level.explodeCount, 1);
    EXPECT_EQ(messageTexts().back(), s(95));
    ASSERT_EQ(audio.requests.size(), 3u);
    EXPECT_EQ(audio.requests[0], 3);
    EXPECT_EQ(audio.requests[1], 5);
}

TEST_F(ObjectsTest, ABombBlastsTheCrackedWallAtTheNearestTileOnly) {
    floorTiles(0, 0, 5, 5);
    put(level.walls, KindWall, 256, 128);
    put(level.cracks, KindCrack, 256, 128);
    put(level.walls, KindWall, 384, 128);  // not cracked
    put(level.cracks, KindCrack, 128, 384);  // a cracked floor tile out of reach
    level.bombsCarried = 1;
    ballAt(300, 140);
    seedRandom(7);
    setOffBomb();
    EXPECT_EQ(level.bombsCarried, 0);
    EXPECT_EQ(level.explosions.count(), 9);
    for (const LevelObject& e : level.explosions) {
        EXPECT_GE(e.x, 300 - 384);
        EXPECT_LE(e.x, 300);
        EXPECT_GE(e.y, 140 - 384);
        EXPECT_LE(e.y, 140);
    }
    ASSERT_EQ(level.walls.count(), 1);
    EXPECT_EQ(level.walls[1].x, 384);
    EXPECT_EQ(level.cracks.count(), 1);
    EXPECT_EQ(level.groundTiles.count(), 36);  // the floor under the wall stays
    EXPECT_EQ(play.score, 200);
    EXPECT_EQ(messageTexts().back(), "200");

    setOffBomb();  // none left
    EXPECT_EQ(messageTexts().back(), s(93));
    EXPECT_EQ(level.explosions.count(), 9);
}

TEST_F(ObjectsTest, ACrackedFloorBlastBecomesAHoleAndTakesTheArrowWithIt) {
    floorTiles(0, 0, 3, 3);
    put(level.cracks, KindCrack, 128, 128);
    put(level.arrows, KindArrowEast, 128, 128, DirEast);
    put(level.bombsAndFlags, KindFlag, 128, 128);
    blast(128, 128);
    EXPECT_EQ(level.groundTiles.count(), 15);
    for (const LevelObject& g : level.groundTiles) EXPECT_FALSE(g.x == 128 && g.y == 128);
    EXPECT_EQ(level.arrows.count(), 0);
    EXPECT_EQ(level.bombsAndFlags.count(), 1);  // other objects stay
}

TEST_F(ObjectsTest, APlatformFollowsItsMarkersAndCarriesTheBall) {
    floorTiles(0, 0, 1, 0);
    put(level.platforms, KindPlatform, 256, 0, 7, 0);
    put(level.platformMarkers, KindMarkerSouth, 640, 0, DirSouth);
    ballAt(256, 0);
    // 2.8 units a frame: the platform passes within half a unit of the marker.
    for (int frame = 0; frame < 180; ++frame) step(0.4);
    const LevelObject& p = level.platforms[1];
    EXPECT_EQ(p.x, 640);
    EXPECT_GT(p.y, 0);
    EXPECT_EQ(p.vx, 0);
    EXPECT_EQ(p.vy, 7);
    // The ball rode along and is still on it (a snap made while the platform
    // moves along y does not carry the ball along x).
    EXPECT_NEAR(level.ball.x, p.x, 0.5);
    EXPECT_EQ(level.ball.y, p.y);
    EXPECT_EQ(level.sinkScale, 0);
}

TEST_F(ObjectsTest, APlatformMovingAwayFromUnderARestingBallMakesItTeeterAndFall) {
    // The ball rides a platform until a wall beside its path catches it; the
    // platform, lower down, passes under the wall and leaves the ball behind.
    put(level.platforms, KindPlatform, 0, 0, 7, 0);
    put(level.walls, KindWall, 200, 150);
    ballAt(0, 60);
    bool teetered = false;
    for (int frame = 0; frame < 200 && level.sinkScale <= 0; ++frame) {
        step(0.5);
        teetered = teetered || level.sinkScale < 0;
    }
    EXPECT_TRUE(teetered);
    EXPECT_GT(level.sinkScale, 0);
    EXPECT_LT(level.ball.x, 100);
    EXPECT_GT(level.platforms[1].x, 144);
}

TEST_F(ObjectsTest, APlatformBlockedByAWallStaysAndKeepsItsVelocity) {
    put(level.platforms, KindPlatform, 0, 0, 7, 0);
    put(level.walls, KindWall, 130, 0);
    frameClock.animDelta = 1;
    movePlatforms();
    EXPECT_EQ(level.platforms[1].x, 2);
    movePlatforms();
    EXPECT_EQ(level.platforms[1].x, 2);
    EXPECT_EQ(level.platforms[1].vx, 7);
}

TEST_F(ObjectsTest, TheHoleJumpSeriesScoresHundredsWithDigitsRunningDiagonally) {
    // Alternating floor and holes one jump apart.
    for (int x = 0; x < 40; x += 2) floorTiles(x, 0, x, 0);
    ballAt(0, 0, 0, 0);
    std::vector<int> points;
    for (int frame = 0; frame < 400 && points.size() < 3; ++frame) {
        // 12 ticks in the air at 256/12 units a tick (after this frame's
        // friction) span one hole: from tile centre to tile centre.
        level.ball.vx = 256.0 / 12 + 1;
        const int before = play.score;
        step(0.5, {ScanCtrl});
        if (play.score != before) points.push_back(play.score - before);
        if (level.sinkScale > 0) break;
    }
    ASSERT_EQ(points, (std::vector<int>{100, 200, 300}));
    // The digits of 300 at ball + (32i - 96) on both axes.
    const int n = play.floatingMessages.count();
    const FloatingMessage& first = play.floatingMessages[n - 2];
    const FloatingMessage& last = play.floatingMessages[n];
    EXPECT_EQ(first.text, "3");
    EXPECT_EQ(last.text, "0");
    EXPECT_DOUBLE_EQ(last.x - first.x, 64);
    EXPECT_DOUBLE_EQ(last.y - first.y, 64);
}

TEST_F(ObjectsTest, AMessageIsCentredOnTheBallAt35UnitsACharacter) {
    addMessage(1000, 500, "abcd", 1, 2, 3);
    EXPECT_DOUBLE_EQ(play.floatingMessages[1].x, 994);
    EXPECT_DOUBLE_EQ(play.floatingMessages[1].y, 535);
}

TEST_F(ObjectsTest, IdleForTenSecondsCommentsAndEveryMoveRestartsTheCount) {
    ballAt(0, 0);
    play.idleSince = headless.clock;
    headless.clock += 9;
    idleRule();
    level.ball.x = 1;  // any move restarts the count
    idleRule();
    headless.clock += 9;
    idleRule();
    EXPECT_TRUE(audio.requests.empty());
    headless.clock += 1.5;
    idleRule();
    ASSERT_EQ(audio.requests.size(), 1u);
    EXPECT_TRUE(audio.requests[0] >= 25 && audio.requests[0] <= 27);
}

}  // namespace
