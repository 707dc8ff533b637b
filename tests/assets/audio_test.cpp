// What the game asks of the mixer: clips and their volumes, the music track
// and its restarts, the sound switches, and a machine without a sound device.
// The mixer layer records every call; the device is pretended open with 32
// channels that a test can fill.
#include <gtest/gtest.h>

#include <algorithm>

#include "assets/audio.h"
#include "config/dialog.h"
#include "config/settings.h"
#include "gfx/frame.h"
#include "gfx/textures.h"
#include "level/level_file.h"
#include "platform/files.h"
#include "support/headless_game.h"
#include "support/level_bytes.h"

namespace {

class AudioTest : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        for (const char* name : soundFileNames) folder.write(name, "clip");
        for (const char* name : {"alpha.ogg", "beta.ogg", "gamma.ogg"})
            folder.write(std::string(musicFolder) + name, "music");
    }

    void start() {
        startAudio();
        mixerLayer.calls.clear();
    }

    std::vector<MixCall> callsOf(MixOp op) const {
        std::vector<MixCall> found;
        std::copy_if(mixerLayer.calls.begin(), mixerLayer.calls.end(), std::back_inserter(found),
                     [op](const MixCall& call) { return call.op == op; });
        return found;
    }

    // The calls of one restart of `entry`: load, volume 64, play.
    void expectTrackStarted(const std::string& entry) {
        const auto loads = callsOf(MixOp::LoadMusic);
        ASSERT_EQ(loads.size(), 1u);
        EXPECT_EQ(loads[0].path, folder.path() + entry);
        const auto volumes = callsOf(MixOp::MusicVolume);
        ASSERT_EQ(volumes.size(), 1u);
        EXPECT_EQ(volumes[0].volume, 64);
        EXPECT_EQ(callsOf(MixOp::PlayMusic).size(), 1u);
        EXPECT_TRUE(mixerLayer.musicPlaying);
    }

    // The volume the bump clip started with, or -1 when nothing played.
    int bumpVolume(double speed) {
        mixerLayer.calls.clear();
        playBump(speed);
        const auto plays = callsOf(MixOp::PlayClip);
        if (plays.empty()) return -1;
        EXPECT_EQ(plays[0].handle, audio.sounds[BumpClip]);
        const auto volumes = callsOf(MixOp::ChannelVolume);
        EXPECT_EQ(volumes.size(), 1u);
        EXPECT_EQ(volumes[0].channel, plays[0].channel);
        return volumes.empty() ? -2 : volumes[0].volume;
    }
};

TEST_F(AudioTest, StartOpensTheDeviceLoadsEveryClipAndListsTheMusic) {
    deleteFile(folder.path() + "goon.ogg");
    startAudio();
    EXPECT_EQ(audio.audioOpen, -1);
    ASSERT_FALSE(mixerLayer.calls.empty());
    EXPECT_EQ(mixerLayer.calls[0].op, MixOp::OpenDevice);

    const auto loads = callsOf(MixOp::LoadClip);
    ASSERT_EQ(loads.size(), 29u);
    for (int n = 0; n < soundCount; ++n) EXPECT_EQ(loads[n].path, folder.path() + soundFileNames[n]);
    // Clip 21 is a second copy of clip 8; the missing clip is silent.
    EXPECT_NE(audio.sounds[21], audio.sounds[8]);
    EXPECT_EQ(loads[21].path, loads[8].path);
    EXPECT_EQ(audio.sounds[26], 0);
    mixerLayer.calls.clear();
    playSound(26);
    EXPECT_TRUE(mixerLayer.calls.empty());

    mixerLayer.calls.clear();
    startAudio();
    const auto channels = callsOf(MixOp::AllocateChannels);
    ASSERT_EQ(channels.size(), 1u);
    EXPECT_EQ(channels[0].volume, 32);
    ASSERT_EQ(callsOf(MixOp::MusicVolume).size(), 1u);
    EXPECT_EQ(callsOf(MixOp::MusicVolume)[0].volume, 64);

    ASSERT_EQ(audio.musicList.count(), 3);
    EXPECT_EQ(audio.musicList[1], "audio/alpha.ogg");
    EXPECT_EQ(audio.musicList[3], "audio/gamma.ogg");
    EXPECT_EQ(audio.musicIndex, 1);
    EXPECT_TRUE(callsOf(MixOp::PlayMusic).empty()) << "start-up leaves the music to the level";
}

TEST_F(AudioTest, ClipsPlayOnceAtFullVolumeOnTheFirstFreeChannel) {
    start();
    mixerLayer.channelBusy[0] = mixerLayer.channelBusy[1] = true;
    playSound(4);
    const auto plays = callsOf(MixOp::PlayClip);
    ASSERT_EQ(plays.size(), 1u);
    EXPECT_EQ(plays[0].path, folder.path() + "win.ogg");
    EXPECT_EQ(plays[0].channel, 2);
    ASSERT_EQ(callsOf(MixOp::ChannelVolume).size(), 1u);
    EXPECT_EQ(callsOf(MixOp::ChannelVolume)[0].volume, 128);
    // The volume is set before the clip starts, so no part of it is heard
    // at the volume the channel had before.
    EXPECT_EQ(mixerLayer.calls[0].op, MixOp::ChannelVolume);

    mixerLayer.calls.clear();
    playSound(-1);
    playSound(29);
    EXPECT_TRUE(mixerLayer.calls.empty());
}

TEST_F(AudioTest, BumpVolumeFollowsTheSpeedOnTheBlockedAxis) {
    start();
    audio.recordRequests = true;
    EXPECT_EQ(bumpVolume(12.5), 8);
    EXPECT_EQ(bumpVolume(-12.5), 8);
    EXPECT_EQ(bumpVolume(60), 128);  // faster than 50 after an arrow: capped
    EXPECT_EQ(bumpVolume(50), 128);
    EXPECT_EQ(bumpVolume(10), 0);
    EXPECT_EQ(bumpVolume(9.9), -1);
    EXPECT_EQ(bumpVolume(-9.9), -1);
    EXPECT_EQ(audio.requests, (std::vector<int>{0, 0, 0, 0, 0}));

    settings.soundEffectsOn = 0;
    EXPECT_EQ(bumpVolume(40), -1);
    EXPECT_EQ(audio.requests.size(), 5u);
}

TEST_F(AudioTest, AFullSetOfBusyChannelsPlaysNothingAndChangesNoVolume) {
    start();
    mixerLayer.channelBusy.fill(true);
    playSound(1);
    playBump(30);
    EXPECT_TRUE(mixerLayer.calls.empty());
    mixerLayer.channelBusy[31] = false;
    playSound(1);
    ASSERT_EQ(callsOf(MixOp::PlayClip).size(), 1u);
    EXPECT_EQ(callsOf(MixOp::PlayClip)[0].channel, 31);
}

TEST_F(AudioTest, TheStartupJingleGreetsTheLogoOnlyWithEffectsOn) {
    start();
    dialog.dialogId = -1;
    settings.soundEffectsOn = 0;
    loadTextures(drawFrame);
    EXPECT_TRUE(callsOf(MixOp::PlayClip).empty());

    mixerLayer.calls.clear();
    settings.soundEffectsOn = -1;
    settings.voicesOn = 0;  // the jingle is an effect, not a voice
    loadTextures(drawFrame);
    const auto plays = callsOf(MixOp::PlayClip);
    ASSERT_EQ(plays.size(), 1u);
    EXPECT_EQ(plays[0].handle, audio.sounds[StartupJingle]);
    EXPECT_EQ(plays[0].path, folder.path() + "tavisk.ogg");
}

TEST_F(AudioTest, TrackButtonsStopAtTheEndsAndRestartTheTrack) {
    start();
    audio.musicIndex = 3;
    nextTrack();
    EXPECT_EQ(audio.musicIndex, 3);
    expectTrackStarted("audio/gamma.ogg");

    // The old track is halted and freed before the new one loads.
    mixerLayer.calls.clear();
    previousTrack();
    EXPECT_EQ(audio.musicIndex, 2);
    ASSERT_GE(mixerLayer.calls.size(), 3u);
    EXPECT_EQ(mixerLayer.calls[0].op, MixOp::HaltMusic);
    EXPECT_EQ(mixerLayer.calls[1].op, MixOp::FreeMusic);
    expectTrackStarted("audio/beta.ogg");

    audio.musicIndex = 1;
    mixerLayer.calls.clear();
    previousTrack();
    EXPECT_EQ(audio.musicIndex, 1);
    expectTrackStarted("audio/alpha.ogg");

    // With music off the buttons only choose.
    toggleMusic();
    mixerLayer.calls.clear();
    nextTrack();
    EXPECT_EQ(audio.musicIndex, 2);
    EXPECT_TRUE(mixerLayer.calls.empty());
}

TEST_F(AudioTest, MusicOffStopsAtOnceAndOnRestartsTheCurrentTrack) {
    start();
    audio.musicIndex = 2;
    playCurrentTrack();
    mixerLayer.calls.clear();

    toggleMusic();
    EXPECT_EQ(settings.musicOn, 0);
    EXPECT_FALSE(mixerLayer.musicPlaying);
    EXPECT_EQ(callsOf(MixOp::HaltMusic).size(), 1u);
    EXPECT_EQ(callsOf(MixOp::FreeMusic).size(), 1u);
    // Halting raises the mixer's finished notice; the next frame must not
    // take it for the end of the track.
    serviceAudio();
    EXPECT_TRUE(callsOf(MixOp::PlayMusic).empty());

    mixerLayer.calls.clear();
    toggleMusic();
    EXPECT_EQ(settings.musicOn, -1);
    expectTrackStarted("audio/beta.ogg");
}

TEST_F(AudioTest, AnEndedTrackRestartsOnTheNextFrameNotInTheMixersCallback) {
    start();
    audio.musicIndex = 3;
    playCurrentTrack();
    mixerLayer.calls.clear();

    mlSimulateMusicEnd();
    EXPECT_TRUE(mixerLayer.calls.empty()) << "the callback only raises the notice";
    EXPECT_TRUE(audio.trackEnded.raised.load());

    dialog.dialogId = -1;  // the logo screen: a frame with nothing else to draw
    drawFrame();
    EXPECT_FALSE(audio.trackEnded.raised.load());
    expectTrackStarted("audio/gamma.ogg");

    // One notice, one restart.
    mixerLayer.calls.clear();
    drawFrame();
    EXPECT_TRUE(mixerLayer.calls.empty());

    // With music switched off in between, the end restarts nothing.
    mlSimulateMusicEnd();
    settings.musicOn = 0;
    serviceAudio();
    EXPECT_TRUE(callsOf(MixOp::PlayMusic).empty());
}

TEST_F(AudioTest, AMusicFileThatDoesNotLoadPlaysNothingUntilTheNextChange) {
    start();
    deleteFile(folder.path() + "audio/beta.ogg");  // listed, then gone
    audio.musicIndex = 3;
    playCurrentTrack();
    mixerLayer.calls.clear();

    previousTrack();
    EXPECT_EQ(audio.musicIndex, 2);
    EXPECT_EQ(callsOf(MixOp::LoadMusic).size(), 1u);
    EXPECT_TRUE(callsOf(MixOp::PlayMusic).empty());
    EXPECT_FALSE(mixerLayer.musicPlaying);
    EXPECT_EQ(audio.musicLoaded, 0);

    folder.write("audio/beta.ogg", "music");
    toggleMusic();
    mixerLayer.calls.clear();
    toggleMusic();
    expectTrackStarted("audio/beta.ogg");
}

TEST_F(AudioTest, WithoutMusicFilesTheListIsEmptyAndNothingPlays) {
    for (const char* name : {"alpha.ogg", "beta.ogg", "gamma.ogg"})
        deleteFile(folder.path() + musicFolder + name);
    start();
    EXPECT_TRUE(audio.musicList.empty());
    toggleMusic();
    toggleMusic();
    nextTrack();
    previousTrack();
    serviceAudio();
    EXPECT_EQ(audio.musicIndex, 1);
    EXPECT_TRUE(callsOf(MixOp::LoadMusic).empty());
    EXPECT_TRUE(callsOf(MixOp::PlayMusic).empty());
}

TEST_F(AudioTest, ALoadedLevelStartsItsOwnTrackWhileMusicIsOn) {
    folder.write("audio/Tune.ogg", "music");
    folder.write("level.zdl", sampleLevelBytes(7));  // stores "TUNE.OGG"
    start();
    ASSERT_TRUE(loadLevel(folder.path() + "level.zdl"));
    EXPECT_EQ(audio.musicList[audio.musicIndex], "audio/Tune.ogg");
    expectTrackStarted("audio/Tune.ogg");

    settings.musicOn = 0;
    stopMusic();
    mixerLayer.calls.clear();
    ASSERT_TRUE(loadLevel(folder.path() + "level.zdl"));
    EXPECT_TRUE(mixerLayer.calls.empty());
}

TEST_F(AudioTest, WithoutADeviceNothingSoundsAndTheSwitchesKeepTheirValues) {
    mixerLayer.deviceMissing = true;
    settings.soundEffectsOn = -1;
    settings.musicOn = -1;
    settings.voicesOn = 0;
    audio.recordRequests = true;
    startAudio();
    EXPECT_EQ(audio.audioOpen, 0);
    EXPECT_EQ(settings.soundEffectsOn, -1);
    EXPECT_EQ(settings.musicOn, -1);
    EXPECT_EQ(settings.voicesOn, 0);
    // The list is still read, so a level saved in the editor keeps its track.
    EXPECT_EQ(audio.musicList.count(), 3);

    playSound(3);
    playBump(40);
    playMusic("audio/alpha.ogg");
    nextTrack();
    serviceAudio();
    // The play code's requests are still seen, whatever the device.
    EXPECT_EQ(audio.requests, (std::vector<int>{3, 0}));

    // The menus still flip the switches, and quitting saves them as set.
    toggleEffects();
    toggleVoices();
    toggleMusic();
    closeAudio();
    EXPECT_TRUE(mixerLayer.calls.empty());
    EXPECT_EQ(settings.soundEffectsOn, 0);
    EXPECT_EQ(settings.voicesOn, -1);
    toggleEffects();
    toggleMusic();
    ASSERT_TRUE(saveSettings());
    settings = Settings();
    settings.musicOn = settings.soundEffectsOn = settings.voicesOn = 0;
    loadSettings();
    EXPECT_EQ(settings.soundEffectsOn, -1);
    EXPECT_EQ(settings.musicOn, -1);
    EXPECT_EQ(settings.voicesOn, -1);
}

TEST_F(AudioTest, CloseFreesTheClipsAndTheMusicThenClosesTheDevice) {
    start();
    playCurrentTrack();
    mixerLayer.calls.clear();
    closeAudio();
    EXPECT_EQ(audio.audioOpen, 0);
    ASSERT_FALSE(mixerLayer.calls.empty());
    EXPECT_EQ(mixerLayer.calls.front().op, MixOp::HaltMusic);
    EXPECT_EQ(mixerLayer.calls.back().op, MixOp::CloseDevice);
    EXPECT_EQ(callsOf(MixOp::FreeClip).size(), 29u);
    closeAudio();
    EXPECT_EQ(mixerLayer.calls.back().op, MixOp::CloseDevice);
    EXPECT_EQ(callsOf(MixOp::CloseDevice).size(), 1u);
}

}  // namespace
