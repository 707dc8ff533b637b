#include <gtest/gtest.h>

#include "base/bytes.h"
#include "gfx/display.h"
#include "gfx/frame.h"
#include "gfx/text.h"
#include "gfx/textures.h"
#include "support/drawn_quads.h"
#include "support/headless_game.h"

namespace {

class TextTest : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        display.screenWidth = 1024;
        display.screenHeight = 768;
        font.spacing = 2;
    }

    // A metrics file with the given (width, leftOffset) for the first
    // characters, `records` records long.
    static Bytes metrics(const std::vector<std::pair<int, int>>& glyphs, int records = 256) {
        ByteWriter out;
        for (int c = 0; c < records; ++c) {
            const std::pair<int, int> glyph =
                c < static_cast<int>(glyphs.size()) ? glyphs[static_cast<std::size_t>(c)]
                                                    : std::pair<int, int>{c % 13, 0};
            out.i32(glyph.first);
            out.i32(99);
            out.i32(glyph.second);
            out.i32(99);
        }
        return out.bytes();
    }

    // A 16 x 16 uncompressed 32-bit TGA: one pixel per glyph cell.
    static Bytes fontPicture() {
        Bytes tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 16, 0, 32, 8};
        for (int i = 0; i < 16 * 16; ++i) tga.insert(tga.end(), {255, 255, 255, 255});
        return tga;
    }

    // A tile font of 38 pictures starting at frame table index 50.
    void makeTileFont() {
        TextureEntry set;
        set.kind = KindFont;
        set.firstFrame = 50;
        set.lastFrame = 87;
        set.currentFrame = 50;
        catalogue.fontEntry = catalogue.textureTable.append(set);
        textures.frameTable.resize(90);
        for (std::size_t i = 0; i < textures.frameTable.size(); ++i)
            textures.frameTable[i].glName = static_cast<std::uint32_t>(1000 + i);
    }
};

TEST_F(TextTest, LoadFontReadsPictureAndMetrics) {
    std::vector<std::pair<int, int>> glyphs(256, {0, 0});
    glyphs['A'] = {10, 3};
    glyphs[160] = {5, 0};
    folder.write("standard.tga", fontPicture());
    folder.write("standard.dat", metrics(glyphs));
    loadFont(font, folder.path() + "standard.tga", folder.path() + "standard.dat");
    EXPECT_NE(font.texture, 0u);
    // Linear filtering, no mipmaps, repeating on both axes.
    const DrawCall& upload = drawLayer.calls.at(0);
    ASSERT_EQ(upload.op, DrawOp::CreateTexture);
    EXPECT_EQ(upload.a[3], 0);
    EXPECT_EQ(upload.a[4], FilterLinear);
    EXPECT_EQ(upload.a[6], WrapRepeat);
    EXPECT_EQ(upload.a[7], WrapRepeat);
    EXPECT_EQ(font.glyphs['A'].width, 10);
    EXPECT_EQ(font.glyphs['A'].leftOffset, 3);
    // The no-break space advances 16 + spacing whatever the file says.
    EXPECT_EQ(font.glyphs[160].width, 16);
    EXPECT_EQ(textWidth(font, "\xA0"), 18);

    // A short metrics file leaves the rest at width 0; a missing picture
    // leaves the font untextured.
    folder.write("short.dat", metrics({{7, 0}, {8, 0}, {9, 0}}, 2));
    loadFont(font, folder.path() + "missing.tga", folder.path() + "short.dat");
    EXPECT_EQ(font.texture, 0u);
    EXPECT_EQ(font.glyphs[1].width, 8);
    EXPECT_EQ(font.glyphs[2].width, 0);
    EXPECT_EQ(font.glyphs['A'].width, 0);
    EXPECT_EQ(font.glyphs[160].width, 16);
}

TEST_F(TextTest, GlyphsAdvanceByWidthAndSpacing) {
    font.glyphs['a'].width = 10;
    font.glyphs['b'].width = 11;
    font.glyphs['b'].leftOffset = 3;
    EXPECT_EQ(textWidth(font, ""), 0);
    EXPECT_EQ(textWidth(font, "ab"), 25);  // the spacing follows the last glyph too
    font.monospace = 1;
    EXPECT_EQ(textWidth(font, "ab"), 32);
    font.monospace = 0;

    font.texture = 42;
    EXPECT_EQ(drawText(font, "ab", 100, 50, 12), 2);
    const std::vector<DrawnQuad> quads = drawnQuads();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(quads[0].texture, 42);
    EXPECT_EQ(quads[0].x, 100);
    EXPECT_EQ(quads[0].y, 50);
    EXPECT_EQ(quads[0].w, 16);
    EXPECT_EQ(quads[0].h, 16);
    // "b" has 3 empty columns: its cell starts 3 pixels left of the cursor.
    EXPECT_EQ(quads[1].x, 100 + 12 - 3);
    // Cell of "a" (97): row 6, column 1 of the grid; the picture is stored
    // bottom row first, so the top of the cell is texture row 1 - 6/16.
    EXPECT_DOUBLE_EQ(quads[0].u0, 1 / 16.0);
    EXPECT_DOUBLE_EQ(quads[0].u1, 2 / 16.0);
    EXPECT_DOUBLE_EQ(quads[0].v1, 1 - 6 / 16.0);
    EXPECT_DOUBLE_EQ(quads[0].v0, 1 - 7 / 16.0);
}

TEST_F(TextTest, ShadowedTextLiesOneLayerAboveItsShadow) {
    font.glyphs['x'].width = 8;
    drawShadowedText(font, "x", 20, 30, 12, 10, 20, 30, 200);
    std::vector<DrawnQuad> quads = drawnQuads();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(quads[0].x, 21);
    EXPECT_EQ(quads[0].y, 31);
    EXPECT_EQ(quads[0].z, 12);
    EXPECT_EQ(quads[0].colour[3], 127.5);
    EXPECT_EQ(quads[0].colour[0], 0);
    EXPECT_EQ(quads[1].x, 20);
    EXPECT_EQ(quads[1].z, 13);
    EXPECT_EQ(quads[1].colour[0], 10);
    EXPECT_EQ(quads[1].colour[3], 200);
    EXPECT_EQ(quads[1].blend, BlendMode::Premultiplied);
    // Centred: (1024 - 10) / 2 = 507, opaque, at z 12.
    drawLayer.calls.clear();
    drawCentredText("x", 100, 1, 2, 3);
    quads = drawnQuads();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(quads[1].x, 507);
    EXPECT_EQ(quads[1].z, 13);
    EXPECT_EQ(quads[1].colour[3], 255);
}

TEST_F(TextTest, TileTextPicksThePicturesOfItsCharacters) {
    makeTileFont();
    drawTileText(255, 128.4, 0, 255, 100, 40, "Go: 9", 40, 50, 30);
    std::vector<DrawnQuad> quads = drawnQuads();
    // "g", "o", ":" and "9"; the space takes its place but draws nothing.
    ASSERT_EQ(quads.size(), 4u);
    EXPECT_EQ(quads[0].texture, 1050 + 16);  // g
    EXPECT_EQ(quads[1].texture, 1050 + 24);  // o
    EXPECT_EQ(quads[2].texture, 1050 + 36);  // :
    EXPECT_EQ(quads[3].texture, 1050 + 9);
    EXPECT_EQ(quads[3].x, 100 + 4 * 30);
    EXPECT_EQ(quads[0].y, 40);
    EXPECT_EQ(quads[0].z, 15);
    EXPECT_EQ(quads[0].w, 40);
    EXPECT_EQ(quads[0].h, 50);
    EXPECT_EQ(quads[0].colour[1], 128);
    EXPECT_EQ(drawLayer.calls.back().op, DrawOp::Colour);
    EXPECT_EQ(drawLayer.calls.back().a[1], 255);

    // The cursor shows during the second half of its blink.
    drawLayer.calls.clear();
    frameClock.animDelta = 1;
    renderer.cursorBlink = 1;
    int shown = 0;
    for (int i = 0; i < 6; ++i) {
        drawLayer.calls.clear();
        drawTileText(255, 255, 255, 255, 0, 0, "|", 40, 50, 30);
        const std::vector<DrawnQuad> cursor = drawnQuads();
        if (!cursor.empty()) {
            EXPECT_EQ(cursor[0].texture, 1050 + 37);
            ++shown;
        }
    }
    EXPECT_EQ(shown, 3);

    // A font set without all 38 pictures shows the missing picture rather
    // than frames of another set.
    catalogue.textureTable[catalogue.fontEntry].lastFrame = 55;
    drawLayer.calls.clear();
    drawTileText(255, 255, 255, 255, 0, 0, "5z", 40, 50, 30);
    quads = drawnQuads();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(quads[0].texture, 1055);
    EXPECT_EQ(quads[1].texture, 1000);
}

TEST_F(TextTest, TileLinesAreCentredAndReportTheHover) {
    makeTileFont();
    // 5 characters, advance 30, width 40: 160 pixels from (1024 - 160) / 2.
    EXPECT_TRUE(drawTileLine(255, 255, 255, 255, 100, "level", 40, 50, 30, 432, 100));
    EXPECT_EQ(drawnQuads().at(0).x, 432);
    EXPECT_TRUE(drawTileLine(255, 255, 255, 255, 100, "level", 40, 50, 30, 592, 150));
    EXPECT_FALSE(drawTileLine(255, 255, 255, 255, 100, "level", 40, 50, 30, 431, 120));
    EXPECT_FALSE(drawTileLine(255, 255, 255, 255, 100, "level", 40, 50, 30, 500, 151));
    // A label is drawn but never hovered.
    drawLayer.calls.clear();
    EXPECT_FALSE(drawTileLine(255, 255, 255, 255, 100, "level 1:", 40, 50, 30, 512, 120));
    EXPECT_EQ(drawnQuads().size(), 7u);
    // An empty line draws nothing but still has a hover area w - advance
    // wide: 10 pixels from 507.
    drawLayer.calls.clear();
    EXPECT_TRUE(drawTileLine(255, 255, 255, 255, 100, "", 40, 50, 30, 507, 120));
    EXPECT_FALSE(drawTileLine(255, 255, 255, 255, 100, "", 40, 50, 30, 506, 120));
    EXPECT_TRUE(drawnQuads().empty());
}

}  // namespace
