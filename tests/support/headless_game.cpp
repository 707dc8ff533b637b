#include "support/headless_game.h"

#include "app/app.h"
#include "assets/audio.h"
#include "assets/mixer_layer.h"
#include "config/dialog.h"
#include "config/language.h"
#include "config/paths.h"
#include "config/settings.h"
#include "editor/editor_state.h"
#include "frontend/menu_state.h"
#include "frontend/progression.h"
#include "gfx/display.h"
#include "gfx/draw_layer.h"
#include "gfx/frame.h"
#include "gfx/hud.h"
#include "gfx/level_panel.h"
#include "gfx/menu_overlay.h"
#include "gfx/png.h"
#include "gfx/text.h"
#include "gfx/textures.h"
#include "level/level.h"
#include "level/level_packs.h"
#include "play/board_index.h"
#include "play/play.h"
#include "play/replay.h"
#include "progress/profiles.h"
#include "progress/statistics.h"

void resetGameState() {
    app = AppState();
    display = DisplayState();
    dialog = DialogState();
    language = LanguageState();
    paths = PathState();
    settings = Settings();
    level = Level();
    textures = TextureState();
    catalogue = TextureCatalogue();
    drawLayer = DrawLayerState();
    pngDecoder = PngState();
    audio = AudioState();
    mixerLayer = MixerLayerState();
    packs = LevelPackState();
    renderer = RendererState();
    frameClock = FrameClock();
    font = BitmapFont();
    play = PlayState();
    hud = HudState();
    editor = EditorState();
    boardIndex = BoardIndex();
    menu = MenuState();
    menuOverlay = MenuOverlayState();
    profileState = ProfileState();
    stats = StatisticsState();
    progression = ProgressionState();
    levelPanel = LevelPanelState();
    replays = ReplayState();
}

void useNumberedStrings() {
    language.strings.clear();
    for (int n = 1; n <= StringCount; ++n) language.strings.append("#" + std::to_string(n));
}

void HeadlessGameTest::SetUp() {
    resetGameState();
    drawLayer.recording = true;
    mixerLayer.recording = true;
    setPlatform(&headless);
    setFrameDrawer(drawFrame);
    setProgramFolder(folder.path());
}

void HeadlessGameTest::TearDown() {
    setPlatform(nullptr);
    resetGameState();
}
