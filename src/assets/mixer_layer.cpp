#include "assets/mixer_layer.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include "platform/files.h"

MixerLayerState mixerLayer;

namespace {

// The one loaded music track of the real path.
Mix_Music* music = nullptr;

void record(MixOp op, int handle = 0, int channel = -1, int volume = 0, const std::string& path = "") {
    mixerLayer.calls.push_back(MixCall{op, handle, channel, volume, path});
}

bool validClip(ClipHandle clip) {
    return clip >= 1 && clip <= static_cast<int>(mixerLayer.clips.size());
}

}  // namespace

bool mlOpenDevice() {
    if (mixerLayer.recording) {
        if (mixerLayer.deviceMissing) return false;
        record(MixOp::OpenDevice);
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

void mlCloseDevice() {
    mixerLayer.musicFinished = nullptr;
    if (mixerLayer.recording) {
        record(MixOp::CloseDevice);
        return;
    }
    Mix_HookMusicFinished(nullptr);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void mlAllocateChannels(int count) {
    if (mixerLayer.recording) {
        record(MixOp::AllocateChannels, 0, -1, count);
        return;
    }
    Mix_AllocateChannels(count);
}

ClipHandle mlLoadClip(const std::string& path) {
    Mix_Chunk* chunk = nullptr;
    bool loaded;
    if (mixerLayer.recording) {
        loaded = fileExists(path);
    } else {
        chunk = Mix_LoadWAV(path.c_str());
        loaded = chunk != nullptr;
    }
    ClipHandle clip = 0;
    if (loaded) {
        mixerLayer.clips.push_back(LoadedClip{path, chunk});
        clip = static_cast<ClipHandle>(mixerLayer.clips.size());
    }
    if (mixerLayer.recording) record(MixOp::LoadClip, clip, -1, 0, path);
    return clip;
}

void mlFreeClip(ClipHandle clip) {
    if (!validClip(clip)) return;
    if (mixerLayer.recording) {
        record(MixOp::FreeClip, clip);
        return;
    }
    Mix_Chunk*& chunk = mixerLayer.clips[static_cast<std::size_t>(clip - 1)].chunk;
    if (chunk != nullptr) Mix_FreeChunk(chunk);
    chunk = nullptr;
}

int mlFreeChannel() {
    if (!mixerLayer.recording) return Mix_GroupAvailable(-1);
    for (int channel = 0; channel < MixerChannels; ++channel)
        if (!mixerLayer.channelBusy[static_cast<std::size_t>(channel)]) return channel;
    return -1;
}

void mlChannelVolume(int channel, int volume) {
    if (mixerLayer.recording) {
        record(MixOp::ChannelVolume, 0, channel, volume);
        return;
    }
    Mix_Volume(channel, volume);
}

bool mlPlayClip(ClipHandle clip, int channel) {
    if (!validClip(clip)) return false;
    const LoadedClip& loaded = mixerLayer.clips[static_cast<std::size_t>(clip - 1)];
    if (mixerLayer.recording) {
        record(MixOp::PlayClip, clip, channel, 0, loaded.path);
        return true;
    }
    return loaded.chunk != nullptr && Mix_PlayChannel(channel, loaded.chunk, 0) == channel;
}

bool mlLoadMusic(const std::string& path) {
    if (mixerLayer.recording) {
        const bool loaded = fileExists(path);
        record(MixOp::LoadMusic, 0, -1, loaded ? 1 : 0, path);
        return loaded;
    }
    music = Mix_LoadMUS(path.c_str());
    return music != nullptr;
}

void mlPlayMusic() {
    if (mixerLayer.recording) {
        record(MixOp::PlayMusic);
        mixerLayer.musicPlaying = true;
        return;
    }
    // One loop is a single play from the start in every SDL_mixer version.
    if (music != nullptr) Mix_PlayMusic(music, 1);
}

void mlMusicVolume(int volume) {
    if (mixerLayer.recording) {
        record(MixOp::MusicVolume, 0, -1, volume);
        return;
    }
    Mix_VolumeMusic(volume);
}

void mlHaltMusic() {
    if (mixerLayer.recording) {
        record(MixOp::HaltMusic);
        // The mixer calls the finished hook for a track it halts.
        const bool wasPlaying = mixerLayer.musicPlaying;
        mixerLayer.musicPlaying = false;
        if (wasPlaying && mixerLayer.musicFinished != nullptr) mixerLayer.musicFinished();
        return;
    }
    Mix_HaltMusic();
}

void mlFreeMusic() {
    if (mixerLayer.recording) {
        record(MixOp::FreeMusic);
        mixerLayer.musicPlaying = false;
        return;
    }
    if (music != nullptr) Mix_FreeMusic(music);
    music = nullptr;
}

void mlHookMusicFinished(void (*hook)()) {
    mixerLayer.musicFinished = hook;
    if (!mixerLayer.recording) Mix_HookMusicFinished(hook);
}

void mlSimulateMusicEnd() {
    if (!mixerLayer.recording || !mixerLayer.musicPlaying) return;
    mixerLayer.musicPlaying = false;
    if (mixerLayer.musicFinished != nullptr) mixerLayer.musicFinished();
}
