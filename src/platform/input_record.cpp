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

// --- The stream ----------------------------------------------------------------

namespace {

enum ItemCode : std::uint8_t {
    CodeTimer = 1,
    CodeKeyUp = 2,
    CodeKeyDown = 3,
    CodeNoKey = 4,
    CodeKey = 5,
    CodeMouse = 6,
    CodeRepeat = 7,
};

// Timer steps stay within what a double holds exactly.
constexpr std::int64_t StepLimit = std::int64_t{1} << 53;

void writeUnsigned(Bytes& out, std::uint64_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<std::uint8_t>(value | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<std::uint8_t>(value));
}

void writeSigned(Bytes& out, std::int64_t value) {
    const std::uint64_t bits = static_cast<std::uint64_t>(value);
    writeUnsigned(out, (bits << 1) ^ (value < 0 ? ~std::uint64_t{0} : 0));
}

}  // namespace

void InputStreamWriter::add(const InputCall& call) {
    std::uint64_t count = std::uint64_t{call.repeats} + 1;
    if (hasPending && pending.sameCall(call)) {
        const std::uint64_t room = MaxInputRepeats - pending.repeats;
        const std::uint64_t folded = count < room ? count : room;
        pending.repeats += static_cast<std::uint32_t>(folded);
        count -= folded;
    }
    while (count > 0 && !full) {
        flush();
        if (stream.bytes.size() >= MaxInputStreamBytes) {
            full = true;
            hasPending = false;
            return;
        }
        pending = call;
        hasPending = true;
        const std::uint64_t taken = count < MaxInputRepeats + std::uint64_t{1} ? count : MaxInputRepeats + std::uint64_t{1};
        pending.repeats = static_cast<std::uint32_t>(taken - 1);
        count -= taken;
    }
}

void InputStreamWriter::flush() {
    if (!hasPending) return;
    Bytes& out = stream.bytes;
    const InputCall& call = pending;
    switch (call.kind) {
    case InputKind::Timer:
        out.push_back(CodeTimer);
        writeSigned(out, call.timerSteps - lastSteps);
        lastSteps = call.timerSteps;
        break;
    case InputKind::KeyHeld:
        out.push_back(call.held ? CodeKeyDown : CodeKeyUp);
        writeSigned(out, call.scanCode);
        break;
    case InputKind::ReadKey:
        if (call.key.empty()) {
            out.push_back(CodeNoKey);
        } else {
            out.push_back(CodeKey);
            writeUnsigned(out, call.key.size());
            out.insert(out.end(), call.key.begin(), call.key.end());
        }
        break;
    case InputKind::Mouse:
        out.push_back(CodeMouse);
        writeSigned(out, call.mouse.x);
        writeSigned(out, call.mouse.y);
        writeSigned(out, call.mouse.buttons);
        break;
    }
    ++stream.items;
    if (call.repeats != 0) {
        out.push_back(CodeRepeat);
        writeUnsigned(out, call.repeats);
        ++stream.items;
    }
    hasPending = false;
}

InputStream InputStreamWriter::finish() {
    flush();
    InputStream done = std::move(stream);
    stream = InputStream();
    lastSteps = 0;
    full = false;
    return done;
}

InputStreamReader::InputStreamReader(const std::uint8_t* bytes, std::size_t length,
                                     std::uint32_t items)
    : data(bytes), size(length), in(bytes, length), itemsLeft(items) {}

bool InputStreamReader::fail(const std::string& what) {
    if (problem.empty()) problem = what;
    itemsLeft = 0;
    return false;
}

std::uint64_t InputStreamReader::readUnsigned() {
    std::uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        const std::uint8_t byte = in.u8();
        if (!in.ok()) return 0;
        if (shift == 63 && byte > 1) break;  // more than 64 bits
        value |= static_cast<std::uint64_t>(byte & 0x7f) << shift;
        if ((byte & 0x80) == 0) return value;
    }
    badNumber = true;
    in.fail();
    return 0;
}

std::int64_t InputStreamReader::readSigned() {
    const std::uint64_t bits = readUnsigned();
    return static_cast<std::int64_t>((bits >> 1) ^ (~(bits & 1) + 1));
}

std::int32_t InputStreamReader::readSigned32() {
    const std::int64_t value = readSigned();
    if (value >= INT32_MIN && value <= INT32_MAX) return static_cast<std::int32_t>(value);
    badNumber = true;
    in.fail();
    return 0;
}

bool InputStreamReader::next(InputCall& call) {
    if (itemsLeft == 0) return false;
    const auto where = [&] { return " in entry " + std::to_string(entries + 1); };
    const std::uint8_t code = in.u8();
    --itemsLeft;
    call = InputCall();
    switch (code) {
    case CodeTimer: {
        call.kind = InputKind::Timer;
        const std::int64_t difference = readSigned();
        if (in.ok() && (difference < -2 * StepLimit || difference > 2 * StepLimit ||
                        lastSteps + difference < -StepLimit || lastSteps + difference > StepLimit))
            return fail("timer value out of range" + where());
        call.timerSteps = lastSteps + difference;
        break;
    }
    case CodeKeyUp:
    case CodeKeyDown:
        call.kind = InputKind::KeyHeld;
        call.held = code == CodeKeyDown;
        call.scanCode = readSigned32();
        break;
    case CodeNoKey:
        call.kind = InputKind::ReadKey;
        break;
    case CodeKey: {
        call.kind = InputKind::ReadKey;
        const std::uint64_t length = readUnsigned();
        if (in.ok() && (length == 0 || length > MaxInputKeyLength))
            return fail("key length " + std::to_string(length) + " out of range" + where());
        call.key = in.text(static_cast<std::size_t>(length));
        break;
    }
    case CodeMouse:
        call.kind = InputKind::Mouse;
        call.mouse.x = readSigned32();
        call.mouse.y = readSigned32();
        call.mouse.buttons = readSigned32();
        break;
    case CodeRepeat:
        if (in.ok()) return fail("bad repeat count" + where());  // a repeat before any entry
        break;
    default:
        if (in.ok()) return fail("unknown call kind " + std::to_string(code) + where());
    }
    // The repeat counts that follow belong to this entry.
    while (in.ok() && itemsLeft > 0 && in.offset() < size && data[in.offset()] == CodeRepeat) {
        in.u8();
        --itemsLeft;
        const std::uint64_t count = readUnsigned();
        if (in.ok() && (count == 0 || count > MaxInputRepeats - call.repeats))
            return fail("bad repeat count" + where());
        call.repeats += static_cast<std::uint32_t>(count);
    }
    if (!in.ok()) return fail(badNumber ? "bad number" + where() : "it ends early");
    if (code == CodeTimer) lastSteps = call.timerSteps;
    ++entries;
    return true;
}

std::vector<InputCall> callsOf(const InputStream& stream) {
    std::vector<InputCall> calls;
    InputStreamReader reader(stream);
    InputCall call;
    while (reader.next(call)) calls.push_back(call);
    return calls;
}

// --- Recording ---------------------------------------------------------------

double RecordingPlatform::timer() {
    InputCall call;
    call.kind = InputKind::Timer;
    call.timerSteps = timerStepsOf(inner.timer());
    writer.add(call);
    return static_cast<double>(call.timerSteps) / TimerStepsPerSecond;
}

bool RecordingPlatform::keyHeld(int scanCode) {
    InputCall call;
    call.kind = InputKind::KeyHeld;
    call.scanCode = scanCode;
    call.held = inner.keyHeld(scanCode);
    writer.add(call);
    return call.held;
}

std::string RecordingPlatform::readKey() {
    InputCall call;
    call.kind = InputKind::ReadKey;
    call.key = inner.readKey();
    // Key strings are one or two characters; anything longer is not a key
    // the game knows, and the record keeps it as no key at all.
    if (call.key.size() > MaxInputKeyLength) call.key.clear();
    writer.add(call);
    return call.key;
}

bool RecordingPlatform::endRequested() {
    if (!inner.endRequested()) return false;
    if (!endNoted) {
        InputCall call;
        call.kind = InputKind::ReadKey;
        call.key = KeyEsc;
        writer.add(call);
        endNoted = true;
    }
    return true;
}

MouseState RecordingPlatform::mouse() {
    InputCall call;
    call.kind = InputKind::Mouse;
    call.mouse = inner.mouse();
    writer.add(call);
    return call.mouse;
}

void RecordingPlatform::exitProgram(int status) {
    inner.exitProgram(status);
    std::abort();  // a backend's exitProgram never returns
}

// --- Replay ------------------------------------------------------------------

ReplayPlatform::ReplayPlatform(const InputStream& record, PlatformBackend* displayBackend,
                               bool pacedToDisplay)
    : reader(record), display(displayBackend), paced(pacedToDisplay && displayBackend != nullptr) {}

void ReplayPlatform::end(ReplayProgress why, const std::string& what) {
    if (state != ReplayProgress::Playing) return;
    state = why;
    report = what;
}

const InputCall* ReplayPlatform::take(InputKind kind, int scanCode) {
    if (state != ReplayProgress::Playing) return nullptr;
    if (!loaded) {
        loaded = reader.next(current);
        usedRepeats = 0;
    }
    const bool matches = loaded && current.kind == kind &&
                         (kind != InputKind::KeyHeld || current.scanCode == scanCode);
    if (!matches) {
        InputCall asked;
        asked.kind = kind;
        asked.scanCode = scanCode;
        const std::string call = "call " + std::to_string(given + 1) + ": ";
        if (loaded)
            end(ReplayProgress::Desynchronised, call + "the game asked for " + describeCall(asked) +
                                                    ", the record holds " + describeCall(current));
        else if (!reader.error().empty())
            end(ReplayProgress::Exhausted, call + "the record is damaged: " + reader.error());
        else
            end(ReplayProgress::Exhausted,
                call + "the game asked for " + describeCall(asked) + " after the record's end");
        return nullptr;
    }
    answer = current;
    if (usedRepeats < current.repeats)
        ++usedRepeats;
    else
        loaded = false;
    ++given;
    return &answer;
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

bool ReplayPlatform::endRequested() {
    if (display == nullptr || !display->endRequested()) return false;
    if (state == ReplayProgress::Playing)
        end(ReplayProgress::Stopped, "stopped as the session ended, at call " + std::to_string(given + 1));
    return true;
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
