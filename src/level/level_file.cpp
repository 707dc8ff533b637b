#include "level/level_file.h"

#include <cstring>
#include <unordered_map>

#include "assets/audio.h"
#include "assets/texture_catalogue.h"
#include "base/bytes.h"
#include "config/dialog.h"
#include "config/language.h"
#include "config/paths.h"
#include "config/settings.h"
#include "level/level.h"
#include "level/level_packs.h"

namespace {

constexpr char Magic[] = "ZDLVL";
constexpr std::size_t MagicLength = 5;
constexpr int HeaderLength = 7;
constexpr int NewestVersion = 7;

// The first seven bytes are the signature of one of the versions.
bool hasLevelHeader(const Bytes& bytes) {
    return bytes.size() >= HeaderLength && std::memcmp(bytes.data(), Magic, MagicLength) == 0 &&
           bytes[5] == 0 && bytes[6] <= NewestVersion;
}

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
    if (!hasLevelHeader(bytes)) return false;
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

namespace {

// Looks up each stored texture pair once per load: a level repeats a few
// pairs thousands of times, and the table does not change while it loads.
// A pair that is not in the table is remembered as 0 too, so its message is
// raised once per load however many objects use it.
class TextureResolver {
public:
    int resolve(const LevelFileObject& stored) {
        key.assign(std::to_string(stored.packName.size())).append(1, ':');
        key.append(stored.packName).append(stored.name);
        const auto known = found.find(key);
        if (known != found.end()) return known->second;
        const int texture = findTexture(stored.packName, stored.name);
        found.emplace(key, texture);
        return texture;
    }

private:
    std::unordered_map<std::string, int> found;  // length-prefixed pack + name
    std::string key;                             // reused to spare allocations
};

LevelObject loadedObject(TextureResolver& resolver, const LevelFileObject& stored, bool fineFrame) {
    LevelObject object;
    object.texture = resolver.resolve(stored);
    object.vx = stored.vx;
    object.vy = stored.vy;
    object.x = stored.x;
    object.y = stored.y;
    object.frame = initialFrame(static_cast<int>(object.texture), fineFrame);
    return object;
}

void loadList(TextureResolver& resolver, const std::vector<LevelFileObject>& stored,
              ObjectList& list) {
    list.clearItems();
    list.reserve(static_cast<int>(stored.size()));
    for (const LevelFileObject& object : stored) list.append(loadedObject(resolver, object, true));
}

// Puts a decoded file into the level model, resolving textures in file order
// (so that, of several missing textures, the last one's message stays up).
void putIntoLevel(const LevelFileData& data) {
    TextureResolver resolver;
    level.levelVersion = data.version;
    level.background = loadedObject(resolver, data.background, false);
    for (int n = 1; n <= 8; ++n) loadList(resolver, data.lists[n], levelList(n));
    level.ball = loadedObject(resolver, data.ball, false);
    level.ballShadow = loadedObject(resolver, data.ballShadow, false);
    loadList(resolver, data.lists[9], levelList(9));
    loadList(resolver, data.lists[10], levelList(10));
    level.zoom = data.zoom;
    level.explodeCount = data.explodeCount;
    level.exitCount = data.exitCount;
    level.bombsCarried = data.bombsCarried;
    level.sinkScale = data.sinkScale;
    level.jumpState = data.jumpState;
    level.jumpHeight = data.jumpHeight;
    level.timeLimit = data.timeLimit;
    level.levelName = data.levelName;
}

// A level file as the player knows it: below the program folder, the path
// from there ("lvlpckzindrop/002.zdl"); elsewhere the whole path.
std::string shownFileName(const std::string& path) {
    const std::string& base = paths.programFolder;
    if (!base.empty() && path.size() > base.size() && path.compare(0, base.size(), base) == 0)
        return path.substr(base.size());
    return path;
}

std::string fileNamePart(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Levels store the music's file name; the list holds "audio/" + file name.
// Comparing the file-name parts also finds a name stored with its folder.
void selectStoredMusic(const std::string& musicName) {
    const std::string wanted = lowerCase(fileNamePart(musicName));
    for (int i = 1; i <= audio.musicList.count(); ++i) {
        if (lowerCase(fileNamePart(audio.musicList[i])) == wanted) {
            audio.musicIndex = i;
            return;
        }
    }
}

std::string currentMusicName() {
    return audio.musicList.valid(audio.musicIndex) ? fileNamePart(audio.musicList[audio.musicIndex])
                                                   : "";
}

// The companion text: the level file's name with its last three characters
// (the extension) replaced by string 84; its first four lines.
void readLevelText(const std::string& fileName) {
    for (int line = 1; line <= 4; ++line) level.levelText[line].clear();
    if (fileName.size() < 3) return;
    std::string text;
    if (!readTextFile(fileName.substr(0, fileName.size() - 3) + str(84), text)) return;
    std::size_t start = 0;
    for (int line = 1; line <= 4 && start < text.size(); ++line) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string content = text.substr(start, end - start);
        if (!content.empty() && content.back() == '\r') content.pop_back();
        level.levelText[line] = content;
        start = end + 1;
    }
}

const TextureEntry& entryOfObject(const LevelObject& object) {
    const List<TextureEntry>& table = catalogue.textureTable;
    const bool inTable = object.texture >= 0 && object.texture <= table.count();
    return table[inTable ? static_cast<int>(object.texture) : 0];
}

LevelFileObject storedObject(const LevelObject& object) {
    const TextureEntry& entry = entryOfObject(object);
    LevelFileObject stored;
    stored.packName = entry.packName;
    stored.name = entry.name;
    stored.vx = object.vx;
    stored.vy = object.vy;
    stored.x = object.x;
    stored.y = object.y;
    return stored;
}

LevelFileData levelAsStored() {
    LevelFileData data;
    data.background = storedObject(level.background);
    for (int n = 1; n <= LevelListCount; ++n)
        for (const LevelObject& object : levelList(n)) data.lists[n].push_back(storedObject(object));
    data.ball = storedObject(level.ball);
    data.ballShadow = storedObject(level.ballShadow);
    data.musicName = currentMusicName();
    data.zoom = level.zoom;
    data.explodeCount = level.explodeCount;
    data.exitCount = level.exitCount;
    data.bombsCarried = level.bombsCarried;
    data.sinkScale = level.sinkScale;
    data.jumpState = level.jumpState;
    data.jumpHeight = level.jumpHeight;
    data.timeLimit = level.timeLimit;
    data.levelName = level.levelName;
    return data;
}

}  // namespace

LevelLoad loadLevelFile(const std::string& fileName) {
    const std::string name = fileName.empty() ? levelFileName(packs.currentLevel) : fileName;
    Bytes bytes;
    if (!readFile(name, bytes)) {
        clearLevel();
        showMessage(str(80), str(81),
                    currentPackName() + "/" + zeroPad(packs.currentLevel, 3) + ".zdl");
        return fileExists(name) ? LevelLoad::Unusable : LevelLoad::Missing;
    }
    // The whole file is checked before the level in memory changes, so a
    // damaged file fails like a foreign one instead of leaving half a level.
    LevelFileData data;
    if (!decodeLevelFile(bytes, data)) {
        clearLevel();
        // Seven bytes of another signature are a foreign or newer file; a
        // file that is cut or damaged after (or within) them is named.
        const bool foreign = bytes.size() >= HeaderLength && !hasLevelHeader(bytes);
        showMessage(str(80), str(82), foreign ? str(83) : shownFileName(name));
        return LevelLoad::Unusable;
    }
    loadLevelData(data, name);
    return LevelLoad::Loaded;
}

bool loadLevel(const std::string& fileName) { return loadLevelFile(fileName) == LevelLoad::Loaded; }

void loadLevelData(const LevelFileData& data, const std::string& fileName) {
    putIntoLevel(data);
    selectStoredMusic(data.musicName);
    if (settings.musicOn != 0) playCurrentTrack();
    level.viewX = level.ball.x;
    level.viewY = level.ball.y;
    level.levelModified = 0;
    ++level.textLoads;
    readLevelText(fileName);
}

bool saveLevel(const std::string& fileName) {
    // The new file replaces the old one only once it is completely written,
    // so a failed save keeps the level that was there. levelModified is the
    // caller's: a test play saves to a scratch file and must keep it.
    const WriteFailure failure = writeFileSafelyReporting(fileName, encodeLevelFile(levelAsStored()));
    if (failure == WriteFailure::None) return true;
    showMessage(str(76), str(failure == WriteFailure::InputOutput ? 77 : 78), str(79));
    return false;
}
