// The level model: the one board held in memory. Loading replaces it, play
// changes it in place (and restores it from its checkpoint), the editor edits
// it, the renderer draws it. Positions are in board units: a tile is 128 x 128
// and every object is a 128-unit square addressed by its top-left corner.
#pragma once

#include <cstdint>
#include <string>

#include "base/list.h"

struct LevelObject {
    double texture = 0;  // textureTable index; 0 = missing texture
    double vx = 0;       // x velocity per tick; direction code of arrows and markers
    double vy = 0;       // y velocity per tick
    double x = 0;        // left edge
    double y = 0;        // top edge
    double frame = 0;    // animation frame (frameTable index, drawn rounded)
    bool operator==(const LevelObject& o) const {
        return texture == o.texture && vx == o.vx && vy == o.vy && x == o.x && y == o.y &&
               frame == o.frame;
    }
};

using ObjectList = List<LevelObject>;

// The ten lists in the order the level file stores them.
enum LevelListNumber {
    ListGround = 1,
    ListExitsAndTraps = 2,
    ListArrows = 3,
    ListPlatformMarkers = 4,
    ListPlatforms = 5,
    ListBombsAndFlags = 6,
    ListWalls = 7,
    ListCracks = 8,
    ListExplosions = 9,
    ListSpare = 10,
};
constexpr int LevelListCount = 10;

// Direction codes held in vx of arrows and platform markers.
enum Direction { DirNorth = 1, DirEast = 2, DirSouth = 3, DirWest = 4, DirJump = 5 };

// The direction code (north 1, east 2, south 3, west 4, jump 5) that an
// arrow or platform marker of `kind` carries in vx; 0 for other kinds.
std::int32_t directionOfKind(std::int32_t kind);

constexpr double MinZoom = 0.1088146;  // 0.5 / 1.1^16
constexpr double MaxZoom = 4.924867;   // 0.5 * 1.1^24

struct Level {
    ObjectList groundTiles;      // floor the ball rolls on
    ObjectList exitsAndTraps;    // exits and traps
    ObjectList arrows;           // arrow tiles; vx = direction
    ObjectList platformMarkers;  // steer platforms; vx = direction
    ObjectList platforms;        // moving platforms; vx, vy = velocity
    ObjectList bombsAndFlags;    // pickups
    ObjectList walls;            // walls
    ObjectList cracks;           // cracked walls and floor
    ObjectList explosions;       // created during play only
    ObjectList spareObjects;     // never filled, but stored like the others

    LevelObject background;      // texture and frame only
    LevelObject ball;            // position and velocity of the ball
    LevelObject ballShadow;      // texture and frame only; drawn relative to the ball

    double zoom = 0;             // display scale of the level
    double explodeCount = 0;     // above 0 while the ball is being blown up
    double exitCount = 0;        // non-zero while the exit sequence runs
    std::int32_t bombsCarried = 0;  // bombs the ball carries
    double sinkScale = 0;        // 0 supported, -1 teetering, >= 1 falling
    std::int32_t jumpState = 0;  // 0 on the ground, else the jump's phase
    double jumpHeight = 0;       // the ball's height in a jump
    double timeLimit = 0;        // seconds allowed; 0 or less = no limit
    std::string levelName;       // the level's title
    std::string levelText[5];    // companion text lines 1..4 (0 unused)

    std::int32_t levelVersion = 0;   // version of the last loaded file (not stored)
    std::int32_t levelModified = 0;  // -1 when there are unsaved changes (not stored)
    double viewX = 0;                // view centre and editor cursor (not stored)
    double viewY = 0;
    std::uint32_t textLoads = 0;     // companion texts read so far (not stored); the HUD
                                     // measures its text panel again after each
};

extern Level level;

// List 1..10 by its file-order number.
ObjectList& levelList(int number);

// Empties the ten lists, puts the ball at (0, 0), the view at (0, 0), the
// time limit at 600 and the title at "". Keeps zoom, the three records'
// textures, the ball-state values and the music.
void clearLevel();

// Removes the object at exactly (x, y) from `list`, if any, then appends one
// with the texture, that position, no velocity and the texture's first frame.
void addObject(ObjectList& list, double x, double y, double texture);

// Removes the first object at exactly (x, y); false when there was none.
bool removeObjectAt(ObjectList& list, double x, double y);

// Makes `to` an exact copy of `from`.
void copyList(const ObjectList& from, ObjectList& to);

// Puts the ball with `texture` at (x, y) at rest, and its shadow at
// (x + 16, y + 16), each at its texture's first frame.
void placeBall(double x, double y, double texture);

// The first texture-table entry of this pack folder and free name (exact
// comparison), or 0 after raising the missing-texture message.
int findTexture(const std::string& packName, const std::string& textureName);

// The frame a loaded object starts on: the first frame of a synchronised
// entry, otherwise a random frame of the set (in steps of 0.001 when `fine`).
double initialFrame(int texture, bool fine);
