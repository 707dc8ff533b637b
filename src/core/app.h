// The program's spine: start-up, the hand-over to the running game, the quit
// sequence and the two start-up error screens. Owns the values of the start-up
// phases and the display modes.
#pragma once

#include <cstdint>
#include <string>

#include "core/list.h"

struct AppState {
    double startTime = 0;              // timer just before initialisation; the logo phase counts from it
    std::int32_t loadingCaption = 0;   // -1 while initialisation runs (the logo shows a caption)
    List<std::int32_t> screenModeWidths;   // usable display modes 1..count, platform order
    List<std::int32_t> screenModeHeights;
    std::int32_t screenWidth = 0;      // window size in use
    std::int32_t screenHeight = 0;
    std::int32_t fullScreen = 0;       // full-screen flag in use (1 full screen)
};

extern AppState app;

// What start-up hands over to the front end, which sits above the core and
// is passed in by main. Without a front end the game shows the board until
// Esc (start-up tests run it so).
struct FrontEndHooks {
    void (*startProfiles)() = nullptr;  // lists the profiles, lowers currentProfile to their count
    void (*run)() = nullptr;            // the menus; never returns
};

// The whole program: start-up, then the game until quit. The platform
// backend must be installed; programFolder holds the game's files.
[[noreturn]] void runGame(const std::string& programFolder, const FrontEndHooks& frontEnd = {});

// Plays the replay file `replayFile` in the game's window at its recorded
// pace and ends the program: with 0 when it ran to its end or the player
// pressed Esc, with 1 (after a message on the error stream) when the file or
// its level cannot be used or the run went another way than recorded.
[[noreturn]] void runReplay(const std::string& programFolder, const std::string& replayFile);

// Start-up steps from listing the languages to loading the background level.
void initialise();

// Fills the display-mode lists with the platform's modes of at least 640 x 480.
void listScreenModes();

// Opens the window and sets the fixed drawing state.
void openWindow(int width, int height, int fullScreenFlag);

// Saves the settings, closes audio and graphics, and ends with status 0.
[[noreturn]] void quit();

// The start-up error screens: no language file (A), no usable mode (B).
// Each waits for a key and ends the program with status 0.
[[noreturn]] void showNoLanguageScreen();
[[noreturn]] void showNoDisplayModeScreen();
