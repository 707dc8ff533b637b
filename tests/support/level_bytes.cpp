#include "support/level_bytes.h"

#include <string>
#include <vector>

#include "assets/texture_catalogue.h"
#include "base/bytes.h"

namespace {

struct Stored {
    std::string pack;
    std::string name;
    double vx, vy, x, y;
};

void putObject(ByteWriter& out, int version, const Stored& o) {
    out.lengthPrefixed(o.pack);
    out.lengthPrefixed(o.name);
    if (version >= 3) {
        out.f64(o.vx);
        out.f64(o.vy);
        out.f64(o.x);
        out.f64(o.y);
        return;
    }
    out.i32(version == 0 ? 99 : static_cast<std::int32_t>(o.vx));
    out.i32(static_cast<std::int32_t>(o.vy));
    out.i32(static_cast<std::int32_t>(o.x));
    out.i32(static_cast<std::int32_t>(o.y));
    if (version == 0) out.i32(77);
}

void putList(ByteWriter& out, int version, const std::vector<Stored>& list) {
    out.i32(static_cast<std::int32_t>(list.size()));
    for (const Stored& o : list) putObject(out, version, o);
}

}  // namespace

Bytes sampleLevelBytes(int version) {
    ByteWriter out;
    out.text(std::string("ZDLVL") + '\0' + static_cast<char>(version));
    putObject(out, version, {"txtpckstone", "sky", 0, 0, 0, 0});
    const std::vector<Stored> none;
    putList(out, version, {{"txtpckstone", "", 0, 0, 0, 0}, {"txtpckstone", "", 0, 0, 128, 256}});
    putList(out, version, none);
    putList(out, version, {{"txtpckstone", "", 2, 0, 256, 0}});
    putList(out, version, none);
    putList(out, version, {{"txtpckstone", "", -3, 5, 0, 128}});
    putList(out, version, none);
    putList(out, version, none);
    putList(out, version, none);
    putObject(out, version, {"txtpckstone", "", 1, 2, 384, 512});
    putObject(out, version, {"txtpckstone", "soft", 0, 0, 400, 528});
    putList(out, version, none);
    putList(out, version, {{"txtpckother", "odd", 0, 0, 640, 640}});
    out.lengthPrefixed("Tune.ogg");
    if (version >= 4)
        out.f64(SampleZoom);
    else if (version >= 2)
        out.f32(static_cast<float>(SampleZoom));
    if (version >= 5) {
        out.f64(1.5);
        out.f64(2.5);
        out.i32(3);
        out.f64(-1);
        out.i32(2);
        out.f64(7.25);
    }
    if (version >= 6) out.f64(90);
    if (version >= 7) out.lengthPrefixed("First steps");
    return out.bytes();
}

void addTextureEntry(const std::string& pack, const std::string& name, std::int32_t kind,
                     double first, double last, std::int32_t synchronised) {
    TextureEntry entry;
    entry.packName = pack;
    entry.name = name;
    entry.kind = kind;
    entry.firstFrame = first;
    entry.lastFrame = last;
    entry.currentFrame = first;
    entry.synchronised = synchronised;
    catalogue.textureTable.append(entry);
}

void addSampleTextures() {
    const auto add = addTextureEntry;
    add("txtpckstone", "sky", KindBackground, 1, 1, 0);
    add("txtpckstone", "", KindGround, 2, 5, 0);
    add("txtpckstone", "", KindBall, 6, 6, 0);
    add("txtpckstone", "soft", KindBallShadow, 7, 8, 0);
    add("txtpckother", "odd", KindWall, 9, 12, -1);
}

Bytes levelBytes(const LevelFileData& data, int version) {
    auto stored = [](const LevelFileObject& o) { return Stored{o.packName, o.name, o.vx, o.vy, o.x, o.y}; };
    auto list = [&](int n) {
        std::vector<Stored> objects;
        for (const LevelFileObject& o : data.lists[n]) objects.push_back(stored(o));
        return objects;
    };
    ByteWriter out;
    out.text(std::string("ZDLVL") + '\0' + static_cast<char>(version));
    putObject(out, version, stored(data.background));
    for (int n = 1; n <= 8; ++n) putList(out, version, list(n));
    putObject(out, version, stored(data.ball));
    putObject(out, version, stored(data.ballShadow));
    putList(out, version, list(9));
    putList(out, version, list(10));
    out.lengthPrefixed(data.musicName);
    if (version >= 4)
        out.f64(data.zoom);
    else if (version >= 2)
        out.f32(static_cast<float>(data.zoom));
    if (version >= 5) {
        out.f64(data.explodeCount);
        out.f64(data.exitCount);
        out.i32(data.bombsCarried);
        out.f64(data.sinkScale);
        out.i32(data.jumpState);
        out.f64(data.jumpHeight);
    }
    if (version >= 6) out.f64(data.timeLimit);
    if (version >= 7) out.lengthPrefixed(data.levelName);
    return out.bytes();
}
