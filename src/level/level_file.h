// Level files (".zdl"): the binary layout of versions 0 to 7, the loader that
// reads them all into the level model and the saver that writes version 7.
//
// The file is handled in two steps so that tools can see a level exactly as
// stored: decodeLevelFile turns bytes into a LevelFileData (textures still as
// pack and texture names), and the loader then resolves the names against the
// texture table. encodeLevelFile is the inverse and always writes version 7.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"

// One object entry as stored: the texture by its two names.
struct LevelFileObject {
    std::string packName;  // texture pack folder name
    std::string name;      // texture name (free part of the frame file names)
    double vx = 0;
    double vy = 0;
    double x = 0;
    double y = 0;
};

// A whole level file as stored. Lists are indexed 1..10 in file-list order
// (element 0 unused), as in the level model.
struct LevelFileData {
    std::int32_t version = 7;
    LevelFileObject background;
    std::vector<LevelFileObject> lists[11];
    LevelFileObject ball;
    LevelFileObject ballShadow;
    std::string musicName;
    double zoom = 0.5;
    double explodeCount = 0;
    double exitCount = 0;
    std::int32_t bombsCarried = 0;
    double sinkScale = 0;
    std::int32_t jumpState = 0;
    double jumpHeight = 0;
    double timeLimit = 600;
    std::string levelName;
    std::size_t trailingBytes = 0;  // bytes after the last field; the loader ignores them
};

// Caps that make a damaged file fail before anything large is allocated: no
// name or title is longer, and no list holds more objects.
constexpr std::size_t MaxLevelStringLength = 4096;
constexpr std::int32_t MaxLevelListCount = 1 << 20;

// Parses a file of any version; false (with `data` unspecified) when the
// header matches no version or the bytes are not a complete, sane level: one
// that ends early, or holds a negative or oversized count. Bytes after the
// last field are accepted and counted in trailingBytes. Fields an older
// version lacks get the defaults above; a version 0 file's vx becomes 0.
bool decodeLevelFile(const Bytes& bytes, LevelFileData& data);

// The version-7 bytes of `data`.
Bytes encodeLevelFile(const LevelFileData& data);

// How a load ended: the level is in memory, there was no file, or the file
// was there but unusable (unreadable, foreign, or damaged: cut short, with a
// negative or impossible count or length, or stopping inside an entry).
enum class LevelLoad { Loaded, Missing, Unusable };

// Loads a level into the level model; "" means the current level of the
// current pack. A failure clears the level and raises the message dialog: a
// missing or unreadable file names the current level, a foreign header says
// so, and a damaged one names the file. Each texture pair that is not in
// the texture table raises its message once, and the object keeps no
// picture.
LevelLoad loadLevelFile(const std::string& fileName = "");

// loadLevelFile, true when the level was loaded.
bool loadLevel(const std::string& fileName = "");

// Puts decoded level data into the level model as loadLevel does with a
// file's contents; `fileName` names the level for its companion text.
void loadLevelData(const LevelFileData& data, const std::string& fileName);

// Saves the level model as version 7 to `fileName`.
bool saveLevel(const std::string& fileName);
