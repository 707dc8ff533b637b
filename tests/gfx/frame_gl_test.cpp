// Draws boards with the play HUD and the logo screen through a real OpenGL
// context (needs a display, e.g. under xvfb-run; skipped without one), reads the
// presented pictures back and compares them with the reference pictures stored
// beside this file. ZD_UPDATE_REFERENCES=1 rewrites the references instead.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>

#include "base/numeric.h"
#include "config/dialog.h"
#include "config/language.h"
#include "config/paths.h"
#include "gfx/display.h"
#include "gfx/draw_layer.h"
#include "gfx/frame.h"
#include "gfx/hud.h"
#include "gfx/text.h"
#include "gfx/textures.h"
#include "level/level_file.h"
#include "platform/platform.h"
#include "platform/text_screen.h"
#include "play/play.h"
#include "support/headless_game.h"

namespace {

constexpr int ScreenW = 1024;
constexpr int ScreenH = 768;

using Rgba = std::array<std::uint8_t, 4>;
using Shader = std::function<Rgba(int x, int y)>;  // (x, y) from the top-left

// Uploads a generated size x size picture, bottom row first as the game's
// pictures are.
std::uint32_t makeTexture(int size, const Shader& shade, bool mipmaps = true) {
    std::vector<std::uint8_t> pixels;
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            const Rgba p = shade(x, y);
            pixels.insert(pixels.end(), p.begin(), p.end());
        }
    return dlCreateTexture({size, size, 32, PixelFormatRgba, pixels.data(), mipmaps,
                            mipmaps ? FilterLinearMipmapLinear : FilterLinear, FilterLinear,
                            WrapClampToEdge, WrapClampToEdge});
}

std::uint8_t byte(double v) { return static_cast<std::uint8_t>(std::lround(std::fmin(255, std::fmax(0, v)))); }

// A disc of radius r around the picture's centre, shaded from the top-left.
Rgba ballPixel(int x, int y, int size) {
    const double c = (size - 1) / 2.0;
    const double dx = (x - c) / c, dy = (y - c) / c;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d > 0.95) return {0, 0, 0, 0};
    const double light = 0.45 + 0.55 * std::fmax(0, 1 - std::hypot(dx + 0.35, dy + 0.35));
    return {byte(220 * light + 30), byte(60 * light), byte(50 * light), 255};
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // top row first
    Rgba at(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                               static_cast<std::size_t>(x)) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2], 255};
    }
};

bool readPng(const std::string& path, Picture& picture) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) != 0;
}

bool writePng(const std::string& path, const Picture& picture) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, picture.rgb.data(), 0, nullptr) != 0;
}

// A fresh game drawing into a real window of the test's size.
class GlWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
        resetGameState();
        setPlatform(&sdlPlatform());
        display.screenWidth = ScreenW;
        display.screenHeight = ScreenH;
        ASSERT_TRUE(platform().openWindow(ScreenW, ScreenH, false));
        dlSetFixedState(ScreenW, ScreenH);
        dlEnableAlphaBlending();
    }

    void TearDown() override {
        setPlatform(nullptr);
        resetGameState();
    }
};

class FrameGl : public GlWindowTest {
protected:
    // Board textures: one single-frame set per kind, in frame-table order.
    int background = 0, ground = 0, exitTile = 0, arrow = 0, wall = 0, crack = 0, flag = 0,
        ball = 0, shadow = 0;

    void SetUp() override {
        GlWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        makeBoardTextures();
        makeFont();
        buildBoard();
    }

    int addSet(int kind, const Shader& shade) {
        Texture frame;
        frame.glName = makeTexture(64, shade);
        textures.frameTable.push_back(frame);
        TextureEntry entry;
        entry.kind = kind;
        entry.firstFrame = entry.lastFrame = entry.currentFrame =
            static_cast<double>(textures.frameTable.size() - 1);
        return catalogue.textureTable.append(entry);
    }

    static Rgba floorPixel(int x, int y) {
        const bool edge = x < 3 || y < 3 || x > 60 || y > 60;
        const int speckle = ((x * 7 + y * 13) % 11) * 2;
        if (edge) return {150, 170, 140, 255};
        return {byte(90 + speckle), byte(120 + speckle), byte(80 + speckle), 255};
    }

    void makeBoardTextures() {
        background = addSet(KindBackground, [](int, int) { return Rgba{20, 30, 70, 255}; });
        ground = addSet(KindGround, floorPixel);
        exitTile = addSet(KindExit, [](int x, int y) {
            const double d = std::hypot(x - 31.5, y - 31.5);
            if (d > 18 && d < 26) return Rgba{240, 220, 60, 255};
            return floorPixel(x, y);
        });
        arrow = addSet(KindArrowEast, [](int x, int y) {
            const int dy = std::abs(y - 32);
            if ((x > 14 && x < 36 && dy < 6) || (x >= 36 && x < 52 && dy < 52 - x))
                return Rgba{250, 250, 250, 255};
            return floorPixel(x, y);
        });
        wall = addSet(KindWall, [](int x, int y) {
            const int row = y / 16;
            const bool mortar = y % 16 < 2 || (x + (row % 2) * 16) % 32 < 2;
            return mortar ? Rgba{60, 55, 50, 255} : Rgba{150, 100, 70, 255};
        });
        crack = addSet(KindCrack, [](int x, int y) {
            const bool line = std::abs(x - y) < 2 || std::abs(x + y - 80) < 2;
            return line ? Rgba{40, 30, 25, 255} : Rgba{130, 110, 90, 255};
        });
        flag = addSet(KindFlag, [](int x, int y) {
            if (x >= 20 && x < 23 && y >= 10 && y < 56) return Rgba{90, 60, 30, 255};
            if (x >= 23 && y >= 10 && y < 34 && x - 23 < (y < 22 ? y - 10 : 34 - y) * 2)
                return Rgba{230, 30, 30, 255};
            return Rgba{0, 0, 0, 0};
        });
        ball = addSet(KindBall, [](int x, int y) { return ballPixel(x, y, 64); });
        shadow = addSet(KindBallShadow, [](int x, int y) {
            const double d = std::hypot(x - 31.5, y - 31.5);
            return d < 29 ? Rgba{0, 0, 0, 110} : Rgba{0, 0, 0, 0};
        });
        textures.screens.logoTexture.glName = makeTexture(256, [](int x, int y) {
            const double d = std::hypot(x - 127.5, y - 127.5);
            const bool ring = static_cast<int>(d) % 32 < 12;
            return ring ? Rgba{byte(255 - d), 120, byte(d), 255} : Rgba{240, 240, 230, 255};
        });
        makeHudTextures();
    }

    // The HUD's pictures: a bomb and the grey panel, and the tile font the
    // game ships (digits, letters, colon and cursor, white for the HUD's
    // colours to tint), read by the game's own picture loader.
    void makeHudTextures() {
        catalogue.flagEntry = flag;
        catalogue.bombEntry = addSet(KindBomb, [](int x, int y) {
            const double d = std::hypot(x - 30, y - 36);
            if (d < 20) {
                const double light = 1 - std::fmin(1, std::hypot(x - 23, y - 29) / 18);
                return Rgba{byte(40 + 120 * light), byte(40 + 120 * light), byte(55 + 130 * light), 255};
            }
            if (x >= 40 && x < 44 && y >= 8 && y < 20) return Rgba{200, 170, 110, 255};  // the fuse
            if (std::hypot(x - 42, y - 7) < 4) return Rgba{255, 200, 40, 255};         // its spark
            return Rgba{0, 0, 0, 0};
        });
        textures.screens.editGrayTexture.glName =
            makeTexture(64, [](int, int) { return Rgba{90, 90, 100, 190}; }, false);

        TextureEntry tiles;
        tiles.kind = KindFont;
        tiles.firstFrame = tiles.currentFrame = static_cast<double>(textures.frameTable.size());
        for (int i = 0; i < 38; ++i) {
            Texture frame;
            const std::string path = std::string(ZD_SOURCE_DIR) + "/data/txtpckclassic/fontcctiles" +
                                     (i < 10 ? "0" : "") + std::to_string(i) + ".png";
            ASSERT_EQ(loadTexture(path, frame, LoadMipmaps, WrapClamp, WrapClamp, false), 0) << path;
            textures.frameTable.push_back(frame);
        }
        tiles.lastFrame = static_cast<double>(textures.frameTable.size() - 1);
        catalogue.fontEntry = catalogue.textureTable.append(tiles);
    }

    // The bitmap font drawn from the error screens' characters in 16 x 16
    // cells, lit where at least half covered; widths follow the lit columns.
    void makeFont() {
        std::vector<std::uint8_t> cells(256 * 256 * 4, 0);
        TextScreenLayout sixteen;
        sixteen.cellWidth = sixteen.cellHeight = 16;
        sixteen.border = 0;
        for (int first = 32; first < 128; first += 32) {
            std::string line;
            for (int c = first; c < first + 32; ++c) line += static_cast<char>(c);
            const std::vector<std::uint32_t> grid = renderTextScreen(1, {{15, line}}, sixteen);
            for (int c = first; c < first + 32; ++c) {
                int left = 16, right = -1;
                for (int py = 0; py < 16; ++py)
                    for (int px = 0; px < 16; ++px) {
                        const std::uint32_t lit =
                            grid[static_cast<std::size_t>(py * sixteen.width() + (c - first) * 16 + px)];
                        if ((lit & 0xFF) < 128) continue;
                        left = std::min(left, px);
                        right = std::max(right, px);
                        const int x = (c % 16) * 16 + px;
                        const int y = (c / 16) * 16 + py;
                        // Bottom row first, premultiplied white.
                        const std::size_t i =
                            (static_cast<std::size_t>(255 - y) * 256 + static_cast<std::size_t>(x)) * 4;
                        cells[i] = cells[i + 1] = cells[i + 2] = cells[i + 3] = 255;
                    }
                Glyph& glyph = font.glyphs[c];
                glyph.leftOffset = right < 0 ? 0 : left;
                glyph.width = right < 0 ? 8 : right - left + 1;
            }
        }
        font.texture = dlCreateTexture({256, 256, 32, PixelFormatRgba, cells.data(), false,
                                        FilterLinear, FilterLinear, WrapRepeat, WrapRepeat});
        font.spacing = 2;
        for (int i = 1; i <= 238; ++i)
            language.strings.append(i == 228 ? "Loading, please wait..." : i == 90 ? "Score: " : "");
    }

    // A floor with a 2 x 2 hole, walls along one row, and a few things on it;
    // the view centre is board (512, 384), drawn at pixel (480, 352).
    void buildBoard() {
        level.zoom = 0.5;
        frameClock.targetZoom = 1.0;
        dialog.dialogId = 0;
        level.background.texture = background;
        level.background.frame = catalogue.textureTable[background].firstFrame;
        level.ballShadow.texture = shadow;
        for (int ty = -3; ty <= 9; ++ty)
            for (int tx = -4; tx <= 13; ++tx)
                if (!(tx >= 6 && tx <= 7 && ty >= 3 && ty <= 4) && !(tx == 12 && ty == 8))
                    addObject(level.groundTiles, tx * 128, ty * 128, ground);
        for (int tx = 0; tx <= 10; ++tx) addObject(level.walls, tx * 128, 0, wall);
        addObject(level.cracks, 3 * 128, 128 * 6, crack);
        addObject(level.exitsAndTraps, 10 * 128, 128 * 5, exitTile);
        addObject(level.arrows, 2 * 128, 128 * 2, arrow);
        addObject(level.bombsAndFlags, 4 * 128, 128 * 5, flag);
        addObject(level.bombsAndFlags, 9 * 128, 128 * 2, flag);
        level.viewX = 512;
        level.viewY = 384;
    }

    Picture draw() {
        frameClock.lastFrameTime = platform().timer();
        drawFrame();
        Picture picture;
        picture.width = ScreenW;
        picture.height = ScreenH;
        picture.rgb = dlReadPixels(0, 0, ScreenW, ScreenH);
        return picture;
    }

    // A play frame one tick after the previous one, so that the floating
    // messages move by whole units and the picture does not depend on how
    // long the frame took.
    Picture drawPlayFrame() {
        frameClock.lastFrameTime = platform().timer() - 0.04;
        drawFrame();
        Picture picture;
        picture.width = ScreenW;
        picture.height = ScreenH;
        picture.rgb = dlReadPixels(0, 0, ScreenW, ScreenH);
        return picture;
    }

    // Pixel (x, y) of the screen for board point (bx, by).
    static int sx(double bx) { return static_cast<int>(bx * 0.5 + 224); }
    static int sy(double by) { return static_cast<int>(by * 0.5 + 160); }

    static void expectNear(const Rgba& actual, const Rgba& expected, int tolerance) {
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[static_cast<std::size_t>(i)], expected[static_cast<std::size_t>(i)], tolerance) << "channel " << i;
    }

    // Compares with tests/gfx/reference/<name>.png: at most 0.1 % of the
    // pixels may differ by more than 24 in a channel (different rasterisers
    // round texture filtering differently), and none wholly.
    static void expectReference(const Picture& actual, const std::string& name) {
        const std::string reference = std::string(ZD_SOURCE_DIR) + "/tests/gfx/reference/" + name + ".png";
        if (std::getenv("ZD_UPDATE_REFERENCES") != nullptr) {
            ASSERT_TRUE(writePng(reference, actual));
            return;
        }
        Picture expected;
        ASSERT_TRUE(readPng(reference, expected)) << reference;
        ASSERT_EQ(expected.width, actual.width);
        ASSERT_EQ(expected.height, actual.height);
        std::size_t off = 0;
        for (std::size_t i = 0; i < actual.rgb.size(); i += 3) {
            int worst = 0;
            for (std::size_t k = 0; k < 3; ++k)
                worst = std::max(worst, std::abs(actual.rgb[i + k] - expected.rgb[i + k]));
            if (worst > 24) ++off;
        }
        const std::size_t pixels = actual.rgb.size() / 3;
        if (off * 1000 > pixels) {
            writePng(name + "-actual.png", actual);
            FAIL() << off << " of " << pixels << " pixels differ from " << reference
                   << "; the picture drawn is " << name << "-actual.png";
        }
    }
};

TEST_F(FrameGl, BoardsAndLogoMatchTheirReferences) {
    const Rgba back{20, 30, 70, 255};

    // A ball jumping beside the hole: its shadow, thrown further off by the
    // jump, falls on the floor but not into the hole.
    placeBall(5 * 128, 420, ball);
    level.jumpState = 1;
    level.jumpHeight = 48;
    Picture picture = draw();
    expectReference(picture, "board");
    expectNear(picture.at(sx(796), sy(590)), back, 2);  // the shadow's place in the hole
    const Rgba shaded = picture.at(sx(740), sy(590));   // the shadow on the floor
    const Rgba bare = picture.at(sx(740), sy(630));     // the floor beside it
    EXPECT_LT(shaded[1] + 30, bare[1]);
    expectNear(picture.at(sx(704), sy(484)), ballPixel(32, 32, 64), 40);
    // Tiles reaching past the screen's edges are drawn (and face the viewer).
    expectNear(picture.at(0, 700), floorPixel(30, 30), 40);
    expectNear(picture.at(ScreenW - 1, 40), floorPixel(30, 30), 40);
    level.jumpState = 0;
    level.jumpHeight = 0;

    // A ball sinking into the hole from its left edge: seen inside the hole,
    // hidden by the floor.
    placeBall(6 * 128 - 64, 3 * 128 + 64, ball);
    level.sinkScale = 1.25;
    picture = draw();
    expectReference(picture, "sinking");
    const Rgba inHole = picture.at(sx(788), sy(530));
    EXPECT_GT(inHole[0], 100);
    expectNear(picture.at(sx(748), sy(530)), floorPixel(30, 30), 40);
    level.sinkScale = 0;

    // The logo with the loading caption, blue, centred near the bottom.
    dialog.dialogId = -1;
    renderer.loadingCaption = -1;
    picture = draw();
    expectReference(picture, "logo");
    int blue = 0;
    for (int x = 0; x < ScreenW; ++x) {
        const Rgba p = picture.at(x, ScreenH - 30 + 6);
        if (p[2] > 200 && p[0] < 60 && p[1] < 60) ++blue;
    }
    EXPECT_GT(blue, 50);
}

TEST_F(FrameGl, PlayHudMatchesItsReference) {
    placeBall(8 * 128, 6 * 128, ball);
    play.flagsLeft = 2;
    level.bombsCarried = 1;
    play.score = 1350;
    play.shownScore = 1350;
    level.levelText[1] = "Level 1: First steps";
    level.levelText[2] = "Collect every flag,";
    level.levelText[3] = "then roll onto an exit.";
    level.levelText[4] = "Mind the holes!";
    play.elapsed = 95;  // past the blinking of the first seconds
    level.timeLimit = 90;
    play.elapsedText = "01:35";
    play.timeLimitText = "01:30";
    play.timeUpShown = -1;
    // Messages in flight, at even board positions so that after one tick
    // they lie on whole pixels: a pickup at its freshest, one opaque, two
    // fading, and the digits of a hole jump's points running down the diagonal.
    auto message = [](double x, double y, double age, const std::string& text, float g) {
        FloatingMessage m;
        m.x = x;
        m.y = y;
        m.red = g == 255 ? 0 : 255;
        m.green = 255;
        m.blue = g == 255 ? 0 : 255;
        m.age = age;
        m.text = text;
        play.floatingMessages.append(m);
    };
    message(4 * 128 + 12, 5 * 128 - 40, 0, "100", 254);
    message(9 * 128 + 12, 2 * 128 + 10, 6, "100", 254);
    message(3 * 128 - 20, 6 * 128 - 60, 15, "200", 254);
    message(2 * 128, 4 * 128 - 40, 20, "Great", 255);
    for (int i = 1; i <= 4; ++i)
        message(8 * 128 + 64 - 18 + 32 * i - 96, 6 * 128 + 36 + 32 * i - 96, 2, i == 1 ? "1" : "0", 255);

    const Picture picture = drawPlayFrame();
    expectReference(picture, "hud");
    EXPECT_EQ(play.floatingMessages.count(), 8);  // none has faded out yet
    // The grey panel in the bottom right corner, under the text.
    const int panelLeft = ScreenW - hud.levelTextWidth - 15;
    EXPECT_GT(hud.levelTextWidth, 100);
    const Rgba inPanel = picture.at(panelLeft + 2, ScreenH - 12);
    EXPECT_NEAR(inPanel[0], inPanel[2] - 10, 12);
    // The elapsed time is red past the limit; the limit below it is yellow.
    auto count = [&](int x0, int y0, int x1, int y1, auto test) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (test(picture.at(x, y))) ++n;
        return n;
    };
    auto red = [](const Rgba& p) { return p[0] > 200 && p[1] < 40 && p[2] < 40; };
    auto yellow = [](const Rgba& p) { return p[0] > 200 && p[1] > 200 && p[2] > 90 && p[2] < 170; };
    EXPECT_GT(count(824, 10, 1024, 69, red), 300);
    EXPECT_GT(count(824, 80, 1024, 139, yellow), 300);
    EXPECT_EQ(count(824, 80, 1024, 139, red), 0);
    // The score at the bottom left, and the flags and bombs beside their icons.
    EXPECT_GT(count(10, 698, 500, 757, yellow), 300);
    EXPECT_GT(count(80, 10, 127, 69, yellow), 50);
    EXPECT_GT(count(80, 80, 127, 139, yellow), 50);
}

// A play frame of the first shipped level in the shipped pictures, loaded
// the way start-up loads them. Besides its checks it is the README's
// picture of the HUD: with ZD_SCREENSHOT_DIR set it is written there as
// screenshot-hud.png.
class ShippedHudGl : public GlWindowTest {};

TEST_F(ShippedHudGl, AFrameOfTheFirstLevelInPlay) {
    const std::string game = std::string(ZD_GAME_DIR) + "/";
    setProgramFolder(game);
    ASSERT_TRUE(loadLanguage("english.str"));
    font.spacing = 2;
    loadFont(font, game + "standard.tga", game + "standard.dat");
    dialog.dialogId = -1;
    loadTextures(drawFrame);
    dialog.dialogId = 0;
    ASSERT_TRUE(loadLevel(game + "lvlpckzindrop/001.zdl"));
    ASSERT_EQ(dialog.dialogId, 0) << "a texture of the level is missing";
    ASSERT_FALSE(level.levelText[1].empty());
    ASSERT_GT(level.timeLimit, 0);

    // Two of the three flags taken a minute and a half in; the ball rolls on
    // from the second while its points still rise.
    frameClock.targetZoom = 1;
    level.ball.x = 12 * 128 + 40;
    level.ball.y = 4 * 128 + 30;
    level.ballShadow.x = level.ball.x + 16;
    level.ballShadow.y = level.ball.y + 16;
    level.viewX = level.ball.x - 100;
    level.viewY = level.ball.y;
    removeObjectAt(level.bombsAndFlags, 7 * 128, 2 * 128);
    removeObjectAt(level.bombsAndFlags, 13 * 128, 4 * 128);
    play.flagsLeft = 1;
    play.score = 1200;
    play.shownScore = 1200;
    play.elapsed = 95;
    play.elapsedText = "01:35";
    play.timeLimitText = "02:00";
    auto message = [](double x, double y, double age, const std::string& text) {
        FloatingMessage m;
        m.x = x + 64 - static_cast<double>(text.size()) * 35 / 2;
        m.y = y + 35;
        m.red = m.green = m.blue = 255;
        m.age = age;
        m.text = text;
        play.floatingMessages.append(m);
    };
    message(7 * 128, 2 * 128, 19, "100");
    message(13 * 128, 4 * 128, 6, "100");

    frameClock.lastFrameTime = platform().timer() - 0.04;
    drawFrame();
    Picture picture;
    picture.width = ScreenW;
    picture.height = ScreenH;
    picture.rgb = dlReadPixels(0, 0, ScreenW, ScreenH);
    if (const char* folder = std::getenv("ZD_SCREENSHOT_DIR"))
        ASSERT_TRUE(writePng(std::string(folder) + "/screenshot-hud.png", picture));

    // The panel is as wide as the widest line of the level's text, and the
    // text is drawn in it.
    EXPECT_GT(hud.levelTextWidth, 100);
    EXPECT_LT(hud.levelTextWidth, ScreenW / 2);
    int white = 0;
    for (int y = ScreenH - 70; y < ScreenH - 14; ++y)
        for (int x = ScreenW - hud.levelTextWidth - 10; x < ScreenW - 10; ++x) {
            const Rgba p = picture.at(x, y);
            if (p[0] > 230 && p[1] > 230 && p[2] > 230) ++white;
        }
    EXPECT_GT(white, 200);
    EXPECT_EQ(play.floatingMessages.count(), 2);
}

}  // namespace
