#include <gtest/gtest.h>

#include "assets/texture_catalogue.h"
#include "base/numeric.h"
#include "config/dialog.h"
#include "level/level.h"
#include "support/headless_game.h"
#include "support/level_bytes.h"

class LevelModelTest : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        addTextureEntry("txtpckstone", "", KindGround, 5, 8, 0);
        addTextureEntry("txtpckstone", "", KindFlag, 9, 12, -1);
        addTextureEntry("txtpckstone", "", KindBall, 13, 13, 0);
        addTextureEntry("txtpckstone", "", KindBallShadow, 14, 14, 0);
    }
};

TEST_F(LevelModelTest, AddingAtAnUsedPositionReplacesAndAppends) {
    addObject(level.groundTiles, 0, 0, 1);
    addObject(level.groundTiles, 128, 0, 1);
    addObject(level.groundTiles, 0, 0, 2);
    ASSERT_EQ(level.groundTiles.count(), 2);
    EXPECT_EQ(level.groundTiles[1].x, 128);
    EXPECT_EQ(level.groundTiles[2].texture, 2);
    EXPECT_EQ(level.groundTiles[2].frame, 9);  // the texture's first frame
    addObject(level.walls, 0, 0, 1);  // the same place in another list is allowed
    EXPECT_EQ(level.walls.count(), 1);
}

TEST_F(LevelModelTest, RemovingWhereNothingIsReportsFalse) {
    EXPECT_FALSE(removeObjectAt(level.walls, 0, 0));
    addObject(level.walls, 128, 256, 1);
    EXPECT_FALSE(removeObjectAt(level.walls, 128, 256.5));
    EXPECT_TRUE(removeObjectAt(level.walls, 128, 256));
    EXPECT_TRUE(level.walls.empty());
}

TEST_F(LevelModelTest, ClearLevelKeepsBackgroundZoomAndBallState) {
    level.background.texture = 3;
    level.zoom = 0.75;
    level.bombsCarried = 2;
    level.timeLimit = 10;
    level.levelName = "x";
    level.viewX = 50;
    for (int n = 1; n <= LevelListCount; ++n) addObject(levelList(n), 0, 0, 1);
    placeBall(300, 400, 3);
    clearLevel();
    for (int n = 1; n <= LevelListCount; ++n) EXPECT_TRUE(levelList(n).empty()) << n;
    EXPECT_EQ(level.ball.x, 0);
    EXPECT_EQ(level.ball.texture, 3);
    EXPECT_EQ(level.background.texture, 3);
    EXPECT_EQ(level.zoom, 0.75);
    EXPECT_EQ(level.bombsCarried, 2);
    EXPECT_EQ(level.timeLimit, 600);
    EXPECT_EQ(level.levelName, "");
    EXPECT_EQ(level.viewX, 0);
}

TEST_F(LevelModelTest, PlaceBallMovesTheShadowWithIt) {
    level.ballShadow.texture = 4;
    level.ball.vx = 3;
    placeBall(256, 128, 3);
    EXPECT_EQ(level.ball.vx, 0);
    EXPECT_EQ(level.ball.frame, 13);
    EXPECT_EQ(level.ballShadow.x, 272);
    EXPECT_EQ(level.ballShadow.y, 144);
    EXPECT_EQ(level.ballShadow.texture, 4);
    EXPECT_EQ(level.ballShadow.frame, 14);
}

TEST_F(LevelModelTest, CopyListIsExact) {
    addObject(level.platforms, 0, 0, 1);
    level.platforms[1].vx = 2.5;
    ObjectList backup;
    copyList(level.platforms, backup);
    level.platforms[1].x = 99;
    copyList(backup, level.platforms);
    EXPECT_EQ(level.platforms[1].x, 0);
    EXPECT_EQ(level.platforms[1].vx, 2.5);
}

TEST_F(LevelModelTest, FindTextureMatchesExactlyOrRaisesTheMessage) {
    EXPECT_EQ(findTexture("txtpckstone", ""), 1);
    EXPECT_EQ(dialog.dialogId, -1);
    EXPECT_EQ(findTexture("TXTPCKSTONE", ""), 0);
    EXPECT_EQ(dialog.dialogId, 1);
}

TEST_F(LevelModelTest, InitialFrameIsFirstForSynchronisedAndRandomOtherwise) {
    EXPECT_EQ(initialFrame(2, true), 9);
    seedRandom(1);
    bool sawFraction = false;
    for (int i = 0; i < 200; ++i) {
        const double fine = initialFrame(1, true);
        ASSERT_GE(fine, 5);
        ASSERT_LE(fine, 8);
        sawFraction |= fine != static_cast<int>(fine);
        const double whole = initialFrame(1, false);
        ASSERT_EQ(whole, static_cast<int>(whole));
        ASSERT_GE(whole, 5);
        ASSERT_LE(whole, 8);
    }
    EXPECT_TRUE(sawFraction);
    EXPECT_EQ(initialFrame(0, true), 0);  // missing texture
}
