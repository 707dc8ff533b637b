// The pictures and the font shipped in data/, checked through the game's own
// loaders: every texture pack holds the sets that levels are written against,
// named so that the pack loader reads them as intended; overlays have alpha
// and floors do not; the menu frames leave the text area clear; the editor
// pictures are the size they are drawn at; the bitmap font is laid out the
// way the text code samples it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "base/encoding.h"
#include "config/paths.h"
#include "gfx/frame.h"
#include "gfx/png.h"
#include "gfx/textures.h"
#include "level/level.h"
#include "platform/files.h"
#include "support/headless_game.h"

namespace {

const std::string dataFolder = std::string(ZD_SOURCE_DIR) + "/data/";
const char* const packFolders[] = {"txtpckclassic", "txtpckneon"};

bool powerOfTwo(std::int32_t v) { return v > 0 && (v & (v - 1)) == 0; }

// A picture decoded by the game's PNG decoder.
struct Picture {
    Bytes block;
    int width = 0;
    int height = 0;

    bool load(const std::string& path) {
        if (!decodePng(path, 32, block)) return false;
        width = ((block[0] | (block[1] << 8)) - 4) / 8;
        height = block[2] | (block[3] << 8);
        return true;
    }
    // The decoder's block holds the bottom row first.
    std::uint8_t alpha(int x, int yFromTop) const {
        return block[4 + ((std::size_t(height - 1 - yFromTop) * width + x) * 4) + 3];
    }
    // True when every pixel of [x0, x1) x [y0, y1) has an alpha in [lo, hi].
    bool alphaWithin(int x0, int y0, int x1, int y1, int lo, int hi) const {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (alpha(x, y) < lo || alpha(x, y) > hi) return false;
        return true;
    }
};

// Every pack's sets after the game's own start-up load.
class ShippedTexturePacks : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        setProgramFolder(dataFolder);
        testing::internal::CaptureStderr();
        loadTextures(drawFrame);
        loadErrors = testing::internal::GetCapturedStderr();
    }

    const TextureEntry* find(const std::string& pack, const std::string& name) const {
        for (int i = 1; i <= catalogue.textureTable.count(); ++i)
            if (catalogue.textureTable[i].packName == pack && catalogue.textureTable[i].name == name)
                return &catalogue.textureTable[i];
        return nullptr;
    }

    static int frameCount(const TextureEntry& e) {
        return static_cast<int>(e.lastFrame - e.firstFrame) + 1;
    }

    std::string loadErrors;
};

}  // namespace

TEST_F(ShippedTexturePacks, EveryPictureLoadsAtAPowerOfTwoSize) {
    EXPECT_EQ(loadErrors, "");
    for (std::size_t i = 0; i < textures.frameTable.size(); ++i) {
        const Texture& t = textures.frameTable[i];
        EXPECT_NE(t.glName, 0u) << "frame " << i;
        // mipmapped pack pictures are uploaded as they are
        EXPECT_TRUE(powerOfTwo(t.width) && powerOfTwo(t.height))
            << "frame " << i << ": " << t.width << " x " << t.height;
    }
    ASSERT_EQ(catalogue.packList.count(), 2);
    EXPECT_EQ(catalogue.packList[1], "txtpckclassic");
    EXPECT_EQ(catalogue.packList[2], "txtpckneon");
}

TEST_F(ShippedTexturePacks, HoldEverySetLevelsAreWrittenAgainst) {
    const std::vector<std::pair<std::int32_t, std::string>> expected = {
        {KindBackground, "sky"}, {KindBackground, "dusk"}, {KindBackground, "bonusbackground"},
        {KindBall, "ball"}, {KindBallShadow, "shadow"}, {KindBomb, "bomb"},
        {KindCrack, "crackwall"}, {KindCrack, "crackfloor"}, {KindExit, "exit"},
        {KindExplosion, "explosion"}, {KindFlag, "flag"}, {KindGround, "grass"},
        {KindGround, "stone"}, {KindGround, "sand"}, {KindPlatform, "platform"},
        {KindMarkerEast, "markereast"}, {KindMarkerNorth, "markernorth"},
        {KindMarkerSouth, "markersouth"}, {KindMarkerWest, "markerwest"}, {KindTrap, "trap"},
        {KindWall, "brick"}, {KindWall, "hedge"}, {KindWall, "metal"},
        {KindArrowEast, "arroweast"}, {KindArrowNorth, "arrownorth"},
        {KindArrowSouth, "arrowsouth"}, {KindArrowWest, "arrowwest"}, {KindArrowJump, "jump"}};
    for (const char* pack : packFolders) {
        for (const auto& [kind, name] : expected) {
            const TextureEntry* e = find(pack, name);
            ASSERT_NE(e, nullptr) << pack << " has no set " << name;
            EXPECT_EQ(e->kind, kind) << pack << " " << name;
        }
        // levels find a picture by pack and free name alone
        std::set<std::string> names;
        for (int i = 1; i <= catalogue.textureTable.count(); ++i)
            if (catalogue.textureTable[i].packName == pack)
                EXPECT_TRUE(names.insert(catalogue.textureTable[i].name).second)
                    << pack << " uses the name " << catalogue.textureTable[i].name << " twice";
    }
}

TEST_F(ShippedTexturePacks, AnimationsRunTheWayTheGameNeeds) {
    int fontSets = 0;
    for (int i = 1; i <= catalogue.textureTable.count(); ++i) {
        const TextureEntry& e = catalogue.textureTable[i];
        SCOPED_TRACE(e.packName + " " + e.name);
        // arrows scroll in step over the whole board
        if (e.kind >= KindArrowEast && e.kind <= KindArrowJump) EXPECT_EQ(e.synchronised, -1);
        // an explosion leaves the board when its own frame wraps, and the
        // ball rolls only while it moves: neither may share one frame
        if (e.kind == KindExplosion || e.kind == KindBall) EXPECT_EQ(e.synchronised, 0);
        if (e.kind == KindExplosion) EXPECT_GE(frameCount(e), 16);
        if (e.kind == KindFont) {
            ++fontSets;
            EXPECT_EQ(frameCount(e), 38);
        }
    }
    EXPECT_EQ(fontSets, 1);
    EXPECT_EQ(catalogue.textureTable[catalogue.fontEntry].name, "tiles");
}

TEST_F(ShippedTexturePacks, DefaultBackgroundIsAnOrdinaryOne) {
    // the first background found is the start-up one; a bonus background
    // there would make every fresh level a bonus level
    const TextureEntry& background =
        catalogue.textureTable[static_cast<int>(level.background.texture)];
    EXPECT_EQ(background.kind, KindBackground);
    EXPECT_NE(background.name, "bonusbackground");
}

namespace {

// Frame files grouped by set: base name (everything before the two digits)
// to the frame numbers found.
struct PackFiles {
    std::vector<std::string> stray;            // files the loader never reads
    std::vector<std::pair<std::string, int>> sets;  // base name, frame count
};

PackFiles scanPackFiles(const std::string& pack) {
    PackFiles result;
    const std::string folder = dataFolder + pack + "/";
    std::set<std::string> reachable;
    for (const std::string& first : listFolder(folder, "*00.png", EntryKind::Files)) {
        const std::string base = first.substr(0, first.size() - 6);
        int n = 0;
        while (fileExists(folder + base + zeroPad(n, 2) + ".png")) reachable.insert(base + zeroPad(n++, 2) + ".png");
        result.sets.push_back({base, n});
    }
    for (const std::string& file : listFolder(folder, "*", EntryKind::Files))
        if (!reachable.count(file)) result.stray.push_back(file);
    return result;
}

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

}  // namespace

TEST(ShippedPackFiles, EveryFrameFileIsReadByTheLoader) {
    for (const char* pack : packFolders) {
        // a frame after a gap in the numbering would never be loaded
        for (const std::string& file : scanPackFiles(pack).stray)
            ADD_FAILURE() << pack << "/" << file << " is not part of any set";
    }
}

TEST(ShippedPackFiles, OverlaysHaveAlphaAndFloorsAreSolid) {
    for (const char* pack : packFolders) {
        for (const auto& [base, frames] : scanPackFiles(pack).sets) {
            const std::string folder = dataFolder + pack + "/";
            Picture first;
            ASSERT_TRUE(first.load(folder + base + "00.png")) << base << ": " << pngErrorText(pngDecoder.pngError);
            const int w = first.width;
            const int h = first.height;
            SCOPED_TRACE(std::string(pack) + "/" + base);
            if (startsWith(base, "grnd") || startsWith(base, "wall") || startsWith(base, "plat") ||
                startsWith(base, "back")) {
                // a see-through floor would show the background as a hole
                EXPECT_TRUE(first.alphaWithin(0, 0, w, h, 255, 255));
            } else {
                // everything else lies over other pictures: its corners are clear
                EXPECT_EQ(first.alpha(0, 0), 0);
                EXPECT_EQ(first.alpha(w - 1, h - 1), 0);
            }
            if (startsWith(base, "expl")) {
                Picture last;
                ASSERT_TRUE(last.load(folder + base + zeroPad(frames - 1, 2) + ".png"));
                EXPECT_TRUE(last.alphaWithin(0, 0, last.width, last.height, 0, 0))
                    << "an explosion must fade out completely before it is removed";
            }
        }
    }
}

TEST(ShippedScreens, MenuFramesLeaveTheTextAreaClear) {
    for (const char* name : {"opening.png", "endgame.png"}) {
        Picture p;
        ASSERT_TRUE(p.load(dataFolder + name)) << name;
        ASSERT_EQ(p.width, 1024) << name;
        ASSERT_EQ(p.height, 768) << name;
        // text drawn at the frame's depth loses its shadow wherever the frame
        // has any alpha: the centred menu lines (236 to 590) and the text
        // pages must find nothing there
        EXPECT_TRUE(p.alphaWithin(100, 232, 924, 596, 0, 0)) << name;
        EXPECT_GT(p.alpha(2, 384), 0) << name << " has no frame";
    }
    // the result screens put their lines from 532 to the bottom
    Picture end;
    ASSERT_TRUE(end.load(dataFolder + "endgame.png"));
    EXPECT_TRUE(end.alphaWithin(100, 528, 924, 700, 0, 0));
    Picture logo;
    ASSERT_TRUE(logo.load(dataFolder + "islogo.png"));
    EXPECT_EQ(logo.width * 3, logo.height * 4);
    EXPECT_TRUE(logo.alphaWithin(0, 0, logo.width, logo.height, 255, 255));
}

TEST(ShippedScreens, EditorPicturesAreTheSizeTheyAreDrawnAt) {
    // drawn at 374 x 186 with nearest filtering and no mipmaps: one texel a pixel
    for (const char* name : {"editmenu.png", "editdial.png", "editdial1.png", "editinput.png"}) {
        Picture p;
        ASSERT_TRUE(p.load(dataFolder + name)) << name;
        EXPECT_EQ(p.width, 374) << name;
        EXPECT_EQ(p.height, 186) << name;
        // the drag strip and the close box are solid in every one
        EXPECT_TRUE(p.alphaWithin(1, 1, 373, 29, 255, 255)) << name;
    }
    Picture select;
    ASSERT_TRUE(select.load(dataFolder + "editselect.png"));
    EXPECT_GT(select.alpha(0, 0), 0);
    EXPECT_EQ(select.alpha(select.width / 2, select.height / 2), 0) << "the highlight must not hide the button";
    Picture gray;
    ASSERT_TRUE(gray.load(dataFolder + "editgray.png"));
    EXPECT_TRUE(gray.alphaWithin(0, 0, gray.width, gray.height, 60, 220)) << "translucent everywhere";
    Picture notex;
    ASSERT_TRUE(notex.load(dataFolder + "notex.png"));
    EXPECT_TRUE(powerOfTwo(notex.width) && powerOfTwo(notex.height));
}

namespace {

std::int32_t little32(const Bytes& b, std::size_t at) {
    return static_cast<std::int32_t>(std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) |
                                     (std::uint32_t(b[at + 2]) << 16) | (std::uint32_t(b[at + 3]) << 24));
}

bool hasGlyph(int code) {
    if (code == 18 || code == 26 || code == 27) return true;  // the editor's arrows
    if (code < 33 || code == 127 || code == 160) return false;  // controls and spaces
    return windows1252ToUtf8(std::string(1, static_cast<char>(code))) != "\xEF\xBF\xBD";
}

}  // namespace

TEST(ShippedBitmapFont, MetricsHoldAGlyphForEveryPrintableCharacter) {
    Bytes dat;
    ASSERT_TRUE(readFile(dataFolder + "standard.dat", dat));
    ASSERT_EQ(dat.size(), 4096u);
    for (int code = 0; code < 256; ++code) {
        const std::size_t at = std::size_t(code) * 16;
        SCOPED_TRACE("code " + std::to_string(code));
        const std::int32_t width = little32(dat, at);
        const std::int32_t leftOffset = little32(dat, at + 8);
        if (hasGlyph(code) || code == 32) EXPECT_GT(width, 0);
        EXPECT_LE(width, 16);
        EXPECT_GE(leftOffset, 0);
        EXPECT_LT(leftOffset, 16);
        EXPECT_EQ(little32(dat, at + 4), 0);
        EXPECT_EQ(little32(dat, at + 12), 0);
    }
}

TEST(ShippedBitmapFont, EachGlyphIsInTheCellTheTextCodeSamples) {
    Bytes tga;
    ASSERT_TRUE(readFile(dataFolder + "standard.tga", tga));
    Texture font;
    ASSERT_TRUE(decodeTga(tga.data(), tga.size(), font));
    ASSERT_EQ(font.width, 256);  // 16 cells of 16 pixels: drawn one to one
    ASSERT_EQ(font.height, 256);
    ASSERT_EQ(font.bitsPerPixel, 32);
    // the upload takes the bottom row first; cell row c / 16 counts from the top
    auto pixel = [&](int x, int yFromTop) { return ((255u - yFromTop) * 256u + x) * 4u; };
    for (int code = 0; code < 256; ++code) {
        int ink = 0;
        bool premultiplied = true;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const std::size_t at = pixel((code % 16) * 16 + x, (code / 16) * 16 + y);
                const std::uint8_t a = font.pixels[at + 3];
                if (a > 0) ++ink;
                // text is blended as premultiplied colour
                if (font.pixels[at] > a || font.pixels[at + 1] > a || font.pixels[at + 2] > a)
                    premultiplied = false;
            }
        EXPECT_TRUE(premultiplied) << "code " << code;
        if (hasGlyph(code))
            EXPECT_GT(ink, 0) << "code " << code << " has no glyph";
        else if (code < 32 || code == 127)
            EXPECT_EQ(ink, 0) << "code " << code << " should be empty";
    }
}
