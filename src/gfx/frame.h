// The frame pipeline and the board renderer. drawFrame draws and presents one
// picture of whatever the game shows (the start-up logo, or the board with the
// editor, the menus or play on top) and is also the game's clock: it advances
// the frame clock of play/frame_clock.h, whose animDelta is the frame's step
// in ticks of 1/25 s, and follows its zoom target. The renderer's state and
// its primitives are renderer.h.
//
// Screen coordinates are pixels from the top-left corner, y down; a larger z
// is nearer. Depth layers (comparison "less" unless noted):
//   1 background; the sinking ball (equal: only inside holes)
//   2 ground tiles; the ball shadow (greater or equal: only over floor)
//   3 exits and traps, 4 platforms, 5 arrows, 6 walls, 7 cracks,
//   8 bombs and flags, 9 the ball,
//   10 explosions (less or equal), editor markers and cursor, menu backdrops
//   11-13 the letterboxed logo, overlays, texts (shadow at z, text at z + 1)
//   15 tile-font text, 16 the HUD icons
#pragma once

#include "gfx/renderer.h"
#include "level/level.h"
#include "play/frame_clock.h"

// Draws one complete frame and presents it, after waiting until at least
// MinFrameSeconds have passed since the previous one.
void drawFrame();

// Draws the objects of `list` at depth z with the camera at (camX, camY)
// pixels, advancing each object's own animation by `delta`. An explosion
// whose animation wraps is removed from the list instead of being drawn.
// Objects entirely off screen are skipped (explosions never are).
void drawObjectList(ObjectList& list, double delta, int camX, int camY, int z);
