#include "play/replay.h"

#include <cmath>
#include <cstring>

#include "assets/audio.h"
#include "assets/texture_catalogue.h"
#include "base/bytes.h"
#include "base/numeric.h"
#include "config/settings.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "play/frame_clock.h"
#include "play/play.h"

ReplayState replays;

namespace {

constexpr char ReplayMagic[] = "ZDREPLAY";
constexpr std::size_t ReplayMagicLength = 8;

// The seed is drawn from the game's generator as a whole number below 2^53,
// the most randomInt gives exactly.
constexpr std::int64_t LargestSeed = (std::int64_t{1} << 53) - 1;

// --- Board hash ----------------------------------------------------------------

void writeBoardObject(ByteWriter& out, const LevelObject& object) {
    const TextureEntry& entry = textureEntryOf(object.texture);
    out.lengthPrefixed(entry.packName);
    out.lengthPrefixed(entry.name);
    out.f64(object.vx);
    out.f64(object.vy);
    out.f64(object.x);
    out.f64(object.y);
}

// --- Carried values --------------------------------------------------------------

// The carried values in file order, as doubles (every int32 is exact in one).
template <typename Visit>
void visitCarried(CarriedPlayValues& v, Visit visit) {
    visit(v.animDelta);
    visit(v.zoom);
    visit(v.score);
    visit(v.restFrames);
    visit(v.jumpPeak);
    visit(v.onPlatform);
    visit(v.spaceHeld);
    visit(v.stepVx);
    visit(v.stepVy);
    visit(v.lastExitNotice);
    visit(v.wasJumping);
    visit(v.holeJumpArmed);
    visit(v.comboCount);
    visit(v.comboPoints);
    visit(v.lastComboLanding);
    visit(v.idleX);
    visit(v.idleY);
}

// A stored double must be finite (play rounds them to integers), and one that
// stands for an int32 must be a whole number in its range.
bool takeCarried(double stored, double& field) {
    field = stored;
    return std::isfinite(stored);
}

bool takeCarried(double stored, std::int32_t& field) {
    if (!(stored >= INT32_MIN && stored <= INT32_MAX) || stored != std::floor(stored)) return false;
    field = static_cast<std::int32_t>(stored);
    return true;
}

// --- Decoding ----------------------------------------------------------------------

bool isSwitch(std::int32_t value) { return value == -1 || value == 0; }

}  // namespace

std::uint64_t hash64(const Bytes& bytes) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const std::uint8_t byte : bytes) {
        hash ^= byte;
        hash *= 0x100000001b3u;
    }
    return hash;
}

std::uint64_t boardHash() {
    ByteWriter out;
    writeBoardObject(out, level.background);
    for (int n = 1; n <= LevelListCount; ++n) {
        const ObjectList& list = levelList(n);
        out.i32(list.count());
        for (const LevelObject& object : list) writeBoardObject(out, object);
    }
    writeBoardObject(out, level.ball);
    writeBoardObject(out, level.ballShadow);
    out.f64(level.timeLimit);
    return hash64(out.bytes());
}

CarriedPlayValues carriedPlayValuesNow() {
    CarriedPlayValues v;
    v.animDelta = frameClock.animDelta;
    v.zoom = level.zoom;
    v.score = play.score;
    v.restFrames = play.restFrames;
    v.jumpPeak = play.jumpPeak;
    v.onPlatform = play.onPlatform;
    v.spaceHeld = play.spaceHeld;
    v.stepVx = play.stepVx;
    v.stepVy = play.stepVy;
    v.lastExitNotice = play.lastExitNotice;
    v.wasJumping = play.wasJumping;
    v.holeJumpArmed = play.holeJumpArmed;
    v.comboCount = play.comboCount;
    v.comboPoints = play.comboPoints;
    v.lastComboLanding = play.lastComboLanding;
    v.idleX = play.idleX;
    v.idleY = play.idleY;
    return v;
}

void applyCarriedPlayValues(const CarriedPlayValues& v) {
    frameClock.animDelta = v.animDelta;
    level.zoom = v.zoom;
    play.score = v.score;
    play.restFrames = v.restFrames;
    play.jumpPeak = v.jumpPeak;
    play.onPlatform = v.onPlatform;
    play.spaceHeld = v.spaceHeld;
    play.stepVx = v.stepVx;
    play.stepVy = v.stepVy;
    play.lastExitNotice = v.lastExitNotice;
    play.wasJumping = v.wasJumping;
    play.holeJumpArmed = v.holeJumpArmed;
    play.comboCount = v.comboCount;
    play.comboPoints = v.comboPoints;
    play.lastComboLanding = v.lastComboLanding;
    play.idleX = v.idleX;
    play.idleY = v.idleY;
}

Bytes encodeReplay(const ReplayRecord& record) {
    ByteWriter out;
    out.text(std::string(ReplayMagic, ReplayMagicLength));
    out.u32(ReplayFormatVersion);
    out.lengthPrefixed(record.packFolder);
    out.i32(record.levelNumber);
    out.u64(record.levelFileHash);
    out.u64(record.boardHash);
    out.u64(record.seed);
    out.i32(record.soundEffectsOn);
    out.i32(record.voicesOn);
    CarriedPlayValues carried = record.carried;
    visitCarried(carried, [&](auto& field) { out.f64(static_cast<double>(field)); });
    out.u32(record.calls.items);
    out.text(std::string(record.calls.bytes.begin(), record.calls.bytes.end()));
    return out.bytes();
}

bool decodeReplay(const Bytes& bytes, ReplayRecord& record, std::string& error) {
    const std::string damaged = "the replay file is damaged: ";
    const std::string endsEarly = damaged + "it ends early";
    if (bytes.empty()) {
        error = "the replay file is empty";
        return false;
    }
    const std::size_t magicBytes = std::min(bytes.size(), ReplayMagicLength);
    if (std::memcmp(bytes.data(), ReplayMagic, magicBytes) != 0) {
        error = "not a replay file (it does not start with \"ZDREPLAY\")";
        return false;
    }
    ByteReader in(bytes);
    in.text(ReplayMagicLength);
    const std::uint32_t version = in.u32();
    if (!in.ok()) {
        error = endsEarly;
        return false;
    }
    if (version != ReplayFormatVersion) {
        error = "the replay file has format version " + std::to_string(version) +
                "; this game reads version " + std::to_string(ReplayFormatVersion);
        return false;
    }

    record = ReplayRecord();
    const std::int32_t nameLength = in.i32();
    if (in.ok() && (nameLength < 0 || static_cast<std::size_t>(nameLength) > MaxReplayPackNameLength)) {
        error = damaged + "bad pack folder name length " + std::to_string(nameLength);
        return false;
    }
    record.packFolder = in.text(static_cast<std::size_t>(nameLength));
    record.levelNumber = in.i32();
    record.levelFileHash = in.u64();
    record.boardHash = in.u64();
    record.seed = in.u64();
    record.soundEffectsOn = in.i32();
    record.voicesOn = in.i32();
    bool carriedSane = true;
    visitCarried(record.carried, [&](auto& field) {
        const double stored = in.f64();
        if (in.ok() && !takeCarried(stored, field)) carriedSane = false;
    });
    const std::uint32_t itemCount = in.u32();
    if (!in.ok()) {
        error = endsEarly;
        return false;
    }
    if (record.levelNumber < 0) {
        error = damaged + "bad level number " + std::to_string(record.levelNumber);
        return false;
    }
    if (!isSwitch(record.soundEffectsOn) || !isSwitch(record.voicesOn)) {
        error = damaged + "bad sound switches";
        return false;
    }
    if (!carriedSane) {
        error = damaged + "bad play values";
        return false;
    }
    // Every item takes at least one byte, so the count cannot exceed what is left.
    if (itemCount > MaxInputStreamBytes || itemCount > in.remaining()) {
        error = itemCount > MaxInputStreamBytes
                    ? damaged + "too many calls (" + std::to_string(itemCount) + " entries)"
                    : endsEarly;
        return false;
    }

    const std::size_t start = in.offset();
    InputStreamReader items(bytes.data() + start, bytes.size() - start, itemCount);
    InputCall call;
    while (items.next(call)) {
    }
    if (!items.error().empty()) {
        error = damaged + items.error();
        return false;
    }
    const std::size_t left = bytes.size() - start - items.consumed();
    if (left != 0) {
        error = damaged + "bytes after the last call (" + std::to_string(left) + ")";
        return false;
    }
    record.calls.items = itemCount;
    record.calls.bytes.assign(bytes.begin() + static_cast<std::ptrdiff_t>(start), bytes.end());
    return true;
}

bool readReplay(const std::string& path, ReplayRecord& record, std::string& error) {
    Bytes bytes;
    if (!readFile(path, bytes)) {
        error = "cannot read the replay file " + path;
        return false;
    }
    if (!decodeReplay(bytes, record, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

// --- Recording ---------------------------------------------------------------------

void recordRunsTo(const std::string& path) { replays.recordPath = path; }

void beginRunRecording() {
    if (replays.recordPath.empty() || replays.recorder || replays.replaying) return;
    ReplayRecord& record = replays.pending;
    record = ReplayRecord();
    record.packFolder = currentPackName();
    record.levelNumber = packs.currentLevel;
    Bytes levelBytes;
    if (readFile(levelFileName(packs.currentLevel), levelBytes)) record.levelFileHash = hash64(levelBytes);
    record.boardHash = boardHash();
    // A fresh seed from the game's own generator keeps runs as varied as
    // before while making each one reproducible from its record.
    record.seed = static_cast<std::uint64_t>(randomInt(0, LargestSeed));
    seedRandom(record.seed);
    record.soundEffectsOn = settings.soundEffectsOn;
    record.voicesOn = settings.voicesOn;
    record.carried = carriedPlayValuesNow();
    replays.recorder = std::make_unique<RecordingPlatform>(platform());
    setPlatform(replays.recorder.get());
}

bool endRunRecording() {
    if (!replays.recorder) return false;
    setPlatform(&replays.recorder->wrapped());
    replays.pending.calls = replays.recorder->finish();
    replays.recorder.reset();
    const bool saved = writeFileSafely(replays.recordPath, encodeReplay(replays.pending));
    replays.pending.calls = InputStream();
    return saved;
}

// --- Playing back ------------------------------------------------------------------

bool findRecordedLevel(const ReplayRecord& record, std::string& error) {
    int pack = 0;
    for (int i = 1; i <= packs.levelPacks.count() && pack == 0; ++i)
        if (packs.levelPacks[i] == record.packFolder) pack = i;
    if (pack == 0) {
        error = "the level pack \"" + record.packFolder + "\" of the replay is not installed";
        return false;
    }
    packs.currentPack = pack;
    countLevels();
    packs.currentLevel = record.levelNumber;
    const std::string fileName = levelFileName(record.levelNumber);
    Bytes bytes;
    if (!readFile(fileName, bytes)) {
        error = "level " + std::to_string(record.levelNumber) + " of the pack \"" +
                record.packFolder + "\" is missing (" + fileName + ")";
        return false;
    }
    if (hash64(bytes) != record.levelFileHash) {
        error = "the level file " + fileName + " has changed since the run was recorded";
        return false;
    }
    return true;
}

bool loadRecordedLevel(const ReplayRecord& record, std::string& error) {
    if (!findRecordedLevel(record, error)) return false;
    const std::string fileName = levelFileName(record.levelNumber);
    if (!loadLevel(fileName)) {
        error = "the level file " + fileName + " cannot be loaded";
        return false;
    }
    return true;
}

ReplayOutcome playRecord(const ReplayRecord& record, PlatformBackend* display, bool paced,
                         const std::function<void(std::int64_t frame)>& eachFrame) {
    ReplayOutcome outcome;
    if (boardHash() != record.boardHash) {
        outcome.error =
            "the level in memory is not the board the run began on (the run was recorded on an "
            "edited or already played board)";
        return outcome;
    }
    const std::int32_t effects = settings.soundEffectsOn;
    const std::int32_t voices = settings.voicesOn;
    const std::int32_t musicWasOn = settings.musicOn;
    settings.soundEffectsOn = record.soundEffectsOn;
    settings.voicesOn = record.voicesOn;
    seedRandom(record.seed);
    applyCarriedPlayValues(record.carried);
    play.shownScore = 0;

    ReplayPlatform replay(record.calls, display, paced);
    PlatformBackend& previous = platform();
    setPlatform(&replay);
    replays.replaying = true;
    // playLevel's loop, counting the frames.
    startPlay();
    bool running = true;
    while (running) {
        running = playFrame();
        ++outcome.frames;
        if (eachFrame) eachFrame(outcome.frames);
    }
    outcome.result = endPlay();
    replays.replaying = false;
    setPlatform(&previous);

    settings.soundEffectsOn = effects;
    settings.voicesOn = voices;
    // "m" toggles the music in play; an odd number of presses is undone.
    if (settings.musicOn != musicWasOn) toggleMusic();
    outcome.progress = replay.progress();
    outcome.complete = !replay.ended() && replay.allGiven();
    outcome.callsGiven = replay.callsGiven();
    outcome.report = replay.endReport();
    return outcome;
}
