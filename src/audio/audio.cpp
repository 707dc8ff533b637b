#include "audio/audio.h"

AudioState audio;
