// The game's frame clock and what play asks of the view. The renderer's
// drawFrame advances the clock once a frame (no frame is shorter than
// MinFrameSeconds) and follows the view targets; play, the menus and the
// editor read animDelta and set the targets. The renderer sits above play,
// so play reaches drawFrame through the function registered here.
#pragma once

#include <cstdint>

constexpr double MinFrameSeconds = 0.0167;  // about 60 frames a second at most

struct FrameClock {
    double lastFrameTime = 0;       // timer at the previous frame
    double frameSeconds = 0;        // seconds since the previous frame
    double animDelta = 0;           // 25 x frameSeconds: the step of play and animation

    // The view play and the menus want; the renderer follows.
    double targetZoom = 0;          // zoom wanted
    std::int32_t zoomEasing = 0;    // non-zero: approach targetZoom gradually
    std::int32_t ballAnimates = 0;  // -1 while the ball rolls (its frames advance)
};

extern FrameClock frameClock;

// Registers the function that draws and presents one frame and advances the
// clock (the renderer's drawFrame); play draws every frame through it.
void setFrameDrawer(void (*drawFrame)());

// Draws one frame through the registered function.
void drawPlayFrame();
