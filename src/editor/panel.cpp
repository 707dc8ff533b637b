// The editor's input layer: the panel's buttons and hints, dragging the panel
// by its top strip, and the keys and buttons of the three dialog kinds.
#include <algorithm>
#include <cctype>

#include "base/numeric.h"
#include "config/dialog.h"
#include "config/language.h"
#include "editor/editor.h"
#include "gfx/text.h"
#include "platform/keys.h"
#include "platform/platform.h"

const std::string PackNameCharacters =
    " ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789$%'-@{}~!#()&_^+,.=[]";
const std::string TitleCharacters = PackNameCharacters + "/\\?%*:<>.\"";
const std::string TimeLimitCharacters = "0123456789:";

namespace {

// A field stops growing once it is drawn this wide; the character cap keeps
// it bounded even with a font whose glyphs have no width.
constexpr int FieldWidthLimit = 260;
constexpr std::size_t FieldLengthLimit = 200;

// The panel's top strip, by which it (and every dialog) is dragged.
constexpr int HandleRight = 359;
constexpr int HandleBottom = 28;

bool inside(int v, int low, int high) { return v >= low && v <= high; }

std::string trimmedLower(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    std::string out = text.substr(first);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string lowerKey(const std::string& key) {
    if (key.size() != 1) return key;
    return std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(key[0]))));
}

std::string textDialogKey(const std::string& key) {
    if (key == KeyLeft || key == KeyBackspace) {
        if (!dialog.dialogField.empty()) dialog.dialogField.pop_back();
        return "";
    }
    if (key == KeyEnter) return KeyLeftButton;
    if (key.size() == 1 && key[0] >= ' ' && key[0] <= 'z') {
        if (editor.dialogAllowed.find(key[0]) != std::string::npos &&
            textWidth(font, dialog.dialogField) < FieldWidthLimit &&
            dialog.dialogField.size() < FieldLengthLimit)
            dialog.dialogField += key;
        return "";
    }
    return key;
}

std::string questionDialogKey(const std::string& key) {
    const std::string pressed = lowerKey(key);
    std::string result = key;
    const std::string first = trimmedLower(dialog.dialogButton1);
    const std::string second = trimmedLower(dialog.dialogButton2);
    if (!first.empty() && pressed == first.substr(0, 1)) result = KeyLeftButton;
    if (!second.empty() && pressed == second.substr(0, 1)) result = KeyRightButton;
    return result;
}

}  // namespace

const std::vector<PanelButton>& panelButtons() {
    static const std::vector<PanelButton> buttons = {
        {0, 16, 311, 353, KeyEsc, 5},
        {80, 138, 287, 345, KeyEnter, 6},
        {58, 78, 10, 28, KeyCtrlPgUp, 7},
        {58, 78, 32, 48, KeyCtrlPgDn, 8},
        {58, 78, 60, 77, KeyAltPgUp, 9},
        {58, 78, 82, 98, KeyAltPgDn, 10},
        {58, 78, 103, 120, KeyAltS, 11},
        {58, 78, 123, 141, "L", 12},
        {58, 78, 152, 170, KeyHome, 13},
        {58, 78, 257, 277, KeyEnd, 14},
        {58, 78, 286, 304, KeyPgUp, 15},
        {58, 78, 327, 346, KeyPgDn, 16},
        {79, 99, 9, 28, KeyF5, 17},
        {79, 99, 31, 49, KeyF6, 18},
        {79, 99, 61, 79, KeyCtrlN, 19},
        {79, 99, 82, 99, KeyCtrlDel, 20},
        {79, 99, 102, 121, KeyAltDel, 21},
        {79, 99, 124, 142, KeyF2, 22},
        {79, 99, 153, 171, "g", 23},
        {79, 99, 174, 192, "w", 24},
        {79, 99, 194, 214, "c", 25},
        {79, 99, 216, 234, "b", 26},
        {79, 99, 236, 256, "f", 27},
        {79, 99, 257, 275, "t", 28},
        {101, 139, 90, 141, KeyAltB, 29},
        {100, 120, 10, 28, "R", 30},
        {100, 120, 31, 49, KeyLevelLater, 31},
        {100, 120, 61, 85, KeyTrackNext, 32},
        {100, 120, 153, 171, "h", 33},
        {100, 120, 174, 192, "8", 34},
        {100, 120, 194, 214, "6", 35},
        {100, 120, 216, 234, "2", 36},
        {100, 120, 236, 256, "4", 37},
        {100, 120, 257, 275, "5", 38},
        {121, 140, 10, 28, KeyF7, 39},
        {121, 140, 31, 49, KeyLevelEarlier, 40},
        {121, 140, 61, 85, KeyTrackPrevious, 41},
        {121, 140, 153, 171, "e", 42},
        {121, 140, 174, 192, "p", 43},
        {121, 140, 194, 214, KeyAltUp, 44},
        {121, 140, 216, 234, KeyAltRight, 45},
        {121, 140, 236, 256, KeyAltDown, 46},
        {121, 140, 257, 275, KeyAltLeft, 47},
    };
    return buttons;
}

const PanelButton* panelButtonAt(int px, int py) {
    for (const PanelButton& button : panelButtons())
        if (inside(py, button.top, button.bottom) && inside(px, button.left, button.right)) return &button;
    return nullptr;
}

DialogKind dialogKind(std::int32_t id) {
    if (id == 1) return DialogKind::Message;
    if ((id >= 2 && id <= 100) || id == 201) return DialogKind::Question;
    if (id >= 101 && id <= 200) return DialogKind::Text;
    return DialogKind::None;
}

std::string hitTest(int px, int py) {
    const DialogKind kind = dialogKind(dialog.dialogId);
    if (kind == DialogKind::None) {
        const PanelButton* button = panelButtonAt(px, py);
        return button != nullptr ? button->key : "";
    }
    if (inside(px, 311, 353) && inside(py, 0, 16)) return KeyEsc;  // the close box
    if (!inside(py, 124, 154)) return "";
    if (kind == DialogKind::Question) {
        if (inside(px, 34, 159)) return KeyLeftButton;
        if (inside(px, 195, 320)) return KeyRightButton;
        return "";
    }
    return inside(px, 115, 240) ? KeyLeftButton : "";
}

std::string defaultPanelHint() {
    return std::string{static_cast<char>(27), static_cast<char>(18), static_cast<char>(26)} + str(4);
}

std::string editorInput() {
    PlatformBackend& system = platform();
    const MouseState mouse = system.mouse();
    const bool inWindow = mouse.x != -1 && mouse.y != -1;
    const int px = mouse.x - editor.panelX;
    const int py = mouse.y - editor.panelY;
    const std::string hit = hitTest(px, py);
    if (dialogKind(dialog.dialogId) == DialogKind::None) {
        const PanelButton* button = panelButtonAt(px, py);
        editor.panelHint = button != nullptr ? str(button->hint) : defaultPanelHint();
    }

    std::string result;
    if ((mouse.buttons & 1) != 0 && inWindow) {
        if (editor.panelDragging != 0) {
            editor.panelX += mouse.x - editor.lastMouseX;
            editor.panelY += mouse.y - editor.lastMouseY;
        } else if (!hit.empty()) {
            if (editor.buttonHeld == 0) editor.pendingButton = hit;
        } else if (inside(px, 0, HandleRight) && inside(py, 0, HandleBottom) &&
                   editor.pendingButton.empty()) {
            editor.panelDragging = -1;
        }
        editor.buttonHeld = -1;
    } else if (!editor.pendingButton.empty()) {
        // A button acts when released over itself; outside the window the
        // press stays pending until the pointer comes back.
        if (inWindow) {
            if (hit == editor.pendingButton) result = editor.pendingButton;
            editor.pendingButton.clear();
            editor.buttonHeld = 0;
        }
    } else {
        editor.panelDragging = 0;
        editor.buttonHeld = 0;
        const std::string key = system.readKey();
        switch (dialogKind(dialog.dialogId)) {
        case DialogKind::None: result = key; break;
        case DialogKind::Message: result = key == KeyEnter || key == KeyEsc ? KeyLeftButton : key; break;
        case DialogKind::Text: result = textDialogKey(key); break;
        case DialogKind::Question: result = questionDialogKey(key); break;
        }
    }
    editor.lastMouseX = mouse.x;
    editor.lastMouseY = mouse.y;
    return result;
}

void openTextDialog(std::int32_t id, const std::string& line1, const std::string& field,
                    const std::string& allowed) {
    dialog.dialogId = id;
    dialog.dialogLine1 = line1;
    dialog.dialogLine2.clear();
    dialog.dialogLine3.clear();
    dialog.dialogButton1 = str(53);
    dialog.dialogButton2.clear();
    dialog.dialogField = field;
    editor.dialogAllowed = allowed;
}

void openQuestion(std::int32_t id, int line1) {
    dialog.dialogId = id;
    dialog.dialogLine1 = str(line1);
    dialog.dialogLine2 = str(line1 + 1);
    dialog.dialogLine3 = str(line1 + 2);
    dialog.dialogButton1 = str(51);
    dialog.dialogButton2 = str(52);
}

std::string timeLimitText(double seconds) {
    // A negative limit means none, like 0; an absurd one is shown capped.
    const double shown = std::clamp(seconds, 0.0, 1e9);
    const std::int64_t whole = nearest(shown);
    std::string minutes = std::to_string(whole / 60);
    std::string rest = std::to_string(whole % 60);
    if (minutes.size() < 2) minutes.insert(0, 2 - minutes.size(), '0');
    if (rest.size() < 2) rest.insert(0, 2 - rest.size(), '0');
    return minutes + ":" + rest;
}

namespace {

// The number the digits at the start of `text` spell; 0 without digits.
// Kept far from overflow: the field is short, but nothing relies on that.
double leadingDigits(const std::string& text) {
    double value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min(value * 10 + (c - '0'), 1e9);
    }
    return value;
}

}  // namespace

double parseTimeLimit(const std::string& text) {
    double seconds = std::min(leadingDigits(text) * 60, 5940.0);
    const auto colon = text.find(':');
    if (colon != std::string::npos) seconds += leadingDigits(text.substr(colon + 1));
    return seconds;
}
