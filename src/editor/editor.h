// The level editor: the player moves a cursor over the board held in the
// level model, places and removes objects with the chosen picture, sets the
// level's title, time limit and music, saves it, test-plays it, and manages
// the levels of the pack and the packs themselves. Owns the editor's loop,
// its key commands, the asking-first rule that protects unsaved changes, and
// the panel input that turns mouse and keyboard into editor keys (panel.cpp).
// Its values are in editor_state.h, which its overlay (editor_overlay.h) reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/editor_state.h"

// --- The loop -------------------------------------------------------------

// Edits the level in memory until the player leaves, or the session asks
// the game to end (the caller quits then). F2 saves it as
// "tempedit.zdl" in the program folder, plays that, loads it back with the
// unsaved-changes flag it had, and returns to editing. Returns with
// renderer.editorActive -1, as the caller's overlay switch expects it to be
// reset.
void runEditor();

// The editing passes alone: returns when the player leaves (editorActive -1)
// or asks for a test play (editorActive 0, the level saved as "tempedit.zdl").
void runEditorPasses();

// One pass: a frame, then one key or the open dialog. False once the passes
// should return; also when the session asks the game to end, after the
// level's unsaved changes were kept (keepUnsavedLevel): the caller then
// quits.
bool editorPass();

// The file that keeps a level whose changes were not saved when the game
// had to end without asking: in the pack's folder, under a name that is no
// level number, so that no pack counts it. Renamed to a free number (or
// over the level) it is a level of the pack again.
inline const char* const RecoveredLevelName = "recovered.zdl";
std::string recoveredLevelFile();

// Writes the level in memory to recoveredLevelFile when it has unsaved
// changes; nothing otherwise.
void keepUnsavedLevel();

// --- Commands -------------------------------------------------------------

// Acts on one key string of the editor (a keyboard key or a panel button).
void handleEditorKey(const std::string& key);

// Acts on one key string while a dialog is open.
void handleDialogKey(const std::string& key);

// Places currentTexture at the cursor, in the list of its kind.
void placeCurrentObject();

// Keeps currentTexture on an entry of currentKind (and of the filtered pack):
// the lowest one that fits when the choice does not, 0 when none does.
void normaliseTextureChoice();

// The previous (step -1) or next (step 1) picture of the current kind; the
// choice stays when there is none.
void choosePicture(int step);

// Runs pending action `id` (3..9) at once when the level has no unsaved
// changes; otherwise asks first whether to save them.
void askFirst(int id);

// --- The pack's level files (level_list.cpp) -------------------------------
// Each changes the disk at once and keeps every profile's statistics with
// its levels. A failure leaves every level file and statistics file as it
// was and returns false.

// A new empty level after the last, made current and saved at once. The
// level being edited comes back when the new one cannot be saved (the
// saver's message is then up) or a file already has the new number.
bool appendLevel();

// Deletes the current level's file, renumbers the later ones down and loads
// the level now current (also after a failure).
bool deleteLevel();

// Swaps the current level with the next or previous one; it stays current,
// and the level in memory keeps its unsaved changes.
bool moveLevelLater();
bool moveLevelEarlier();

// --- Panel, input and dialogs (panel.cpp) ----------------------------------

// A panel button: the rectangle relative to the panel's corner (both ends
// included), the key string it sends and the number of its hint string.
struct PanelButton {
    int top;
    int bottom;
    int left;
    int right;
    std::string key;
    int hint;
};

// Literal key strings of the panel buttons that have no keyboard key, and of
// the dialog buttons.
inline const std::string KeyLeftButton = "LB";
inline const std::string KeyRightButton = "RB";
inline const std::string KeyLevelLater = "INC";
inline const std::string KeyLevelEarlier = "DEC";
inline const std::string KeyTrackNext = "M+";
inline const std::string KeyTrackPrevious = "M-";

// The panel's buttons in the order they are tested (the first match wins).
const std::vector<PanelButton>& panelButtons();

// The button under panel position (px, py); nullptr when none.
const PanelButton* panelButtonAt(int px, int py);

// The key string under panel position (px, py) for the open dialog kind
// (the panel's buttons when none is open); "" when none.
std::string hitTest(int px, int py);

// The hint shown while the pointer is over no button.
std::string defaultPanelHint();

enum class DialogKind { None, Message, Question, Text };
DialogKind dialogKind(std::int32_t dialogId);

// One call per editor pass: the mouse works the panel or the dialog's
// buttons, the keyboard answers the dialog or gives a key. Returns one key
// string, often "".
std::string editorInput();

// Characters the text dialogs accept.
extern const std::string PackNameCharacters;
extern const std::string TitleCharacters;
extern const std::string TimeLimitCharacters;

// Opens text dialog `id` with its first line, the field and the characters
// it accepts.
void openTextDialog(std::int32_t id, const std::string& line1, const std::string& field,
                    const std::string& allowed);

// Opens question dialog `id` with strings line1..line1 + 2 and buttons 51, 52.
void openQuestion(std::int32_t id, int line1);

// A time limit as the dialog shows it: "mm:ss" of the whole seconds, the
// minutes written with at least two digits ("100:00" for 6000).
std::string timeLimitText(double seconds);

// The seconds a typed time limit means: minutes (at most 99) from the digits
// at the start, plus the digits after the first ":".
double parseTimeLimit(const std::string& text);
