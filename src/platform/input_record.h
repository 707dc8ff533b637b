// Input records: a backend wrapper that notes every input result the game is
// given (timer, held keys, buffered keys, mouse), and a backend that gives
// such a record back, call for call.
//
// A run replays exactly because the game reads time and input only through
// the platform and random numbers only from its seeded generator: the same
// results handed to the same calls, from the same seed, repeat the run bit
// for bit. The record is the list of input calls in the order the game made
// them. A run of identical calls (the frame limiter polls the timer many
// times while it waits out a frame) is one entry with a repeat count.
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

#include "platform/platform.h"

enum class InputKind : std::uint8_t { Timer = 1, KeyHeld = 2, ReadKey = 3, Mouse = 4 };

constexpr double TimerStepsPerSecond = 8192.0;

// Longest record a run keeps (entries, not calls): about an hour of play.
// The recorder stops adding at this count; a replay of it then ends there.
constexpr std::size_t MaxInputEntries = std::size_t{1} << 22;
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

// Forwards every call to `inner` and appends every input result to `calls`.
class RecordingPlatform : public PlatformBackend {
public:
    explicit RecordingPlatform(PlatformBackend& innerBackend) : inner(innerBackend) {}

    std::vector<InputCall> calls;  // the record, in call order
    bool overflowed = false;       // calls after MaxInputEntries were not recorded

    PlatformBackend& wrapped() { return inner; }

    std::vector<DisplayMode> displayModes() override { return inner.displayModes(); }
    bool openWindow(int width, int height, bool fullScreen) override {
        return inner.openWindow(width, height, fullScreen);
    }
    void setWindowTitle(const std::string& title) override { inner.setWindowTitle(title); }
    void swapBuffers() override { inner.swapBuffers(); }

    bool keyHeld(int scanCode) override;
    std::string readKey() override;
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
    void note(const InputCall& call);

    PlatformBackend& inner;
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
// replay. The record must outlive the backend.
class ReplayPlatform : public PlatformBackend {
public:
    ReplayPlatform(const std::vector<InputCall>& record, PlatformBackend* displayBackend,
                   bool pacedToDisplay);

    ReplayProgress progress() const { return state; }
    bool ended() const { return state != ReplayProgress::Playing; }
    // Every recorded call was given back (the run is complete if the game
    // made no further call).
    bool allGiven() const { return entry >= calls.size(); }
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

    const std::vector<InputCall>& calls;
    PlatformBackend* display;    // nullptr when nothing is shown
    bool paced;
    ReplayProgress state = ReplayProgress::Playing;
    std::string report;
    std::size_t entry = 0;       // index of the entry the next call comes from
    std::uint32_t usedRepeats = 0;  // repeats of that entry already given
    std::uint64_t given = 0;
    double lastTime = 0;         // the last time returned
    bool paceStarted = false;
    double displayStart = 0;     // display clock at the first recorded time
    double recordedStart = 0;    // that first recorded time
};
