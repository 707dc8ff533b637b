// Audio: the sound clips, the music list and the track in use. Opened once at
// start-up and closed at quit; when no device opens, everything stays silent
// while the sound switches keep their stored values. Callers test the sound
// switches (effects, voices) before asking for a clip. All mixing goes
// through the mixer layer (mixer_layer.h), which tests can record.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "assets/mixer_layer.h"
#include "assets/sound_table.h"
#include "base/list.h"

constexpr int MusicVolume = 64;  // of 128

// A flag the mixer's thread raises and the game's thread lowers. Copying it
// (as resetting the audio state does) copies its value.
struct CrossThreadFlag {
    std::atomic<bool> raised{false};
    CrossThreadFlag() = default;
    CrossThreadFlag(const CrossThreadFlag& other) : raised(other.raised.load()) {}
    CrossThreadFlag& operator=(const CrossThreadFlag& other) {
        raised.store(other.raised.load());
        return *this;
    }
};

struct AudioState {
    std::int32_t audioOpen = 0;          // -1 once the device opened
    ClipHandle sounds[soundCount] = {};  // the clips by number; 0 for one that did not load
    List<std::string> musicList;  // "audio/" + file name of every music file, listing order
    std::int32_t musicIndex = 0;  // the current track in musicList; a level load may set it
    std::int32_t musicLoaded = 0;        // -1 while a music track is loaded
    CrossThreadFlag trackEnded;          // raised by the mixer when the music stops
    bool recordRequests = false;  // keep every clip request in `requests` (tests and tools)
    std::vector<int> requests;    // clip numbers asked for, in order, while recordRequests
};

extern AudioState audio;

// Opens the device, loads the clips and lists the music (once, before the
// window opens). Without a device every later operation does nothing.
void startAudio();

// Frees the clips and the music and closes the device (the quit sequence).
void closeAudio();

// Plays clip n (0..28) once at full volume.
void playSound(int n);

// The wall-bump clip, louder the faster the ball was (`speed`: the velocity
// along the blocked axis before the step); silent below 10, full from 50.
// Only while sound effects are on.
void playBump(double speed);

// Starts the music file `entry` (a musicList entry) once from its start,
// after stopping the current one; an empty entry only stops.
void playMusic(const std::string& entry);

// Starts musicList[musicIndex], or stops the music when there is none.
void playCurrentTrack();

void stopMusic();

// Once per frame on the game's thread: a track that played to its end
// starts again while music is on.
void serviceAudio();

// Flips the music switch; off stops the track at once, on restarts it.
void toggleMusic();

// Flip the sound-effect and voice switches.
void toggleEffects();
void toggleVoices();

// Step through the music list (the editor's track buttons); the track
// restarts even when the index stays.
void previousTrack();
void nextTrack();
