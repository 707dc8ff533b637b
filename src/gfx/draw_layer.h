// The drawing layer: the only place the game calls OpenGL. Every call either
// goes to OpenGL or, while `drawLayer.recording` is set, is appended to
// `drawLayer.calls` so that a test can check what a frame drew without a
// display. Higher-level drawing (frames, board, text) is built on these.
#pragma once

#include <cstdint>
#include <vector>

enum class DrawOp {
    FixedState,  // a: width, height of the orthographic 2D set-up
    BlendAlpha,  // blending with source alpha, one minus source alpha
    Clear,       // colour and depth buffers
};

struct DrawCall {
    DrawOp op;
    double a[8];
};

struct DrawLayerState {
    bool recording = false;       // record calls instead of drawing
    std::vector<DrawCall> calls;  // what was recorded
};

extern DrawLayerState drawLayer;

// The fixed state of the window: viewport and orthographic projection of
// width x height with the origin at the top-left and z from -128 to 128,
// back-face culling, 2D texturing, depth test "less", alpha test "> 0".
void dlSetFixedState(int width, int height);

// Blending on, with factors source alpha and one minus source alpha.
void dlEnableAlphaBlending();

// Clears colour and depth.
void dlClear();
