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
