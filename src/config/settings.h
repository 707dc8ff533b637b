// Settings: the player's choices that outlive a run, kept in "settings.dat"
// in the data folder. Read once at start, written once at quit. The display
// options change the chosen values and reopen the window with them.
#pragma once

#include <cstdint>
#include <string>

struct Settings {
    std::int32_t currentProfile = 0;           // index into the sorted profile list; 0 = none
    std::string languageFile = "english.str";  // language file in use
    std::int32_t chosenFullScreen = 0;         // 0 windowed, 1 full screen
    std::int32_t chosenWidth = 800;            // chosen display width, pixels
    std::int32_t chosenHeight = 600;           // chosen display height, pixels
    std::int32_t soundEffectsOn = -1;          // -1 on, 0 off
    std::int32_t musicOn = -1;                 // -1 on, 0 off
    std::int32_t voicesOn = -1;                // -1 on, 0 off (spoken comments)
    bool firstStart = false;                   // no settings file was found (not stored)
};

extern Settings settings;

// Longest language file name a settings file may hold; a longer count means
// the file is damaged.
constexpr std::int32_t MaxLanguageNameLength = 4096;

// Reads "settings.dat" from the data folder. A missing file gives the defaults
// and sets firstStart; a damaged file keeps the default of every field it
// cannot supply.
void loadSettings();

// Writes "settings.dat" (replacing it only once the new file is complete).
bool saveSettings();

// The file's bytes, and reading them back: the file layout in one place.
std::string encodeSettings(const Settings& values);
void decodeSettings(const std::string& fileBytes, Settings& values);
