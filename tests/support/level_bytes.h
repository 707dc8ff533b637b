// Test support: a small level written field by field as each file version
// lays it out, independently of the game's own encoder, and the texture
// entries it refers to.
#pragma once

#include "level/level_file.h"
#include "platform/files.h"

constexpr double SampleZoom = 0.7;  // not exact in single precision, on purpose

// The sample level in `version` (0..7): background "txtpckstone"/"sky"; two
// ground tiles at (0, 0) and (128, 256); an arrow with vx 2; a platform with
// velocity (-3, 5); one spare object of "txtpckother"/"odd"; the ball at
// (384, 512) with velocity (1, 2); shadow "txtpckstone"/"soft"; music
// "Tune.ogg"; zoom SampleZoom; ball state 1.5, 2.5, 3, -1, 2, 7.25; time
// limit 90; title "First steps". Version 0 entries carry a vx of 99 and an
// extra field of 77 that the reader must skip.
Bytes sampleLevelBytes(int version);

// Appends one texture-table entry.
void addTextureEntry(const std::string& pack, const std::string& name, std::int32_t kind,
                     double first, double last, std::int32_t synchronised);

// Appends to the texture table the entries the sample refers to:
//   1 txtpckstone/sky   back, frame 1
//   2 txtpckstone/""    grnd, frames 2..5 (ground, arrow, platform and ball
//                       all store this pair, so all resolve to entry 2)
//   3 txtpckstone/""    ball, frame 6 (never found: entry 2 comes first)
//   4 txtpckstone/soft  blsh, frames 7..8
//   5 txtpckother/odd   wall, frames 9..12, synchronised
void addSampleTextures();

// Any level written in the layout of `version` (0..7). Versions below 3 store
// numbers as i32, so `data` must hold whole numbers there; fields the version
// lacks are left out.
Bytes levelBytes(const LevelFileData& data, int version);
