// Textures: the frame table (every loaded picture, index 0 the missing-picture
// image), the texture table (one entry per picture set of a texture pack,
// entry 0 the "no texture" entry), the fixed screen pictures and the
// well-known entries that play, the board and the editor use. Built once at
// start-up and kept for the run. Also owns the picture loaders (PNG through
// the PNG decoder, TGA for the bitmap font) and the one animation rule.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/list.h"
#include "gfx/draw_layer.h"

// One OpenGL texture.
struct Texture {
    std::uint32_t glName = 0;       // name from the graphics library; 0 = never created
    std::int32_t width = 0;         // pixels
    std::int32_t height = 0;        // pixels
    std::vector<std::uint8_t> pixels;  // bottom row first; kept only when asked for
    std::int32_t bitsPerPixel = 0;  // 24 or 32
    std::int32_t pixelFormat = 0;   // PixelFormatRgb for 24 bits, PixelFormatRgba for 32
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

// The fixed pictures of the screens, each loaded from the program folder.
struct ScreenTextures {
    Texture logoTexture;        // "islogo.png": start-up logo screen
    Texture endTexture;         // "endgame.png": end screen
    Texture openingTexture;     // "opening.png": opening screen
    Texture editMenuTexture;    // "editmenu.png": editor screens
    Texture editInputTexture;   // "editinput.png": editor input box
    Texture editDialTexture;    // "editdial.png": editor dialogue
    Texture editDial1Texture;   // "editdial1.png": editor dialogue, second form
    Texture editSelectTexture;  // "editselect.png": editor texture chooser
    Texture editGrayTexture;    // "editgray.png": editor dimming overlay
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
    ScreenTextures screens;           // the fixed screen pictures

    TextureState() : frameTable(1) {}
};

extern TextureState textures;

// The direction code (north 1, east 2, south 3, west 4, jump 5) that an
// arrow or platform marker of `kind` carries in vx; 0 for other kinds.
std::int32_t directionOfKind(std::int32_t kind);

// The kind code of a four-letter prefix (any case); 0 for an unknown one.
std::int32_t textureKindOf(const std::string& fourLetters);

// Load flags of loadTexture (a bit set).
constexpr int LoadMipmaps = 2;  // build the full mipmap chain
constexpr int LoadNearest = 4;  // nearest-neighbour filtering

// Reads one ".png" or ".tga" picture (the ending compared case-sensitively)
// and uploads it into `texture`. Returns 0 on success, 1 on failure; a
// failure writes "Error: Loading texture... " and the path to the error
// stream and leaves `texture` without a texture. The pixels are released
// after the upload unless `keepPixels`.
int loadTexture(const std::string& path, Texture& texture, int flags, TextureWrap wrapS,
                TextureWrap wrapT, bool keepPixels);

// The TGA reader: uncompressed or run-length encoded true-colour, 24 or 32
// bits, no image ID, no colour map. Pixels come out as R, G, B(, A) in the
// file's row order. False (and `texture` untouched) for anything else,
// including a run that would pass the last pixel and a short file.
bool readTga(const std::string& path, Texture& texture);
bool decodeTga(const std::uint8_t* bytes, std::size_t length, Texture& texture);

// The whole start-up load: the logo (then one frame is drawn so it shows),
// the other screen pictures, "notex.png", texture-table entry 0, every
// texture pack's picture sets, the well-known entries, the background's
// frame and the ball's place. Called once, after the window has opened.
void loadTextures();

// The animation rule: frame position `current` of a set spanning frameTable
// indices first..last moved on by `delta`. Past the last frame it re-enters
// just inside the first frame (first - 0.4999) carrying the overshoot.
double advanceFrame(double first, double last, double current, double delta);

// Deletes the texture of every frameTable element from 1 to the last.
void deleteFrameTextures();

// The texture-table entry an object's `texture` value names; entry 0 (no
// texture) for a value outside the table.
const TextureEntry& textureEntryOf(double texture);
