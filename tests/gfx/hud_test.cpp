#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "config/dialog.h"
#include "config/language.h"
#include "gfx/display.h"
#include "gfx/frame.h"
#include "gfx/hud.h"
#include "gfx/text.h"
#include "gfx/textures.h"
#include "level/level.h"
#include "play/play.h"
#include "support/drawn_quads.h"
#include "support/headless_game.h"
#include "support/level_bytes.h"

namespace {

// Frame-table picture i has the texture name 100 + i. The tile font holds
// pictures 1..38, the flag 39..40, the bomb 41..42.
constexpr double FontFirst = 1;
constexpr double FlagFirst = 39;
constexpr double BombFirst = 41;
constexpr double GrayName = 7;
constexpr double LightYellow[4] = {255, 255, 128, 255};

double nameOf(double frame) { return 100 + frame; }

// The character a tile-font quad shows.
char tileChar(const DrawnQuad& quad) {
    const int picture = static_cast<int>(quad.texture - nameOf(FontFirst));
    if (picture < 10) return static_cast<char>('0' + picture);
    if (picture < 36) return static_cast<char>('a' + picture - 10);
    return picture == 36 ? ':' : '|';
}

void expectColour(const DrawnQuad& quad, const double (&expected)[4]) {
    for (int i = 0; i < 4; ++i) EXPECT_EQ(quad.colour[i], expected[i]) << "component " << i;
}

void expectRect(const DrawnQuad& quad, double x, double y, double z, double w, double h) {
    EXPECT_EQ(quad.x, x);
    EXPECT_EQ(quad.y, y);
    EXPECT_EQ(quad.z, z);
    EXPECT_EQ(quad.w, w);
    EXPECT_EQ(quad.h, h);
}

class HudTest : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        textures.frameTable.resize(43);
        for (std::size_t i = 0; i < textures.frameTable.size(); ++i)
            textures.frameTable[i].glName = static_cast<std::uint32_t>(nameOf(static_cast<double>(i)));
        addTextureEntry("txtpckhud", "", KindFont, FontFirst, FontFirst + 37, 0);
        catalogue.fontEntry = catalogue.textureTable.count();
        addTextureEntry("txtpckhud", "", KindFlag, FlagFirst, FlagFirst + 1, 0);
        catalogue.flagEntry = catalogue.textureTable.count();
        addTextureEntry("txtpckhud", "", KindBomb, BombFirst, BombFirst + 1, 0);
        catalogue.bombEntry = catalogue.textureTable.count();
        textures.screens.editGrayTexture.glName = static_cast<std::uint32_t>(GrayName);
        for (int i = 1; i <= 238; ++i) language.strings.append(i == 90 ? "Score " : "");
        // Every bitmap-font character advances 6 + 2 pixels.
        for (Glyph& glyph : font.glyphs) glyph.width = 6;
        font.spacing = 2;
        setScreen(1024, 768);
        renderer.zoomScale = 0.5;
    }

    static void setScreen(int w, int h) {
        display.screenWidth = w;
        display.screenHeight = h;
        renderer.xScale = w / 1024.0;
        renderer.yScale = h / 768.0;
    }

    // The quads of one HUD pass with the board's point (0, 0) at (-camX, -camY).
    static std::vector<DrawnQuad> hudPass(int camX = 0, int camY = 0) {
        drawLayer.calls.clear();
        drawHud(camX, camY);
        return drawnQuads();
    }

    // The tile-font quads on row y whose left edge lies in [fromX, toX).
    static std::vector<DrawnQuad> line(const std::vector<DrawnQuad>& quads, double y,
                                       double fromX = 0, double toX = 1e9) {
        std::vector<DrawnQuad> found;
        for (const DrawnQuad& quad : quads)
            if (quad.z == 15 && quad.y == y && quad.x >= fromX && quad.x < toX) found.push_back(quad);
        return found;
    }

    static std::string text(const std::vector<DrawnQuad>& quads) {
        std::string shown;
        for (const DrawnQuad& quad : quads) shown += tileChar(quad);
        return shown;
    }

    // The floating messages' quads: the only ones drawn with "less or equal".
    static std::vector<DrawnQuad> messageQuads(const std::vector<DrawnQuad>& quads) {
        std::vector<DrawnQuad> found;
        for (const DrawnQuad& quad : quads)
            if (quad.depth == DepthTest::LessOrEqual) found.push_back(quad);
        return found;
    }

    static void addMessageAt(double x, double y, double age, const std::string& shown) {
        FloatingMessage message;
        message.x = x;
        message.y = y;
        message.red = 255;
        message.green = 255;
        message.blue = 255;
        message.age = age;
        message.text = shown;
        play.floatingMessages.append(message);
    }
};

TEST_F(HudTest, MessagesRiseThenFadeAndLeaveOnceFaded) {
    addMessageAt(100, 200, 0, "100");
    frameClock.animDelta = 1;
    // Opaque and rising 4 units a tick for 12 ticks...
    for (int tick = 1; tick <= 12; ++tick) {
        const std::vector<DrawnQuad> quads = messageQuads(hudPass());
        ASSERT_EQ(quads.size(), 3u);
        EXPECT_EQ(quads[0].colour[3], 255);
    }
    EXPECT_EQ(play.floatingMessages[1].y, 200 - 48);
    // ...then twice as fast while fading: alpha 135 at age 18.
    std::vector<DrawnQuad> quads;
    for (int tick = 13; tick <= 18; ++tick) quads = hudPass();
    EXPECT_EQ(play.floatingMessages[1].age, 18);
    EXPECT_EQ(play.floatingMessages[1].y, 200 - 48 - 48);
    ASSERT_EQ(messageQuads(quads).size(), 3u);
    EXPECT_EQ(messageQuads(quads)[0].colour[3], 135);
    EXPECT_EQ(text(messageQuads(quads)), "100");
    // Whatever the HUD draws after the messages is back on "less".
    EXPECT_EQ(quads.back().depth, DepthTest::Less);
    // Reaching age 24.75 the message leaves without being drawn.
    play.floatingMessages[1].age = 23.75;
    EXPECT_TRUE(messageQuads(hudPass()).empty());
    EXPECT_TRUE(play.floatingMessages.empty());

    // Two faded messages in a row both leave; the one after them stays.
    addMessageAt(0, 0, 30, "1");
    addMessageAt(0, 0, 30, "2");
    addMessageAt(0, 0, 0, "3");
    quads = messageQuads(hudPass());
    ASSERT_EQ(play.floatingMessages.count(), 1);
    EXPECT_EQ(play.floatingMessages[1].text, "3");
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_EQ(tileChar(quads[0]), '3');
}

TEST_F(HudTest, AFourCharacterMessageIsLaidOutOnTheZoomedBoard) {
    // Board (994, 535) at zoom 0.5 with the camera at (100, 50): pixel
    // (397, 217.5); glyphs 23.5 x 29.5 every 17.5 pixels, rounded half to even.
    addMessageAt(994, 535, 0, "Ab:1");
    play.floatingMessages[1].green = 0;
    play.floatingMessages[1].blue = 0;
    const std::vector<DrawnQuad> quads = messageQuads(hudPass(100, 50));
    ASSERT_EQ(quads.size(), 4u);
    EXPECT_EQ(text(quads), "ab:1");
    const double xs[4] = {397, 414, 432, 450};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        expectRect(quads[i], xs[i], 218, 15, 24, 30);
        expectColour(quads[i], {255, 0, 0, 255});
    }
}

TEST_F(HudTest, TheScoreCountsUpAndNeverShowsMoreThanTheScore) {
    auto shown = [&] { return text(line(hudPass(), 698)); };
    play.score = 1000;
    frameClock.animDelta = 0.5;
    EXPECT_EQ(shown(), "score251");  // 0 + 1000 x 0.5 / 2 + 1
    EXPECT_EQ(play.shownScore, 251);
    const std::vector<DrawnQuad> quads = line(hudPass(), 698);
    EXPECT_EQ(quads.front().x, 10);
    EXPECT_EQ(quads[5].x, 220);  // "Score " takes six places, the space too
    expectColour(quads.front(), LightYellow);

    // A step past the score is cut back to it, and the display rests there.
    play.shownScore = 990;
    frameClock.animDelta = 2;
    EXPECT_EQ(shown(), "score1000");
    EXPECT_EQ(play.shownScore, 1000);
    EXPECT_EQ(shown(), "score1000");
    // A penalty lowers the score: the display follows at once.
    play.score = 800;
    EXPECT_EQ(shown(), "score800");
    // The fraction is cut off, not rounded.
    play.score = 3;
    play.shownScore = 0;
    frameClock.animDelta = 0.5;
    EXPECT_EQ(shown(), "score1");  // 1.75
}

TEST_F(HudTest, FlagsAndBombsWithTheirIconsAtTheTopLeft) {
    play.flagsLeft = 3;
    level.bombsCarried = 12;
    std::vector<DrawnQuad> quads = hudPass();
    const std::vector<DrawnQuad> flags = line(quads, 10, 80, 300);
    ASSERT_EQ(text(flags), "3");
    expectRect(flags[0], 80, 10, 15, 47, 59);
    expectColour(flags[0], LightYellow);
    const std::vector<DrawnQuad> bombs = line(quads, 80, 80, 300);
    ASSERT_EQ(text(bombs), "12");
    EXPECT_EQ(bombs[1].x, 115);
    std::vector<DrawnQuad> icons;
    std::copy_if(quads.begin(), quads.end(), std::back_inserter(icons),
                 [](const DrawnQuad& q) { return q.z == 16; });
    ASSERT_EQ(icons.size(), 2u);
    EXPECT_EQ(icons[0].texture, nameOf(FlagFirst));
    expectRect(icons[0], 10, 10, 16, 64, 64);
    expectColour(icons[0], {255, 255, 255, 255});
    EXPECT_EQ(icons[1].texture, nameOf(BombFirst));
    expectRect(icons[1], 10, 80, 16, 64, 64);

    // Every flag taken: the counter's red follows the ball's pulse.
    play.flagsLeft = 0;
    const double tints[][2] = {{100.4, 100}, {255.4, 255}, {255.6, 255}, {300, 211}, {511, 0}};
    for (const auto& tint : tints) {
        SCOPED_TRACE(tint[0]);
        renderer.ballTint = tint[0];
        const std::vector<DrawnQuad> zero = line(hudPass(), 10, 80, 300);
        ASSERT_EQ(text(zero), "0");
        expectColour(zero[0], {tint[1], 255, 128, 255});
    }
}

TEST_F(HudTest, TheLevelTextPanelBlinksForTwoSecondsThenStays) {
    auto at = [](const std::vector<DrawnQuad>& quads, double z) {
        std::vector<DrawnQuad> found;
        std::copy_if(quads.begin(), quads.end(), std::back_inserter(found),
                     [z](const DrawnQuad& q) { return q.z == z; });
        return found;
    };
    // A level without text has no panel; a first line is what counts.
    level.levelText[2] = "ignored without a first line";
    std::vector<DrawnQuad> quads = hudPass();
    EXPECT_TRUE(at(quads, 11).empty());
    EXPECT_TRUE(at(quads, 13).empty());

    level.levelText[1] = "Roll carefully";  // 14 characters, 112 pixels: the widest
    level.levelText[2] = "Mind the gap";
    level.levelText[3] = "";
    level.levelText[4] = "Good luck";
    play.elapsed = 2.5;
    quads = hudPass();
    EXPECT_EQ(hud.levelTextWidth, 112);
    const std::vector<DrawnQuad> panel = at(quads, 11);
    ASSERT_EQ(panel.size(), 1u);
    EXPECT_EQ(panel[0].texture, GrayName);
    expectRect(panel[0], 1024 - 112 - 15, 768 - 75, 11, 122, 65);
    const std::vector<DrawnQuad> glyphs = at(quads, 13);
    ASSERT_EQ(glyphs.size(), 14u + 12 + 9);  // the empty third line draws nothing
    EXPECT_EQ(glyphs.front().x, 1024 - 112 - 10);
    EXPECT_EQ(glyphs.front().y, 698);
    EXPECT_EQ(glyphs[14].y, 712);
    EXPECT_EQ(glyphs.back().y, 740);
    expectColour(glyphs.front(), {255, 255, 255, 255});
    EXPECT_EQ(at(quads, 12).size(), glyphs.size());  // their shadows

    // During the first two seconds the lines follow the cursor's blink.
    play.elapsed = 1;
    frameClock.animDelta = 1;
    renderer.cursorBlink = 1;
    int shownFrames = 0;
    for (int frame = 0; frame < 12; ++frame) {
        quads = hudPass();
        const bool visible = renderer.cursorBlink > 3;
        EXPECT_EQ(!at(quads, 13).empty(), visible);
        EXPECT_EQ(at(quads, 11).size(), 1u);  // the panel stays
        shownFrames += visible ? 1 : 0;
    }
    EXPECT_GT(shownFrames, 3);
    EXPECT_LT(shownFrames, 9);

    // The width is measured once per level load.
    level.levelText[1] = "A much longer first line";  // 192 pixels
    hudPass();
    EXPECT_EQ(hud.levelTextWidth, 112);
    ++level.textLoads;
    EXPECT_EQ(at(hudPass(), 11).at(0).x, 1024 - 192 - 15);
    EXPECT_EQ(hud.levelTextWidth, 192);
}

TEST_F(HudTest, ClocksOnlyWithATimeLimit) {
    play.elapsedText = "01:05";
    play.timeLimitText = "01:30";
    level.timeLimit = 0;
    std::vector<DrawnQuad> quads = hudPass();
    EXPECT_TRUE(line(quads, 10, 300).empty());
    EXPECT_TRUE(line(quads, 80, 300).empty());

    level.timeLimit = 90;
    quads = hudPass();
    std::vector<DrawnQuad> elapsed = line(quads, 10, 300);
    ASSERT_EQ(text(elapsed), "01:05");
    EXPECT_EQ(elapsed[0].x, 824);
    expectColour(elapsed[0], LightYellow);
    const std::vector<DrawnQuad> limit = line(quads, 80, 300);
    ASSERT_EQ(text(limit), "01:30");
    EXPECT_EQ(limit[0].x, 824);
    // Past the limit the elapsed time turns red; the limit stays yellow.
    play.timeUpShown = -1;
    quads = hudPass();
    elapsed = line(quads, 10, 300);
    ASSERT_FALSE(elapsed.empty());
    expectColour(elapsed[0], {255, 0, 0, 255});
    expectColour(line(quads, 80, 300).at(0), LightYellow);
}

TEST_F(HudTest, TheLayoutScalesWithTheWindow) {
    // 1280 x 1024: x scale 1.25, y scale 4/3; glyphs 58.75 x 73.75 every 43.75.
    setScreen(1280, 1024);
    play.flagsLeft = 12;
    level.timeLimit = 90;
    play.elapsedText = "00:01";
    play.timeLimitText = "01:30";
    level.levelText[1] = "Hello";  // 40 pixels
    const std::vector<DrawnQuad> quads = hudPass();
    const std::vector<DrawnQuad> flags = line(quads, 13, 100, 300);
    ASSERT_EQ(text(flags), "12");
    expectRect(flags[0], 100, 13, 15, 59, 74);
    EXPECT_EQ(flags[1].x, 144);
    std::vector<DrawnQuad> icons;
    std::copy_if(quads.begin(), quads.end(), std::back_inserter(icons),
                 [](const DrawnQuad& q) { return q.z == 16; });
    ASSERT_EQ(icons.size(), 2u);
    expectRect(icons[0], 12, 13, 16, 80, 85);
    expectRect(icons[1], 12, 107, 16, 80, 85);
    EXPECT_EQ(text(line(quads, 107, 100, 300)), "0");
    EXPECT_EQ(text(line(quads, 931, 12, 13)), "s");  // the score's first letter
    EXPECT_EQ(text(line(quads, 13, 1030, 1031)), "0");
    EXPECT_EQ(text(line(quads, 107, 1030, 1031)), "0");
    // The panel keeps pixel sizes, in the bottom right corner.
    const auto panel = std::find_if(quads.begin(), quads.end(), [](const DrawnQuad& q) { return q.z == 11; });
    ASSERT_NE(panel, quads.end());
    expectRect(*panel, 1280 - 40 - 15, 1024 - 75, 11, 50, 65);
}

TEST_F(HudTest, DrawnOverPlayOnlyWithTheBoardsCamera) {
    dialog.dialogId = 0;
    level.zoom = 0.5;
    frameClock.targetZoom = 1;
    renderer.xScale = 0;  // the frame computes its scales
    // View at (0, 0): board (0, 0) lies at pixel (480, 352).
    addMessageAt(0, 0, 0, "7");
    auto frame = [] {
        drawLayer.calls.clear();
        drawFrame();
        return drawnQuads();
    };
    std::vector<DrawnQuad> quads = messageQuads(frame());
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_NEAR(quads[0].x, 480, 0.5);
    EXPECT_LT(quads[0].y, 352);  // it rose a little during the frame
    EXPECT_GT(quads[0].y, 340);
    EXPECT_EQ(line(drawnQuads(), 10, 80, 300).size(), 1u);  // flags left

    auto hudQuads = [](const std::vector<DrawnQuad>& all) {
        return std::count_if(all.begin(), all.end(), [](const DrawnQuad& q) { return q.z >= 15; });
    };
    renderer.menuVisible = -1;
    EXPECT_EQ(hudQuads(frame()), 0);
    renderer.menuVisible = 0;
    renderer.editorActive = -1;
    EXPECT_EQ(hudQuads(frame()), 0);
    EXPECT_EQ(play.floatingMessages[1].text, "7");  // messages wait for play to go on
}

}  // namespace
