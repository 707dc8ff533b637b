// The frame pipeline and the board renderer. drawFrame draws and presents one
// picture of whatever the game shows (the start-up logo, or the board with the
// editor, the menus or play on top) and is also the game's clock: no frame is
// shorter than MinFrameSeconds, and animDelta is the frame's step in ticks of
// 1/25 s. Owns the renderer state: scale factors, clock, zoom, the ball's
// tint and the mode flags and mouse fields that the menus and editor share
// with their overlays.
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

#include <cstdint>

#include "level/level.h"

constexpr double MinFrameSeconds = 0.0167;  // about 60 frames a second at most

struct RendererState {
    // Fixed on the first frame (while xScale is 0).
    double xScale = 0;            // screenWidth / 1024
    double yScale = 0;            // screenHeight / 768
    std::int32_t fullAspect = 0;  // -1 when the window is exactly 4:3
    std::int32_t fitWidth = 0;    // 4:3 width that fills the window's height
    std::int32_t fitHeight = 0;   // 4:3 height that fills the window's width

    // Clock.
    double lastFrameTime = 0;     // timer at the previous frame
    double frameSeconds = 0;      // seconds since the previous frame
    double animDelta = 0;         // 25 x frameSeconds: the step of play and animation

    // Zoom.
    double targetZoom = 0;        // zoom wanted by play and the menus
    std::int32_t zoomEasing = 0;  // non-zero: approach targetZoom gradually
    double smoothZoom = 0;        // zoom in use
    double zoomAccumulator = 0;   // seconds towards the next easing step
    double zoomScale = 0;         // pixels per board unit this frame

    // Animation positions.
    double ballTint = 0;          // pulse of the ball once every flag is taken, 0..511
    std::int32_t ballAnimates = 0;  // -1 while the ball rolls (its frames advance)
    double cursorBlink = 0;       // blink position of the tile-font cursor, 1..6

    // What lies over the board; set by the menus and the editor.
    std::int32_t menuVisible = 0;   // non-zero: a menu screen is shown
    std::int32_t editorActive = 0;  // non-zero: the editor is shown

    // Written by the menu overlay on every frame, read by the menu loop.
    std::int32_t hoveredItem = 0;   // menu item under the pointer, 0 if none
    std::int32_t mouseX = -1;       // pointer, -1 outside the window
    std::int32_t mouseY = -1;
    std::int32_t mouseButtons = 0;  // bit 0 the left button
};

extern RendererState renderer;

// Draws one complete frame and presents it, after waiting until at least
// MinFrameSeconds have passed since the previous one.
void drawFrame();

// The bound texture, whole, on the rectangle with top-left (x, y) at depth z
// in the current colour; the picture's stored bottom row is drawn at the
// bottom.
void drawQuad(int x, int y, int z, int w, int h);

// Binds frame nearest(frame) of the frame table; the missing-picture image
// (frame 0) for an index outside the table.
void bindFrame(double frame);

// Draws the objects of `list` at depth z with the camera at (camX, camY)
// pixels, advancing each object's own animation by `delta`. An explosion
// whose animation wraps is removed from the list instead of being drawn.
// Objects entirely off screen are skipped (explosions never are).
void drawObjectList(ObjectList& list, double delta, int camX, int camY, int z);
