// Textures: the frame table (every loaded picture as a texture of the
// graphics library, index 0 the missing-picture image) and the fixed screen
// pictures. Built once at start-up and kept for the run, together with the
// texture catalogue (assets/texture_catalogue.h) that names the frames: the
// start-up load scans the texture packs, uploads every frame and records its
// set in the catalogue. Also owns the picture loaders (PNG through the PNG
// decoder, TGA for the bitmap font).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "assets/texture_catalogue.h"
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
    ScreenTextures screens;           // the fixed screen pictures

    TextureState() : frameTable(1) {}
};

extern TextureState textures;

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

// The whole start-up load: the logo (then `showLogo` draws one frame so that
// it shows: the renderer's drawFrame, which sits above the textures), the
// other screen pictures, "notex.png", texture-table entry 0, every texture
// pack's picture sets, the well-known entries, the background's frame and
// the ball's place. Called once, after the window has opened.
void loadTextures(void (*showLogo)());

// Deletes the texture of every frameTable element from 1 to the last.
void deleteFrameTextures();
