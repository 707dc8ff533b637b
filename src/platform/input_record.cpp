#include "platform/input_record.h"

#include <cmath>
#include <cstdlib>

#include "platform/keys.h"

namespace {

// After a replay has ended, each timer call moves on by this much: more than
// the shortest frame, so a frame limiter's wait ends at its next reading.
constexpr double TimeAfterEnd = 0.02;

// The largest step count whose time a double holds exactly.
constexpr double MaxExactSteps = 9007199254740992.0;  // 2^53

}  // namespace

bool InputCall::sameCall(const InputCall& other) const {
    if (kind != other.kind) return false;
    switch (kind) {
    case InputKind::Timer:
        return timerSteps == other.timerSteps;
    case InputKind::KeyHeld:
        return scanCode == other.scanCode && held == other.held;
    case InputKind::ReadKey:
        return key == other.key;
    case InputKind::Mouse:
        return mouse.x == other.mouse.x && mouse.y == other.mouse.y &&
               mouse.buttons == other.mouse.buttons;
    }
    return false;
}

std::string describeCall(const InputCall& call) {
    switch (call.kind) {
    case InputKind::Timer:
        return "timer";
    case InputKind::KeyHeld:
        return "keyHeld(" + std::to_string(call.scanCode) + ")";
    case InputKind::ReadKey:
        return "readKey";
    case InputKind::Mouse:
        return "mouse";
    }
    return "unknown call";
}

std::int64_t timerStepsOf(double seconds) {
    const double steps = std::ceil(seconds * TimerStepsPerSecond);
    if (!(steps > -MaxExactSteps)) return static_cast<std::int64_t>(-MaxExactSteps);  // also NaN
    if (steps > MaxExactSteps) return static_cast<std::int64_t>(MaxExactSteps);
    return static_cast<std::int64_t>(steps);
}

// --- Recording ---------------------------------------------------------------

void RecordingPlatform::note(const InputCall& call) {
    if (!calls.empty() && calls.back().sameCall(call) && calls.back().repeats < MaxInputRepeats) {
        ++calls.back().repeats;
        return;
    }
    if (calls.size() >= MaxInputEntries) {
        overflowed = true;
        return;
    }
    calls.push_back(call);
}

double RecordingPlatform::timer() {
    InputCall call;
    call.kind = InputKind::Timer;
    call.timerSteps = timerStepsOf(inner.timer());
    note(call);
    return static_cast<double>(call.timerSteps) / TimerStepsPerSecond;
}

bool RecordingPlatform::keyHeld(int scanCode) {
    InputCall call;
    call.kind = InputKind::KeyHeld;
    call.scanCode = scanCode;
    call.held = inner.keyHeld(scanCode);
    note(call);
    return call.held;
}

std::string RecordingPlatform::readKey() {
    InputCall call;
    call.kind = InputKind::ReadKey;
    call.key = inner.readKey();
    // Key strings are one or two characters; anything longer is not a key
    // the game knows, and the record keeps it as no key at all.
    if (call.key.size() > MaxInputKeyLength) call.key.clear();
    note(call);
    return call.key;
}

MouseState RecordingPlatform::mouse() {
    InputCall call;
    call.kind = InputKind::Mouse;
    call.mouse = inner.mouse();
    note(call);
    return call.mouse;
}

void RecordingPlatform::exitProgram(int status) {
    inner.exitProgram(status);
    std::abort();  // a backend's exitProgram never returns
}

// --- Replay ------------------------------------------------------------------

ReplayPlatform::ReplayPlatform(const std::vector<InputCall>& record, PlatformBackend* displayBackend,
                               bool pacedToDisplay)
    : calls(record), display(displayBackend), paced(pacedToDisplay && displayBackend != nullptr) {}

void ReplayPlatform::end(ReplayProgress why, const std::string& what) {
    if (state != ReplayProgress::Playing) return;
    state = why;
    report = what;
}

const InputCall* ReplayPlatform::take(InputKind kind, int scanCode) {
    if (state != ReplayProgress::Playing) return nullptr;
    InputCall asked;
    asked.kind = kind;
    asked.scanCode = scanCode;
    const std::string callNumber = "call " + std::to_string(given + 1);
    if (entry >= calls.size()) {
        end(ReplayProgress::Exhausted,
            callNumber + ": the game asked for " + describeCall(asked) + " after the record's end");
        return nullptr;
    }
    const InputCall& next = calls[entry];
    if (next.kind != kind || (kind == InputKind::KeyHeld && next.scanCode != scanCode)) {
        end(ReplayProgress::Desynchronised, callNumber + ": the game asked for " +
                                                describeCall(asked) + ", the record holds " +
                                                describeCall(next));
        return nullptr;
    }
    if (usedRepeats < next.repeats) {
        ++usedRepeats;
    } else {
        ++entry;
        usedRepeats = 0;
    }
    ++given;
    return &next;
}

void ReplayPlatform::pace(double recordedSeconds) {
    if (!paced) return;
    if (!paceStarted) {
        paceStarted = true;
        displayStart = display->timer();
        recordedStart = recordedSeconds;
        return;
    }
    const double due = displayStart + (recordedSeconds - recordedStart);
    const double now = display->timer();
    if (due > now) display->sleep(due - now);
}

double ReplayPlatform::timer() {
    if (const InputCall* call = take(InputKind::Timer)) {
        lastTime = static_cast<double>(call->timerSteps) / TimerStepsPerSecond;
        pace(lastTime);
        return lastTime;
    }
    lastTime += TimeAfterEnd;
    return lastTime;
}

bool ReplayPlatform::keyHeld(int scanCode) {
    const InputCall* call = take(InputKind::KeyHeld, scanCode);
    return call != nullptr && call->held;
}

std::string ReplayPlatform::readKey() {
    if (display != nullptr && state == ReplayProgress::Playing) {
        const std::string pressed = display->readKey();
        if (pressed == KeyEsc || pressed == KeyClose)
            end(ReplayProgress::Stopped, "stopped by the player at call " + std::to_string(given + 1));
    }
    const InputCall* call = take(InputKind::ReadKey);
    return call != nullptr ? call->key : KeyEsc;
}

MouseState ReplayPlatform::mouse() {
    const InputCall* call = take(InputKind::Mouse);
    return call != nullptr ? call->mouse : MouseState{-1, -1, 0};
}

std::vector<DisplayMode> ReplayPlatform::displayModes() {
    return display != nullptr ? display->displayModes() : std::vector<DisplayMode>{};
}

bool ReplayPlatform::openWindow(int width, int height, bool fullScreen) {
    return display == nullptr || display->openWindow(width, height, fullScreen);
}

void ReplayPlatform::setWindowTitle(const std::string& title) {
    if (display != nullptr) display->setWindowTitle(title);
}

void ReplayPlatform::swapBuffers() {
    if (display != nullptr) display->swapBuffers();
}

void ReplayPlatform::showPointer(bool visible) {
    if (display != nullptr) display->showPointer(visible);
}

void ReplayPlatform::sleep(double seconds) {
    // Paced, timer() does all the waiting: the recorded times already hold
    // the game's own sleeps.
    if (display != nullptr && !paced) display->sleep(seconds);
}

std::string ReplayPlatform::systemFolder() {
    return display != nullptr ? display->systemFolder() : "";
}

void ReplayPlatform::showToPlayer(const std::string& target) {
    if (display != nullptr) display->showToPlayer(target);
}

void ReplayPlatform::showTextScreen(int row, const std::vector<TextLine>& lines) {
    if (display != nullptr) display->showTextScreen(row, lines);
}

void ReplayPlatform::exitProgram(int status) {
    if (display == nullptr) std::exit(status);
    display->exitProgram(status);
    std::abort();  // a backend's exitProgram never returns
}
