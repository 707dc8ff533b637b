#include "app/app.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "assets/audio.h"
#include "assets/texture_catalogue.h"
#include "base/numeric.h"
#include "config/dialog.h"
#include "config/language.h"
#include "config/paths.h"
#include "config/settings.h"
#include "frontend/menus.h"
#include "gfx/display.h"
#include "gfx/draw_layer.h"
#include "gfx/frame.h"
#include "gfx/text.h"
#include "gfx/textures.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "platform/files.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "platform/text_screen.h"
#include "play/play.h"
#include "play/replay.h"
#include "progress/profiles.h"

AppState app;

namespace {

FrontEndHooks frontEndHooks;

// Step 10: the configured mode if the platform offers it, else the first one.
void chooseScreenMode() {
    for (int i = 1; i <= display.screenModeWidths.count(); ++i) {
        if (display.screenModeWidths[i] == settings.chosenWidth &&
            display.screenModeHeights[i] == settings.chosenHeight)
            return;
    }
    settings.chosenWidth = display.screenModeWidths[1];
    settings.chosenHeight = display.screenModeHeights[1];
    display.screenWidth = settings.chosenWidth;
    display.screenHeight = settings.chosenHeight;
}

std::uint64_t seedFromTimer() {
    const double now = platform().timer();
    std::uint64_t bits;
    std::memcpy(&bits, &now, sizeof bits);
    return bits;
}

// Shows the board, with the loader's message when the level could not be
// loaded, until Esc, the window's close request or the session's end.
[[noreturn]] void runUntilEsc() {
    for (;;) {
        drawFrame();
        if (platform().endRequested()) quit();
        const std::string key = platform().readKey();
        if (key == KeyEsc || key == KeyClose) quit();
        platform().sleep(0);
    }
}

// The logo stays up until 2 seconds after start-up began, a key press (read
// and dropped, so it does not reach what follows) or a click inside the
// window. A slow start thus shortens it.
void runLogoPhase() {
    if (dialog.dialogId != -1) return;
    for (;;) {
        drawFrame();
        const MouseState mouse = platform().mouse();
        platform().sleep(0);
        if (platform().endRequested()) quit();
        const std::string key = platform().readKey();
        // Closing the window is a request to quit, not a key to drop.
        if (key == KeyClose) quit();
        if (!key.empty()) break;
        if (mouse.buttons != 0 && mouse.x != -1 && mouse.y != -1) break;
        if (platform().timer() - app.startTime >= 2.0) break;
    }
    dialog.dialogId = 0;
}

[[noreturn]] void failReplay(const std::string& message) {
    std::fprintf(stderr, "zindrop7: %s\n", message.c_str());
    std::fflush(stderr);
    exitProgram(1);
}

// Start-up from the logo screen to the loaded background level; the logo
// phase counts from here.
void startUp() {
    renderer.loadingCaption = -1;
    dialog.dialogId = -1;
    level.zoom = 0.5;
    app.startTime = platform().timer();
    initialise();
    frameClock.targetZoom = 1.0;
    renderer.loadingCaption = 0;
}

}  // namespace

void initialise() {
    listLanguageFiles();
    if (language.languageFiles.empty()) showNoLanguageScreen();
    chooseStartLanguage();
    if (frontEndHooks.startProfiles != nullptr) frontEndHooks.startProfiles();
    loadLanguage(settings.languageFile);
    listScreenModes();
    if (display.screenModeWidths.empty()) showNoDisplayModeScreen();
    chooseScreenMode();
    startAudio();
    seedRandom(seedFromTimer());
    openWindow(display.screenWidth, display.screenHeight, display.fullScreen);
    setFrameDrawer(drawFrame);
    platform().setWindowTitle(str(1));
    dlEnableAlphaBlending();
    font.spacing = 2;
    play.flagsLeft = 1;
    loadFont(font, paths.programFolder + "standard.tga", paths.programFolder + "standard.dat");
    loadTextures(drawFrame);
    catalogue.packList[0] = str(2);
    // The current level of the current pack is the live background of the
    // menus; if it cannot be loaded, the loader's message replaces the logo.
    listLevelPacks();
    countLevels();
    loadLevel();
    frameClock.lastFrameTime = platform().timer();
}

FrontEndHooks menuFrontEnd() {
    FrontEndHooks hooks;
    hooks.startProfiles = startProfiles;
    hooks.run = [] {
        setQuitSequence(quit);
        runMenus();
    };
    return hooks;
}

void runGame(const std::string& programFolder, const FrontEndHooks& frontEnd) {
    frontEndHooks = frontEnd;
    setProgramFolder(programFolder);
    level = Level();
    loadSettings();
    useChosenMode();
    recordRunsTo(paths.dataFolder + "lastrun.zrp");
    startUp();
    runLogoPhase();
    if (frontEndHooks.run != nullptr) frontEndHooks.run();
    runUntilEsc();
}

void runReplay(const std::string& programFolder, const std::string& replayFile) {
    setProgramFolder(programFolder);
    level = Level();
    loadSettings();
    useChosenMode();
    ReplayRecord record;
    std::string error;
    if (!readReplay(replayFile, record, error)) failReplay(error);
    // The level is checked before the window opens, so a replay that cannot
    // run fails at once; start-up then lists the packs afresh.
    listLevelPacks();
    if (!findRecordedLevel(record, error)) failReplay(error);

    startUp();
    dialog.dialogId = 0;
    if (!loadRecordedLevel(record, error)) failReplay(error);

    const ReplayOutcome outcome = playRecord(record, &platform(), true);
    if (!outcome.error.empty()) failReplay(outcome.error);
    if (outcome.progress == ReplayProgress::Exhausted ||
        outcome.progress == ReplayProgress::Desynchronised)
        failReplay("the replay went another way than the recorded run (" + outcome.report + ")");
    if (outcome.progress == ReplayProgress::Playing && !outcome.complete)
        failReplay("the run ended before its record did");
    quit();
}

void quit() {
    saveSettings();
    // Only SDL's audio closes here; the window and its OpenGL context stay
    // until the program ends, so the textures can still be deleted.
    closeAudio();
    deleteFrameTextures();
    exitProgram(0);
}

void showNoLanguageScreen() {
    std::vector<TextLine> lines = {{12, "Error: no language-files found!"},
                                   {7, "Please redownload Zindrop 7:"},
                                   {7, ""},
                                   {7, "Surf to:"},
                                   {7, ""},
                                   {15, "the folder you built Zindrop 7 in, and"},
                                   {15, "run ./install.sh there again."},
                                   {7, ""},
                                   {7, "Missing: english.str (or any *.str"},
                                   {7, "language file), which must lie beside"},
                                   {7, "the program, in:"}};
    for (const std::string& part : screenLines(paths.programFolder, 3)) lines.push_back({15, part});
    lines.push_back({7, ""});
    lines.push_back({7, "Press any key to quit."});
    platform().showTextScreen(9, lines);
    exitProgram(0);
}

void showNoDisplayModeScreen() {
    std::vector<TextLine> lines = {{14, " Zindrop 7"},
                                   {14, " ---------"},
                                   {7, ""},
                                   {15, " Zindrop 7 requires a resolution of at"},
                                   {15, " least 640 x 480 and 32 bit color."},
                                   {7, ""},
                                   {12, " Your system doesn't seem to support"},
                                   {12, " that. Sorry."},
                                   {7, ""}};
    // What the system does offer (modes of 32-bit colour only), and what the
    // player can change.
    const std::vector<DisplayMode> modes = platform().displayModes();
    const auto largest = std::max_element(modes.begin(), modes.end(), [](const DisplayMode& a, const DisplayMode& b) {
        return static_cast<long>(a.width) * a.height < static_cast<long>(b.width) * b.height;
    });
    if (largest == modes.end())
        lines.push_back({7, " It offers no mode with 32 bit color."});
    else
        lines.push_back({7, " The largest it offers is " + std::to_string(largest->width) + " x " +
                                std::to_string(largest->height) + "."});
    lines.push_back({7, " Set your desktop to a larger"});
    lines.push_back({7, " resolution and 32 bit color, or start"});
    lines.push_back({7, " the game on another screen."});
    lines.push_back({7, ""});
    lines.push_back({7, " Press any key to quit."});
    platform().showTextScreen(8, lines);
    exitProgram(0);
}

std::vector<std::string> screenLines(const std::string& text, std::size_t maxLines) {
    std::vector<std::string> lines;
    if (maxLines == 0) return lines;
    const std::size_t room = TextColumns * maxLines;
    // Too long for the lines: the end, which names the folder itself, stays.
    const std::string shown = text.size() <= room ? text : "..." + text.substr(text.size() - (room - 3));
    for (std::size_t at = 0; at < shown.size(); at += TextColumns) lines.push_back(shown.substr(at, TextColumns));
    return lines;
}
