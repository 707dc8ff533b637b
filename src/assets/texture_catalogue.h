// The texture catalogue: the texture table (one entry per picture set of a
// texture pack, entry 0 the "no texture" entry) with each set's kind, name,
// pack and frame range, the list of texture packs, and the well-known
// entries that play, the board and the editor use. Level files name their
// pictures by pack and name and objects hold texture-table indices, so the
// levels, play and the editor read the catalogue; it holds no graphics
// objects (the frames themselves are gfx/textures.h's). Filled once at
// start-up by the texture load, kept for the run. Also owns the one
// animation rule.
#pragma once

#include <cstdint>
#include <string>

#include "base/list.h"

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

struct TextureCatalogue {
    List<TextureEntry> textureTable;  // entry 0 = no texture
    List<std::string> packList;       // texture pack folder names; element 0 = "all" text
    // Well-known entries (texture-table indices); the background, ball-shadow
    // entries live in the level's records.
    std::int32_t ballEntry = 0;       // last "ball" set wins
    std::int32_t bombEntry = 0;       // last "bomb" set wins
    std::int32_t explosionEntry = 0;  // last "expl" set wins
    std::int32_t flagEntry = 0;       // last "flag" set wins
    std::int32_t fontEntry = 0;       // last "font" set wins
};

extern TextureCatalogue catalogue;

// The kind code of a four-letter prefix (any case); 0 for an unknown one.
std::int32_t textureKindOf(const std::string& fourLetters);

// The animation rule: frame position `current` of a set spanning frameTable
// indices first..last moved on by `delta`. Past the last frame it re-enters
// just inside the first frame (first - 0.4999) carrying the overshoot.
double advanceFrame(double first, double last, double current, double delta);

// The texture-table entry an object's `texture` value names; entry 0 (no
// texture) for a value outside the table.
const TextureEntry& textureEntryOf(double texture);
