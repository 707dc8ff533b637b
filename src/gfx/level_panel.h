// The level panel of the level screen: the pack's name as a tile-font label
// at the top, the pack record, the player's best total and the counts of
// unfinished and skipped levels under it, and by the level label the level's
// name, its record, the player's best and how often it was finished. The
// menu overlay draws it; the front end registers the function that tells it
// what to show. Owns that registration.
#pragma once

#include <cstdint>
#include <string>

// The values of the panel, names already as they are shown.
struct LevelPanelView {
    std::string packName;           // the pack's folder name without "lvlpck"
    std::string packRecordHolder;
    std::int64_t packRecord = 0;
    std::string profileName;        // the player
    std::int64_t bestTotal = 0;     // the player's bests added up
    std::int32_t unfinished = 0;    // levels of the pack never finished
    std::int32_t skipped = 0;       // unfinished levels up to the highest finished one
    std::string levelName;
    std::string levelRecordHolder;
    std::int32_t levelRecord = 0;
    std::int32_t levelBest = 0;     // the player's best on the level
    std::int32_t completions = 0;   // how often the player finished the level
};

using LevelPanelSource = LevelPanelView (*)();

struct LevelPanelState {
    LevelPanelSource source = nullptr;  // nothing is drawn without it
};

extern LevelPanelState levelPanel;

void setLevelPanelSource(LevelPanelSource source);

// Draws the panel; lineY is the row of the level label beside which the
// level's lines go.
void drawLevelPanel(int lineY);

// The line of the panel saying how often the level was finished, and its
// colour: red for never, green otherwise.
std::string completionLine(std::int32_t completions);
