#include "support/headless_game.h"

#include "audio/audio.h"
#include "core/app.h"
#include "core/dialog.h"
#include "core/language.h"
#include "core/paths.h"
#include "core/settings.h"
#include "gfx/draw_layer.h"
#include "gfx/frame.h"
#include "gfx/hud.h"
#include "gfx/png.h"
#include "gfx/text.h"
#include "gfx/textures.h"
#include "level/level.h"
#include "level/level_packs.h"
#include "play/board_index.h"
#include "play/play.h"
#include "play/replay.h"

void resetGameState() {
    app = AppState();
    dialog = DialogState();
    language = LanguageState();
    paths = PathState();
    settings = Settings();
    level = Level();
    textures = TextureState();
    drawLayer = DrawLayerState();
    pngDecoder = PngState();
    audio = AudioState();
    packs = LevelPackState();
    renderer = RendererState();
    font = BitmapFont();
    play = PlayState();
    hud = HudState();
    boardIndex = BoardIndex();
    replays = ReplayState();
}

void HeadlessGameTest::SetUp() {
    resetGameState();
    drawLayer.recording = true;
    setPlatform(&headless);
    setProgramFolder(folder.path());
}

void HeadlessGameTest::TearDown() {
    setPlatform(nullptr);
    resetGameState();
}
