// Textures: the frame table (every loaded picture, index 0 the missing-picture
// image), the texture table (one entry per picture set of a texture pack,
// entry 0 the "no texture" entry) and the well-known entries that play, the
// board and the editor use. Built once at start-up and kept for the run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/list.h"

// One OpenGL texture.
struct Texture {
    std::uint32_t glName = 0;       // name from the graphics library; 0 = never created
    std::int32_t width = 0;         // pixels
    std::int32_t height = 0;        // pixels
    std::vector<std::uint8_t> pixels;  // bottom row first; kept only when asked for
    std::int32_t bitsPerPixel = 0;  // 24 or 32
    std::int32_t pixelFormat = 0;   // the graphics library's RGB or RGBA format
};

// Kind codes, from the first four letters of a frame file name.
enum TextureKind : std::int32_t {
    KindNone = 0,
    KindArrowEast = 1,    // "arre"
    KindArrowNorth = 2,   // "arrn"
    KindArrowSouth = 3,   // "arrs"
    KindArrowWest = 4,    // "arrw"
    KindArrowJump = 5,    // "arru"
    KindBackground = 6,   // "back"
    KindBall = 7,         // "ball"
    KindBlll = 8,         // "blll", used by nothing
    KindBallShadow = 9,   // "blsh"
    KindBomb = 10,        // "bomb"
    KindCrack = 11,       // "crck"
    KindExit = 12,        // "exit"
    KindExplosion = 13,   // "expl"
    KindFlag = 14,        // "flag"
    KindFont = 15,        // "font"
    KindGround = 16,      // "grnd"
    KindPlatform = 17,    // "plat"
    KindMarkerEast = 18,  // "plae"
    KindMarkerNorth = 19, // "plan"
    KindMarkerSouth = 20, // "plas"
    KindMarkerWest = 21,  // "plaw"
    KindTrap = 22,        // "trap"
    KindWall = 23,        // "wall"
};

struct TextureEntry {
    std::string packName;           // pack folder name, "txtpck" + the pack's name
    std::string name;               // free part of the frame file names; may be empty
    double firstFrame = 0;          // frameTable index of frame 00
    double lastFrame = 0;           // frameTable index of the last frame
    std::int32_t synchronised = 0;  // -1: all objects show currentFrame; 0: each its own
    double currentFrame = 0;        // shared animation position
    std::int32_t kind = KindNone;   // TextureKind
};

struct TextureState {
    std::vector<Texture> frameTable;  // index 0 = "notex.png"; frames of a set are consecutive
    List<TextureEntry> textureTable;  // entry 0 = no texture
    List<std::string> packList;       // texture pack folder names; element 0 = "all" text
    // Well-known entries (texture-table indices); the background, ball-shadow
    // entries live in the level's records.
    std::int32_t ballEntry = 0;       // last "ball" set wins
    std::int32_t bombEntry = 0;       // last "bomb" set wins
    std::int32_t explosionEntry = 0;  // last "expl" set wins
    std::int32_t flagEntry = 0;       // last "flag" set wins
    std::int32_t fontEntry = 0;       // last "font" set wins

    TextureState() : frameTable(1) {}
};

extern TextureState textures;

// The kind code of a four-letter prefix (any case); 0 for an unknown one.
std::int32_t textureKindOf(const std::string& fourLetters);
