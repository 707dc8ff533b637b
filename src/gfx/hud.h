// The play HUD: flags left, bombs carried, the counting score, the level's
// text panel, the clocks, and the floating messages of play rising and
// fading over the board. Owns the counting score and the measured width of
// the text panel; every other value it shows belongs to play.
#pragma once

#include <cstdint>

struct HudState {
    double shownScore = 0;            // the score as displayed; counts towards play.score
    std::int32_t levelTextWidth = 0;  // widest level-text line in pixels; 0 = measure again
};

extern HudState hud;
