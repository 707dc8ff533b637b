#include "gfx/hud.h"

HudState hud;
