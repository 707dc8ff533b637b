// Level maps: a small board drawn from a texture pack of plain-coloured
// pictures, so that every pixel of the map can be predicted; and the map
// command run on files good and bad.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>

#include "gfx/png.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level_map.h"
#include "support/headless_game.h"
#include "support/libpng_memory.h"
#include "support/tool_run.h"

namespace {

using Rgba = std::array<int, 4>;

const Rgba Blue{0, 0, 255, 255};
const Rgba Green{0, 200, 0, 255};
const Rgba Grey{128, 128, 128, 255};
const Rgba Red{220, 0, 0, 255};
const Rgba White{255, 255, 255, 255};
const Rgba Yellow{240, 220, 0, 255};
const Rgba Magenta{255, 0, 255, 255};
const Rgba Clear{0, 0, 0, 0};
const Rgba HalfBlack{0, 0, 0, 128};

// An 8 x 8 RGBA picture whose pixel (x, y), y downwards, is colour(x, y).
Bytes picture(const std::function<Rgba(int, int)>& colour) {
    Bytes file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &file, appendOutput, noFlush);
    png_set_IHDR(png, info, 8, 8, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < 8; ++y) {
        std::array<png_byte, 32> row;
        for (int x = 0; x < 8; ++x)
            for (int c = 0; c < 4; ++c) row[x * 4 + c] = static_cast<png_byte>(colour(x, y)[c]);
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return file;
}

Bytes plain(const Rgba& colour) {
    return picture([&](int, int) { return colour; });
}

// Opaque in the middle 4 x 4, clear around it.
Bytes centred(const Rgba& colour) {
    return picture([&](int x, int y) { return x >= 2 && x < 6 && y >= 2 && y < 6 ? colour : Clear; });
}

LevelFileObject at(const char* name, double x, double y, double vx = 0) { return {"txtpckt", name, vx, 0, x, y}; }

// Four columns, two rows of tiles (board units, 128 a tile):
//   (0,0) ground with the ball | (128,0) ground | (256,0) ground | (384,0) platform under an east marker
//   (0,128) hole               | (128,128) wall | (256,128) ground under a flag | (384,128) hole
LevelFileData board() {
    LevelFileData data;
    data.background = at("sky", 0, 0);
    data.ball = at("ball", 0, 0);
    data.ballShadow = at("shadow", 16, 16);
    for (double x : {0.0, 128.0, 256.0}) data.lists[ListGround].push_back(at("grass", x, 0));
    data.lists[ListGround].push_back(at("grass", 256, 128));
    data.lists[ListWalls].push_back(at("brick", 128, 128));
    data.lists[ListBombsAndFlags].push_back(at("flag", 256, 128));
    data.lists[ListPlatforms].push_back(at("platform", 384, 0));
    data.lists[ListPlatformMarkers].push_back(at("east", 384, 0, DirEast));
    return data;
}

class LevelMapTest : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        folder.write("txtpckt/backccsky00.png", plain(Blue));
        folder.write("txtpckt/grndccgrass00.png", plain(Green));
        folder.write("txtpckt/wallccbrick00.png", plain(Grey));
        // The flag's left half is opaque, its right half clear.
        folder.write("txtpckt/flagccflag00.png", picture([](int x, int) { return x < 4 ? Red : Clear; }));
        folder.write("txtpckt/flagccflag01.png", plain(Magenta));  // a later frame: never on a map
        folder.write("txtpckt/ballccball00.png", centred(White));
        folder.write("txtpckt/blshccshadow00.png", plain(HalfBlack));
        folder.write("txtpckt/platccplatform00.png", plain(Yellow));
        folder.write("txtpckt/plaecceast00.png", centred(Magenta));
        folder.write("level.zdl", encodeLevelFile(board()));
    }

    MapPicture map(int size) {
        MapPicture result;
        std::string error;
        // The loader names the screen pictures this folder lacks on the error stream.
        ::testing::internal::CaptureStderr();
        const bool made = makeLevelMap(folder.path(), folder.path() + "level.zdl", size, result, error);
        ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(made) << error;
        return result;
    }

    // The pixel at board position (x, y): the board's box starts a margin
    // before the first tile, and at scale 1 a pixel is a board unit.
    static Rgba pixel(const MapPicture& picture, double x, double y) {
        const std::uint8_t* p = picture.at(static_cast<int>(x + MapMargin), static_cast<int>(y + MapMargin));
        return {p[0], p[1], p[2], p[3]};
    }
};

// 512 x 256 units of tiles with the margin on every side.
constexpr int BoardWidth = 512 + 2 * static_cast<int>(MapMargin);
constexpr int BoardHeight = 256 + 2 * static_cast<int>(MapMargin);

TEST_F(LevelMapTest, TheLongerSideTakesTheSizeAndTheBoardKeepsItsShape) {
    const MapPicture full = map(BoardWidth);
    EXPECT_EQ(full.width, BoardWidth);
    EXPECT_EQ(full.height, BoardHeight);
    EXPECT_EQ(full.rgba.size(), static_cast<std::size_t>(BoardWidth * BoardHeight * 4));
    const MapPicture small = map(BoardWidth / 2);
    EXPECT_EQ(small.width, BoardWidth / 2);
    EXPECT_EQ(small.height, BoardHeight / 2);
    // A shrunk map still shows a ground tile in its own colour.
    const std::uint8_t* p = small.at((static_cast<int>(MapMargin) + 128 + 64) / 2, (static_cast<int>(MapMargin) + 64) / 2);
    EXPECT_EQ(Rgba({p[0], p[1], p[2], p[3]}), Green);

    MapPicture none;
    std::string error;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(makeLevelMap(folder.path(), folder.path() + "level.zdl", MapMaxSize + 1, none, error));
    ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(error.empty());
}

TEST_F(LevelMapTest, TilesShowTheirPicturesWithTheBackgroundInHolesAndMargins) {
    const MapPicture m = map(BoardWidth);
    EXPECT_EQ(pixel(m, 128 + 64, 64), Green);       // ground
    EXPECT_EQ(pixel(m, 128 + 64, 128 + 64), Grey);  // wall
    EXPECT_EQ(pixel(m, 384 + 64, 128 + 64), Blue);  // hole
    EXPECT_EQ(pixel(m, -MapMargin + 2, -MapMargin + 2), Blue);  // margin
    EXPECT_EQ(pixel(m, 0 + 64, 64), White);         // the ball on its tile
}

TEST_F(LevelMapTest, LaterLayersCoverEarlierOnesWhereverTheirPicturesAreOpaque) {
    const MapPicture m = map(BoardWidth);
    // The flag's opaque half over the ground, the ground through its clear half.
    EXPECT_EQ(pixel(m, 256 + 32, 128 + 64), Red);
    EXPECT_EQ(pixel(m, 256 + 96, 128 + 64), Green);
    // The marker over the platform it steers.
    EXPECT_EQ(pixel(m, 384 + 64, 64), Magenta);
    EXPECT_EQ(pixel(m, 384 + 8, 8), Yellow);
    // The ball's half-black shadow, 16 units down and right, darkens the
    // ground around the ball, but is neither drawn into the hole below nor
    // over the wall.
    EXPECT_EQ(pixel(m, 120, 120), Rgba({0, 100, 0, 255}));
    EXPECT_EQ(pixel(m, 8, 8), Green);  // above and left of the shadow
    EXPECT_EQ(pixel(m, 64, 136), Blue);
    EXPECT_EQ(pixel(m, 136, 136), Grey);
}

TEST_F(LevelMapTest, ThePngFileHoldsTheMapExactly) {
    const MapPicture m = map(BoardWidth / 2);
    Bytes file;
    std::string error;
    ASSERT_TRUE(encodeMapPng(m, file, error)) << error;
    Bytes block;
    ASSERT_TRUE(decodePngData(file.data(), file.size(), 32, block));
    ASSERT_EQ((block[0] | block[1] << 8) >> 3, m.width);
    ASSERT_EQ(block[2] | block[3] << 8, m.height);
    // The decoder gives the bottom row first.
    for (int y = 0; y < m.height; y += 7)
        for (int x = 0; x < m.width; x += 5)
            for (int c = 0; c < 4; ++c)
                ASSERT_EQ(block[4 + ((m.height - 1 - y) * m.width + x) * 4 + c], m.at(x, y)[c]) << x << "," << y;
}

#ifdef ZD_TOOL

TEST_F(LevelMapTest, TheCommandWritesTheMapAndRefusesBadLevelsWithExitStatusOne) {
    const std::string game = "--game '" + folder.path() + "'";
    const ToolRun good = runTool(folder, "map '" + folder.path() + "level.zdl' -o '" + folder.path() + "map.png' " +
                                             game + " --size 100");
    ASSERT_EQ(good.status, 0) << good.output;
    Bytes block;
    ASSERT_TRUE(decodePng(folder.path() + "map.png", 32, block));
    EXPECT_EQ((block[0] | block[1] << 8) >> 3, 100);
    EXPECT_EQ(block[2] | block[3] << 8, std::lround(100.0 * BoardHeight / BoardWidth));

    folder.write("broken.zdl", std::string("ZDLVL not really a level"));
    folder.write("broken.txt", std::string("title \"Broken\"\ngrid walls 0 0\n|x|\n"));
    for (const std::string& level : {"broken.zdl", "broken.txt", "missing.zdl"}) {
        const ToolRun bad =
            runTool(folder, "map '" + folder.path() + level + "' -o '" + folder.path() + "bad.png' " + game);
        EXPECT_EQ(bad.status, 1) << level << ": " << bad.output;
        EXPECT_NE(bad.output.find(level), std::string::npos) << bad.output;
    }
    EXPECT_FALSE(fileExists(folder.path() + "bad.png"));
    EXPECT_EQ(runTool(folder, "map '" + folder.path() + "level.zdl' -o '" + folder.path() + "x.png' --game '" +
                                  folder.path() + "nothing/'")
                  .status,
              1);
    EXPECT_EQ(runTool(folder, "map '" + folder.path() + "level.zdl' --size 100").status, 2);  // no -o
}

#endif

}  // namespace
