// Level checks for level designers: every level of a game folder's level packs
// is read and tested against the texture sets and music files that folder
// holds, the way the game will meet them, and each finding is reported as an
// error (the level will not play as meant) or a warning (legal, but likely a
// slip).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "level/level_file.h"

// One picture set of a texture pack, as the game's texture table holds it.
struct TextureSet {
    std::string packName;  // "txtpck" folder name
    std::string name;      // free name
    std::int32_t kind = 0; // TextureKind
};

// What a game folder offers to its levels.
struct GameContent {
    std::vector<TextureSet> textureSets;  // in texture-table order
    std::vector<std::string> music;       // "audio/NAME.ogg" entries of the music list
    std::vector<std::string> textExtensions;  // string 84 of every language file
};

// Reads the texture sets, music files and companion-text extensions of
// `gameFolder` (ending in "/"). The texture sets come from the game's own
// start-up texture load, which this runs afresh (with the drawing layer
// recording): it replaces the program folder and the texture tables, and
// needs a platform backend installed.
GameContent scanGameFolder(const std::string& gameFolder);

enum class Severity { Warning, Error };

struct Finding {
    Severity severity = Severity::Error;
    std::string where;    // "lvlpckNAME/NNN.zdl" or "lvlpckNAME"
    std::string message;
};

// The findings for one decoded level.
void checkLevel(const LevelFileData& data, const GameContent& content, const std::string& where,
                std::vector<Finding>& findings);

// Checks every level of every "lvlpck*" pack of `gameFolder`, or of the one
// pack `pack` ("NAME" or "lvlpckNAME") when it is not empty.
std::vector<Finding> checkGameFolder(const std::string& gameFolder, const std::string& pack,
                                     int& levelsChecked);
