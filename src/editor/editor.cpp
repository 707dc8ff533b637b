// The editor's loop and its commands: one key (or the open dialog) per pass,
// the asking-first rule, placing and removing objects, the choice of
// picture, and the level and pack commands.
#include "editor/editor.h"

#include <algorithm>
#include <cmath>

#include "assets/audio.h"
#include "assets/texture_catalogue.h"
#include "base/numeric.h"
#include "config/dialog.h"
#include "config/language.h"
#include "config/paths.h"
#include "editor/editor_overlay.h"
#include "gfx/frame.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "level/pack_operations.h"
#include "platform/files.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "play/play.h"
#include "progress/statistics.h"

EditorState editor;

namespace {

// Pending actions of the asking-first questions (their dialog numbers).
enum PendingAction {
    AppendLevel = 3,
    PreviousLevel = 4,
    NextLevel = 5,
    LeaveEditor = 6,
    PreviousPack = 7,
    NextPack = 8,
    NewPack = 9,
};

constexpr std::int32_t DeleteLevelQuestion = 2;
constexpr std::int32_t NewPackDialog = 101;
constexpr std::int32_t RenamePackDialog = 102;
constexpr std::int32_t TimeLimitDialog = 103;
constexpr std::int32_t TitleDialog = 104;
constexpr std::int32_t DeletePackQuestion = 201;

constexpr int MaxLevels = 999;
constexpr double Tile = 128;

bool passesEnd = false;  // set when the passes should return

std::string testPlayFile() { return paths.programFolder + "tempedit.zdl"; }

// The pack's name as the player sees it: the folder name without "lvlpck".
std::string shownPackName() {
    const std::string name = currentPackName();
    return name.size() > 6 ? name.substr(6) : "";
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool fitsChoice(int index) {
    const TextureEntry& entry = catalogue.textureTable[index];
    if (entry.kind != editor.currentKind) return false;
    if (editor.packFilter == 0) return true;
    return catalogue.packList.valid(editor.packFilter) &&
           entry.packName == catalogue.packList[editor.packFilter];
}

// A load that is the action of an asking-first question keeps its messages
// quiet: the question closes after the action. A file that is there but
// unusable is told all the same: the empty level shown stands for it, and
// saving it would write over the file.
void quietenAfter(LevelLoad result, bool quiet) {
    if (quiet && result != LevelLoad::Unusable) dialog.dialogId = 0;
}

void loadCurrentLevel(bool quiet) { quietenAfter(loadLevelFile(), quiet); }

// The previous or next level; when there is no such file the level that was
// current is loaded again.
void stepLevel(int step, bool quiet) {
    packs.currentLevel += step;
    LevelLoad result = loadLevelFile();
    if (result == LevelLoad::Missing) {
        packs.currentLevel -= step;
        result = loadLevelFile();
    }
    quietenAfter(result, quiet);
}

void stepPack(int step, bool quiet) {
    packs.currentPack += step;
    countLevels();
    loadCurrentLevel(quiet);
}

void runPendingAction(int action, bool quiet) {
    switch (action) {
    case AppendLevel: appendLevel(); break;
    case PreviousLevel: stepLevel(-1, quiet); break;
    case NextLevel: stepLevel(1, quiet); break;
    case LeaveEditor: passesEnd = true; break;
    case PreviousPack: stepPack(-1, quiet); break;
    case NextPack: stepPack(1, quiet); break;
    case NewPack: openTextDialog(NewPackDialog, str(75), "", PackNameCharacters); break;
    default: break;
    }
}

// The shared message dialog with strings n, n + 1, n + 2.
void showMessageStrings(int n) { showMessage(str(n), str(n + 1), str(n + 2)); }

void saveToItsFile() {
    if (!saveLevel(levelFileName(packs.currentLevel))) return;  // the saver's message is up
    level.levelModified = 0;
    showMessageStrings(71);
}

// F2: the level as it is goes to the scratch file, and the passes return
// for the test play. When it cannot be written the saver's message shows
// and editing goes on.
void requestTestPlay() {
    if (!saveLevel(testPlayFile())) return;
    renderer.editorActive = 0;
    passesEnd = true;
}

// The file browser shows the pack folder; nothing happens when the folder
// is gone or the system has no browser to start.
void openPackFolder() {
    const std::string folder = packFolder();
    if (folderExists(folder)) platform().showToPlayer(folder);
}

// Enter opens the picker once the mouse button that may have clicked the
// preview is up, so the release does not land in the picker.
void openPicker() {
    for (;;) {
        const MouseState mouse = platform().mouse();
        if ((mouse.buttons & 1) == 0 || mouse.x == -1 || platform().endRequested()) break;
        platform().sleep(0.01);
    }
    editor.pickerOpen = -1;
    editor.pickerClicked = 0;
}

void moveCursor(double dx, double dy) {
    PlatformBackend& system = platform();
    const bool painting = system.keyHeld(ScanLeftShift) || system.keyHeld(ScanRightShift);
    if (painting) placeCurrentObject();
    level.viewX += dx;
    level.viewY += dy;
    if (painting) placeCurrentObject();
}

double cursorX() { return static_cast<double>(nearest(level.viewX)); }
double cursorY() { return static_cast<double>(nearest(level.viewY)); }

void removeAllAtCursor() {
    for (ObjectList* list : {&level.groundTiles, &level.exitsAndTraps, &level.platforms, &level.bombsAndFlags,
                             &level.walls, &level.cracks, &level.arrows, &level.platformMarkers})
        removeObjectAt(*list, cursorX(), cursorY());
    level.levelModified = -1;
}

void removeTopAtCursor() {
    for (ObjectList* list : {&level.platformMarkers, &level.bombsAndFlags, &level.cracks, &level.walls,
                             &level.arrows, &level.platforms, &level.exitsAndTraps, &level.groundTiles}) {
        if (removeObjectAt(*list, cursorX(), cursorY())) {
            level.levelModified = -1;
            return;
        }
    }
}

// The kind chosen by a plain key; 0 for a key that chooses none.
std::int32_t kindOfKey(const std::string& key) {
    static const struct {
        const char* keys;
        std::int32_t kind;
    } letters[] = {
        {"gG", KindGround}, {"wW", KindWall},  {"cC", KindCrack},    {"bB", KindBomb},
        {"fF", KindFlag},   {"tT", KindTrap},  {"hH", KindBall},     {"eE", KindExit},
        {"pP", KindPlatform}, {"8", KindArrowNorth}, {"6", KindArrowEast}, {"2", KindArrowSouth},
        {"4", KindArrowWest}, {"5", KindArrowJump},
    };
    if (key.size() == 1) {
        for (const auto& entry : letters)
            if (std::string(entry.keys).find(key[0]) != std::string::npos) return entry.kind;
        return 0;
    }
    if (key == KeyAltB) return KindBackground;
    if (key == KeyAltUp) return KindMarkerNorth;
    if (key == KeyAltRight) return KindMarkerEast;
    if (key == KeyAltDown) return KindMarkerSouth;
    if (key == KeyAltLeft) return KindMarkerWest;
    return 0;
}

// The list a picture of `kind` is placed into; nullptr for the kinds that
// are records (background, ball) or are never placed.
ObjectList* listOfKind(std::int32_t kind) {
    switch (kind) {
    case KindGround: return &level.groundTiles;
    case KindExit: case KindTrap: return &level.exitsAndTraps;
    case KindArrowEast: case KindArrowNorth: case KindArrowSouth: case KindArrowWest: case KindArrowJump:
        return &level.arrows;
    case KindMarkerEast: case KindMarkerNorth: case KindMarkerSouth: case KindMarkerWest:
        return &level.platformMarkers;
    case KindPlatform: return &level.platforms;
    case KindBomb: case KindFlag: return &level.bombsAndFlags;
    case KindWall: return &level.walls;
    case KindCrack: return &level.cracks;
    default: return nullptr;
    }
}

void closeTextDialog(const std::string& key) {
    const std::int32_t id = dialog.dialogId;
    const std::string field = trimmed(dialog.dialogField);
    // A pack operation that finds a problem opens the message dialog, which
    // then stays up.
    dialog.dialogId = 0;
    if (key != KeyLeftButton) return;
    switch (id) {
    case NewPackDialog:
        if (!field.empty()) createLevelPack(field);
        break;
    case RenamePackDialog: {
        const std::string oldName = currentPackName();
        if (!field.empty() && renameLevelPack(field)) replaceProfilePack(oldName, currentPackName());
        break;
    }
    case TimeLimitDialog:
        if (!field.empty()) {
            const double seconds = parseTimeLimit(field);
            if (seconds != level.timeLimit) level.levelModified = -1;
            level.timeLimit = seconds;
        }
        break;
    case TitleDialog:
        if (field != level.levelName) level.levelModified = -1;
        level.levelName = field;
        break;
    default: break;
    }
}

}  // namespace

void keepUnsavedLevel() {
    if (level.levelModified != 0) saveLevel(recoveredLevelFile());
}

std::string recoveredLevelFile() { return packFolder() + RecoveredLevelName; }

void askFirst(int id) {
    if (level.levelModified == 0)
        runPendingAction(id, false);
    else
        openQuestion(id, 48);
}

void handleDialogKey(const std::string& key) {
    const std::int32_t id = dialog.dialogId;
    const bool first = key == KeyLeftButton || key == KeyEnter;
    switch (dialogKind(id)) {
    case DialogKind::Message:
        if (key == KeyLeftButton) dialog.dialogId = 0;
        return;
    case DialogKind::Text:
        if (key == KeyLeftButton || key == KeyEsc) closeTextDialog(key);
        return;
    case DialogKind::Question: break;
    case DialogKind::None: return;
    }
    if (id == DeleteLevelQuestion || id == DeletePackQuestion) {
        if (first) {
            dialog.dialogId = 0;
            if (id == DeleteLevelQuestion) {
                deleteLevel();
                dialog.dialogId = 0;
            } else {
                deleteLevelPack();
            }
        } else if (key == KeyRightButton || key == KeyEsc) {
            dialog.dialogId = 0;
        }
        return;
    }
    if (id >= AppendLevel && id <= NewPack) {
        if (first) {
            // A level that cannot be saved is not given up: the saver's
            // message replaces the question and the action does not run.
            if (!saveLevel(levelFileName(packs.currentLevel))) return;
            level.levelModified = 0;
        } else if (key != KeyRightButton) {
            return;  // Esc and other keys leave the question open
        }
        dialog.dialogId = 0;
        runPendingAction(id, true);
    }
}

void handleEditorKey(const std::string& key) {
    if (key.empty()) return;
    const std::int32_t kind = kindOfKey(key);
    if (key == KeyEnter) {
        openPicker();
    } else if (key == KeyF2) {
        requestTestPlay();
    } else if (key == KeyEsc || key == KeyClose) {
        askFirst(LeaveEditor);
    } else if (key == KeyF5) {
        if (level.levelModified == 0)
            openTextDialog(NewPackDialog, str(56), "", PackNameCharacters);
        else
            openQuestion(NewPack, 48);
    } else if (key == KeyF6) {
        if (packs.levelPacks.count() > 1)
            openQuestion(DeletePackQuestion, 57);
        else
            showMessageStrings(60);
    } else if (key == KeyF7) {
        openPackFolder();
    } else if (key == KeyTrackPrevious || key == KeyTrackNext) {
        if (key == KeyTrackPrevious)
            previousTrack();
        else
            nextTrack();
        level.levelModified = -1;
    } else if (key == "m" || key == "M") {
        toggleMusic();
    } else if (key == KeyCtrlN) {
        if (packs.levelCount < MaxLevels) askFirst(AppendLevel);
    } else if (key == "R" || key == "r") {
        openTextDialog(RenamePackDialog, str(63), shownPackName(), PackNameCharacters);
    } else if (key == KeyLevelLater) {
        moveLevelLater();
    } else if (key == KeyLevelEarlier) {
        moveLevelEarlier();
    } else if (key == KeyCtrlDel) {
        if (packs.levelCount > 1)
            openQuestion(DeleteLevelQuestion, 64);
        else
            showMessageStrings(67);
    } else if (key == KeyAltDel) {
        openTextDialog(TimeLimitDialog, str(70), timeLimitText(level.timeLimit), TimeLimitCharacters);
    } else if (key == KeyAltS) {
        saveToItsFile();
    } else if (key == "L" || key == "l") {
        openTextDialog(TitleDialog, str(74), level.levelName, TitleCharacters);
    } else if (key == KeyCtrlPgUp) {
        if (packs.currentPack > 1) askFirst(PreviousPack);
    } else if (key == KeyCtrlPgDn) {
        if (packs.currentPack < packs.levelPacks.count()) askFirst(NextPack);
    } else if (key == KeyAltPgUp) {
        if (packs.currentLevel > 1) askFirst(PreviousLevel);
    } else if (key == KeyAltPgDn) {
        if (packs.currentLevel < packs.levelCount) askFirst(NextLevel);
    } else if (key == KeyPgUp) {
        choosePicture(-1);
    } else if (key == KeyPgDn) {
        choosePicture(1);
    } else if (key == KeyHome) {
        editor.packFilter = std::max(editor.packFilter - 1, 0);
    } else if (key == KeyEnd) {
        editor.packFilter = std::min(editor.packFilter + 1, catalogue.packList.count());
    } else if (kind != 0) {
        editor.currentKind = kind;
    } else if (key == KeyLeft) {
        moveCursor(-Tile, 0);
    } else if (key == KeyRight) {
        moveCursor(Tile, 0);
    } else if (key == KeyUp) {
        moveCursor(0, -Tile);
    } else if (key == KeyDown) {
        moveCursor(0, Tile);
    } else if (key == "-") {
        level.zoom = std::max(level.zoom / 1.1, MinZoom);
    } else if (key == "+") {
        level.zoom = std::min(level.zoom * 1.1, MaxZoom);
    } else if (key == "d" || key == "D") {
        removeAllAtCursor();
    } else if (key == KeyDel) {
        removeTopAtCursor();
    } else if (key == KeySpace) {
        placeCurrentObject();
    }
}

void placeCurrentObject() {
    if (editor.currentTexture == 0) return;
    const TextureEntry& entry = textureEntryOf(editor.currentTexture);
    const double texture = editor.currentTexture;
    const double x = cursorX();
    const double y = cursorY();
    level.levelModified = -1;
    if (ObjectList* list = listOfKind(entry.kind)) {
        addObject(*list, x, y, texture);
        const double direction = static_cast<double>(directionOfKind(entry.kind));
        if (direction != 0) (*list)[list->count()].vx = direction;
    } else if (entry.kind == KindBackground) {
        level.background.texture = texture;
        level.background.frame = entry.firstFrame;
    } else if (entry.kind == KindBall) {
        placeBall(x, y, texture);
    }
}

void normaliseTextureChoice() {
    const List<TextureEntry>& table = catalogue.textureTable;
    editor.currentTexture = std::clamp(editor.currentTexture, 1, std::max(table.count(), 1));
    if (table.valid(editor.currentTexture) && fitsChoice(editor.currentTexture)) return;
    for (int i = 1; i <= table.count(); ++i) {
        if (fitsChoice(i)) {
            editor.currentTexture = i;
            editor.previewFrame = table[i].firstFrame;
            return;
        }
    }
    editor.currentTexture = 0;
    editor.previewFrame = table[0].firstFrame;
}

void choosePicture(int step) {
    const List<TextureEntry>& table = catalogue.textureTable;
    for (int i = editor.currentTexture + step; i >= 1 && i <= table.count(); i += step) {
        if (fitsChoice(i)) {
            editor.currentTexture = i;
            break;
        }
    }
    editor.previewFrame = textureEntryOf(editor.currentTexture).firstFrame;
}

bool editorPass() {
    drawFrame();
    if (platform().endRequested()) {
        keepUnsavedLevel();
        return false;
    }
    if (dialog.dialogId == 0) {
        handleEditorKey(editor.pickerOpen != 0 ? "" : editorInput());
        normaliseTextureChoice();
    } else {
        handleDialogKey(editorInput());
    }
    platform().sleep(0);
    return !passesEnd;
}

void runEditorPasses() {
    frameClock.ballAnimates = 0;
    renderer.editorActive = -1;
    renderer.editorOverlay = drawEditorOverlay;
    // The load before (the level to edit, or the test play's level back)
    // may have raised a message, which is shown; nothing else stays open.
    if (dialog.dialogId != 1) dialog.dialogId = 0;
    passesEnd = false;
    while (editorPass()) {
    }
}

void runEditor() {
    const std::int32_t menuVisible = renderer.menuVisible;
    renderer.menuVisible = 0;
    for (;;) {
        runEditorPasses();
        if (renderer.editorActive != 0) break;
        // The test play: the scratch file is played and loaded back, so the
        // editor shows the level as it was before the play, unsaved flag
        // included, with the cursor on the ball.
        const std::int32_t modified = level.levelModified;
        play.score = 0;
        play.shownScore = 0;
        playLevel();
        dialog.dialogId = 0;
        loadLevel(testPlayFile());
        level.levelModified = modified;
    }
    renderer.menuVisible = menuVisible;
}
