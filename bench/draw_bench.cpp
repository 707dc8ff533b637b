// Drawing: the CPU time of one frame of a large board (animation, culling
// and issuing the visible quads), and the share of one core that a frame
// loop at the capped rate of about 60 frames a second takes.
//
// Both run without a graphics context: the drawing layer records its calls
// (cleared every frame) instead of calling OpenGL, so what is measured is
// the game's own work per frame and not the graphics driver's.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "config/dialog.h"
#include "gfx/display.h"
#include "gfx/draw_layer.h"
#include "gfx/frame.h"
#include "gfx/textures.h"
#include "level/level.h"
#include "platform/headless.h"
#include "platform/platform.h"

namespace {

// One picture set per board kind, 4 frames each, half of them shared.
void fillTextureTable() {
    textures = TextureState();
    catalogue = TextureCatalogue();
    textures.frameTable.resize(200);
    for (std::size_t i = 0; i < textures.frameTable.size(); ++i)
        textures.frameTable[i].glName = static_cast<std::uint32_t>(i + 1);
    double frame = 1;
    for (int kind = 1; kind <= 23; ++kind) {
        TextureEntry entry;
        entry.kind = kind;
        entry.firstFrame = entry.currentFrame = frame;
        entry.lastFrame = frame + 3;
        entry.synchronised = kind % 2 == 0 ? -1 : 0;
        catalogue.textureTable.append(entry);
        frame += 4;
    }
}

// 100 x 100 ground tiles and 5,000 other objects spread over the board;
// the view in the middle at the usual zoom shows about 200 tiles.
void buildBigBoard() {
    level = Level();
    level.zoom = 0.5;
    level.background.texture = KindBackground;
    level.ball.texture = KindBall;
    level.ballShadow.texture = KindBallShadow;
    level.groundTiles.reserve(10000);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            LevelObject tile;
            tile.texture = KindGround;
            tile.x = x * 128.0;
            tile.y = y * 128.0;
            tile.frame = tile.texture * 4 - 3;
            level.groundTiles.append(tile);
        }
    const int kinds[] = {KindWall, KindCrack, KindFlag, KindBomb, KindArrowEast, KindExit, KindTrap};
    ObjectList* lists[] = {&level.walls, &level.cracks, &level.bombsAndFlags, &level.bombsAndFlags,
                           &level.arrows, &level.exitsAndTraps, &level.exitsAndTraps};
    for (int i = 0; i < 5000; ++i) {
        const int k = i % 7;
        LevelObject object;
        object.texture = kinds[k];
        object.x = (i * 37 % 100) * 128.0;
        object.y = (i * 53 % 100) * 128.0;
        object.frame = object.texture * 4 - 3;
        lists[k]->append(object);
    }
    level.viewX = level.ball.x = 50 * 128.0;
    level.viewY = level.ball.y = 50 * 128.0;
}

void setUpRenderer() {
    display.screenWidth = 1024;
    display.screenHeight = 768;
    renderer = RendererState();
    frameClock.targetZoom = 1.0;
    dialog.dialogId = 0;
    drawLayer.recording = true;
    drawLayer.calls.reserve(4096);
}

void BM_DrawFrameOfLargeBoard(benchmark::State& state) {
    HeadlessPlatform headless;
    setPlatform(&headless);
    fillTextureTable();
    buildBigBoard();
    setUpRenderer();
    std::size_t quads = 0;
    for (auto _ : state) {
        // A frame of 0.02 s has passed: no waiting, and every animation moves.
        frameClock.lastFrameTime = headless.clock - 0.02;
        drawLayer.calls.clear();
        drawFrame();
        quads = drawLayer.calls.size();
    }
    state.counters["calls_per_frame"] = static_cast<double>(quads);
    setPlatform(nullptr);
}
BENCHMARK(BM_DrawFrameOfLargeBoard)->Unit(benchmark::kMillisecond);

double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The loop of the board screen with the real clock and sleep: draw a frame,
// yield. The frame limiter does the pacing.
void BM_IdleFrameLoopCpuShare(benchmark::State& state) {
    setPlatform(&sdlPlatform());
    fillTextureTable();
    buildBigBoard();
    setUpRenderer();
    for (auto _ : state) {
        const double wallStart = platform().timer();
        const double cpuStart = processCpuSeconds();
        frameClock.lastFrameTime = wallStart;
        int frames = 0;
        while (platform().timer() - wallStart < 3.0) {
            drawLayer.calls.clear();
            drawFrame();
            platform().sleep(0);
            ++frames;
        }
        const double wall = platform().timer() - wallStart;
        state.counters["cpu_percent"] = 100 * (processCpuSeconds() - cpuStart) / wall;
        state.counters["frames_per_second"] = frames / wall;
    }
    setPlatform(nullptr);
}
BENCHMARK(BM_IdleFrameLoopCpuShare)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
