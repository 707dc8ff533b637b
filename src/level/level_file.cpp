#include "level/level_file.h"

#include <cstring>

#include "core/bytes.h"

namespace {

constexpr char Magic[] = "ZDLVL";
constexpr std::size_t MagicLength = 5;
constexpr int HeaderLength = 7;
constexpr int NewestVersion = 7;

// The fewest bytes an object entry of `version` takes (both names empty), so
// that a list count can be checked against the bytes left before the list
// is allocated.
std::size_t minimumEntrySize(int version) {
    if (version >= 3) return 8 + 4 * 8;  // two counts, four f64
    if (version >= 1) return 8 + 4 * 4;  // two counts, four i32
    return 8 + 5 * 4;                    // two counts, four i32 and the extra one
}

void readObject(ByteReader& in, int version, LevelFileObject& object) {
    object.packName = in.lengthPrefixed(MaxLevelStringLength);
    object.name = in.lengthPrefixed(MaxLevelStringLength);
    if (version >= 3) {
        object.vx = in.f64();
        object.vy = in.f64();
        object.x = in.f64();
        object.y = in.f64();
        return;
    }
    const std::int32_t vx = in.i32();
    // The oldest files stored something else where vx now lives: it is dropped.
    object.vx = version == 0 ? 0 : vx;
    object.vy = in.i32();
    object.x = in.i32();
    object.y = in.i32();
    if (version == 0) in.i32();  // a field no later version kept
}

void readList(ByteReader& in, int version, std::vector<LevelFileObject>& list) {
    const std::int32_t count = in.i32();
    if (count < 0 || count > MaxLevelListCount ||
        static_cast<std::size_t>(count) > in.remaining() / minimumEntrySize(version)) {
        in.fail();
        return;
    }
    list.resize(static_cast<std::size_t>(count));
    for (LevelFileObject& object : list) {
        readObject(in, version, object);
        if (!in.ok()) return;
    }
}

void writeObject(ByteWriter& out, const LevelFileObject& object) {
    out.lengthPrefixed(object.packName);
    out.lengthPrefixed(object.name);
    out.f64(object.vx);
    out.f64(object.vy);
    out.f64(object.x);
    out.f64(object.y);
}

void writeList(ByteWriter& out, const std::vector<LevelFileObject>& list) {
    out.i32(static_cast<std::int32_t>(list.size()));
    for (const LevelFileObject& object : list) writeObject(out, object);
}

}  // namespace

bool decodeLevelFile(const Bytes& bytes, LevelFileData& data) {
    if (bytes.size() < HeaderLength || std::memcmp(bytes.data(), Magic, MagicLength) != 0 ||
        bytes[5] != 0 || bytes[6] > NewestVersion)
        return false;
    const int version = bytes[6];
    data = LevelFileData();
    data.version = version;

    ByteReader in(bytes.data() + HeaderLength, bytes.size() - HeaderLength);
    readObject(in, version, data.background);
    for (int n = 1; n <= 8; ++n) readList(in, version, data.lists[n]);
    readObject(in, version, data.ball);
    readObject(in, version, data.ballShadow);
    readList(in, version, data.lists[9]);
    readList(in, version, data.lists[10]);
    data.musicName = in.lengthPrefixed(MaxLevelStringLength);
    if (version >= 4)
        data.zoom = in.f64();
    else if (version >= 2)
        data.zoom = in.f32();
    if (version >= 5) {
        data.explodeCount = in.f64();
        data.exitCount = in.f64();
        data.bombsCarried = in.i32();
        data.sinkScale = in.f64();
        data.jumpState = in.i32();
        data.jumpHeight = in.f64();
    }
    if (version >= 6) data.timeLimit = in.f64();
    if (version >= 7) data.levelName = in.lengthPrefixed(MaxLevelStringLength);
    data.trailingBytes = in.remaining();
    return in.ok();
}

Bytes encodeLevelFile(const LevelFileData& data) {
    ByteWriter out;
    out.text(std::string(Magic, MagicLength));
    out.text(std::string(1, '\0'));
    out.text(std::string(1, static_cast<char>(NewestVersion)));
    writeObject(out, data.background);
    for (int n = 1; n <= 8; ++n) writeList(out, data.lists[n]);
    writeObject(out, data.ball);
    writeObject(out, data.ballShadow);
    writeList(out, data.lists[9]);
    writeList(out, data.lists[10]);
    out.lengthPrefixed(data.musicName);
    out.f64(data.zoom);
    out.f64(data.explodeCount);
    out.f64(data.exitCount);
    out.i32(data.bombsCarried);
    out.f64(data.sinkScale);
    out.i32(data.jumpState);
    out.f64(data.jumpHeight);
    out.f64(data.timeLimit);
    out.lengthPrefixed(data.levelName);
    return out.bytes();
}
