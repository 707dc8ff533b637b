// Play: the state of the level being played. Reset at every attempt; outside
// play it keeps the values the renderer and the HUD expect between levels.
#pragma once

#include <cstdint>

struct PlayState {
    std::int32_t flagsLeft = 1;  // flags still to collect; 1 outside play, 0 opens the exits
};

extern PlayState play;
