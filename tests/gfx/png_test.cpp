#include "gfx/png.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "gfx/png_samples.h"
#include "support/temp_folder.h"

namespace {

// The same block, or where the first difference lies.
::testing::AssertionResult sameBlock(const Bytes& expected, const Bytes& actual) {
    if (expected.size() != actual.size())
        return ::testing::AssertionFailure() << "block of " << actual.size() << " bytes, expected " << expected.size();
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (expected[i] != actual[i]) {
            if (i < 4) return ::testing::AssertionFailure() << "header byte " << i << " differs";
            const std::size_t width = (expected[0] | expected[1] << 8) >> 3;
            const std::size_t pixel = (i - 4) / 4;
            return ::testing::AssertionFailure()
                   << "pixel (" << pixel % width << ", " << pixel / width << " from the bottom) channel "
                   << (i - 4) % 4 << ": " << int(actual[i]) << ", expected " << int(expected[i]);
        }
    return ::testing::AssertionSuccess();
}

// Writes the sample with libpng into `folder`, decodes it both ways and compares.
::testing::AssertionResult decodesLikeLibpng(const TempFolder& folder, const SampleRecipe& recipe) {
    const Bytes file = writeWithLibpng(recipe);
    if (file.empty()) return ::testing::AssertionFailure() << "libpng cannot write " << describe(recipe);
    Bytes expected;
    if (!decodeWithLibpng(file, expected))
        return ::testing::AssertionFailure() << "libpng cannot read " << describe(recipe);
    const std::string name = "sample" + std::to_string(recipe.seed) + ".png";
    folder.write(name, file);
    Bytes actual;
    if (!decodePng(folder.path() + name, 32, actual))
        return ::testing::AssertionFailure() << "error " << pngDecoder.pngError << " for " << describe(recipe);
    return sameBlock(expected, actual) << " in " << describe(recipe);
}

struct Format {
    int colourType;
    int bitDepth;
};

const Format everyFormat[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                              {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};

std::vector<SampleAlpha> alphaVariants(int colourType) {
    if (colourType == 0 || colourType == 2) return {SampleAlpha::None, SampleAlpha::Key};
    if (colourType == 3) return {SampleAlpha::None, SampleAlpha::Palette};
    return {SampleAlpha::None};
}

// A decoded block: width, height and the RGBA of pixel (x, y), y from the top.
struct Decoded {
    bool ok = false;
    int error = 0;
    Bytes block;

    std::uint32_t width() const { return (block[0] | block[1] << 8) >> 3; }
    std::uint32_t height() const { return block[2] | block[3] << 8; }
    std::vector<int> pixel(std::uint32_t x, std::uint32_t y) const {
        const std::size_t at = 4 + (std::size_t{height() - 1 - y} * width() + x) * 4;
        return {block[at], block[at + 1], block[at + 2], block[at + 3]};
    }
};

Decoded decodeBytes(const Bytes& file) {
    Decoded decoded;
    decoded.ok = decodePngData(file.data(), file.size(), 32, decoded.block);
    decoded.error = pngDecoder.pngError;
    return decoded;
}

Bytes ihdrData(std::uint32_t width, std::uint32_t height, int depth, int type, int compression = 0,
               int filter = 0, int interlace = 0) {
    Bytes data;
    for (int shift = 24; shift >= 0; shift -= 8) data.push_back(static_cast<std::uint8_t>(width >> shift));
    for (int shift = 24; shift >= 0; shift -= 8) data.push_back(static_cast<std::uint8_t>(height >> shift));
    for (int value : {depth, type, compression, filter, interlace}) data.push_back(static_cast<std::uint8_t>(value));
    return data;
}

const Bytes grey2x2Rows = {0, 10, 20, 0, 30, 40};

PngBuilder grey2x2() { return PngBuilder().header(2, 2, 8, 0); }
Bytes validGrey2x2() { return grey2x2().data(grey2x2Rows).end().bytes(); }

Bytes cut(Bytes bytes, std::size_t keep) {
    bytes.resize(keep);
    return bytes;
}

}  // namespace

// ---------------------------------------------------------------------------

TEST(PngCrc, StandardValueAndContinuation) {
    const std::string check = "123456789";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(check.data());
    EXPECT_EQ(crc32(0, bytes, check.size()), 0xCBF43926u);
    EXPECT_EQ(crc32(crc32(0, bytes, std::size_t{4}), bytes + 4, std::size_t{5}), 0xCBF43926u);
    EXPECT_EQ(crc32(0, bytes, std::size_t{0}), 0u);

    // Every length and alignment around the sixteen-byte steps agrees with zlib.
    Bytes data(300);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 131 + 7);
    for (std::size_t start = 0; start < 9; ++start)
        for (std::size_t length = 0; length + start <= 70; ++length)
            ASSERT_EQ(crc32(0, data.data() + start, length),
                      ::crc32(0UL, data.data() + start, static_cast<uInt>(length)))
                << start << " " << length;
    EXPECT_EQ(crc32(0, data.data(), data.size()), ::crc32(0UL, data.data(), static_cast<uInt>(data.size())));
}

TEST(PngConformance, EveryFormatInterlaceFilterAndTransparency) {
    TempFolder folder;
    const int filterChoices[] = {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_AVG,
                                 PNG_FILTER_PAETH, 0};
    std::uint32_t seed = 1;
    for (const Format& format : everyFormat)
        for (int interlace : {0, 1})
            for (SampleAlpha alpha : alphaVariants(format.colourType))
                for (int filters : filterChoices) {
                    SampleRecipe recipe;
                    recipe.width = 37;
                    recipe.height = 29;
                    recipe.colourType = format.colourType;
                    recipe.bitDepth = format.bitDepth;
                    recipe.interlace = interlace;
                    recipe.filters = filters;
                    recipe.alpha = alpha;
                    recipe.seed = seed++;
                    ASSERT_TRUE(decodesLikeLibpng(folder, recipe));
                }
}

TEST(PngConformance, PalettesShorterThanTheirIndices) {
    // Indices beyond PLTE are black, opaque unless tRNS reaches them.
    TempFolder folder;
    for (const Format& format : {Format{3, 2}, Format{3, 4}, Format{3, 8}})
        for (SampleAlpha alpha : {SampleAlpha::None, SampleAlpha::Palette}) {
            SampleRecipe recipe;
            recipe.width = 23;
            recipe.height = 17;
            recipe.colourType = format.colourType;
            recipe.bitDepth = format.bitDepth;
            recipe.alpha = alpha;
            recipe.paletteEntries = (1 << format.bitDepth) / 2 - 1;
            ASSERT_TRUE(decodesLikeLibpng(folder, recipe));
        }
}

TEST(PngConformance, SmallAndOddSizes) {
    // Every size up to 10 x 10 meets every combination of empty Adam7 passes.
    TempFolder folder;
    std::uint32_t seed = 1;
    for (const Format& format : everyFormat) {
        SampleRecipe single;
        single.width = single.height = 1;
        single.colourType = format.colourType;
        single.bitDepth = format.bitDepth;
        for (int interlace : {0, 1}) {
            single.interlace = interlace;
            single.seed = seed++;
            ASSERT_TRUE(decodesLikeLibpng(folder, single));
        }
    }
    for (const Format& format : {Format{0, 1}, Format{3, 4}, Format{2, 8}, Format{6, 16}})
        for (std::uint32_t width = 1; width <= 10; ++width)
            for (std::uint32_t height = 1; height <= 10; ++height)
                for (int interlace : {0, 1}) {
                    SampleRecipe recipe;
                    recipe.width = width;
                    recipe.height = height;
                    recipe.colourType = format.colourType;
                    recipe.bitDepth = format.bitDepth;
                    recipe.interlace = interlace;
                    recipe.seed = seed++;
                    ASSERT_TRUE(decodesLikeLibpng(folder, recipe));
                }
}

TEST(PngConformance, EveryShippedPictureDecodesAsLibpngDoes) {
    const std::string data = std::string(ZD_SOURCE_DIR) + "/data/";
    std::vector<std::string> pictures = listFolder(data, "*.png", EntryKind::Files);
    for (const std::string& pack : listFolder(data, "txtpck*", EntryKind::Folders))
        for (const std::string& name : listFolder(data + pack, "*.png", EntryKind::Files))
            pictures.push_back(pack + "/" + name);
    for (const std::string& picture : pictures) {
        Bytes file;
        ASSERT_TRUE(readFile(data + picture, file)) << picture;
        Bytes expected;
        ASSERT_TRUE(decodeWithLibpng(file, expected)) << picture;
        Bytes actual;
        ASSERT_TRUE(decodePng(data + picture, 32, actual)) << picture << ": error " << pngDecoder.pngError;
        ASSERT_TRUE(sameBlock(expected, actual)) << picture;
    }
}

// ---------------------------------------------------------------------------

TEST(PngDecode, BlockHeaderAndBottomRowFirst) {
    const Bytes rows = {0, 1, 2, 3, 4, 5, 6, 7, 8, 0, 9, 10, 11, 12, 13, 14, 15, 16};
    const Bytes file = PngBuilder().header(2, 2, 8, 6).data(rows).end().bytes();
    const Bytes expected = {2 * 8 + 4, 0, 2, 0, 9, 10, 11, 12, 13, 14, 15, 16, 1, 2, 3, 4, 5, 6, 7, 8};
    Bytes image;
    ASSERT_TRUE(decodePngData(file.data(), file.size(), 32, image));
    EXPECT_EQ(image, expected);
    EXPECT_EQ(pngDecoder.pngError, 0);
    ASSERT_TRUE(decodePngData(file.data(), file.size(), 24, image));  // still 32-bit pixels
    EXPECT_EQ(image, expected);

    // The widest picture the header holds fills all 16 bits: 8191 * 8 + 4.
    const Bytes wideRow = [] {
        Bytes row(1 + 1024, 0xFF);
        row[0] = 0;
        return row;
    }();
    const Decoded wide = decodeBytes(PngBuilder().header(8191, 1, 1, 0).data(wideRow).end().bytes());
    ASSERT_TRUE(wide.ok) << wide.error;
    EXPECT_EQ(wide.block[0], 0xFC);
    EXPECT_EQ(wide.block[1], 0xFF);
    EXPECT_EQ(wide.pixel(8190, 0), (std::vector<int>{255, 255, 255, 255}));
}

TEST(PngDecode, PackedRowsIgnoreTheirPaddingBits) {
    // Width 3 at 1 bit: the top three bits are pixels; the other five are padding.
    const Bytes rows = {0, 0b10111111, 0, 0b01000000};
    const Decoded decoded = decodeBytes(PngBuilder().header(3, 2, 1, 0).data(rows).end().bytes());
    ASSERT_TRUE(decoded.ok) << decoded.error;
    ASSERT_EQ(decoded.block.size(), 4u + 3 * 2 * 4);
    EXPECT_EQ(decoded.pixel(0, 0), (std::vector<int>{255, 255, 255, 255}));
    EXPECT_EQ(decoded.pixel(1, 0), (std::vector<int>{0, 0, 0, 255}));
    EXPECT_EQ(decoded.pixel(2, 0), (std::vector<int>{255, 255, 255, 255}));
    EXPECT_EQ(decoded.pixel(1, 1), (std::vector<int>{255, 255, 255, 255}));
    EXPECT_EQ(decoded.pixel(2, 1), (std::vector<int>{0, 0, 0, 255}));
}

TEST(PngDecode, PaletteIndicesBeyondPlteAndTrns) {
    const Bytes palette = {255, 0, 0, 0, 255, 0};
    const Bytes rows = {0, 0, 1, 2, 3};
    const Decoded plain =
        decodeBytes(PngBuilder().header(4, 1, 8, 3).chunk("PLTE", palette).data(rows).end().bytes());
    ASSERT_TRUE(plain.ok) << plain.error;
    EXPECT_EQ(plain.pixel(0, 0), (std::vector<int>{255, 0, 0, 255}));
    EXPECT_EQ(plain.pixel(3, 0), (std::vector<int>{0, 0, 0, 255}));

    // tRNS longer than PLTE covers index 2; index 3 stays opaque.
    const Decoded keyed = decodeBytes(PngBuilder()
                                          .header(4, 1, 8, 3)
                                          .chunk("PLTE", palette)
                                          .chunk("tRNS", {10, 20, 30})
                                          .data(rows)
                                          .end()
                                          .bytes());
    ASSERT_TRUE(keyed.ok) << keyed.error;
    EXPECT_EQ(keyed.pixel(0, 0), (std::vector<int>{255, 0, 0, 10}));
    EXPECT_EQ(keyed.pixel(1, 0), (std::vector<int>{0, 255, 0, 20}));
    EXPECT_EQ(keyed.pixel(2, 0), (std::vector<int>{0, 0, 0, 30}));
    EXPECT_EQ(keyed.pixel(3, 0), (std::vector<int>{0, 0, 0, 255}));
}

TEST(PngDecode, OversizedPlteAndTrnsAreCutTo256Entries) {
    Bytes palette(300 * 3, 0);
    palette[255 * 3] = 77;           // entry 255 is reachable
    palette[256 * 3] = 99;           // entry 256 is not
    Bytes alpha(300, 255);
    alpha[255] = 5;
    const Decoded decoded = decodeBytes(PngBuilder()
                                            .header(2, 1, 8, 3)
                                            .chunk("PLTE", palette)
                                            .chunk("tRNS", alpha)
                                            .data({0, 255, 0})
                                            .end()
                                            .bytes());
    ASSERT_TRUE(decoded.ok) << decoded.error;
    EXPECT_EQ(decoded.pixel(0, 0), (std::vector<int>{77, 0, 0, 5}));
    EXPECT_EQ(decoded.pixel(1, 0), (std::vector<int>{0, 0, 0, 255}));
}

TEST(PngDecode, TransparencyKeysCompareFullSamples) {
    // 16-bit grey: 0x1235 shares the key's high byte but is not the key.
    Bytes rows = {0, 0x12, 0x34, 0x12, 0x35, 0x00, 0x34};
    Decoded grey = decodeBytes(
        PngBuilder().header(3, 1, 16, 0).chunk("tRNS", bigEndian16Bytes(0x1234)).data(rows).end().bytes());
    ASSERT_TRUE(grey.ok) << grey.error;
    EXPECT_EQ(grey.pixel(0, 0), (std::vector<int>{0x12, 0x12, 0x12, 0}));
    EXPECT_EQ(grey.pixel(1, 0), (std::vector<int>{0x12, 0x12, 0x12, 255}));
    EXPECT_EQ(grey.pixel(2, 0), (std::vector<int>{0, 0, 0, 255}));

    // 8-bit grey with a key above 255 never matches; 2-bit grey keys raw values.
    grey = decodeBytes(
        PngBuilder().header(1, 1, 8, 0).chunk("tRNS", bigEndian16Bytes(0x0105)).data({0, 5}).end().bytes());
    ASSERT_TRUE(grey.ok);
    EXPECT_EQ(grey.pixel(0, 0), (std::vector<int>{5, 5, 5, 255}));
    grey = decodeBytes(
        PngBuilder().header(2, 1, 2, 0).chunk("tRNS", bigEndian16Bytes(2)).data({0, 0b10010000}).end().bytes());
    ASSERT_TRUE(grey.ok);
    EXPECT_EQ(grey.pixel(0, 0), (std::vector<int>{170, 170, 170, 0}));
    EXPECT_EQ(grey.pixel(1, 0), (std::vector<int>{85, 85, 85, 255}));

    // RGB 16: all three samples must match at full depth.
    const Bytes key = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
    rows = {0, 1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 7};
    const Decoded rgb = decodeBytes(PngBuilder().header(2, 1, 16, 2).chunk("tRNS", key).data(rows).end().bytes());
    ASSERT_TRUE(rgb.ok) << rgb.error;
    EXPECT_EQ(rgb.pixel(0, 0), (std::vector<int>{1, 3, 5, 0}));
    EXPECT_EQ(rgb.pixel(1, 0), (std::vector<int>{1, 3, 5, 255}));
}

TEST(PngDecode, OnePixelWideInterlacedTakesNoBytesForEmptyPasses) {
    // 1 x 5, Adam7: passes 1, 3, 5 and 7 (two rows) hold pixels; 2, 4 and 6 are empty.
    const Bytes rows = {0, 100, 0, 104, 0, 102, 0, 101, 0, 103};
    const Decoded decoded = decodeBytes(PngBuilder().header(1, 5, 8, 0, 1).data(rows).end().bytes());
    ASSERT_TRUE(decoded.ok) << decoded.error;
    for (std::uint32_t y = 0; y < 5; ++y) EXPECT_EQ(decoded.pixel(0, y)[0], static_cast<int>(100 + y));
}

TEST(PngDecode, ChunksJoinedSkippedAndFirstOneUsed) {
    // IDAT split in three (one empty) around an unknown chunk; a second PLTE
    // and tRNS are ignored.
    const Bytes data = compressed({0, 0, 1});
    const Bytes head(data.begin(), data.begin() + 3);
    const Bytes tail(data.begin() + 3, data.end());
    const Decoded decoded = decodeBytes(PngBuilder()
                                            .header(2, 1, 8, 3)
                                            .chunk("PLTE", {1, 2, 3, 4, 5, 6})
                                            .chunk("tRNS", {50})
                                            .chunk("PLTE", {9, 9, 9, 9, 9, 9})
                                            .chunk("tRNS", {60, 70})
                                            .chunk("IDAT", head)
                                            .chunk("zzZz", {1, 2, 3})
                                            .chunk("IDAT", {})
                                            .chunk("IDAT", tail)
                                            .chunk("tEXt", {'a', 0, 'b'})
                                            .end()
                                            .bytes());
    ASSERT_TRUE(decoded.ok) << decoded.error;
    EXPECT_EQ(decoded.pixel(0, 0), (std::vector<int>{1, 2, 3, 50}));
    EXPECT_EQ(decoded.pixel(1, 0), (std::vector<int>{4, 5, 6, 255}));
}

// ---------------------------------------------------------------------------

struct BrokenFile {
    std::string what;
    Bytes file;
    int error;
};

std::vector<BrokenFile> brokenFiles() {
    const Bytes valid = validGrey2x2();
    const Bytes signatureOnly = cut(valid, 8);
    auto withHeader = [](const Bytes& ihdr) { return PngBuilder().chunk("IHDR", ihdr).data(grey2x2Rows).end().bytes(); };
    auto header = [](std::uint32_t w, std::uint32_t h, int depth, int type) {
        return PngBuilder().header(w, h, depth, type).data({0}).end().bytes();
    };
    Bytes badCrc = valid;
    badCrc[8 + 8 + 13 + 2] ^= 1;  // inside the IHDR CRC
    Bytes rowsWithBadFilter = grey2x2Rows;
    rowsWithBadFilter[3] = 5;
    Bytes rowsTooLong = grey2x2Rows;
    rowsTooLong.push_back(0);
    Bytes rowsMuchTooLong(60, 0);  // beyond 1.2 times the 6 bytes expected, plus 12
    Bytes truncatedStream = compressed(grey2x2Rows);
    truncatedStream.resize(truncatedStream.size() - 5);

    return {
        {"empty file", {}, 4},
        {"signature cut", cut(valid, 5), 4},
        {"signature wrong", [&] { Bytes b = valid; b[1] = 'p'; return b; }(), 4},
        {"length cut", PngBuilder().append({0, 0}).bytes(), 3},
        {"IHDR data cut", cut(valid, 8 + 8 + 6), 3},
        {"IEND CRC cut", cut(valid, valid.size() - 2), 3},
        {"length beyond the file", grey2x2().rawChunk(1000, "IDAT", {1, 2, 3}, 0).bytes(), 3},
        {"bytes after IEND", grey2x2().data(grey2x2Rows).end().append({1, 2, 3}).bytes(), 3},
        {"length above 2^31-1", grey2x2().rawChunk(0x80000000u, "IDAT", {}, 0).bytes(), 5},
        {"IHDR CRC wrong", badCrc, 6},
        {"IDAT CRC wrong", grey2x2().rawChunk(2, "IDAT", {1, 2}, 12345).end().bytes(), 6},
        {"IDAT first", PngBuilder().data(grey2x2Rows).end().bytes(), 7},
        {"ihdr in lower case", PngBuilder().chunk("ihdr", ihdrData(2, 2, 8, 0)).data(grey2x2Rows).end().bytes(), 7},
        {"IHDR of 14 bytes", withHeader([] { Bytes b = ihdrData(2, 2, 8, 0); b.push_back(0); return b; }()), 8},
        {"width 0", header(0, 2, 8, 0), 9},
        {"height 0 with a bad colour type", header(2, 0, 8, 5), 9},
        {"grey depth 3", header(2, 2, 3, 0), 10},
        {"RGB depth 4", header(2, 2, 4, 2), 10},
        {"palette depth 16", header(2, 2, 16, 3), 10},
        {"grey-alpha depth 1", header(2, 2, 1, 4), 10},
        {"RGBA depth 2", header(2, 2, 2, 6), 10},
        {"colour type 1", header(2, 2, 8, 1), 11},
        {"colour type 5", header(2, 2, 8, 5), 11},
        {"colour type 7 with a bad compression", withHeader(ihdrData(2, 2, 8, 7, 1)), 11},
        {"compression 1", withHeader(ihdrData(2, 2, 8, 0, 1)), 12},
        {"filter method 1", withHeader(ihdrData(2, 2, 8, 0, 0, 1)), 13},
        {"interlace 2", withHeader(ihdrData(2, 2, 8, 0, 0, 0, 2)), 14},
        {"width 8192", header(8192, 1, 1, 0), 26},
        {"height 65536", header(1, 65536, 1, 0), 26},
        {"8191 x 2049 pixels", header(8191, 2049, 1, 0), 27},
        {"IHDR alone", grey2x2().bytes(), 15},
        {"IHDR and IEND", grey2x2().end().bytes(), 15},
        {"no IEND", grey2x2().data(grey2x2Rows).chunk("tEXt", {'a', 0}).bytes(), 16},
        {"chunk after IEND", grey2x2().data(grey2x2Rows).end().chunk("tEXt", {'a', 0}).bytes(), 16},
        {"palette without PLTE", PngBuilder().header(2, 2, 8, 3).data(grey2x2Rows).end().bytes(), 17},
        {"no IDAT", grey2x2().chunk("tEXt", {'a', 0}).end().bytes(), 18},
        {"empty IDAT", grey2x2().chunk("IDAT", {}).end().bytes(), 18},
        {"IDAT not zlib", grey2x2().chunk("IDAT", {1, 2, 3, 4, 5, 6}).end().bytes(), 20},
        {"zlib stream cut", grey2x2().chunk("IDAT", truncatedStream).end().bytes(), 20},
        {"data far too long", grey2x2().data(rowsMuchTooLong).end().bytes(), 20},
        {"data one byte short", grey2x2().data(cut(grey2x2Rows, 5)).end().bytes(), 21},
        {"data one byte long", grey2x2().data(rowsTooLong).end().bytes(), 21},
        {"4096 x 4096 is not too many pixels", header(4096, 4096, 1, 0), 21},
        {"filter type 5", grey2x2().data(rowsWithBadFilter).end().bytes(), 22},
        {"tRNS with grey-alpha", PngBuilder().header(1, 1, 8, 4).chunk("tRNS", {0, 1}).data({0, 1, 2}).end().bytes(), 24},
        {"tRNS with RGBA", PngBuilder().header(1, 1, 8, 6).chunk("tRNS", {0, 1}).data({0, 1, 2, 3, 4}).end().bytes(), 24},
        {"grey tRNS of 1 byte", grey2x2().chunk("tRNS", {0}).data(grey2x2Rows).end().bytes(), 25},
        {"grey tRNS of 6 bytes", grey2x2().chunk("tRNS", Bytes(6, 0)).data(grey2x2Rows).end().bytes(), 25},
        {"RGB tRNS of 2 bytes", PngBuilder().header(1, 1, 8, 2).chunk("tRNS", {0, 1}).data({0, 1, 2, 3}).end().bytes(), 25},
    };
}

TEST(PngErrors, EveryBrokenFileGivesItsCodeFromMemoryAndFromDisk) {
    TempFolder folder;
    for (const BrokenFile& broken : brokenFiles()) {
        SCOPED_TRACE(broken.what);
        Bytes image = {1, 2, 3};
        EXPECT_FALSE(decodePngData(broken.file.data(), broken.file.size(), 32, image));
        EXPECT_EQ(pngDecoder.pngError, broken.error);
        EXPECT_TRUE(image.empty());

        folder.write("broken.png", broken.file);
        image = {1, 2, 3};
        EXPECT_FALSE(decodePng(folder.path() + "broken.png", 32, image));
        EXPECT_EQ(pngDecoder.pngError, broken.error);
        EXPECT_TRUE(image.empty());
    }
}

TEST(PngErrors, RequestedBitsAndUnreadableFiles) {
    TempFolder folder;
    const Bytes valid = validGrey2x2();
    folder.write("valid.png", valid);
    Bytes image;
    for (int bits : {0, 8, 16, 33}) {
        EXPECT_FALSE(decodePng(folder.path() + "valid.png", bits, image));
        EXPECT_EQ(pngDecoder.pngError, 1);
        EXPECT_FALSE(decodePngData(valid.data(), valid.size(), bits, image));
        EXPECT_EQ(pngDecoder.pngError, 1);
    }
    EXPECT_FALSE(decodePng(folder.path() + "missing.png", 16, image));  // the bits are checked first
    EXPECT_EQ(pngDecoder.pngError, 1);
    EXPECT_FALSE(decodePng(folder.path() + "missing.png", 32, image));
    EXPECT_EQ(pngDecoder.pngError, 2);
    EXPECT_FALSE(decodePng(folder.path(), 32, image));  // a folder
    EXPECT_EQ(pngDecoder.pngError, 2);

    EXPECT_TRUE(decodePng(folder.path() + "valid.png", 24, image));
    EXPECT_EQ(pngDecoder.pngError, 0);
    EXPECT_EQ(image.size(), 4u + 2 * 2 * 4);
}

TEST(PngErrors, EveryCodeHasItsOwnText) {
    std::vector<std::string> texts;
    for (int code : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20, 21, 22, 24, 25, 26, 27})
        texts.push_back(pngErrorText(code));
    for (std::size_t i = 0; i < texts.size(); ++i)
        for (std::size_t j = i + 1; j < texts.size(); ++j) EXPECT_NE(texts[i], texts[j]);
    EXPECT_EQ(std::string(pngErrorText(19)), "unknown error");
}
