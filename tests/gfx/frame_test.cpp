#include <gtest/gtest.h>

#include <algorithm>

#include "base/numeric.h"
#include "config/dialog.h"
#include "config/language.h"
#include "gfx/display.h"
#include "gfx/frame.h"
#include "gfx/textures.h"
#include "play/play.h"
#include "support/drawn_quads.h"
#include "support/headless_game.h"

namespace {

// Every frame-table picture i has the texture name 100 + i, so a drawn quad
// tells which picture it shows.
double nameOf(double frame) { return 100 + frame; }

class BoardTest : public HeadlessGameTest {
protected:
    // Texture-table entries, one per layer.
    int background, ground, exit, platform, arrow, wall, crack, flag, ball, shadow, explosion;

    void SetUp() override {
        HeadlessGameTest::SetUp();
        textures.frameTable.resize(40);
        for (std::size_t i = 0; i < textures.frameTable.size(); ++i)
            textures.frameTable[i].glName = static_cast<std::uint32_t>(nameOf(static_cast<double>(i)));
        background = addSet(KindBackground, 1);
        ground = addSet(KindGround, 2, -1);  // two frames, shared
        exit = addSet(KindExit, 1);
        platform = addSet(KindPlatform, 1);
        arrow = addSet(KindArrowEast, 1);
        wall = addSet(KindWall, 1);
        crack = addSet(KindCrack, 1);
        flag = addSet(KindFlag, 1);
        ball = addSet(KindBall, 4);
        shadow = addSet(KindBallShadow, 1);
        explosion = addSet(KindExplosion, 3);

        setScreen(1024, 768);
        dialog.dialogId = 0;
        level.zoom = 0.5;
        frameClock.targetZoom = 1.0;
        level.background.texture = background;
        level.background.frame = firstOf(background);
        level.ballShadow.texture = shadow;
        placeBall(0, 0, ball);
    }

    int addSet(int kind, int frames, int synchronised = 0) {
        TextureEntry entry;
        entry.kind = kind;
        entry.firstFrame = nextFrame;
        entry.lastFrame = nextFrame + frames - 1;
        entry.currentFrame = entry.firstFrame;
        entry.synchronised = synchronised;
        nextFrame += frames;
        return catalogue.textureTable.append(entry);
    }
    double firstOf(int entry) { return catalogue.textureTable[entry].firstFrame; }

    void setScreen(int w, int h) {
        display.screenWidth = w;
        display.screenHeight = h;
        renderer.xScale = 0;
    }

    void add(ObjectList& list, double x, double y, int entry) { addObject(list, x, y, entry); }

    // Draws one frame and returns its quads.
    std::vector<DrawnQuad> frame() {
        drawLayer.calls.clear();
        drawFrame();
        return drawnQuads();
    }

    // The quads showing a picture of `entry`.
    static std::vector<DrawnQuad> showing(const std::vector<DrawnQuad>& quads, int entry) {
        const TextureEntry& set = catalogue.textureTable[entry];
        std::vector<DrawnQuad> found;
        for (const DrawnQuad& quad : quads)
            if (quad.texture >= nameOf(set.firstFrame) && quad.texture <= nameOf(set.lastFrame))
                found.push_back(quad);
        return found;
    }

private:
    double nextFrame = 1;
};

TEST_F(BoardTest, LayersAreDrawnInOrderAtTheirDepths) {
    add(level.groundTiles, 0, 0, ground);
    add(level.exitsAndTraps, 128, 0, exit);
    add(level.platforms, 256, 0, platform);
    add(level.arrows, 384, 0, arrow);
    add(level.walls, 0, 128, wall);
    add(level.cracks, 128, 128, crack);
    add(level.bombsAndFlags, 256, 128, flag);
    add(level.explosions, 0, 0, explosion);

    struct Expected {
        int entry;
        double z;
        DepthTest depth;
    };
    auto check = [&](const std::vector<Expected>& expected) {
        // The board's layers; the play HUD (z 11 and above) and the editor's
        // cursor box have tests of their own.
        std::vector<DrawnQuad> quads = frame();
        quads.erase(std::remove_if(quads.begin(), quads.end(),
                                   [](const DrawnQuad& q) {
                                       return q.z > 10 || (renderer.editorActive != 0 &&
                                                           q.texture == textures.screens.editSelectTexture.glName);
                                   }),
                    quads.end());
        ASSERT_EQ(quads.size(), expected.size());
        for (std::size_t i = 0; i < quads.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(showing({quads[i]}, expected[i].entry).size(), 1u);
            EXPECT_EQ(quads[i].z, expected[i].z);
            EXPECT_EQ(quads[i].depth, expected[i].depth);
        }
        ASSERT_FALSE(drawLayer.calls.empty());
        EXPECT_EQ(drawLayer.calls.front().op, DrawOp::Clear);
        EXPECT_EQ(drawLayer.calls.back().op, DrawOp::Present);
    };
    const Expected back{background, 1, DepthTest::Less};
    const std::vector<Expected> floor = {{ground, 2, DepthTest::Less},
                                         {exit, 3, DepthTest::Less},
                                         {platform, 4, DepthTest::Less},
                                         {arrow, 5, DepthTest::Less}};
    const Expected shadowQuad{shadow, 2, DepthTest::GreaterOrEqual};
    const std::vector<Expected> upper = {{wall, 6, DepthTest::Less},
                                         {crack, 7, DepthTest::Less},
                                         {flag, 8, DepthTest::Less}};
    const Expected ballQuad{ball, 9, DepthTest::Less};
    const Expected explosionQuad{explosion, 10, DepthTest::LessOrEqual};
    auto join = [&](std::initializer_list<std::vector<Expected>> parts) {
        std::vector<Expected> all;
        for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
        return all;
    };

    // Play: everything, explosions last.
    check(join({{back}, floor, {shadowQuad}, upper, {ballQuad}, {explosionQuad}}));
    EXPECT_EQ(drawnQuads().back().colour[0], 255);
    // The editor: the ball, but no explosions.
    renderer.editorActive = -1;
    check(join({{back}, floor, {shadowQuad}, upper, {ballQuad}}));
    // A menu over the board: neither ball nor shadow.
    renderer.menuVisible = -1;
    check(join({{back}, floor, upper}));
    renderer.menuVisible = 0;
    renderer.editorActive = 0;
    // Falling off the board: no shadow, and the ball only where the
    // background alone lies.
    level.sinkScale = 2;
    check(join({{back}, floor, upper, {{ball, 1, DepthTest::Equal}}, {explosionQuad}}));
}

TEST_F(BoardTest, RectanglesFollowZoomAndWindowSize) {
    // 1024 x 768: pixels per board unit = eased zoom x level zoom, and the
    // tile at the view centre sits in the middle of the screen.
    level.viewX = 512;
    level.viewY = 256;
    level.ball.x = 512;
    level.ball.y = 256;
    add(level.groundTiles, 640, 256, ground);
    std::vector<DrawnQuad> quads = frame();
    EXPECT_EQ(renderer.zoomScale, 0.5);
    EXPECT_EQ(renderer.fullAspect, -1);
    DrawnQuad b = showing(quads, ball).at(0);
    EXPECT_EQ(b.x, 480);
    EXPECT_EQ(b.y, 352);
    EXPECT_EQ(b.w, 64);
    EXPECT_EQ(b.h, 64);
    EXPECT_EQ(showing(quads, ground).at(0).x, 544);
    DrawnQuad bg = quadsAt(1).at(0);
    EXPECT_EQ(bg.w, 1024);
    EXPECT_EQ(bg.h, 768);
    // The shadow lies 16 units right and down, and further off in a jump,
    // while the ball grows about its centre.
    DrawnQuad s = showing(quads, shadow).at(0);
    EXPECT_EQ(s.x, 488);
    EXPECT_EQ(s.y, 360);
    level.jumpState = 1;
    level.jumpHeight = 20;
    quads = frame();
    b = showing(quads, ball).at(0);
    EXPECT_EQ(b.x, 475);
    EXPECT_EQ(b.w, 74);
    EXPECT_EQ(showing(quads, shadow).at(0).x, 498);
    level.jumpState = 0;
    level.jumpHeight = 0;
    // Sinking at sinkScale 2: half size, centred on the ball's tile.
    level.sinkScale = 2;
    b = showing(frame(), ball).at(0);
    EXPECT_EQ(b.x, 496);
    EXPECT_EQ(b.w, 32);
    level.sinkScale = 0;

    // 1280 x 1024 scales by 1.25 and is not 4:3: the logo is letterboxed.
    setScreen(1280, 1024);
    quads = frame();
    EXPECT_EQ(renderer.xScale, 1.25);
    EXPECT_EQ(renderer.yScale, 1024.0 / 768.0);
    EXPECT_EQ(renderer.zoomScale, 0.625);
    EXPECT_EQ(renderer.fullAspect, 0);
    EXPECT_EQ(renderer.fitHeight, 960);
    EXPECT_EQ(renderer.fitWidth, 1365);
    b = showing(quads, ball).at(0);
    EXPECT_EQ(b.x, 600);
    EXPECT_EQ(b.y, 472);
    EXPECT_EQ(b.w, 80);
    textures.screens.logoTexture.glName = 7;
    dialog.dialogId = -1;
    quads = frame();
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_EQ(quads[0].texture, 7);
    EXPECT_EQ(quads[0].x, 0);
    EXPECT_EQ(quads[0].y, 32);
    EXPECT_EQ(quads[0].z, 11);
    EXPECT_EQ(quads[0].w, 1280);
    EXPECT_EQ(quads[0].h, 960);
    // An exact 4:3 window shows it full screen at z 1.
    setScreen(800, 600);
    quads = frame();
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_EQ(quads[0].y, 0);
    EXPECT_EQ(quads[0].z, 1);
    EXPECT_EQ(quads[0].h, 600);
}

TEST_F(BoardTest, ObjectsOffScreenAreSkippedButExplosionsNever) {
    // View at (0, 0): board x is drawn at 0.5 x + 480, y at 0.5 y + 352, and
    // a tile is 64 pixels wide.
    add(level.groundTiles, -1088, 0, ground);  // right edge on pixel column 0
    add(level.groundTiles, -1090, 0, ground);  // one pixel further: gone
    add(level.groundTiles, 1088, 0, ground);   // left edge on the screen's right edge
    add(level.groundTiles, 1090, 0, ground);
    add(level.groundTiles, 0, -832, ground);
    add(level.groundTiles, 0, -834, ground);
    add(level.groundTiles, 0, 832, ground);
    add(level.groundTiles, 0, 834, ground);
    std::vector<DrawnQuad> tiles = showing(frame(), ground);
    ASSERT_EQ(tiles.size(), 4u);
    EXPECT_EQ(tiles[0].x + tiles[0].w, 0);
    EXPECT_EQ(tiles[1].x, 1024);
    EXPECT_EQ(tiles[2].y + tiles[2].h, 0);
    EXPECT_EQ(tiles[3].y, 768);
    // An explosion is 512 units square and drawn wherever it is (the view
    // shakes by at most 16 units meanwhile).
    add(level.explosions, 5000, 5000, explosion);
    frame();
    const std::vector<DrawnQuad> blasts = quadsAt(10);
    ASSERT_EQ(blasts.size(), 1u);
    EXPECT_NEAR(blasts[0].x, 2980, 8);
    EXPECT_EQ(blasts[0].w, 256);
}

TEST_F(BoardTest, FinishedExplosionsAreRemovedWithoutSkippingAny) {
    add(level.explosions, 0, 0, explosion);
    add(level.explosions, 128, 0, explosion);
    add(level.explosions, 256, 0, explosion);
    add(level.groundTiles, 0, 0, ground);
    const double last = catalogue.textureTable[explosion].lastFrame;
    level.explosions[1].frame = last + 0.4;  // both wrap in this frame
    level.explosions[2].frame = last + 0.3;
    const double third = level.explosions[3].frame;
    frameClock.lastFrameTime = headless.clock - 0.02;  // animDelta 0.5
    frame();
    ASSERT_EQ(level.explosions.count(), 1);
    EXPECT_EQ(level.explosions[1].x, 256);
    EXPECT_DOUBLE_EQ(level.explosions[1].frame, third + 0.5);
    EXPECT_EQ(quadsAt(10).size(), 1u);
    // Other kinds simply start over.
    level.groundTiles[1].texture = wall;
    level.groundTiles[1].frame = firstOf(wall) + 0.4;
    frame();
    EXPECT_EQ(level.groundTiles.count(), 1);
    // Without time passing nothing advances, so nothing finishes.
    level.explosions[1].frame = last + 0.49;
    drawObjectList(level.explosions, 0, 0, 0, 10);
    EXPECT_EQ(level.explosions.count(), 1);
}

TEST_F(BoardTest, TheViewShakesWithinSixteenUnitsWhileAnythingExplodes) {
    seedRandom(7);
    // Still: the ball's tile is exactly in the middle.
    EXPECT_EQ(showing(frame(), ball).at(0).x, 480);
    // A long explosion: the camera jitters by s units, so the ball moves by
    // -s x 0.5 pixels.
    catalogue.textureTable[explosion].lastFrame = 1000;
    add(level.explosions, 0, 0, explosion);
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (int i = 0; i < 300; ++i) {
        const DrawnQuad b = showing(frame(), ball).at(0);
        minX = std::min(minX, b.x);
        maxX = std::max(maxX, b.x);
        minY = std::min(minY, b.y);
        maxY = std::max(maxY, b.y);
    }
    ASSERT_EQ(level.explosions.count(), 1);
    EXPECT_EQ(minX, 472);
    EXPECT_EQ(maxX, 488);
    EXPECT_EQ(minY, 344);
    EXPECT_EQ(maxY, 360);
}

TEST_F(BoardTest, AnimationsAdvanceByTheirRules) {
    add(level.groundTiles, 0, 0, ground);
    add(level.groundTiles, 128, 0, ground);
    frameClock.lastFrameTime = headless.clock - 0.04;  // animDelta 1
    std::vector<DrawnQuad> tiles = showing(frame(), ground);
    // The shared set advances once per frame, not once per object.
    EXPECT_DOUBLE_EQ(catalogue.textureTable[ground].currentFrame, firstOf(ground) + 1);
    ASSERT_EQ(tiles.size(), 2u);
    EXPECT_EQ(tiles[0].texture, nameOf(firstOf(ground) + 1));
    EXPECT_EQ(tiles[1].texture, tiles[0].texture);
    // The ball rolls through its frames only while it moves and no exit
    // sequence runs.
    const double start = level.ball.frame;
    frameClock.lastFrameTime = headless.clock - 0.04;
    frame();
    EXPECT_EQ(level.ball.frame, start);
    frameClock.ballAnimates = -1;
    frameClock.lastFrameTime = headless.clock - 0.04;
    frame();
    EXPECT_DOUBLE_EQ(level.ball.frame, start + 1);
    level.exitCount = 1;
    frameClock.lastFrameTime = headless.clock - 0.04;
    frame();
    EXPECT_DOUBLE_EQ(level.ball.frame, start + 1);
    // The background animates per record even when its set is shared.
    catalogue.textureTable[background].synchronised = -1;
    catalogue.textureTable[background].lastFrame = 2;  // frames 1 and 2
    level.background.frame = 1;
    frameClock.lastFrameTime = headless.clock - 0.04;
    frame();
    EXPECT_DOUBLE_EQ(level.background.frame, 2);
}

TEST_F(BoardTest, TheBallPulsesGreenOnceEveryFlagIsTaken) {
    play.flagsLeft = 2;
    EXPECT_EQ(showing(frame(), ball).at(0).colour[0], 255);
    EXPECT_EQ(renderer.ballTint, 255);
    play.flagsLeft = 0;
    double lowest = 255;
    for (int i = 0; i < 60; ++i) {
        const DrawnQuad b = showing(frame(), ball).at(0);
        EXPECT_EQ(b.colour[1], 255);
        EXPECT_EQ(b.colour[0], b.colour[2]);
        EXPECT_GE(b.colour[0], 0);
        EXPECT_LE(b.colour[0], 255);
        lowest = std::min(lowest, b.colour[0]);
        // Whatever follows the ball is drawn untinted again.
        const auto lastColour = std::find_if(drawLayer.calls.rbegin(), drawLayer.calls.rend(),
                                             [](const DrawCall& c) { return c.op == DrawOp::Colour; });
        EXPECT_EQ(lastColour->a[0], 255);
        EXPECT_EQ(lastColour->a[2], 255);
    }
    EXPECT_LT(lowest, 40);
}

TEST_F(BoardTest, NoFrameIsShorterThanTheMinimum) {
    // The previous frame ended 1 ms ago: the limiter waits (by sleeping, as
    // a busy wait on the virtual clock would never end) for the rest.
    frameClock.lastFrameTime = headless.clock - 0.001;
    frame();
    EXPECT_GE(frameClock.animDelta, 0.4175);
    EXPECT_LT(frameClock.animDelta, 0.42);
    EXPECT_DOUBLE_EQ(frameClock.lastFrameTime, headless.clock);
    // A slow frame is not held back.
    const int sleeps = headless.sleepCount;
    headless.clock += 0.5;
    frame();
    EXPECT_DOUBLE_EQ(frameClock.animDelta, 12.5);
    EXPECT_EQ(headless.sleepCount, sleeps);
}

TEST_F(BoardTest, ZoomEasesByAQuarterOfTheRemainingDistance) {
    frameClock.zoomEasing = -1;
    frame();
    EXPECT_EQ(renderer.smoothZoom, 1.0);  // starts at the target
    frameClock.targetZoom = 2.0;
    frame();
    EXPECT_DOUBLE_EQ(renderer.smoothZoom, 1.25);
    frame();
    EXPECT_DOUBLE_EQ(renderer.smoothZoom, 1.4375);
    EXPECT_DOUBLE_EQ(renderer.zoomScale, 1.4375 * 0.5);
    frameClock.zoomEasing = 0;
    frame();
    EXPECT_EQ(renderer.smoothZoom, 2.0);
}

TEST_F(BoardTest, TheLogoScreenShowsTheLoadingCaptionOnlyWhileLoading) {
    language.strings.clear();
    for (int i = 1; i <= 238; ++i) language.strings.append(i == 228 ? "Loading" : "");
    dialog.dialogId = -1;
    renderer.loadingCaption = -1;
    std::vector<DrawnQuad> quads = frame();
    ASSERT_EQ(quads.size(), 1u + 2 * 7);  // the logo, then shadow and text of 7 glyphs
    EXPECT_EQ(quads[0].z, 1);
    const DrawnQuad& firstGlyph = quads[8];
    EXPECT_EQ(firstGlyph.y, 768 - 30);
    EXPECT_EQ(firstGlyph.z, 13);
    EXPECT_EQ(firstGlyph.colour[2], 255);
    EXPECT_EQ(firstGlyph.colour[0], 0);
    renderer.loadingCaption = 0;
    EXPECT_EQ(frame().size(), 1u);
}

}  // namespace
