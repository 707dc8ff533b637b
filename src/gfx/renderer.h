// The renderer's state and its primitives: the scale factors fixed on the
// first frame, the zoom in use, the ball's tint, the mode flags and mouse
// fields that the menus and the editor share with their overlays, the
// editor's registered overlay; the one textured quad and the binding of a
// frame of the frame table. The frame pipeline that uses them is frame.h.
#pragma once

#include <cstdint>

// The editor sits above the renderer: while it runs, it registers the
// function that draws its overlay over the board.
using EditorOverlayDrawer = void (*)(int camX, int camY);

struct RendererState {
    // Fixed on the first frame (while xScale is 0).
    double xScale = 0;            // screenWidth / 1024
    double yScale = 0;            // screenHeight / 768
    std::int32_t fullAspect = 0;  // -1 when the window is exactly 4:3
    std::int32_t fitWidth = 0;    // 4:3 width that fills the window's height
    std::int32_t fitHeight = 0;   // 4:3 height that fills the window's width

    // Zoom (the target is the frame clock's).
    double smoothZoom = 0;        // zoom in use
    double zoomAccumulator = 0;   // seconds towards the next easing step
    double zoomScale = 0;         // pixels per board unit this frame

    // Animation positions.
    double ballTint = 0;          // pulse of the ball once every flag is taken, 0..511
    double cursorBlink = 0;       // blink position of the tile-font cursor, 1..6

    // What lies over the board; set by the menus and the editor.
    std::int32_t menuVisible = 0;   // non-zero: a menu screen is shown
    std::int32_t editorActive = 0;  // non-zero: the editor is shown
    EditorOverlayDrawer editorOverlay = nullptr;  // draws the editor's overlay while it is shown
    std::int32_t loadingCaption = 0;  // -1 while start-up loads (the logo shows a caption)

    // Written by the menu overlay on every frame, read by the menu loop.
    std::int32_t hoveredItem = 0;   // menu item under the pointer, 0 if none
    std::int32_t mouseX = -1;       // pointer, -1 outside the window
    std::int32_t mouseY = -1;
    std::int32_t mouseButtons = 0;  // bit 0 the left button
};

extern RendererState renderer;

// The bound texture, whole, on the rectangle with top-left (x, y) at depth z
// in the current colour; the picture's stored bottom row is drawn at the
// bottom.
void drawQuad(int x, int y, int z, int w, int h);

// Binds frame nearest(frame) of the frame table; the missing-picture image
// (frame 0) for an index outside the table.
void bindFrame(double frame);
