#include <gtest/gtest.h>

#include <cmath>

#include "base/numeric.h"
#include "platform/headless.h"
#include "platform/input_record.h"
#include "platform/keys.h"

namespace {

// A small stand-in for a game loop that reads input the way play does: a
// frame limiter polling the timer, held keys, one buffered key, the mouse and
// random draws, all feeding its state. Ends on Esc or after 400 frames.
struct LoopState {
    double x = 0;
    double y = 0;
    double lastFrame = 0;
    std::int64_t draws = 0;
    int frames = 0;
    int clicks = 0;
    std::string keys;
    bool operator==(const LoopState& o) const {
        return x == o.x && y == o.y && lastFrame == o.lastFrame && draws == o.draws &&
               frames == o.frames && clicks == o.clicks && keys == o.keys;
    }
};

LoopState runLoop(PlatformBackend& system, std::uint64_t seed) {
    seedRandom(seed);
    LoopState s;
    s.lastFrame = system.timer();
    for (s.frames = 1; s.frames <= 400; ++s.frames) {
        double now = system.timer();
        while (now - s.lastFrame < 0.0167) {
            system.sleep(0);
            now = system.timer();
        }
        const double step = 25 * (now - s.lastFrame);
        s.lastFrame = now;
        if (system.keyHeld(ScanRight)) s.x += 6 * step;
        if (system.keyHeld(ScanLeft)) s.x -= 6 * step;
        if (system.keyHeld(ScanUp)) s.y -= 6 * step + static_cast<double>(randomInt(0, 3));
        s.draws += randomInt(-16, 16);
        if (system.mouse().buttons != 0) ++s.clicks;
        const std::string key = system.readKey();
        if (key == KeyEsc) break;
        s.keys += key;
    }
    return s;
}

double lastTyped = 0;  // virtual time of the script's last typed key

// Scripted input for the headless backend: keys held and released and keys
// typed at given virtual times, then Esc.
void scriptInput(HeadlessPlatform& h) {
    const double t = h.clock;
    h.heldKeys.clear();
    if (t > 0.5 && t < 2.0) h.heldKeys.insert(ScanRight);
    if (t > 1.0 && t < 3.0) h.heldKeys.insert(ScanUp);
    if (t > 2.5 && t < 3.5) h.heldKeys.insert(ScanLeft);
    h.mouseState = t > 1.5 && t < 1.6 ? MouseState{10, 20, 1} : MouseState{-1, -1, 0};
    if (t - lastTyped > 0.7 && t < 4.5) {
        lastTyped = t;
        h.keyQueue.push_back(t < 2 ? "a" : KeyUp);
    }
    if (t > 5.0 && h.keyQueue.empty()) h.keyQueue.push_back(KeyEsc);
}

class InputRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless.clock = 0;
        headless.onSleep = scriptInput;
        lastTyped = 0;
    }
    HeadlessPlatform headless;
};

TEST_F(InputRecordTest, ReplayGivesTheRecordedRunBackExactly) {
    RecordingPlatform recorder(headless);
    const LoopState recorded = runLoop(recorder, 99);
    ASSERT_FALSE(recorder.overflowed());
    const InputStream stream = recorder.finish();
    EXPECT_GT(recorded.frames, 100);
    EXPECT_LT(recorded.frames, 400);  // ended by the scripted Esc
    EXPECT_NE(recorded.x, 0);
    EXPECT_GT(recorded.clicks, 0);
    EXPECT_FALSE(recorded.keys.empty());

    // The replay needs no input at all: the headless backend's script is gone.
    ReplayPlatform replay(stream, nullptr, false);
    const LoopState replayed = runLoop(replay, 99);
    EXPECT_TRUE(replayed == recorded);
    EXPECT_EQ(replay.progress(), ReplayProgress::Playing);
    EXPECT_TRUE(replay.allGiven());
}

TEST_F(InputRecordTest, TimerIsRoundedToWholeStepsAndPollsOfOneValueFold) {
    RecordingPlatform recorder(headless);
    headless.onSleep = nullptr;
    headless.clock = 10.00001;
    const double first = recorder.timer();
    EXPECT_EQ(first, std::ceil(10.00001 * TimerStepsPerSecond) / TimerStepsPerSecond);
    EXPECT_GE(first, 10.00001);
    EXPECT_EQ(recorder.timer(), first);
    EXPECT_EQ(recorder.timer(), first);
    headless.clock = 10.5;
    EXPECT_EQ(recorder.timer(), 10.5);
    recorder.keyHeld(ScanUp);
    recorder.keyHeld(ScanUp);
    recorder.keyHeld(ScanDown);
    const InputStream stream = recorder.finish();
    EXPECT_EQ(stream.items, 6u);  // four entries, two of them with a repeat count
    const std::vector<InputCall> calls = callsOf(stream);
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].repeats, 2u);
    EXPECT_EQ(calls[1].timerSteps, 10.5 * TimerStepsPerSecond);
    EXPECT_EQ(calls[2].repeats, 1u);
    EXPECT_EQ(calls[3].scanCode, ScanDown);

    // Forwarding: the inner backend sees every other call.
    recorder.sleep(0.25);
    recorder.showPointer(false);
    recorder.swapBuffers();
    EXPECT_EQ(headless.clock, 10.75);
    EXPECT_FALSE(headless.pointerVisible);
    EXPECT_EQ(headless.swapCount, 1);
}

TEST_F(InputRecordTest, ARunThatAsksForOtherCallsEndsTheReplayCleanly) {
    RecordingPlatform recorder(headless);
    headless.heldKeys.insert(ScanUp);
    recorder.timer();
    recorder.keyHeld(ScanUp);
    recorder.readKey();
    const InputStream stream = recorder.finish();

    {  // another scan code
        ReplayPlatform replay(stream, nullptr, false);
        const double start = replay.timer();
        EXPECT_FALSE(replay.keyHeld(ScanDown));
        EXPECT_EQ(replay.progress(), ReplayProgress::Desynchronised);
        EXPECT_EQ(replay.endReport(),
                  "call 2: the game asked for keyHeld(80), the record holds keyHeld(72)");
        // Once ended: Esc as the key, time moving on, nothing held.
        EXPECT_EQ(replay.readKey(), KeyEsc);
        EXPECT_EQ(replay.readKey(), KeyEsc);
        EXPECT_GT(replay.timer(), start);
        EXPECT_GT(replay.timer(), start + 0.0167);
        EXPECT_FALSE(replay.keyHeld(ScanUp));
        EXPECT_EQ(replay.mouse().x, -1);
        EXPECT_EQ(replay.progress(), ReplayProgress::Desynchronised);
        EXPECT_EQ(replay.callsGiven(), 1u);
    }
    {  // another kind of call
        ReplayPlatform replay(stream, nullptr, false);
        EXPECT_EQ(replay.readKey(), KeyEsc);
        EXPECT_EQ(replay.progress(), ReplayProgress::Desynchronised);
        EXPECT_EQ(replay.endReport(), "call 1: the game asked for readKey, the record holds timer");
    }
    {  // past the end
        ReplayPlatform replay(stream, nullptr, false);
        replay.timer();
        EXPECT_TRUE(replay.keyHeld(ScanUp));
        EXPECT_EQ(replay.readKey(), "");
        EXPECT_TRUE(replay.allGiven());
        EXPECT_EQ(replay.progress(), ReplayProgress::Playing);
        EXPECT_EQ(replay.readKey(), KeyEsc);
        EXPECT_EQ(replay.progress(), ReplayProgress::Exhausted);
    }
    {  // an empty record
        const InputStream none;
        ReplayPlatform replay(none, nullptr, false);
        replay.timer();
        EXPECT_EQ(replay.progress(), ReplayProgress::Exhausted);
    }
}

TEST_F(InputRecordTest, AWatchedReplayShowsOnTheDisplayKeepsThePaceAndStopsOnEsc) {
    headless.onSleep = nullptr;
    RecordingPlatform recorder(headless);
    headless.clock = 100.0;
    recorder.timer();
    recorder.readKey();
    headless.clock = 101.5;
    recorder.timer();
    recorder.readKey();
    recorder.readKey();
    const InputStream stream = recorder.finish();

    HeadlessPlatform display;
    display.clock = 7.0;
    ReplayPlatform replay(stream, &display, true);
    EXPECT_TRUE(replay.openWindow(640, 480, false));
    EXPECT_TRUE(display.windowOpen);
    replay.setWindowTitle("Zindrop 7");
    replay.showPointer(false);
    replay.swapBuffers();
    EXPECT_EQ(display.windowTitle, "Zindrop 7");
    EXPECT_FALSE(display.pointerVisible);
    EXPECT_EQ(display.swapCount, 1);

    EXPECT_EQ(replay.timer(), 100.0);
    EXPECT_EQ(display.clock, 7.0);
    replay.sleep(0.5);  // the recorded times already hold the game's sleeps
    EXPECT_EQ(display.clock, 7.0);
    EXPECT_EQ(replay.readKey(), "");
    EXPECT_EQ(replay.timer(), 101.5);
    EXPECT_DOUBLE_EQ(display.clock, 8.5);  // slept until the recorded time was due

    display.keyQueue.push_back(KeyEsc);
    EXPECT_EQ(replay.readKey(), KeyEsc);
    EXPECT_EQ(replay.progress(), ReplayProgress::Stopped);
    EXPECT_TRUE(display.keyQueue.empty());
}

TEST_F(InputRecordTest, LongRunsOfOneCallSplitAtTheRepeatCap) {
    headless.onSleep = nullptr;
    RecordingPlatform recorder(headless);
    for (std::uint32_t i = 0; i < MaxInputRepeats + 3; ++i) recorder.timer();
    std::vector<InputCall> calls = callsOf(recorder.finish());
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].repeats, MaxInputRepeats);
    EXPECT_EQ(calls[1].repeats, 1u);

    // A run added at once splits the same way.
    InputStreamWriter writer;
    InputCall many;
    many.kind = InputKind::KeyHeld;
    many.repeats = MaxInputRepeats;
    writer.add(many);
    many.repeats = 2;
    writer.add(many);
    calls = callsOf(writer.finish());
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].repeats, MaxInputRepeats);
    EXPECT_EQ(calls[1].repeats, 2u);
}

}  // namespace
