// Test support: installs a fresh headless platform and resets the game's
// process-wide state, so that every test starts like a new program.
#pragma once

#include <gtest/gtest.h>

#include "platform/headless.h"
#include "support/temp_folder.h"

class HeadlessGameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HeadlessPlatform headless;
    TempFolder folder;  // the program folder of the test
};

// Resets every module's state to what a new program has.
void resetGameState();

// Fills the string table with texts that name themselves: str(n) is "#n".
void useNumberedStrings();
