// Text on screen, in two fonts. The bitmap font ("standard.tga" with its
// glyph metrics "standard.dat") draws any 8-bit character with proportional
// spacing and a drop shadow: panel and dialogue texts, help pages, captions.
// The tile font is the texture-pack set `fontEntry`, one picture per digit,
// letter, colon and cursor bar: large scalable lines for menus, the HUD and
// floating messages, which can tell whether the pointer is over them.
// Owns the bitmap font. Positions are pixels from the top-left, y down.
#pragma once

#include <cstdint>
#include <string>

// Metrics of one character, from a 16-byte record of the metrics file:
// width at offset 0, left offset at offset 8 (offsets 4 and 12 unused).
struct Glyph {
    std::int32_t width = 0;       // advance in pixels
    std::int32_t leftOffset = 0;  // empty columns at the left of the cell; drawn that much left
};

struct BitmapFont {
    Glyph glyphs[256];            // per character code
    std::uint32_t texture = 0;    // texture name of the font picture
    std::int32_t spacing = 0;     // extra advance after every glyph; start-up sets 2
    std::uint8_t monospace = 0;   // non-zero: every glyph advances 16 (the game never sets it)
};

extern BitmapFont font;

// Loads the font picture (a 16 x 16 grid of cells, character c in row c / 16
// from the top and column c % 16, each drawn 16 x 16 pixels) and the metrics
// (256 records of 16 bytes, character 0 first).
// A missing picture leaves the font without a texture (glyphs draw as plain
// quads); a missing or short metrics file leaves the unread glyphs at width 0.
// Character 160 (the no-break space) always advances 16 + spacing.
void loadFont(BitmapFont& target, const std::string& picturePath, const std::string& metricsPath);

// Width in pixels: every glyph's advance plus the spacing, the last one too.
std::int32_t textWidth(const BitmapFont& source, const std::string& text);

// Draws the glyphs in the current colour with the cell of the first at
// (x, y); returns the number of characters.
std::int32_t drawText(const BitmapFont& source, const std::string& text, int x, int y, int z);

// The text with its shadow: the shadow one pixel right and down at z, the
// text in (r, g, b, a) at z + 1. Leaves blending at (one, one minus source
// alpha), which holds for the rest of the frame.
void drawShadowedText(const BitmapFont& source, const std::string& text, int x, int y, int z,
                      std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a);

// Shadowed bitmap-font text centred on the screen at row y, opaque, at z 12.
void drawCentredText(const std::string& text, int y, std::uint8_t r, std::uint8_t g,
                     std::uint8_t b);

// A tile-font line from (x, y), character i at x + i x advance, each w x h,
// at z 15, in the colour (components 0..255). Digits, letters (any case), ":"
// and the blinking cursor "|" have pictures; any other character draws
// nothing but takes its place. The colour is opaque white afterwards.
void drawTileText(double r, double g, double b, double a, int x, int y, const std::string& text,
                  double w, double h, double advance);

// A tile-font line centred on the screen at row y; true when the pointer is
// over it. Lines ending in ":" are labels and never count as hovered.
bool drawTileLine(double r, double g, double b, double a, int y, const std::string& text,
                  double w, double h, double advance, int mouseX, int mouseY);
