// The program's spine: start-up, the hand-over to the running game, the quit
// sequence, the replay runner and the two start-up error screens. Owns the
// start of the logo phase.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct AppState {
    double startTime = 0;  // timer just before initialisation; the logo phase counts from it
};

extern AppState app;

// What start-up hands over to: the front end, passed in by main. Without a
// front end the game shows the board until Esc (start-up tests run it so).
struct FrontEndHooks {
    void (*startProfiles)() = nullptr;  // lists the profiles, lowers currentProfile to their count
    void (*run)() = nullptr;            // the menus; never returns
};

// The game's own front end: the profiles and the menus.
FrontEndHooks menuFrontEnd();

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

// Saves the settings, closes audio and graphics, and ends with status 0.
[[noreturn]] void quit();

// The start-up error screens: no language file (A), no usable mode (B).
// Each waits for a key and ends the program with status 0.
[[noreturn]] void showNoLanguageScreen();
[[noreturn]] void showNoDisplayModeScreen();

// A text cut into lines of the error screens' width, at most `maxLines`; a
// longer text keeps its end after "...".
std::vector<std::string> screenLines(const std::string& text, std::size_t maxLines);
