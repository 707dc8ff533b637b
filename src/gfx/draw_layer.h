// The drawing layer: the only place the game calls OpenGL. Every call either
// goes to OpenGL or, while `drawLayer.recording` is set, is appended to
// `drawLayer.calls` so that a test can check what a frame drew without a
// display. Higher-level drawing (frames, board, text) is built on these.
#pragma once

#include <cstdint>
#include <vector>

enum class DrawOp {
    FixedState,  // a: width, height of the orthographic 2D set-up
    BlendAlpha,  // blending with source alpha, one minus source alpha
    Clear,       // colour and depth buffers
    CreateTexture,  // a: width, height, components, mipmaps (1/0), min filter, mag filter, wrap S, wrap T
    DeleteTexture,  // a: texture name
    BindTexture,    // a: texture name (0 = none)
    Colour,         // a: red, green, blue, alpha, each 0..255
    DepthTest,      // a: DepthTest value
    Blend,          // a: BlendMode value
    Quad,           // a: x, y, z, w, h, u0, v0, u1, v1 (see dlQuad)
    Present,        // commands flushed, buffers swapped
};

// Depth comparisons the renderer switches between (larger z is nearer).
enum class DepthTest { Less, LessOrEqual, Equal, GreaterOrEqual };

// Blend factors: Alpha is (source alpha, one minus source alpha);
// Premultiplied is (one, one minus source alpha), used by the bitmap font.
enum class BlendMode { Alpha, Premultiplied };

// Pixel formats, filters and wrap modes, holding the graphics library's own
// values so that a recorded call shows what OpenGL would be given.
enum PixelFormat : std::int32_t { PixelFormatRgb = 0x1907, PixelFormatRgba = 0x1908 };
enum TextureFilter : std::int32_t {
    FilterNearest = 0x2600,
    FilterLinear = 0x2601,
    FilterNearestMipmapNearest = 0x2700,
    FilterLinearMipmapLinear = 0x2703,
};
enum TextureWrap : std::int32_t {
    WrapClamp = 0x2900,
    WrapRepeat = 0x2901,  // also OpenGL's default
    WrapClampToEdge = 0x812F,
};

// Everything one texture upload needs. Pixel rows are tightly packed, the
// bottom row of the picture first.
struct TextureUpload {
    int width;
    int height;
    int bitsPerPixel;            // 24 or 32
    PixelFormat format;          // RGB for 24, RGBA for 32
    const std::uint8_t* pixels;  // width * height * bitsPerPixel / 8 bytes
    bool mipmaps;                // build the full mipmap chain
    TextureFilter minFilter;
    TextureFilter magFilter;
    TextureWrap wrapS;
    TextureWrap wrapT;
};

struct DrawCall {
    DrawOp op;
    double a[9];
};

struct DrawLayerState {
    bool recording = false;       // record calls instead of drawing
    std::vector<DrawCall> calls;  // what was recorded
    std::uint32_t lastTextureName = 0;  // names handed out while recording: 1, 2, 3, ...
};

extern DrawLayerState drawLayer;

// The fixed state of the window: viewport and orthographic projection of
// width x height with the origin at the top-left and z from -128 to 128,
// back-face culling, 2D texturing, depth test "less", alpha test "> 0".
void dlSetFixedState(int width, int height);

// Blending on, with factors source alpha and one minus source alpha.
void dlEnableAlphaBlending();

// Clears colour and depth.
void dlClear();

// Creates one 2D texture from the pixels with the given filters and wrap
// modes and returns its name (left bound as the current texture).
std::uint32_t dlCreateTexture(const TextureUpload& upload);

// Deletes one texture by name.
void dlDeleteTexture(std::uint32_t name);

// Makes `glName` the current 2D texture (0 draws untextured).
void dlBindTexture(std::uint32_t glName);

// The current colour, components 0..255 (fractions allowed: 127.5 is half).
void dlColour(double r, double g, double b, double a);

void dlDepthTest(DepthTest test);
void dlBlend(BlendMode mode);

// One quad of the bound texture in the current colour on the screen
// rectangle with top-left (x, y), width w and height h, at depth z.
// Texture coordinate (u0, v0) goes to the bottom-left corner (x, y + h) and
// (u1, v1) to the top-right corner (x + w, y). The corners are issued
// counter-clockwise as seen on screen, so the quad faces the viewer.
void dlQuad(double x, double y, double z, double w, double h,
            double u0, double v0, double u1, double v1);

// Flushes the commands and swaps the buffers (the platform waits for the
// vertical retrace where it can).
void dlPresent();

// The pixels of the rectangle (x, y, w, h) of the picture last presented,
// y from the top, as R, G, B bytes, top row first. Empty while recording.
std::vector<std::uint8_t> dlReadPixels(int x, int y, int w, int h);
