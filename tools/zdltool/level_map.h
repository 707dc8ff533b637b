// Level maps: the whole board of a level drawn top-down from its texture-pack
// pictures into one picture, for level designers and the level overview.
// The pictures are decoded with the game's own PNG decoder and composited on
// the CPU in the board renderer's order and depth layers (background behind,
// then ground, exits and traps, platforms, arrows, the ball's shadow, walls,
// cracks, bombs and flags, the ball), each object a 128-unit square showing
// the first frame of its set. Platform markers, which only the editor shows,
// are drawn over the platforms so that a platform's route can be read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A picture in memory: width x height pixels of R, G, B, A bytes, top row
// first.
struct MapPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    // The pixel at (x, y), x to the right, y downwards.
    const std::uint8_t* at(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

// Sizes a map's longer side may have, in pixels.
constexpr int MapMinSize = 16;
constexpr int MapMaxSize = 4096;

// The board's margin around the bounding box of its objects, in board units.
constexpr double MapMargin = 48;

// The board area a map shows, in board units.
struct MapArea {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The bounding box of every drawn object of the level in memory (and the
// ball), with the margin.
MapArea levelMapArea();

// Draws the level in memory with the texture table of the game folder that
// was loaded (as preparePlay leaves them) into `picture`, whose longer side
// becomes `size` pixels (MapMinSize to MapMaxSize). False with a message when
// the texture packs cannot be matched with their files.
bool drawLevelMap(int size, MapPicture& picture, std::string& error);

// Loads the game folder and the level (a ".zdl" file or a level text) and
// draws its map. Needs a headless platform installed.
bool makeLevelMap(const std::string& gameFolder, const std::string& levelPath, int size, MapPicture& picture,
                  std::string& error);

// The picture as a PNG file (8-bit RGB) in memory, written through libpng.
bool encodeMapPng(const MapPicture& picture, std::vector<std::uint8_t>& file, std::string& error);
