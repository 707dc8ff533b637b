// Test support for the editor: a headless game with a 1024 x 768 screen,
// strings that name themselves ("#n"), a small texture table of every kind
// the tests place, and helpers to build packs, drive the mouse and read
// statistics files.
#pragma once

#include <string>

#include "editor/editor.h"
#include "progress/statistics.h"
#include "support/level_fixture.h"

// Texture-table entries of the editor tests.
enum EditorTestTexture {
    StoneGround = 1,   // txtpckstone, grnd
    StoneFlag = 2,     // txtpckstone "flag", flag
    StoneBall = 3,     // txtpckstone, ball
    StoneExit = 4,     // txtpckstone, exit
    NeonGround = 5,    // txtpckneon, grnd
    StoneArrowN = 6,   // txtpckstone, arrn
    StoneMarkerE = 7,  // txtpckstone, plae
    StoneSky = 8,      // txtpckstone "sky", back (frames 8..9)
    StoneShadow = 9,   // txtpckstone, blsh
    StoneGround2 = 10, // txtpckstone "rough", grnd
};

class EditorTest : public LevelFilesTest {
protected:
    void SetUp() override;

    // Makes the pack with levels titled "level 1" .. "level n" (n may be 0),
    // adds it to the pack list, selects it and loads its level 1.
    void makePack(const std::string& folderName, int levels);

    // A key through the editor's key table, then the choice check of a pass.
    void press(const std::string& key);

    // One input call with the pointer at (x, y) and these buttons.
    std::string mouseInput(int x, int y, int buttons);

    // Press and release of the left button at (x, y): the key the release gives.
    std::string click(int x, int y);

    // A statistics file whose level entries are (level, 100 * level).
    void writeStatistics(const std::string& pack, const std::string& profile, int storedLevel);
    Statistics readStatistics(const std::string& pack, const std::string& profile);

    // Every file of the folder with its bytes, to compare before and after.
    std::string folderSnapshot(const std::string& pack);
};
