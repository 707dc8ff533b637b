#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/bytes.h"
#include "base/numeric.h"
#include "config/settings.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "platform/keys.h"
#include "play/play.h"
#include "play/replay.h"
#include "support/level_fixture.h"

namespace {

InputCall timerCall(std::int64_t steps, std::uint32_t repeats = 0) {
    InputCall c;
    c.kind = InputKind::Timer;
    c.timerSteps = steps;
    c.repeats = repeats;
    return c;
}

InputCall heldCall(int scan, bool held) {
    InputCall c;
    c.kind = InputKind::KeyHeld;
    c.scanCode = scan;
    c.held = held;
    return c;
}

InputCall keyCall(const std::string& key) {
    InputCall c;
    c.kind = InputKind::ReadKey;
    c.key = key;
    return c;
}

InputCall mouseCall(int x, int y, int buttons) {
    InputCall c;
    c.kind = InputKind::Mouse;
    c.mouse = {x, y, buttons};
    return c;
}

std::vector<InputCall> sampleCalls() {
    return {timerCall(8123456789, 700), heldCall(ScanUp, true), heldCall(ScanDown, false),
            heldCall(-5, true),         keyCall(""),             keyCall(KeyUp),
            keyCall("m"),               mouseCall(-1, -1, 0),    mouseCall(1023, 767, 5),
            timerCall(8123456788),      timerCall(0, 3),         timerCall(-12)};
}

InputStream streamOf(const std::vector<InputCall>& calls) {
    InputStreamWriter writer;
    for (const InputCall& call : calls) writer.add(call);
    return writer.finish();
}

// A record with every kind of call and every header field set.
ReplayRecord sampleRecord() {
    ReplayRecord r;
    r.packFolder = "lvlpckzindrop";
    r.levelNumber = 12;
    r.levelFileHash = 0x0123456789abcdefu;
    r.boardHash = 0xfedcba9876543210u;
    r.seed = (std::uint64_t{1} << 53) - 1;
    r.soundEffectsOn = 0;
    r.voicesOn = -1;
    r.carried.animDelta = 0.4175;
    r.carried.restFrames = 3;
    r.carried.comboCount = 2;
    r.carried.comboPoints = -7;
    r.carried.lastComboLanding = 812345.25;
    r.carried.idleY = -384;
    r.calls = streamOf(sampleCalls());
    return r;
}

bool sameCalls(const std::vector<InputCall>& a, const std::vector<InputCall>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!a[i].sameCall(b[i]) || a[i].repeats != b[i].repeats) return false;
    return true;
}

std::string decodeError(const Bytes& bytes) {
    ReplayRecord record;
    std::string error;
    if (decodeReplay(bytes, record, error)) return "(accepted)";
    return error;
}

// The header of a version 1 file up to (not including) the item count, for
// building damaged files by hand.
Bytes headerBytes(const std::string& pack, std::int32_t effects, double animDelta) {
    ByteWriter out;
    out.text("ZDREPLAY");
    out.u32(1);
    out.lengthPrefixed(pack);
    out.i32(1);
    out.u64(1);
    out.u64(2);
    out.u64(3);
    out.i32(effects);
    out.i32(0);
    out.f64(animDelta);
    for (int i = 1; i < 17; ++i) out.f64(0);
    return out.bytes();
}

Bytes withItems(Bytes header, std::uint32_t count, const Bytes& items) {
    ByteWriter out;
    out.text(std::string(header.begin(), header.end()));
    out.u32(count);
    out.text(std::string(items.begin(), items.end()));
    return out.bytes();
}

TEST(ReplayFile, RoundTripKeepsEveryFieldAndCall) {
    const ReplayRecord written = sampleRecord();
    const Bytes bytes = encodeReplay(written);
    ReplayRecord read;
    std::string error;
    ASSERT_TRUE(decodeReplay(bytes, read, error)) << error;
    EXPECT_EQ(read.packFolder, written.packFolder);
    EXPECT_EQ(read.levelNumber, 12);
    EXPECT_EQ(read.levelFileHash, written.levelFileHash);
    EXPECT_EQ(read.boardHash, written.boardHash);
    EXPECT_EQ(read.seed, written.seed);
    EXPECT_EQ(read.soundEffectsOn, 0);
    EXPECT_EQ(read.voicesOn, -1);
    EXPECT_EQ(read.carried.animDelta, 0.4175);
    EXPECT_EQ(read.carried.restFrames, 3);
    EXPECT_EQ(read.carried.comboPoints, -7);
    EXPECT_EQ(read.carried.lastComboLanding, 812345.25);
    EXPECT_EQ(read.carried.idleY, -384);
    EXPECT_TRUE(sameCalls(callsOf(read.calls), sampleCalls()));
    EXPECT_EQ(encodeReplay(read), bytes);
    // Compact: most calls take a byte or two, a repeat run a few.
    ReplayRecord headerOnly = written;
    headerOnly.calls = InputStream();
    EXPECT_LE(bytes.size() - encodeReplay(headerOnly).size(), 48u);
}

TEST(ReplayFile, TheFuzzSeedsAreValidRecords) {
    const std::string seeds = ZD_SOURCE_DIR "/fuzz/corpus/replay/";
    const std::vector<std::string> names = listFolder(seeds, "*.zrp", EntryKind::Files);
    EXPECT_GE(names.size(), 3u);
    for (const std::string& name : names) {
        ReplayRecord record;
        std::string error;
        EXPECT_TRUE(readReplay(seeds + name, record, error)) << error;
    }
}

TEST(ReplayFile, EveryTruncationIsRejectedAsEndingEarly) {
    const Bytes bytes = encodeReplay(sampleRecord());
    EXPECT_EQ(decodeError(Bytes()), "the replay file is empty");
    for (std::size_t length = 1; length < bytes.size(); ++length) {
        const Bytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(decodeError(cut), "the replay file is damaged: it ends early") << length;
    }
}

TEST(ReplayFile, ForeignAndDamagedFilesGiveTheirReason) {
    EXPECT_EQ(decodeError(Bytes{'Z', 'D', 'L', 'V', 'L'}),
              "not a replay file (it does not start with \"ZDREPLAY\")");
    LevelFileData level;
    EXPECT_EQ(decodeError(encodeLevelFile(level)),
              "not a replay file (it does not start with \"ZDREPLAY\")");
    Bytes garbage(300);
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>(i * 37);
    EXPECT_EQ(decodeError(garbage), "not a replay file (it does not start with \"ZDREPLAY\")");

    Bytes newer = encodeReplay(sampleRecord());
    newer[8] = 2;
    EXPECT_EQ(decodeError(newer), "the replay file has format version 2; this game reads version 1");

    const std::string damaged = "the replay file is damaged: ";
    const Bytes header = headerBytes("lvlpckzindrop", -1, 0.42);
    const Bytes oneTimer{1, 4};
    EXPECT_EQ(decodeError(withItems(header, 1, oneTimer)), "(accepted)");

    Bytes longName = headerBytes(std::string(256, 'p'), -1, 0.42);
    EXPECT_EQ(decodeError(withItems(longName, 1, oneTimer)),
              damaged + "bad pack folder name length 256");
    Bytes negativeName = header;
    negativeName[12] = negativeName[13] = negativeName[14] = negativeName[15] = 0xff;
    EXPECT_EQ(decodeError(withItems(negativeName, 1, oneTimer)),
              damaged + "bad pack folder name length -1");
    EXPECT_EQ(decodeError(withItems(headerBytes("p", 1, 0.42), 1, oneTimer)),
              damaged + "bad sound switches");
    EXPECT_EQ(decodeError(withItems(headerBytes("p", 0, std::nan("")), 1, oneTimer)),
              damaged + "bad play values");
    EXPECT_EQ(decodeError(withItems(headerBytes("p", 0, std::numeric_limits<double>::infinity()),
                                    1, oneTimer)),
              damaged + "bad play values");

    EXPECT_EQ(decodeError(withItems(header, 0xffffffffu, oneTimer)),
              damaged + "too many calls (4294967295 entries)");
    EXPECT_EQ(decodeError(withItems(header, 3, oneTimer)), damaged + "it ends early");
    EXPECT_EQ(decodeError(withItems(header, 1, Bytes{1, 4, 0})), damaged + "bytes after the last call (1)");
    EXPECT_EQ(decodeError(withItems(header, 1, Bytes{9})), damaged + "unknown call kind 9 in entry 1");
    EXPECT_EQ(decodeError(withItems(header, 1, Bytes{0})), damaged + "unknown call kind 0 in entry 1");
    EXPECT_EQ(decodeError(withItems(header, 1, Bytes{7, 3})), damaged + "bad repeat count in entry 1");
    // A repeat count belongs to the entry before it.
    EXPECT_EQ(decodeError(withItems(header, 2, Bytes{1, 4, 7, 0})), damaged + "bad repeat count in entry 1");
    EXPECT_EQ(decodeError(withItems(header, 1, Bytes{5, 0})),
              damaged + "key length 0 out of range in entry 1");
    EXPECT_EQ(decodeError(withItems(header, 1, Bytes{5, 17})),
              damaged + "key length 17 out of range in entry 1");
    // A variable-length number of more than ten bytes, and one that overflows
    // 64 bits in its tenth.
    EXPECT_EQ(decodeError(withItems(header, 1, Bytes{5, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80,
                                                     0x80, 0x80, 0x80, 0x01})),
              damaged + "bad number in entry 1");
    EXPECT_EQ(decodeError(withItems(header, 1, Bytes{1, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
                                                     0xff, 0xff, 0x02})),
              damaged + "bad number in entry 1");
    // A timer beyond what a double holds exactly, and a scan code beyond int32.
    EXPECT_EQ(decodeError(withItems(header, 1, Bytes{1, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80,
                                                     0x80, 0x01})),
              damaged + "timer value out of range in entry 1");
    EXPECT_EQ(decodeError(withItems(header, 1, Bytes{2, 0x80, 0x80, 0x80, 0x80, 0x10})),
              damaged + "bad number in entry 1");
}

TEST(ReplayFile, RepeatCountsAddUpToTheCapAndNoFurther) {
    const Bytes header = headerBytes("p", 0, 0.5);
    ByteWriter items;
    items.u8(1);
    items.u8(2);
    // Two repeat items, together exactly the cap.
    for (int i = 0; i < 2; ++i) {
        items.u8(7);
        std::uint64_t half = MaxInputRepeats / 2;
        while (half >= 0x80) {
            items.u8(static_cast<std::uint8_t>(half | 0x80));
            half >>= 7;
        }
        items.u8(static_cast<std::uint8_t>(half));
    }
    ReplayRecord record;
    std::string error;
    ASSERT_TRUE(decodeReplay(withItems(header, 3, items.bytes()), record, error)) << error;
    const std::vector<InputCall> calls = callsOf(record.calls);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].repeats, MaxInputRepeats);
    items.u8(7);
    items.u8(1);
    EXPECT_EQ(decodeError(withItems(header, 4, items.bytes())),
              "the replay file is damaged: bad repeat count in entry 1");
}

class RunRecordingTest : public LevelFilesTest {
protected:
    void SetUp() override {
        LevelFilesTest::SetUp();
        usePack("lvlpckfirst");
        folder.write("lvlpckfirst/001.zdl", sampleLevelBytes(7));
        ASSERT_TRUE(loadLevel());
        path = folder.path() + "lastrun.zrp";
    }
    std::string path;
};

TEST_F(RunRecordingTest, OffUnlessSwitchedOn) {
    beginRunRecording();
    EXPECT_EQ(&platform(), &headless);
    EXPECT_FALSE(endRunRecording());
    EXPECT_FALSE(fileExists(path));
}

TEST_F(RunRecordingTest, ARecordedRunIsSavedWithItsLevelSeedSwitchesAndCalls) {
    recordRunsTo(path);
    settings.voicesOn = 0;
    play.comboCount = 4;
    seedRandom(5);
    beginRunRecording();
    ASSERT_NE(&platform(), &headless);
    // The generator was reseeded with the recorded seed.
    const double firstDraw = randomUnit();
    headless.clock = 3.0;
    headless.heldKeys.insert(ScanLeft);
    headless.keyQueue.push_back("x");
    EXPECT_EQ(platform().timer(), 3.0);
    EXPECT_TRUE(platform().keyHeld(ScanLeft));
    EXPECT_EQ(platform().readKey(), "x");
    ASSERT_TRUE(endRunRecording());
    EXPECT_EQ(&platform(), &headless);
    EXPECT_FALSE(fileExists(path + ".tmp"));

    ReplayRecord record;
    std::string error;
    ASSERT_TRUE(readReplay(path, record, error)) << error;
    EXPECT_EQ(record.packFolder, "lvlpckfirst");
    EXPECT_EQ(record.levelNumber, 1);
    EXPECT_EQ(record.levelFileHash, hash64(sampleLevelBytes(7)));
    EXPECT_EQ(record.boardHash, boardHash());
    EXPECT_EQ(record.soundEffectsOn, -1);
    EXPECT_EQ(record.voicesOn, 0);
    EXPECT_EQ(record.carried.comboCount, 4);
    seedRandom(record.seed);
    EXPECT_EQ(randomUnit(), firstDraw);
    const std::vector<InputCall> calls = callsOf(record.calls);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].timerSteps, 3 * 8192);
    EXPECT_EQ(calls[1].scanCode, ScanLeft);
    EXPECT_EQ(calls[2].key, "x");

    // The next run draws another seed and replaces the file.
    beginRunRecording();
    ASSERT_TRUE(endRunRecording());
    ReplayRecord next;
    ASSERT_TRUE(readReplay(path, next, error)) << error;
    EXPECT_NE(next.seed, record.seed);
    EXPECT_EQ(next.calls.items, 0u);
}

TEST_F(RunRecordingTest, TheRecordedLevelMustBeThereUnchanged) {
    ReplayRecord record;
    record.packFolder = "lvlpckfirst";
    record.levelNumber = 1;
    record.levelFileHash = hash64(sampleLevelBytes(7));
    std::string error;
    EXPECT_TRUE(loadRecordedLevel(record, error)) << error;

    record.levelNumber = 2;
    EXPECT_FALSE(findRecordedLevel(record, error));
    EXPECT_EQ(error, "level 2 of the pack \"lvlpckfirst\" is missing (" + folder.path() +
                         "lvlpckfirst/002.zdl)");
    record.levelNumber = 1;
    record.levelFileHash ^= 1;
    EXPECT_FALSE(findRecordedLevel(record, error));
    EXPECT_EQ(error, "the level file " + folder.path() +
                         "lvlpckfirst/001.zdl has changed since the run was recorded");
    record.packFolder = "lvlpckgone";
    EXPECT_FALSE(findRecordedLevel(record, error));
    EXPECT_EQ(error, "the level pack \"lvlpckgone\" of the replay is not installed");

    EXPECT_FALSE(readReplay(folder.path() + "none.zrp", record, error));
    EXPECT_EQ(error, "cannot read the replay file " + folder.path() + "none.zrp");
    folder.write("bad.zrp", std::string("ZDREPLAY"));
    EXPECT_FALSE(readReplay(folder.path() + "bad.zrp", record, error));
    EXPECT_EQ(error, folder.path() + "bad.zrp: the replay file is damaged: it ends early");
}

TEST_F(RunRecordingTest, BoardHashFollowsWhatPlayReadsOnly) {
    const std::uint64_t loaded = boardHash();
    level.groundTiles[1].frame += 1;
    EXPECT_EQ(boardHash(), loaded);
    level.groundTiles[1].x += 128;
    EXPECT_NE(boardHash(), loaded);
    level.groundTiles[1].x -= 128;
    level.timeLimit += 1;
    EXPECT_NE(boardHash(), loaded);
    level.timeLimit -= 1;
    level.exitCount = 7;  // play resets it as it starts
    EXPECT_EQ(boardHash(), loaded);
}

}  // namespace
