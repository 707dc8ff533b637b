#include "level/level.h"

#include <cmath>

#include "assets/texture_catalogue.h"
#include "base/numeric.h"
#include "config/dialog.h"
#include "config/language.h"

Level level;

ObjectList& levelList(int number) {
    ObjectList* const lists[LevelListCount + 1] = {
        nullptr,         &level.groundTiles, &level.exitsAndTraps, &level.arrows,
        &level.platformMarkers, &level.platforms, &level.bombsAndFlags, &level.walls,
        &level.cracks,   &level.explosions,  &level.spareObjects};
    return *lists[number];
}

void clearLevel() {
    for (int n = 1; n <= LevelListCount; ++n) levelList(n).clearItems();
    level.ball.x = 0;
    level.ball.y = 0;
    level.viewX = 0;
    level.viewY = 0;
    level.timeLimit = 600;
    level.levelName.clear();
}

void addObject(ObjectList& list, double x, double y, double texture) {
    removeObjectAt(list, x, y);
    LevelObject object;
    object.texture = texture;
    object.x = x;
    object.y = y;
    object.frame = textureEntryOf(texture).firstFrame;
    list.append(object);
}

bool removeObjectAt(ObjectList& list, double x, double y) {
    for (int i = 1; i <= list.count(); ++i) {
        if (list[i].x == x && list[i].y == y) {
            list.removeAt(i);
            return true;
        }
    }
    return false;
}

void copyList(const ObjectList& from, ObjectList& to) { to = from; }

void placeBall(double x, double y, double texture) {
    level.ball.texture = texture;
    level.ball.x = x;
    level.ball.y = y;
    level.ball.vx = 0;
    level.ball.vy = 0;
    level.ball.frame = textureEntryOf(texture).firstFrame;
    level.ballShadow.x = x + 16;
    level.ballShadow.y = y + 16;
    level.ballShadow.vx = 0;
    level.ballShadow.vy = 0;
    level.ballShadow.frame = textureEntryOf(level.ballShadow.texture).firstFrame;
}

int findTexture(const std::string& packName, const std::string& textureName) {
    const List<TextureEntry>& table = catalogue.textureTable;
    for (int i = 1; i <= table.count(); ++i)
        if (table[i].packName == packName && table[i].name == textureName) return i;
    showMessage(str(80), str(85), textureName + str(86) + packName);
    return 0;
}

double initialFrame(int texture, bool fine) {
    const TextureEntry& entry = textureEntryOf(texture);
    if (entry.synchronised != 0) return entry.firstFrame;
    if (!fine) return static_cast<double>(randomInt(nearest(entry.firstFrame), nearest(entry.lastFrame)));
    const std::int64_t low = nearest(entry.firstFrame * 1000);
    const std::int64_t high = nearest(entry.lastFrame * 1000);
    return static_cast<double>(randomInt(low, high)) / 1000.0;
}

std::int32_t directionOfKind(std::int32_t kind) {
    switch (kind) {
    case KindArrowNorth: case KindMarkerNorth: return DirNorth;
    case KindArrowEast: case KindMarkerEast: return DirEast;
    case KindArrowSouth: case KindMarkerSouth: return DirSouth;
    case KindArrowWest: case KindMarkerWest: return DirWest;
    case KindArrowJump: return DirJump;
    default: return 0;
    }
}
