// Audio: the sound clips, the music list and the track in use. Opened once at
// start-up and closed at quit; when no device opens, everything stays silent.
// Callers test the sound switches (effects, voices) before asking for a clip.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/list.h"

struct AudioState {
    List<std::string> musicList;  // "audio/" + file name of every music file, listing order
    std::int32_t musicIndex = 0;  // the current track in musicList; a level load may set it
    bool recordRequests = false;  // keep every clip request in `requests` (tests and tools)
    std::vector<int> requests;    // clip numbers asked for, in order, while recordRequests
};

extern AudioState audio;

// Plays clip n (0..28) once at full volume.
void playSound(int n);

// The wall-bump clip, louder the faster the ball was (`speed`: the velocity
// along the blocked axis before the step); silent below 10.
void playBump(double speed);

// Flips the music switch; off stops the track at once, on restarts it.
void toggleMusic();

// Flip the sound-effect and voice switches.
void toggleEffects();
void toggleVoices();

// Step through the music list (the editor's track buttons); the track
// restarts even when the index stays.
void previousTrack();
void nextTrack();
