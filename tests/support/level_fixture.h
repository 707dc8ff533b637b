// Test support for the level file and pack tests: a headless game whose
// language strings name themselves (str(n) is "#n") and whose texture table
// holds the sample level's entries.
#pragma once

#include <string>

#include "support/headless_game.h"
#include "support/level_bytes.h"

class LevelFilesTest : public HeadlessGameTest {
protected:
    void SetUp() override;

    // "#n", the text str(n) gives in these tests.
    static std::string s(int n) { return "#" + std::to_string(n); }

    // Makes `folderName` the only pack and its level 1 current.
    void usePack(const std::string& folderName);

    // Writes a version 7 level titled `title` as level `number` of the pack.
    void writeTitledLevel(const std::string& packFolder, int number, const std::string& title);

    // The title stored in level `number` of the pack ("?" when unreadable).
    std::string storedTitle(const std::string& packFolder, int number);
};
