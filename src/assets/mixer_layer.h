// The mixer layer: the only place the game calls SDL's audio and SDL_mixer.
// Every call either goes to the mixer or, while `mixerLayer.recording` is set,
// is appended to `mixerLayer.calls`, so that a test can check what the game
// asked to hear without a sound card. While recording, the device opens
// (unless `deviceMissing`), clips and music load when their file exists, and
// the free channels are those of the MixerChannels that the test has not
// marked busy (a recorded clip does not keep its channel busy).
#pragma once

#include <array>
#include <string>
#include <vector>

constexpr int MixerChannels = 32;  // channels allocated for sound clips

struct Mix_Chunk;  // SDL_mixer's decoded clip

// A loaded clip; 0 is none (a clip that could not be loaded).
using ClipHandle = int;

struct LoadedClip {
    std::string path;            // the file it came from
    Mix_Chunk* chunk = nullptr;  // the mixer's samples; null while recording or once freed
};

enum class MixOp {
    OpenDevice,     // the device opened (44100 Hz, signed 16-bit LE, stereo, 1024 frames)
    CloseDevice,
    AllocateChannels,  // volume: the number of channels
    LoadClip,       // path; handle: what came back (0 = failed)
    FreeClip,       // handle
    ChannelVolume,  // channel, volume (0..128)
    PlayClip,       // handle, path, channel
    LoadMusic,      // path; volume: 1 loaded, 0 failed
    PlayMusic,      // the loaded music, once from its start
    MusicVolume,    // volume (0..128)
    HaltMusic,
    FreeMusic,
};

struct MixCall {
    MixOp op;
    int handle = 0;     // the clip concerned
    int channel = -1;   // the mixing channel concerned
    int volume = 0;     // a volume, a count or a success flag (see MixOp)
    std::string path;   // the file loaded or played
};

struct MixerLayerState {
    bool recording = false;         // record calls instead of mixing
    std::vector<MixCall> calls;     // what was recorded
    bool deviceMissing = false;     // while recording: opening the device fails
    std::array<bool, MixerChannels> channelBusy{};  // while recording: channels a test filled
    bool musicPlaying = false;      // while recording: music started and not yet halted or ended
    std::vector<LoadedClip> clips;  // every clip handle's file and samples, at handle - 1
    void (*musicFinished)() = nullptr;   // the hook the music's end calls (mixer thread)
};

extern MixerLayerState mixerLayer;

// Starts SDL's audio and opens the device in the game's format. False when
// there is no device; nothing stays open then.
bool mlOpenDevice();
// Closes the device and SDL's audio; the hook is removed first.
void mlCloseDevice();
void mlAllocateChannels(int count);

ClipHandle mlLoadClip(const std::string& path);
void mlFreeClip(ClipHandle clip);
// The first channel that plays nothing, or -1 when all are busy. Only the
// mixer's thread ends clips, so the channel stays free until the game starts
// one there: its volume can be set before the clip starts.
int mlFreeChannel();
void mlChannelVolume(int channel, int volume);
// Starts the clip once on `channel`; false when it did not start.
bool mlPlayClip(ClipHandle clip, int channel);

// One music track at a time: load it (freeing none), play it once, halt it,
// free it. Halting calls the finished hook, on the calling thread.
bool mlLoadMusic(const std::string& path);
void mlPlayMusic();
void mlMusicVolume(int volume);
void mlHaltMusic();
void mlFreeMusic();

// The function the mixer calls, on its own thread, when the music stops.
void mlHookMusicFinished(void (*hook)());

// While recording: the playing track reaches its end, as the mixer's thread
// would report it (the hook runs; nothing else happens).
void mlSimulateMusicEnd();
