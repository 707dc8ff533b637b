#include <gtest/gtest.h>

#include "base/bytes.h"
#include "level/level_file.h"
#include "support/level_bytes.h"

namespace {

// The sample level of level_bytes.h decodes to exactly what it stored, in
// every version, with the defaults for what a version lacks.
void expectSampleFields(const LevelFileData& data, int version) {
    SCOPED_TRACE("version " + std::to_string(version));
    EXPECT_EQ(data.version, version);
    EXPECT_EQ(data.background.packName, "txtpckstone");
    EXPECT_EQ(data.background.name, "sky");
    ASSERT_EQ(data.lists[1].size(), 2u);
    EXPECT_EQ(data.lists[1][1].x, 128);
    EXPECT_EQ(data.lists[1][1].y, 256);
    EXPECT_EQ(data.lists[1][1].name, "");
    ASSERT_EQ(data.lists[3].size(), 1u);
    // Version 0 drops vx: the arrow loses its direction.
    EXPECT_EQ(data.lists[3][0].vx, version == 0 ? 0 : 2);
    ASSERT_EQ(data.lists[5].size(), 1u);
    EXPECT_EQ(data.lists[5][0].vx, version == 0 ? 0 : -3);
    EXPECT_EQ(data.lists[5][0].vy, 5);
    for (int n : {2, 4, 6, 7, 8, 9}) EXPECT_TRUE(data.lists[n].empty()) << n;
    ASSERT_EQ(data.lists[10].size(), 1u);
    EXPECT_EQ(data.lists[10][0].packName, "txtpckother");
    EXPECT_EQ(data.ball.x, 384);
    EXPECT_EQ(data.ball.y, 512);
    EXPECT_EQ(data.ball.vy, 2);
    EXPECT_EQ(data.ballShadow.name, "soft");
    EXPECT_EQ(data.musicName, "Tune.ogg");
    // Versions 2 and 3 keep zoom in single precision.
    if (version >= 4)
        EXPECT_EQ(data.zoom, SampleZoom);
    else if (version >= 2)
        EXPECT_EQ(data.zoom, static_cast<double>(static_cast<float>(SampleZoom)));
    else
        EXPECT_EQ(data.zoom, 0.5);
    EXPECT_EQ(data.explodeCount, version >= 5 ? 1.5 : 0);
    EXPECT_EQ(data.exitCount, version >= 5 ? 2.5 : 0);
    EXPECT_EQ(data.bombsCarried, version >= 5 ? 3 : 0);
    EXPECT_EQ(data.sinkScale, version >= 5 ? -1 : 0);
    EXPECT_EQ(data.jumpState, version >= 5 ? 2 : 0);
    EXPECT_EQ(data.jumpHeight, version >= 5 ? 7.25 : 0);
    EXPECT_EQ(data.timeLimit, version >= 6 ? 90 : 600);
    EXPECT_EQ(data.levelName, version >= 7 ? "First steps" : "");
}

Bytes withI32At(Bytes bytes, std::size_t offset, std::int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
    return bytes;
}

}  // namespace

TEST(LevelFileFormat, EveryVersionDecodesFieldByField) {
    for (int version = 0; version <= 7; ++version) {
        LevelFileData data;
        ASSERT_TRUE(decodeLevelFile(sampleLevelBytes(version), data)) << version;
        expectSampleFields(data, version);
        EXPECT_EQ(data.trailingBytes, 0u);
    }
}

TEST(LevelFileFormat, EncodingWritesVersion7OfTheDocumentedSize) {
    LevelFileData data;
    ASSERT_TRUE(decodeLevelFile(sampleLevelBytes(3), data));
    const Bytes bytes = encodeLevelFile(data);
    const Bytes header = {'Z', 'D', 'L', 'V', 'L', 0, 7};
    EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));

    // 7 + entries (8 + names + 32 each) + 40 for the ten counts + music +
    // zoom + ball-state block + time limit + title.
    std::size_t expected = 7 + 40 + (4 + 8) + 8 + 40 + 8 + 4;  // title "" and music "Tune.ogg"
    auto entry = [](const LevelFileObject& o) { return 8 + o.packName.size() + o.name.size() + 32; };
    expected += entry(data.background) + entry(data.ball) + entry(data.ballShadow);
    for (int n = 1; n <= 10; ++n)
        for (const LevelFileObject& o : data.lists[n]) expected += entry(o);
    EXPECT_EQ(bytes.size(), expected);

    LevelFileData again;
    ASSERT_TRUE(decodeLevelFile(bytes, again));
    EXPECT_EQ(again.version, 7);
    EXPECT_EQ(encodeLevelFile(again), bytes);
    EXPECT_EQ(again.zoom, data.zoom);
    EXPECT_EQ(again.lists[5][0].vx, -3);
}

TEST(LevelFileFormat, HeadersOfNoVersionAreRejected) {
    LevelFileData data;
    const Bytes good = sampleLevelBytes(7);
    for (std::size_t at : {0u, 4u, 5u}) {
        Bytes bad = good;
        bad[at] ^= 0x20;
        EXPECT_FALSE(decodeLevelFile(bad, data)) << at;
    }
    Bytes version8 = good;
    version8[6] = 8;
    EXPECT_FALSE(decodeLevelFile(version8, data));
    EXPECT_FALSE(decodeLevelFile(Bytes(), data));
}

TEST(LevelFileFormat, AFileCutAnywhereFailsAndTrailingBytesAreCounted) {
    for (int version : {0, 2, 7}) {
        const Bytes whole = sampleLevelBytes(version);
        LevelFileData data;
        // Every field is required, so every cut short of the end fails.
        for (std::size_t cut = 0; cut < whole.size(); ++cut)
            ASSERT_FALSE(decodeLevelFile(Bytes(whole.begin(), whole.begin() + static_cast<long>(cut)), data))
                << "version " << version << " cut at " << cut;
        Bytes longer = whole;
        longer.insert(longer.end(), {1, 2, 3});
        ASSERT_TRUE(decodeLevelFile(longer, data));
        EXPECT_EQ(data.trailingBytes, 3u);
        expectSampleFields(data, version);
    }
}

TEST(LevelFileFormat, NegativeHugeAndOverlongCountsFail) {
    const Bytes good = sampleLevelBytes(7);
    // The background entry is first: pack name count at 7, texture name
    // count after it, and the first list count after the entry.
    const std::size_t packCount = 7;
    const std::size_t nameCount = packCount + 4 + 11;  // "txtpckstone"
    const std::size_t firstListCount = nameCount + 4 + 3 + 32;  // "sky", four f64
    LevelFileData data;
    ASSERT_TRUE(decodeLevelFile(good, data));
    const auto beyondTheBytes = static_cast<std::int32_t>(good.size() / 40 + 1);
    for (std::int32_t count : {-1, INT32_MIN, INT32_MAX, MaxLevelListCount + 1, beyondTheBytes})
        EXPECT_FALSE(decodeLevelFile(withI32At(good, firstListCount, count), data)) << count;
    for (std::int32_t length : {-1, INT32_MAX, static_cast<std::int32_t>(MaxLevelStringLength) + 1})
        EXPECT_FALSE(decodeLevelFile(withI32At(good, packCount, length), data)) << length;
    // A length that fits the cap but not the file.
    EXPECT_FALSE(decodeLevelFile(withI32At(good, nameCount, static_cast<std::int32_t>(good.size())), data));
}

TEST(LevelFileFormat, TheFuzzSeedsAreLevelsOfEveryVersion) {
    const std::string folder = std::string(ZD_SOURCE_DIR) + "/fuzz/corpus/level/";
    for (int version = 0; version <= 7; ++version) {
        Bytes bytes;
        LevelFileData data;
        ASSERT_TRUE(readFile(folder + "version" + std::to_string(version) + ".zdl", bytes));
        ASSERT_TRUE(decodeLevelFile(bytes, data)) << version;
        EXPECT_EQ(data.version, version);
        EXPECT_EQ(data.trailingBytes, 0u);
    }
}
