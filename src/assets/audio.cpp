#include "assets/audio.h"

#include <algorithm>
#include <cmath>

#include "base/numeric.h"
#include "config/paths.h"
#include "config/settings.h"
#include "platform/files.h"

AudioState audio;

namespace {

constexpr int FullVolume = 128;

void recordRequest(int n) {
    if (audio.recordRequests) audio.requests.push_back(n);
}

// Runs on the mixer's thread, with the mixer locked: it may only raise the
// flag. serviceAudio acts on it from the game's thread.
void onMusicFinished() { audio.trackEnded.raised.store(true); }

void listMusic() {
    audio.musicList.clear();
    const std::string folder = paths.programFolder + musicFolder;
    for (const std::string& name : listFolder(folder, "*.ogg", EntryKind::Files))
        audio.musicList.append(musicFolder + name);
}

void startClip(int n, int volume) {
    if (audio.audioOpen == 0 || audio.sounds[n] == 0) return;
    const int channel = mlFreeChannel();
    if (channel < 0) return;
    mlChannelVolume(channel, volume);
    mlPlayClip(audio.sounds[n], channel);
}

}  // namespace

void startAudio() {
    audio.musicLoaded = 0;
    audio.trackEnded.raised.store(false);
    audio.audioOpen = mlOpenDevice() ? -1 : 0;
    // A missing device leaves the sound switches as the player set them:
    // they are saved at quit, and sound comes back on a machine that has it.
    // The music list is read either way, so that the editor still shows and
    // keeps a level's track.
    listMusic();
    audio.musicIndex = 1;
    if (audio.audioOpen == 0) return;
    mlMusicVolume(MusicVolume);
    mlHookMusicFinished(onMusicFinished);
    for (int n = 0; n < soundCount; ++n)
        audio.sounds[n] = mlLoadClip(paths.programFolder + soundFileNames[n]);
    mlAllocateChannels(MixerChannels);
}

void closeAudio() {
    if (audio.audioOpen == 0) return;
    stopMusic();
    for (ClipHandle& clip : audio.sounds) {
        mlFreeClip(clip);
        clip = 0;
    }
    mlCloseDevice();
    audio.audioOpen = 0;
}

void playSound(int n) {
    if (n < 0 || n >= soundCount) return;
    recordRequest(n);
    startClip(n, FullVolume);
}

void playBump(double speed) {
    if (settings.soundEffectsOn == 0) return;
    const double size = std::fabs(speed);
    if (!(size >= 10)) return;
    recordRequest(BumpClip);
    // Speed 10 is silent and speed 50 is full volume.
    const double volume = std::min(size * 3.2 - 32, static_cast<double>(FullVolume));
    startClip(BumpClip, static_cast<int>(nearest(volume)));
}

void stopMusic() {
    if (audio.audioOpen == 0) return;
    mlHaltMusic();
    mlFreeMusic();
    audio.musicLoaded = 0;
    // Halting calls the mixer's finished hook; a deliberate stop is no end
    // of track.
    audio.trackEnded.raised.store(false);
}

void playMusic(const std::string& entry) {
    if (audio.audioOpen == 0) return;
    if (audio.musicLoaded != 0) stopMusic();
    audio.trackEnded.raised.store(false);
    if (entry.empty()) return;
    // A file that does not load leaves no music; the next toggle or track
    // change tries it again.
    if (!mlLoadMusic(paths.programFolder + entry)) return;
    audio.musicLoaded = -1;
    mlMusicVolume(MusicVolume);
    mlPlayMusic();
}

void playCurrentTrack() {
    playMusic(audio.musicList.valid(audio.musicIndex) ? audio.musicList[audio.musicIndex] : "");
}

void serviceAudio() {
    if (!audio.trackEnded.raised.exchange(false)) return;
    if (audio.audioOpen != 0 && settings.musicOn != 0) playCurrentTrack();
}

void toggleMusic() {
    settings.musicOn = ~settings.musicOn;
    if (settings.musicOn == 0)
        stopMusic();
    else
        playCurrentTrack();
}

void toggleEffects() { settings.soundEffectsOn = ~settings.soundEffectsOn; }
void toggleVoices() { settings.voicesOn = ~settings.voicesOn; }

void previousTrack() {
    if (audio.musicIndex > 1) audio.musicIndex -= 1;
    if (settings.musicOn != 0) playCurrentTrack();
}

void nextTrack() {
    if (audio.musicIndex < audio.musicList.count()) audio.musicIndex += 1;
    if (settings.musicOn != 0) playCurrentTrack();
}
