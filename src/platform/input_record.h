// Input records: a backend wrapper that notes every input result the game is
// given (timer, held keys, buffered keys, mouse), and a backend that gives
// such a record back, call for call.
//
// A run replays exactly because the game reads time and input only through
// the platform and random numbers only from its seeded generator: the same
// results handed to the same calls, from the same seed, repeat the run bit
// for bit. The record is the list of input calls in the order the game made
// them, kept encoded (InputStream, a byte or two a call) so that recording
// every run costs little memory. A run of identical calls (the frame limiter
// polls the timer many times while it waits out a frame) is one entry with a
// repeat count.
//
// Stream encoding: a sequence of items, each one byte of kind and its value:
//   1 timer: signed variable-length difference in steps from the previous
//     timer result (the first from 0)
//   2 key not held, 3 key held: the scan code, signed variable-length
//   4 no key read; 5 key read: unsigned variable-length count, the bytes
//   6 mouse: x, y, buttons, each signed variable-length
//   7 repeat: unsigned variable-length count of further calls identical to
//     the previous entry's call (added to that entry's repeat count)
// Variable-length numbers are 7 bits a byte, low bits first, the top bit set
// while more follow; signed ones are zig-zag mapped first.
//
// The recorder rounds the timer up to whole steps of 1/8192 s before the game
// sees it: the polls of one wait then share a few values and fold into a few
// entries, and each value is stored exactly as an integer count of steps. A
// step is far below a frame (a frame is about 137), so play does not notice
// it. Rounding up keeps a wait that the backend ends exactly at its deadline
// (as a scripted clock does) ended once rounded, instead of waiting for the
// next step.

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "platform/files.h"
#include "platform/platform.h"

enum class InputKind : std::uint8_t { Timer = 1, KeyHeld = 2, ReadKey = 3, Mouse = 4 };

constexpr double TimerStepsPerSecond = 8192.0;

// Longest stream a run keeps, in bytes: hours of play. The recorder stops
// adding calls there; a replay of it then ends at that point.
constexpr std::size_t MaxInputStreamBytes = std::size_t{64} << 20;
// Longest run of identical calls one entry stands for; longer runs take
// several entries.
constexpr std::uint32_t MaxInputRepeats = std::uint32_t{1} << 24;
// Longest buffered key string (key strings are one or two characters).
constexpr std::size_t MaxInputKeyLength = 16;

// One input call and the result the game got.
struct InputCall {
    InputKind kind = InputKind::Timer;
    std::int64_t timerSteps = 0;   // Timer: the result, in steps of 1/TimerStepsPerSecond
    std::int32_t scanCode = 0;     // KeyHeld: the key asked about
    bool held = false;             // KeyHeld: the answer
    std::string key;               // ReadKey: the key read, "" for none
    MouseState mouse{-1, -1, 0};   // Mouse: the result
    std::uint32_t repeats = 0;     // further identical calls that follow this one

    // The same call with the same result (the repeat count aside).
    bool sameCall(const InputCall& other) const;
};

// "timer", "keyHeld(72)", "readKey" or "mouse": how reports name a call.
std::string describeCall(const InputCall& call);

// A time in seconds as a whole number of timer steps, rounded up (clamped to
// what a double holds exactly).
std::int64_t timerStepsOf(double seconds);

// The encoded calls of a run.
struct InputStream {
    Bytes bytes;              // the items
    std::uint32_t items = 0;  // entries and repeat counts in `bytes`
};

// Encodes calls as they come, folding identical calls into one entry.
class InputStreamWriter {
public:
    // Adds the call and call.repeats identical ones.
    void add(const InputCall& call);
    // The stream so far (with the last entry); the writer starts afresh.
    InputStream finish();
    // Calls beyond MaxInputStreamBytes were dropped.
    bool overflowed() const { return full; }

private:
    void flush();

    InputStream stream;
    InputCall pending;         // the entry being folded into
    bool hasPending = false;
    std::int64_t lastSteps = 0;  // the last timer result written
    bool full = false;
};

// Reads a stream of `items` items from `data` one entry at a time (with the
// repeat counts that follow it), trusting nothing: a bad or missing item
// ends the reading with a message.
class InputStreamReader {
public:
    InputStreamReader(const std::uint8_t* data, std::size_t size, std::uint32_t items);
    explicit InputStreamReader(const InputStream& stream)
        : InputStreamReader(stream.bytes.data(), stream.bytes.size(), stream.items) {}

    // The next entry; false at the end of the items or on a bad item (then
    // error() says what: "bad number in entry 12", "it ends early"...).
    bool next(InputCall& call);
    bool atEnd() const { return itemsLeft == 0; }
    const std::string& error() const { return problem; }
    // Bytes taken by the items read so far.
    std::size_t consumed() const { return in.offset(); }

private:
    bool fail(const std::string& what);
    std::uint64_t readUnsigned();
    std::int64_t readSigned();
    std::int32_t readSigned32();

    const std::uint8_t* data;
    std::size_t size;
    ByteReader in;
    std::uint32_t itemsLeft;
    std::uint64_t entries = 0;   // entries read
    std::int64_t lastSteps = 0;  // the last timer result read
    bool badNumber = false;      // a number was malformed or out of range
    std::string problem;
};

// Every entry of a stream, up to the first bad item.
std::vector<InputCall> callsOf(const InputStream& stream);

// Forwards every call to `inner` and encodes every input result.
class RecordingPlatform : public PlatformBackend {
public:
    explicit RecordingPlatform(PlatformBackend& innerBackend) : inner(innerBackend) {}

    // The record so far; recording starts afresh.
    InputStream finish() { return writer.finish(); }
    // Calls beyond MaxInputStreamBytes were not recorded.
    bool overflowed() const { return writer.overflowed(); }

    PlatformBackend& wrapped() { return inner; }

    std::vector<DisplayMode> displayModes() override { return inner.displayModes(); }
    bool openWindow(int width, int height, bool fullScreen) override {
        return inner.openWindow(width, height, fullScreen);
    }
    void setWindowTitle(const std::string& title) override { inner.setWindowTitle(title); }
    void swapBuffers() override { inner.swapBuffers(); }

    bool keyHeld(int scanCode) override;
    std::string readKey() override;
    // The wrapped backend's answer. Play ends on a raised request as on Esc
    // without reading a key, so the first time it is raised it is recorded
    // as a read of Esc: a replay then ends the run there, by that key.
    bool endRequested() override;
    MouseState mouse() override;
    void showPointer(bool visible) override { inner.showPointer(visible); }

    double timer() override;
    void sleep(double seconds) override { inner.sleep(seconds); }

    std::string systemFolder() override { return inner.systemFolder(); }
    void showToPlayer(const std::string& target) override { inner.showToPlayer(target); }
    void showTextScreen(int row, const std::vector<TextLine>& lines) override {
        inner.showTextScreen(row, lines);
    }
    [[noreturn]] void exitProgram(int status) override;

private:
    PlatformBackend& inner;
    InputStreamWriter writer;
    bool endNoted = false;  // the raised end request was recorded as Esc
};

// Where a replay stands.
enum class ReplayProgress {
    Playing,         // every call so far matched the record
    Exhausted,       // the game asked for more calls than the record holds
    Desynchronised,  // the game asked for another call than the record holds next
    Stopped,         // the player pressed Esc (or closed the window) on the display
};

// Gives the game the recorded results, in order.
//
// When a call does not match the record (another kind of call, another scan
// code, or a call past the end) the replay ends: from then on readKey
// returns Esc, so the play loop stops on its next key read, timer moves on by
// 0.02 s per call, so that a frame limiter waiting for time to pass ends its
// wait, keyHeld answers "not held" and mouse "outside the window". Nothing
// fails and nothing is thrown.
//
// The window, drawing, pointer and shell calls go to the optional display
// backend (the real window of a watched replay), or do nothing without one.
// With a display and `paced`, timer sleeps until the display's clock has
// moved on as far from the first reading as the recorded clock, so the run
// plays at its recorded pace; the game's own sleeps are then not passed on
// (the recorded times already include them). The display's buffered keys
// are read on each of the game's key reads: Esc or a close request stops the
// replay. The stream must outlive the backend; a bad item in it ends the
// replay like the end of the record.
class ReplayPlatform : public PlatformBackend {
public:
    ReplayPlatform(const InputStream& record, PlatformBackend* displayBackend, bool pacedToDisplay);

    ReplayProgress progress() const { return state; }
    bool ended() const { return state != ReplayProgress::Playing; }
    // Every recorded call was given back (the run is complete if the game
    // made no further call).
    bool allGiven() const { return !loaded && reader.atEnd(); }
    // Calls answered from the record so far.
    std::uint64_t callsGiven() const { return given; }
    // What went wrong, for the report: "" while playing.
    const std::string& endReport() const { return report; }

    std::vector<DisplayMode> displayModes() override;
    bool openWindow(int width, int height, bool fullScreen) override;
    void setWindowTitle(const std::string& title) override;
    void swapBuffers() override;

    bool keyHeld(int scanCode) override;
    std::string readKey() override;
    // The display's request (never without a display): it stops the
    // replay as Esc on the display does.
    bool endRequested() override;
    MouseState mouse() override;
    void showPointer(bool visible) override;

    double timer() override;
    void sleep(double seconds) override;

    std::string systemFolder() override;
    void showToPlayer(const std::string& target) override;
    void showTextScreen(int row, const std::vector<TextLine>& lines) override;
    [[noreturn]] void exitProgram(int status) override;

private:
    // The next recorded call if it is of `kind` (and, for a held key, asks
    // about `scanCode`); nullptr, with the replay ended, otherwise.
    const InputCall* take(InputKind kind, int scanCode = 0);
    void end(ReplayProgress why, const std::string& what);
    void pace(double recordedSeconds);

    InputStreamReader reader;
    PlatformBackend* display;    // nullptr when nothing is shown
    bool paced;
    ReplayProgress state = ReplayProgress::Playing;
    std::string report;
    InputCall current;           // the entry the next call comes from, while loaded
    bool loaded = false;
    std::uint32_t usedRepeats = 0;  // repeats of that entry already given
    InputCall answer;            // the result handed out last
    std::uint64_t given = 0;
    double lastTime = 0;         // the last time returned
    bool paceStarted = false;
    double displayStart = 0;     // display clock at the first recorded time
    double recordedStart = 0;    // that first recorded time
};
