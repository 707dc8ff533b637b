// The play HUD: flags left, bombs carried, the counting score, the level's
// text panel, the clocks, and the floating messages of play rising and
// fading over the board. Counts play's shownScore towards the score (play
// keeps it, since a checkpoint restores it) and owns the measured width of
// the text panel; every other value it shows belongs to play or the level.
// The HUD updates the message list (ages, positions, faded messages leave
// it) but never adds to it.
#pragma once

#include <cstdint>

struct HudState {
    std::int32_t levelTextWidth = 0;  // widest level-text line in pixels; 0 = measure again
    std::uint32_t measuredTextLoad = 0;  // level.textLoads when levelTextWidth was last reset
};

extern HudState hud;

// Tile-font metrics of the HUD in 1024 x 768 pixels, scaled by xScale for
// the counters and by zoomScale (per board unit) for floating messages.
constexpr double HudGlyphWidth = 47;
constexpr double HudGlyphHeight = 59;
constexpr double HudGlyphAdvance = 35;

// Floating messages stay opaque for this many ticks, then fade out.
constexpr double MessageOpaqueTicks = 12;

// Draws the HUD of one play frame over the board whose point (0, 0) lies at
// pixel (-camX, -camY), after advancing the floating messages by animDelta
// and letting the counting score catch up with the score. Depth: texts at
// 15, icons at 16, the text panel at 11 with its lines at 12 and 13.
void drawHud(int camX, int camY);

// The floating-message step of drawHud: every message ages by animDelta and
// rises, fades after MessageOpaqueTicks, and leaves the list once fully
// faded (without being drawn); the rest are drawn over the board.
void updateMessages(int camX, int camY);
