#include "play/play.h"

PlayState play;
