#include "audio/audio.h"

#include <cmath>

#include "core/settings.h"

AudioState audio;

namespace {
void recordRequest(int n) {
    if (audio.recordRequests) audio.requests.push_back(n);
}
}  // namespace

void playSound(int n) { recordRequest(n); }

void playBump(double speed) {
    if (std::fabs(speed) < 10) return;
    recordRequest(0);
}

void toggleMusic() { settings.musicOn = ~settings.musicOn; }

void toggleEffects() { settings.soundEffectsOn = ~settings.soundEffectsOn; }
void toggleVoices() { settings.voicesOn = ~settings.voicesOn; }

void previousTrack() {
    if (audio.musicIndex > 1) audio.musicIndex -= 1;
}

void nextTrack() {
    if (audio.musicIndex < audio.musicList.count()) audio.musicIndex += 1;
}
