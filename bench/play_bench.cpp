// One frame of the ball at full speed on a large level: every unit step asks
// the board about floor, walls, pickups, exits and arrows. Measured with the
// board index and with plain scans of the lists, in the same run.
#include <benchmark/benchmark.h>

#include <random>

#include "config/settings.h"
#include "gfx/frame.h"
#include "gfx/textures.h"
#include "level/level.h"
#include "platform/headless.h"
#include "play/board_index.h"
#include "play/play.h"

namespace {

LevelObject objectOf(int kind, double x, double y, double vx = 0) {
    LevelObject o;
    o.texture = kind;
    o.x = x;
    o.y = y;
    o.vx = vx;
    return o;
}

// 200 x 200 tiles of ground; 2,000 walls, 2,000 pickups and 500 arrows
// scattered over the board but away from the diagonal the ball rolls along,
// so that every frame does the same work.
void buildBigBoard() {
    textures = TextureState();
    catalogue = TextureCatalogue();
    for (int kind = 1; kind <= KindWall; ++kind) {
        TextureEntry entry;
        entry.kind = kind;
        catalogue.textureTable.append(entry);
    }
    level = Level();
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) level.groundTiles.append(objectOf(KindGround, 128.0 * x, 128.0 * y));
    std::mt19937 random(7);
    auto awayFromDiagonal = [&](double& x, double& y) {
        do {
            x = 128.0 * std::uniform_int_distribution<int>(0, 199)(random);
            y = 128.0 * std::uniform_int_distribution<int>(0, 199)(random);
        } while (std::abs(x - y) < 1024);
    };
    double x = 0;
    double y = 0;
    for (int i = 0; i < 2000; ++i) {
        awayFromDiagonal(x, y);
        level.walls.append(objectOf(KindWall, x, y));
        awayFromDiagonal(x, y);
        level.bombsAndFlags.append(objectOf(i % 2 ? KindFlag : KindBomb, x, y));
    }
    for (int i = 0; i < 500; ++i) {
        awayFromDiagonal(x, y);
        level.arrows.append(objectOf(KindArrowEast, x, y, DirEast));
    }
}

void fullSpeedFrame(benchmark::State& state, bool indexed) {
    HeadlessPlatform headless;
    setPlatform(&headless);
    settings = Settings();
    buildBigBoard();
    indexBoard();
    enableBoardIndex(indexed);
    frameClock.animDelta = 0.4175;
    play.startZoom = 0.5;
    for (auto _ : state) {
        level.ball = objectOf(KindBall, 12800, 12800);
        level.ball.vx = 50;
        level.ball.vy = 50;
        updateBall();
        benchmark::DoNotOptimize(level.ball.x);
    }
    setPlatform(nullptr);
}

void BM_BallFrameIndexed(benchmark::State& state) { fullSpeedFrame(state, true); }
void BM_BallFrameLinearScan(benchmark::State& state) { fullSpeedFrame(state, false); }
BENCHMARK(BM_BallFrameIndexed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BallFrameLinearScan)->Unit(benchmark::kMillisecond);

}  // namespace
