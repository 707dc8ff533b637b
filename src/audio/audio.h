// Audio: the sound clips, the music list and the track in use. Opened once at
// start-up and closed at quit; when no device opens, everything stays silent.
#pragma once

#include <cstdint>
#include <string>

#include "core/list.h"

struct AudioState {
    List<std::string> musicList;  // "audio/" + file name of every music file, listing order
    std::int32_t musicIndex = 0;  // the current track in musicList; a level load may set it
};

extern AudioState audio;
