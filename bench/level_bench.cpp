// Loading a large level from its file: decoding, resolving every object's
// texture in the texture table and choosing its starting frame.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "config/paths.h"
#include "gfx/textures.h"
#include "level/level.h"
#include "level/level_file.h"

namespace {

const char* const KindPrefixes[] = {"arre", "arrn", "arrs", "arrw", "arru", "back", "ball", "blll",
                                    "blsh", "bomb", "crck", "exit", "expl", "flag", "font", "grnd",
                                    "plat", "plae", "plan", "plas", "plaw", "trap", "wall"};

// Four texture packs of 23 kinds in three variants each: 276 entries.
void fillTextureTable() {
    textures = TextureState();
    catalogue = TextureCatalogue();
    double frame = 1;
    for (const char* pack : {"txtpckclassic", "txtpckice", "txtpcklava", "txtpckzoo"})
        for (const char* kind : KindPrefixes)
            for (const char* variant : {"", "dark", "light"}) {
                TextureEntry entry;
                entry.packName = pack;
                entry.name = std::string(kind) + variant;
                entry.kind = textureKindOf(kind);
                entry.firstFrame = frame;
                entry.lastFrame = frame + 3;
                entry.currentFrame = frame;
                catalogue.textureTable.append(entry);
                frame += 4;
            }
}

// A 100 x 100 board: ground everywhere, a wall ring and inner walls, and
// pickups, arrows and cracks, 30,000 objects in all, drawn from the last
// texture pack so that every lookup walks most of the table.
LevelFileData bigLevel() {
    LevelFileData data;
    auto object = [](const std::string& name, int x, int y) {
        LevelFileObject o;
        o.packName = "txtpckzoo";
        o.name = name;
        o.x = x * 128.0;
        o.y = y * 128.0;
        return o;
    };
    data.background = object("back", 0, 0);
    data.ball = object("ball", 1, 1);
    data.ballShadow = object("blsh", 1, 1);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const int cell = y * 100 + x;
            data.lists[ListGround].push_back(object(cell % 2 ? "grnddark" : "grnd", x, y));
            data.lists[ListWalls].push_back(object(cell % 3 ? "wall" : "walllight", x, y));
            const int third = cell % 4;
            const int list = third == 0 ? ListBombsAndFlags : third == 1 ? ListCracks
                             : third == 2 ? ListArrows : ListExitsAndTraps;
            const char* name = third == 0 ? "flag" : third == 1 ? "crck" : third == 2 ? "arre" : "trap";
            data.lists[list].push_back(object(name, x, y));
        }
    data.musicName = "theme.ogg";
    data.levelName = "Big";
    return data;
}

void BM_LevelLoad100x100(benchmark::State& state) {
    fillTextureTable();
    char pattern[] = "/tmp/zdbench-XXXXXX";
    const std::string folder = std::string(::mkdtemp(pattern)) + "/";
    setProgramFolder(folder);
    const std::string file = folder + "big.zdl";
    writeFileSafely(file, encodeLevelFile(bigLevel()));
    for (auto _ : state) {
        if (!loadLevel(file)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(level.groundTiles.count());
    }
    state.counters["objects"] = level.groundTiles.count() + level.walls.count() +
                                level.bombsAndFlags.count() + level.cracks.count() +
                                level.arrows.count() + level.exitsAndTraps.count();
    deleteFile(file);
    removeFolder(folder);
}
BENCHMARK(BM_LevelLoad100x100)->Unit(benchmark::kMillisecond);

}  // namespace
