#include "gfx/text.h"

#include <cctype>

#include "assets/texture_catalogue.h"
#include "base/bytes.h"
#include "base/numeric.h"
#include "gfx/display.h"
#include "gfx/draw_layer.h"
#include "gfx/renderer.h"
#include "gfx/textures.h"
#include "platform/files.h"
#include "play/frame_clock.h"

BitmapFont font;

namespace {

// Tile-font pictures, counted from the set's first frame.
constexpr int TileColon = 36;
constexpr int TileCursor = 37;

int advanceOf(const BitmapFont& source, unsigned char c) {
    return source.monospace != 0 ? 16 : source.glyphs[c].width + source.spacing;
}

// The picture of tile-font character c, or -1 for one that only takes space.
// The cursor's blink moves on each time one is drawn.
int tileFrameOf(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c == ':') return TileColon;
    if (c == '|') {
        if (frameClock.animDelta != 0)
            renderer.cursorBlink = advanceFrame(1, 6, renderer.cursorBlink, frameClock.animDelta);
        return renderer.cursorBlink > 3 ? TileCursor : -1;
    }
    return -1;
}

}  // namespace

void loadFont(BitmapFont& target, const std::string& picturePath, const std::string& metricsPath) {
    Texture picture;
    loadTexture(picturePath, picture, 0, WrapRepeat, WrapRepeat, false);
    target.texture = picture.glName;

    for (Glyph& glyph : target.glyphs) glyph = Glyph();
    Bytes metrics;
    if (readFile(metricsPath, metrics)) {
        ByteReader reader(metrics);
        for (Glyph& glyph : target.glyphs) {
            if (reader.remaining() < 16) break;
            glyph.width = reader.i32();
            reader.i32();
            glyph.leftOffset = reader.i32();
            reader.i32();
        }
    }
    target.glyphs[160].width = 16;
}

std::int32_t textWidth(const BitmapFont& source, const std::string& text) {
    std::int32_t width = 0;
    for (char c : text) width += advanceOf(source, static_cast<unsigned char>(c));
    return width;
}

std::int32_t drawText(const BitmapFont& source, const std::string& text, int x, int y, int z) {
    dlBindTexture(source.texture);
    int cursor = 0;
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        // Cell c of the 16 x 16 grid; the picture is stored bottom row first,
        // so the top edge of cell row c / 16 is texture row 1 - v.
        const double u = (c % 16) / 16.0;
        const double v = (c / 16) / 16.0;
        dlQuad(x + cursor - source.glyphs[c].leftOffset, y, z, 16, 16,
               u, 0.9375 - v, u + 0.0625, 1 - v);
        cursor += advanceOf(source, c);
    }
    return static_cast<std::int32_t>(text.size());
}

void drawShadowedText(const BitmapFont& source, const std::string& text, int x, int y, int z,
                      std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    dlBlend(BlendMode::Premultiplied);
    dlColour(0, 0, 0, 127.5);
    drawText(source, text, x + 1, y + 1, z);
    dlColour(r, g, b, a);
    dlBlend(BlendMode::Premultiplied);
    drawText(source, text, x, y, z + 1);
}

void drawCentredText(const std::string& text, int y, std::uint8_t r, std::uint8_t g,
                     std::uint8_t b) {
    const int x = static_cast<int>(nearest((display.screenWidth - textWidth(font, text)) / 2.0));
    drawShadowedText(font, text, x, y, 12, r, g, b, 255);
}

void drawTileText(double r, double g, double b, double a, int x, int y, const std::string& text,
                  double w, double h, double advance) {
    if (text.empty()) return;
    auto byte = [](double value) { return static_cast<double>(static_cast<std::uint8_t>(nearest(value))); };
    dlColour(byte(r), byte(g), byte(b), byte(a));
    const TextureEntry& set = textureEntryOf(catalogue.fontEntry);
    const int width = static_cast<int>(nearest(w));
    const int height = static_cast<int>(nearest(h));
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int picture = tileFrameOf(static_cast<char>(std::tolower(static_cast<unsigned char>(text[i]))));
        if (picture < 0) continue;
        const double frame = set.firstFrame + picture;
        // A font set with fewer pictures shows the missing-picture image
        // rather than the frames of whatever set follows it.
        bindFrame(frame <= set.lastFrame ? frame : 0);
        drawQuad(static_cast<int>(nearest(x + static_cast<double>(i) * advance)), y, 15, width, height);
    }
    dlColour(255, 255, 255, 255);
}

bool drawTileLine(double r, double g, double b, double a, int y, const std::string& text,
                  double w, double h, double advance, int mouseX, int mouseY) {
    const std::int64_t lineWidth = nearest((static_cast<double>(text.size()) - 1) * advance + w);
    const int x = static_cast<int>(nearest((display.screenWidth - static_cast<double>(lineWidth)) / 2));
    const bool label = !text.empty() && text.back() == ':';
    const bool hovered = !label && x <= mouseX && mouseX <= display.screenWidth - x && y <= mouseY &&
                         mouseY <= y + h;
    drawTileText(r, g, b, a, x, y, text, w, h, advance);
    return hovered;
}
