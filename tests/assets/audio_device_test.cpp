// The real mixer path, without a sound card: SDL's dummy driver plays into
// nothing in real time, its disk driver writes the mix to a file that the
// test reads back, and a driver name that does not exist stands for a machine
// without sound. The game itself never chooses a driver; only these tests do.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "assets/audio.h"
#include "config/settings.h"
#include "platform/files.h"
#include "support/headless_game.h"

namespace {

const std::string dataFolder = std::string(ZD_SOURCE_DIR) + "/data/";

bool driverAvailable(const char* name) {
    for (int i = 0; i < SDL_GetNumAudioDrivers(); ++i)
        if (std::strcmp(SDL_GetAudioDriver(i), name) == 0) return true;
    return false;
}

// Waits, up to `seconds`, until `done` holds; the mixer runs in real time.
template <class Condition>
bool waitFor(Condition done, double seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

class AudioDeviceTest : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        mixerLayer.recording = false;
        for (const char* name : {"flag.ogg", "bump.ogg", "tavisk.ogg"}) copyClip(name, name);
        // A short track, so that its end comes within the test.
        copyClip("flag.ogg", "audio/short.ogg");
    }
    void TearDown() override {
        closeAudio();
        HeadlessGameTest::TearDown();
    }
    void copyClip(const std::string& from, const std::string& to) {
        Bytes clip;
        ASSERT_TRUE(readFile(dataFolder + from, clip));
        folder.write(to, clip);
    }
    // Opens the device through `driver`, or reports that this SDL lacks it.
    bool startWith(const char* driver) {
        if (!driverAvailable(driver)) return false;
        setenv("SDL_AUDIODRIVER", driver, 1);
        startAudio();
        return audio.audioOpen != 0;
    }
    const Mix_Chunk& clip(int n) const {
        return *mixerLayer.clips[static_cast<std::size_t>(audio.sounds[n] - 1)].chunk;
    }
};

TEST_F(AudioDeviceTest, TheDummyDriverPlaysClipsAndHandsTheTrackEndToTheGame) {
    if (!startWith("dummy")) GTEST_SKIP() << "no dummy audio driver";
    EXPECT_NE(audio.sounds[1], 0);
    EXPECT_EQ(audio.sounds[2], 0) << "bomb.ogg is not in this folder";
    ASSERT_EQ(audio.musicList.count(), 1);

    playSound(1);
    EXPECT_EQ(Mix_Playing(-1), 1);
    EXPECT_EQ(Mix_Volume(0, -1), 128);
    playBump(12.5);
    EXPECT_EQ(Mix_Playing(-1), 2);
    EXPECT_EQ(Mix_Volume(1, -1), 8);

    playCurrentTrack();
    ASSERT_EQ(Mix_PlayingMusic(), 1);
    EXPECT_EQ(Mix_VolumeMusic(-1), 64);
    ASSERT_TRUE(waitFor([] { return audio.trackEnded.raised.load(); }, 10.0));
    // The mixer's thread only raised the notice: nothing plays until the
    // game's thread acts on it.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    serviceAudio();
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    EXPECT_FALSE(audio.trackEnded.raised.load());

    toggleMusic();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    serviceAudio();
    EXPECT_EQ(Mix_PlayingMusic(), 0) << "a deliberate stop is no end of track";
}

TEST_F(AudioDeviceTest, ADriverThatCannotOpenLeavesNothingOpenAndTheSwitchesAsSet) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    settings.soundEffectsOn = -1;
    settings.musicOn = 0;
    settings.voicesOn = -1;
    startAudio();
    EXPECT_EQ(audio.audioOpen, 0);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_EQ(settings.soundEffectsOn, -1);
    EXPECT_EQ(settings.musicOn, 0);
    EXPECT_EQ(settings.voicesOn, -1);
    playSound(1);
    toggleMusic();
    EXPECT_EQ(settings.musicOn, -1);
}

// The disk driver's file holds the mix as signed 16-bit stereo samples, one
// 1024-frame buffer after another. A clip alone on a channel of volume v
// comes out as its own samples times v / 128 (truncated), starting at a
// buffer boundary.
class RecordedMix : public AudioDeviceTest {
protected:
    std::string file() const { return folder.path() + "mix.raw"; }

    // Plays clip n (at the bump's volume for `bumpSpeed`, else in full),
    // lets it finish and returns the recorded mix.
    std::vector<std::int16_t> record(int n, double bumpSpeed = 0) {
        setenv("SDL_DISKAUDIOFILE", file().c_str(), 1);
#ifndef _WIN32
        // About ten times real time. SDL on Windows keeps one buffer for
        // every environment value it reads, so that the delay read after it
        // would overwrite the file name: there the mix runs in real time.
        setenv("SDL_DISKAUDIODELAY", "2", 1);
#endif
        driverMissing = !startWith("disk");
        if (driverMissing) return {};
        if (bumpSpeed != 0)
            playBump(bumpSpeed);
        else
            playSound(n);
        EXPECT_TRUE(waitFor([] { return Mix_Playing(-1) == 0; }, 10.0));
        // Two more buffers of silence after it.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        expected = samplesOf(clip(n));
        closeAudio();
        Bytes bytes;
        EXPECT_TRUE(readFile(file(), bytes));
        std::vector<std::int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

    static std::vector<std::int16_t> samplesOf(const Mix_Chunk& chunk) {
        std::vector<std::int16_t> samples(chunk.alen / 2);
        std::memcpy(samples.data(), chunk.abuf, samples.size() * 2);
        return samples;
    }

    // Where the clip, scaled to `volume`, lies in the mix: the buffer it
    // starts in, or -1.
    long findClip(const std::vector<std::int16_t>& mix, int volume) const {
        const std::size_t bufferSamples = 1024 * 2;
        for (std::size_t start = 0; start + expected.size() <= mix.size(); start += bufferSamples) {
            bool same = true;
            for (std::size_t i = 0; same && i < expected.size(); ++i)
                same = mix[start + i] == expected[i] * volume / 128;
            if (same) return static_cast<long>(start / bufferSamples);
        }
        return -1;
    }

    static int peak(const std::vector<std::int16_t>& mix) {
        int loudest = 0;
        for (std::int16_t sample : mix) loudest = std::max(loudest, std::abs(int(sample)));
        return loudest;
    }

    std::vector<std::int16_t> expected;  // the clip's own samples
    bool driverMissing = false;
};

TEST_F(RecordedMix, AClipComesOutSampleForSampleAtFullVolume) {
    const auto mix = record(1);
    if (driverMissing) GTEST_SKIP() << "no disk audio driver";
    ASSERT_GT(peak(expected), 1000) << "the flag clip is not silent";
    EXPECT_EQ(peak(mix), peak(expected));
    EXPECT_GE(findClip(mix, 128), 0);
    std::printf("flag clip: %zu samples, peak %d; mix: %zu samples, peak %d, clip at buffer %ld\n",
                expected.size(), peak(expected), mix.size(), peak(mix), findClip(mix, 128));
}

TEST_F(RecordedMix, ASlowBumpIsHeardAtOneSixteenthThroughout) {
    const auto mix = record(BumpClip, 12.5);
    if (driverMissing) GTEST_SKIP() << "no disk audio driver";
    ASSERT_GT(peak(expected), 1000);
    // Volume 8 from its first sample: the channel's volume was set before
    // the clip started.
    EXPECT_GE(findClip(mix, 8), 0);
    EXPECT_EQ(peak(mix), peak(expected) * 8 / 128);
    std::printf("bump clip: peak %d; mix at speed 12.5: peak %d\n", peak(expected), peak(mix));
}

TEST_F(RecordedMix, NothingPlayedLeavesTheMixSilent) {
    settings.soundEffectsOn = 0;
    const auto mix = record(BumpClip, 40);  // effects off: the bump stays silent
    if (driverMissing) GTEST_SKIP() << "no disk audio driver";
    EXPECT_FALSE(mix.empty());
    EXPECT_EQ(peak(mix), 0);
}

}  // namespace
