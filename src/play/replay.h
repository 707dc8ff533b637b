// Replays: the record of one run of play, its file ("lastrun.zrp" in the data
// folder keeps the game's last run), the recording of every run the game
// plays, and playing a record back. Owns the recording state (ReplayState).
//
// A record holds what a run depends on besides its inputs: the level (by
// pack folder and number, with a hash of the file's bytes and one of the
// board in memory when play began), the seed of the game's generator, the
// sound switches that decide which random draws play makes (voices draw a
// random clip, effects may too), and the play values that carry over from
// the previous run. Then come the input calls of the run (input_record.h).
//
// File layout (little-endian, strings as a 32-bit count and the bytes):
//   "ZDREPLAY", u32 version (1),
//   string pack folder, i32 level number, u64 level file hash,
//   u64 board hash, u64 seed, i32 effects on, i32 voices on (-1 or 0),
//   the carried values (CarriedPlayValues, each an f64, in field order),
//   u32 item count, then the items of the call stream (input_record.h).
// Nothing may follow the last item.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/input_record.h"

constexpr std::uint32_t ReplayFormatVersion = 1;
// Longest pack folder name a record may hold.
constexpr std::size_t MaxReplayPackNameLength = 255;

// Play values that outlive a run and steer the next one: the first frame's
// update uses the step of the last frame drawn before play, play starts from
// the zoom the level has then, and the checkpoint, bomb, hole-jump,
// exit-notice and idle rules keep their counters and times from run to run.
// A replay puts them back before it plays.
struct CarriedPlayValues {
    double animDelta = 0;         // renderer step of the last frame before the run
    double zoom = 0;              // the level's zoom when the run began
    std::int32_t score = 0;       // play.score when the run began (callers set 0)
    std::int32_t restFrames = 0;
    double jumpPeak = 0;
    std::int32_t onPlatform = 0;
    std::int32_t spaceHeld = 0;
    double stepVx = 0;
    double stepVy = 0;
    double lastExitNotice = 0;
    std::int32_t wasJumping = 0;
    std::int32_t holeJumpArmed = 0;
    std::int32_t comboCount = 0;
    std::int32_t comboPoints = 0;
    double lastComboLanding = 0;
    double idleX = 0;
    double idleY = 0;
};

struct ReplayRecord {
    std::string packFolder;            // level pack folder name ("lvlpckzindrop")
    std::int32_t levelNumber = 0;      // the level's number in the pack
    std::uint64_t levelFileHash = 0;   // hash64 of the level file's bytes (0: unreadable)
    std::uint64_t boardHash = 0;       // boardHash() when play began
    std::uint64_t seed = 0;            // the game's generator was seeded with this
    std::int32_t soundEffectsOn = -1;  // the sound switches during the run, -1 on, 0 off
    std::int32_t voicesOn = -1;
    CarriedPlayValues carried;
    InputStream calls;                 // the run's input calls, in order
};

struct ReplayState {
    std::string recordPath;        // file every run is saved to; "" records nothing
    std::unique_ptr<RecordingPlatform> recorder;  // installed while a run is recorded
    ReplayRecord pending;          // the run being recorded, without its calls
    bool replaying = false;        // a record is being played back (no recording then)
};

extern ReplayState replays;

// 64-bit FNV-1a hash of `bytes`.
std::uint64_t hash64(const Bytes& bytes);

// Hash of the board as play reads it: the objects with their textures by pack
// and name, positions and velocities, the ball and the time limit. Not the
// animation frames, which loading picks at random and play never reads, nor
// the values play resets as it starts (the sequence counters, the bombs
// carried) or takes from the record (zoom).
std::uint64_t boardHash();

// The carried values as they are now, and putting them back.
CarriedPlayValues carriedPlayValuesNow();
void applyCarriedPlayValues(const CarriedPlayValues& values);

// The file's bytes, and reading them back. decodeReplay trusts nothing: on a
// foreign, damaged or truncated file it returns false with a message saying
// why (and `record` unspecified).
Bytes encodeReplay(const ReplayRecord& record);
bool decodeReplay(const Bytes& bytes, ReplayRecord& record, std::string& error);

// Reads and decodes a replay file; false with a message naming the file.
bool readReplay(const std::string& path, ReplayRecord& record, std::string& error);

// --- Recording every run -------------------------------------------------

// Switches recording on for every later run, saved to `path` (the game passes
// dataFolder + "lastrun.zrp" at start-up); "" switches it off. Off by default,
// so tests and tools record nothing unless they ask.
void recordRunsTo(const std::string& path);

// Called by playLevel before anything else: when recording is on (and no
// record is being played back), draws a fresh seed from the game's
// generator, reseeds the generator with it, notes the level and the values
// the run depends on, and wraps the installed platform in a recorder.
void beginRunRecording();

// Called by playLevel as it returns: puts the wrapped platform back and saves
// the record (replacing the file only once the new one is complete). False
// when nothing was recorded or the file could not be written; play goes on
// either way.
bool endRunRecording();

// --- Playing a record back -------------------------------------------------

// Makes the record's pack and level current (in the listed packs) and checks
// the level file. Fails with a message when the pack or the level file is
// missing or the file's bytes differ from the recorded ones.
bool findRecordedLevel(const ReplayRecord& record, std::string& error);

// findRecordedLevel, then loads the level; also fails when it does not load.
bool loadRecordedLevel(const ReplayRecord& record, std::string& error);

struct ReplayOutcome {
    std::string error;           // why the record was not played; "" when it was
    std::int32_t result = 0;     // playLevel's result
    ReplayProgress progress = ReplayProgress::Playing;  // where the replay ended
    bool complete = false;       // the run used every recorded call and asked no other
    std::int64_t frames = 0;     // frames played (the last one ended the run)
    std::uint64_t callsGiven = 0;  // calls answered from the record
    std::string report;          // the replay backend's account of an early end
};

// Plays the record on the level in memory (loaded by loadRecordedLevel or an
// equal one), which must be the board the run began on. Applies the record's
// seed, sound switches and carried values, installs a replay backend over
// `display` (nullptr: nothing shown; `paced`: at the recorded pace) and runs
// playLevel's loop, calling `eachFrame` (when given) after every frame. The
// platform and the sound switches are put back afterwards, and the music
// switch if the run's "m" presses flipped it.
ReplayOutcome playRecord(const ReplayRecord& record, PlatformBackend* display, bool paced,
                         const std::function<void(std::int64_t frame)>& eachFrame = {});
