// The ball's movement: pushes and the speed limit, wall bands and corners,
// teetering, falling and the pull back onto the grid, jumps.
#include <gtest/gtest.h>

#include <cmath>

#include "assets/audio.h"
#include "platform/keys.h"
#include "play/play.h"
#include "support/play_fixture.h"

namespace {

class BallTest : public PlayTest {};

TEST_F(BallTest, HoldingRightGainsFourPerTickAndStopsWhereAPushWouldPassFifty) {
    floorTiles(0, 0, 300, 0);
    ballAt(0, 0);
    double previous = 0;
    double fastest = 0;
    for (int frame = 1; frame <= 80; ++frame) {
        step(0.5, {ScanRight});
        const double vx = level.ball.vx;
        // Friction first (2d), then the push (6d): 4 units per tick per tick.
        if (frame > 1 && vx < 46) EXPECT_DOUBLE_EQ(vx - previous, 2.0) << "frame " << frame;
        EXPECT_LE(vx, 50.0);
        fastest = std::max(fastest, vx);
        previous = vx;
    }
    EXPECT_GE(fastest, 49.0);
    EXPECT_EQ(level.sinkScale, 0);
}

TEST_F(BallTest, AboveTheLimitSteeringOnlySlowsAndArrowsStillPush) {
    floorTiles(0, 0, 300, 0);
    ballAt(0, 0, 60, 0);
    step(0.5, {ScanRight});
    EXPECT_DOUBLE_EQ(level.ball.vx, 59.0);  // friction only: the push is dropped
    step(0.5, {ScanLeft});
    EXPECT_DOUBLE_EQ(level.ball.vx, 55.0);  // friction and the slowing push

    // An arrow pushes past 50 whatever the limit.
    level.groundTiles.clear();
    floorTiles(0, 0, 300, 0);
    for (int x = 0; x < 40; ++x) level.arrows.append(LevelObject{KindArrowEast, DirEast, 0, 128.0 * x, 0, 0});
    indexBoard();
    ballAt(0, 0, 45, 0);
    for (int frame = 0; frame < 10; ++frame) step(0.5, {ScanRight});
    EXPECT_GT(level.ball.vx, 50.0);
}

TEST_F(BallTest, AWallBandKeepsTwoThirdsOfTheSpeedAndTheBallStaysOutside) {
    floorTiles(0, 0, 10, 0);
    put(level.walls, KindWall, 512, 0);
    ballAt(375, 0, 30, 0);
    step(0.5);
    // Friction left 29; the step to 385 overlapped the wall and was undone.
    EXPECT_DOUBLE_EQ(level.ball.vx, -29 / 1.5);
    EXPECT_DOUBLE_EQ(level.ball.x, 384.0);
    EXPECT_EQ(audio.requests, std::vector<int>{0});  // a bump at speed 29
}

TEST_F(BallTest, ACornerTurnsTheMotionAndTheXMoveChangesVyBeforeTheYMove) {
    floorTiles(0, 0, 10, 10);
    put(level.walls, KindWall, 512, 512);
    ballAt(380, 430, 20, 2);
    step(0.5);
    // After friction (19, 1) the x move reaches the top-left corner's reach
    // at x 388: (u, v) becomes (-v, -u) / 1.5, and the y move already uses it.
    EXPECT_DOUBLE_EQ(level.ball.x, 387.0);
    EXPECT_DOUBLE_EQ(level.ball.vx, -1 / 1.5);
    EXPECT_DOUBLE_EQ(level.ball.vy, -19 / 1.5);
    EXPECT_LT(level.ball.y, 430.0);
}

TEST_F(BallTest, AWallHitWhileRisingEndsTheJumpWithoutALandingBump) {
    floorTiles(0, 0, 10, 0);
    put(level.walls, KindWall, 512, 0);
    ballAt(380, 0, 20, 0);
    level.jumpState = 1;
    level.jumpHeight = 4;
    step(0.5);
    EXPECT_EQ(level.jumpState, 2);
    for (int frame = 0; frame < 10; ++frame) step(0.5);
    EXPECT_EQ(level.jumpState, 0);
    // The peak stayed below 10: the only clips are the wall bump's.
    for (int clip : audio.requests) EXPECT_EQ(clip, 0);
    EXPECT_EQ(audio.requests.size(), 1u);
}

TEST_F(BallTest, RunningStraightAtAHoleTeetersThenFalls) {
    floorTiles(0, 0, 4, 0);
    floorTiles(6, 0, 10, 0);
    ballAt(128, 0, 20, 0);
    bool teetered = false;
    for (int frame = 0; frame < 200 && level.sinkScale <= 0; ++frame) {
        step(0.5, {ScanRight});
        if (level.sinkScale < 0) {
            teetered = true;
            // Not steered back: the ball keeps its course.
            EXPECT_EQ(level.ball.vy, 0);
            EXPECT_GT(level.ball.vx, 0);
        }
    }
    EXPECT_TRUE(teetered);
    EXPECT_EQ(level.sinkScale, 1.0);
    EXPECT_GT(level.ball.x, 635.0);  // the inner box had left the last tile
    ASSERT_FALSE(play.floatingMessages.empty());
    EXPECT_EQ(messageTexts().back(), s(95));
    ASSERT_FALSE(audio.requests.empty());
    EXPECT_TRUE(audio.requests.back() >= 19 && audio.requests.back() <= 21);
}

TEST_F(BallTest, GrazingAHoleAlongARowIsPulledTowardsTheGridNoFaster) {
    // Row 0 has a hole in column 5, row 1 is whole: along the row the inner
    // box always finds floor, so the ball is steered instead of left to fall.
    floorTiles(0, 0, 4, 0);
    floorTiles(6, 0, 10, 0);
    floorTiles(0, 1, 10, 1);
    ballAt(578, 30, 10, 0);  // the centre just past column 4
    supportTest();
    EXPECT_EQ(level.sinkScale, -1);
    const double gx = 640 - 578;
    const double gy = 0 - 30;
    EXPECT_GT(level.ball.vx, 0);
    EXPECT_LT(level.ball.vy, 0);
    EXPECT_DOUBLE_EQ(level.ball.vx / level.ball.vy, gx / gy);  // aimed at the nearest tile
    EXPECT_LE(std::hypot(level.ball.vx, level.ball.vy), 10.0);
    EXPECT_LE(std::hypot(level.ball.vx, level.ball.vy), std::hypot(gx, gy) / 2);
}

TEST_F(BallTest, AJumpCarriesTheBallOverAHoleAndItLandsTeeteringFirst) {
    floorTiles(0, 0, 3, 0);
    floorTiles(5, 0, 9, 0);
    ballAt(300, 0, 30, 0);
    step(0.5, {ScanCtrl, ScanRight});
    EXPECT_EQ(level.jumpState, 1);
    bool overHole = false;
    while (level.jumpState != 0) {
        step(0.5, {ScanRight});
        EXPECT_EQ(level.sinkScale, 0) << "no support test while in the air";
        if (level.ball.x + 64 > 512 && level.ball.x + 64 < 640) overHole = true;
    }
    EXPECT_TRUE(overHole);
    for (int frame = 0; frame < 20; ++frame) step(0.5);
    EXPECT_LE(level.sinkScale, 0);
    EXPECT_GT(level.ball.x, 640.0);
}

TEST_F(BallTest, AHighJumpLandsWithAFullBump) {
    floorTiles(0, 0, 9, 0);
    ballAt(0, 0);
    step(0.5, {ScanCtrl});
    while (level.jumpState != 0) step(0.5);
    EXPECT_EQ(audio.requests, std::vector<int>{0});
}

TEST_F(BallTest, ABallComingDownOverAHoleTeetersThenFalls) {
    floorTiles(0, 0, 2, 0);
    ballAt(384, 0);  // the centre over the empty column 3
    level.jumpState = 2;
    level.jumpHeight = 0.5;
    step(0.5);  // lands this frame; the support test sees the centre over nothing
    EXPECT_EQ(level.sinkScale, -1);
    step(0.5);
    EXPECT_EQ(level.sinkScale, 1.0);  // its inner box touches no floor either
}

TEST_F(BallTest, TeeteringQuartersPushesAndTheCloseCallComesBackOnFloor) {
    floorTiles(0, 0, 3, 0);
    ballAt(0, 0);
    level.sinkScale = -1;
    pushX(8);
    EXPECT_DOUBLE_EQ(level.ball.vx, 2.0);
    supportTest();
    EXPECT_EQ(level.sinkScale, 0);
    ASSERT_EQ(audio.requests.size(), 1u);
    EXPECT_TRUE(audio.requests[0] >= 6 && audio.requests[0] <= 8);
}

TEST_F(BallTest, AnAbsurdVelocityFromADamagedLevelDoesNotFreezeTheGame) {
    floorTiles(0, 0, 3, 0);
    ballAt(0, 0, 1e300, 0);
    step(0.5);  // bounded unit steps: returns
    SUCCEED();
}

}  // namespace
