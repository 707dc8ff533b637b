// The pictures and the font shipped in data/: every texture pack holds the
// sets that levels are written against, named so that the pack loader reads
// them as intended, and the bitmap font is laid out the way the text code
// samples it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "core/encoding.h"
#include "gfx/textures.h"
#include "platform/files.h"

namespace {

const std::string dataFolder = std::string(ZD_SOURCE_DIR) + "/data/";
const char* const packFolders[] = {"txtpckclassic", "txtpckneon"};

struct PictureSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

std::uint32_t bigEndian32(const Bytes& b, std::size_t at) {
    return (std::uint32_t(b[at]) << 24) | (std::uint32_t(b[at + 1]) << 16) |
           (std::uint32_t(b[at + 2]) << 8) | std::uint32_t(b[at + 3]);
}

// Size from the IHDR chunk, which a PNG file must start with.
bool readPngSize(const std::string& path, PictureSize& size) {
    static const std::uint8_t signature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
    Bytes b;
    if (!readFile(path, b) || b.size() < 33) return false;
    for (int i = 0; i < 8; ++i)
        if (b[i] != signature[i]) return false;
    if (std::string(b.begin() + 12, b.begin() + 16) != "IHDR") return false;
    size.width = bigEndian32(b, 16);
    size.height = bigEndian32(b, 20);
    return true;
}

bool powerOfTwo(std::uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

// One picture set as the pack loader finds it: announced by its frame 00,
// running up to the first missing frame number.
struct PictureSet {
    std::string kindCode;  // first four letters, lower case
    char wrapS = 0;
    char wrapT = 0;
    std::string name;      // free name
    int frames = 0;
    std::vector<std::string> files;
    bool synchronised() const { return wrapS == 'r' || wrapT == 'r'; }
};

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::vector<PictureSet> scanPack(const std::string& pack) {
    std::vector<PictureSet> sets;
    const std::string folder = dataFolder + pack + "/";
    for (const std::string& first : listFolder(folder, "*00.png", EntryKind::Files)) {
        PictureSet set;
        set.kindCode = lower(first.substr(0, 4));
        set.wrapS = static_cast<char>(std::tolower(static_cast<unsigned char>(first[4])));
        set.wrapT = static_cast<char>(std::tolower(static_cast<unsigned char>(first[5])));
        set.name = first.substr(6, first.size() - 12);
        const std::string base = first.substr(0, first.size() - 6);
        while (fileExists(folder + base + twoDigits(set.frames) + ".png")) {
            set.files.push_back(base + twoDigits(set.frames) + ".png");
            ++set.frames;
        }
        sets.push_back(set);
    }
    return sets;
}

const PictureSet* findSet(const std::vector<PictureSet>& sets, const std::string& kindCode,
                          const std::string& name) {
    for (const PictureSet& s : sets)
        if (s.kindCode == kindCode && s.name == name) return &s;
    return nullptr;
}

}  // namespace

TEST(ShippedTexturePacks, HoldEverySetLevelsAreWrittenAgainst) {
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"back", "sky"}, {"back", "dusk"}, {"back", "bonusbackground"}, {"ball", "ball"},
        {"blsh", "shadow"}, {"bomb", "bomb"}, {"crck", "crackwall"}, {"crck", "crackfloor"},
        {"exit", "exit"}, {"expl", "explosion"}, {"flag", "flag"}, {"grnd", "grass"},
        {"grnd", "stone"}, {"grnd", "sand"}, {"plat", "platform"}, {"plae", "markereast"},
        {"plan", "markernorth"}, {"plas", "markersouth"}, {"plaw", "markerwest"}, {"trap", "trap"},
        {"wall", "brick"}, {"wall", "hedge"}, {"wall", "metal"}, {"arre", "arroweast"},
        {"arrn", "arrownorth"}, {"arrs", "arrowsouth"}, {"arrw", "arrowwest"}, {"arru", "jump"}};
    for (const char* pack : packFolders) {
        const std::vector<PictureSet> sets = scanPack(pack);
        for (const auto& [kind, name] : expected)
            EXPECT_NE(findSet(sets, kind, name), nullptr) << pack << ": no " << kind << " set " << name;
        // levels find pictures by pack and free name alone
        std::set<std::string> names;
        for (const PictureSet& s : sets)
            EXPECT_TRUE(names.insert(s.name).second) << pack << ": free name used twice: " << s.name;
    }
}

TEST(ShippedTexturePacks, FramesAreNamedAndSizedAsTheLoaderReadsThem) {
    for (const char* pack : packFolders) {
        const std::string folder = dataFolder + pack + "/";
        const std::vector<PictureSet> sets = scanPack(pack);
        std::set<std::string> reachable;
        for (const PictureSet& s : sets) {
            SCOPED_TRACE(std::string(pack) + "/" + s.files.front());
            EXPECT_NE(textureKindOf(s.kindCode), KindNone);
            EXPECT_TRUE(s.wrapS == 'r' || s.wrapS == 'c');
            EXPECT_TRUE(s.wrapT == 'r' || s.wrapT == 'c');
            PictureSize first;
            ASSERT_TRUE(readPngSize(folder + s.files.front(), first));
            EXPECT_TRUE(powerOfTwo(first.width) && powerOfTwo(first.height))
                << first.width << " x " << first.height;
            for (const std::string& file : s.files) {
                PictureSize size;
                ASSERT_TRUE(readPngSize(folder + file, size)) << file;
                EXPECT_EQ(size.width, first.width) << file;
                EXPECT_EQ(size.height, first.height) << file;
                reachable.insert(file);
            }
        }
        // a frame after a gap in the numbering would never be loaded
        for (const std::string& file : listFolder(folder, "*", EntryKind::Files))
            EXPECT_TRUE(reachable.count(file)) << pack << ": " << file << " is not part of any set";
    }
}

TEST(ShippedTexturePacks, AnimationsRunTheWayTheGameNeeds) {
    for (const char* pack : packFolders) {
        const std::vector<PictureSet> sets = scanPack(pack);
        for (const PictureSet& s : sets) {
            SCOPED_TRACE(std::string(pack) + ": " + s.kindCode + " " + s.name);
            const std::int32_t kind = textureKindOf(s.kindCode);
            // arrows scroll in step on the whole board
            if (kind >= KindArrowEast && kind <= KindArrowJump) EXPECT_TRUE(s.synchronised());
            // an explosion leaves the board when its own frame wraps, and the
            // ball rolls only while it moves: neither may share one frame
            if (kind == KindExplosion || kind == KindBall) EXPECT_FALSE(s.synchronised());
            if (kind == KindExplosion) EXPECT_GE(s.frames, 16);
        }
    }
}

TEST(ShippedTexturePacks, OneTileFontWithAFrameForEveryCharacter) {
    int fontSets = 0;
    for (const char* pack : packFolders)
        for (const PictureSet& s : scanPack(pack))
            if (textureKindOf(s.kindCode) == KindFont) {
                ++fontSets;
                EXPECT_EQ(s.frames, 38) << pack << " " << s.name;
            }
    EXPECT_EQ(fontSets, 1);
}

TEST(ShippedTexturePacks, DefaultBackgroundIsNotABonusLevel) {
    // the first background found, in load order, is the start-up background
    const std::vector<std::string> packs = listFolder(dataFolder, "txtpck*", EntryKind::Folders);
    ASSERT_FALSE(packs.empty());
    for (const std::string& pack : packs)
        for (const PictureSet& s : scanPack(pack))
            if (textureKindOf(s.kindCode) == KindBackground) {
                EXPECT_NE(s.name, "bonusbackground") << pack;
                return;
            }
    FAIL() << "no background set";
}

namespace {

struct GlyphRecord {
    std::int32_t width;
    std::int32_t unused1;
    std::int32_t leftOffset;
    std::int32_t unused2;
};

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
        const GlyphRecord g{little32(dat, code * 16u), little32(dat, code * 16u + 4),
                            little32(dat, code * 16u + 8), little32(dat, code * 16u + 12)};
        SCOPED_TRACE("code " + std::to_string(code));
        if (hasGlyph(code) || code == 32) EXPECT_GT(g.width, 0);
        EXPECT_GE(g.leftOffset, 0);
        EXPECT_LT(g.leftOffset, 16);
        EXPECT_LE(g.width, 16);
        EXPECT_EQ(g.unused1, 0);
        EXPECT_EQ(g.unused2, 0);
    }
}

TEST(ShippedBitmapFont, PictureHasEachGlyphInTheCellTheTextCodeSamples) {
    Bytes tga;
    ASSERT_TRUE(readFile(dataFolder + "standard.tga", tga));
    // the reader accepts exactly this start: no ID, no colour map, origin 0, 0
    const Bytes uncompressed = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_GE(tga.size(), 18u);
    ASSERT_TRUE(std::equal(uncompressed.begin(), uncompressed.end(), tga.begin()));
    const int width = tga[12] | (tga[13] << 8);
    const int height = tga[14] | (tga[15] << 8);
    ASSERT_EQ(width, 256);   // 16 cells of 16 pixels: drawn one to one
    ASSERT_EQ(height, 256);
    ASSERT_EQ(tga[16], 32);
    ASSERT_EQ(tga.size(), 18u + 256u * 256u * 4u);
    // rows are stored bottom first, pixels as B, G, R, A
    auto pixel = [&](int x, int yFromTop) { return 18u + ((255u - yFromTop) * 256u + x) * 4u; };
    for (int code = 0; code < 256; ++code) {
        int ink = 0;
        bool premultiplied = true;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const std::size_t at = pixel((code % 16) * 16 + x, (code / 16) * 16 + y);
                if (tga[at + 3] > 0) ++ink;
                // text is blended as premultiplied colour
                if (tga[at] > tga[at + 3] || tga[at + 1] > tga[at + 3] || tga[at + 2] > tga[at + 3])
                    premultiplied = false;
            }
        EXPECT_TRUE(premultiplied) << "code " << code;
        if (hasGlyph(code))
            EXPECT_GT(ink, 0) << "code " << code << " has no glyph";
        else if (code < 32 || code == 127)
            EXPECT_EQ(ink, 0) << "code " << code << " should be empty";
    }
}

TEST(ShippedScreens, EveryScreenPictureIsThereAtTheSizeItIsDrawn) {
    for (const char* name : {"islogo.png", "opening.png", "endgame.png"}) {
        PictureSize size;
        ASSERT_TRUE(readPngSize(dataFolder + name, size)) << name;
        EXPECT_EQ(size.width * 3, size.height * 4) << name << " is drawn over a 4:3 screen";
    }
    // drawn at 374 x 186 with nearest filtering and no mipmaps: one texel a pixel
    for (const char* name : {"editmenu.png", "editdial.png", "editdial1.png", "editinput.png"}) {
        PictureSize size;
        ASSERT_TRUE(readPngSize(dataFolder + name, size)) << name;
        EXPECT_EQ(size.width, 374u) << name;
        EXPECT_EQ(size.height, 186u) << name;
    }
    for (const char* name : {"editselect.png", "editgray.png", "notex.png"}) {
        PictureSize size;
        ASSERT_TRUE(readPngSize(dataFolder + name, size)) << name;
        EXPECT_TRUE(powerOfTwo(size.width) && powerOfTwo(size.height)) << name;
    }
}
