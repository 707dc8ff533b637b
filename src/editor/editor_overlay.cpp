#include "editor/editor_overlay.h"

#include <string>

#include "assets/texture_catalogue.h"
#include "base/numeric.h"
#include "config/dialog.h"
#include "config/language.h"
#include "editor/editor_state.h"
#include "gfx/dialog_box.h"
#include "gfx/display.h"
#include "gfx/draw_layer.h"
#include "gfx/frame.h"
#include "gfx/text.h"
#include "gfx/textures.h"
#include "level/level.h"
#include "level/level_packs.h"
#include "platform/platform.h"

namespace {

constexpr int PanelWidth = 374;
constexpr int PanelHeight = 186;
constexpr int PickerCell = 64;
constexpr int PickerPitch = 70;
constexpr int TitleWidthLimit = 200;

int rounded(double value) { return static_cast<int>(nearest(value)); }

void drawPicture(const Texture& picture, int x, int y, int z, int w, int h) {
    dlColour(255, 255, 255, 255);
    dlBindTexture(picture.glName);
    drawQuad(x, y, z, w, h);
}

void drawFramePicture(double frame, int x, int y, int z, int w, int h) {
    dlColour(255, 255, 255, 255);
    bindFrame(frame);
    drawQuad(x, y, z, w, h);
}

void drawDimmer() {
    drawPicture(textures.screens.editGrayTexture, 0, 0, 11, display.screenWidth, display.screenHeight);
}

void panelText(const std::string& text, int dx, int dy) {
    drawShadowedText(font, text, editor.panelX + dx, editor.panelY + dy, 12, 0, 0, 0, 255);
}

// A name shown without the first six characters of its folder name.
std::string withoutPrefix(const std::string& folderName) {
    return folderName.size() > 6 ? folderName.substr(6) : "";
}

bool fitsPicker(const TextureEntry& entry) {
    if (entry.kind != editor.currentKind) return false;
    if (editor.packFilter == 0) return true;
    return catalogue.packList.valid(editor.packFilter) && entry.packName == catalogue.packList[editor.packFilter];
}

void drawPicker() {
    drawDimmer();
    PlatformBackend& system = platform();
    const MouseState mouse = system.mouse();
    const bool inWindow = mouse.x != -1 && mouse.y != -1;
    const bool pressed = (mouse.buttons & 1) != 0;
    if (editor.pickerClicked == -1 && mouse.buttons == 0) {
        editor.pickerOpen = 0;
        editor.pickerClicked = 0;
    }
    int x = -PickerCell;
    int y = 5;
    bool overCell = false;
    std::string caption;
    const List<TextureEntry>& table = catalogue.textureTable;
    for (int e = 1; e <= table.count(); ++e) {
        const TextureEntry& entry = table[e];
        if (!fitsPicker(entry)) continue;
        x += PickerPitch;
        if (x + PickerCell - 1 > display.screenWidth) {
            x = 5;
            y += PickerPitch;
        }
        drawFramePicture(entry.firstFrame, x, y, 12, PickerCell, PickerCell);
        if (mouse.x >= x && mouse.x <= x + PickerCell - 1 && mouse.y >= y && mouse.y <= y + PickerCell - 1) {
            overCell = true;
            caption = entry.name;
            if (pressed && inWindow) {
                editor.pickerClicked = -1;
                editor.currentTexture = e;
                editor.previewFrame = entry.firstFrame;
            }
        }
    }
    if (!overCell) {
        // A click beside every picture closes the picker without a choice.
        if (pressed && inWindow) editor.pickerClicked = -1;
        caption = str(87);
    }
    drawShadowedText(font, caption, 0, display.screenHeight - 16, 12, 255, 255, 255, 255);
    if (!system.readKey().empty()) editor.pickerOpen = 0;
}

void drawCursor(int camX, int camY) {
    const double scale = renderer.zoomScale;
    const int size = rounded(128 * scale);
    drawPicture(textures.screens.editSelectTexture, rounded((display.screenWidth - 128 * scale) / 2),
                rounded((display.screenHeight - 128 * scale) / 2), 10, size, size);
    drawObjectList(level.platformMarkers, frameClock.animDelta, camX, camY, 10);
}

// The dialogs lie over the dimmed board at the panel's place.
constexpr int DialogDepth = 11;

void drawDialogLines(int lines) {
    panelText(dialog.dialogLine1, 15, 40);
    panelText(dialog.dialogLine2, 15, 60);
    if (lines == 3) panelText(dialog.dialogLine3, 15, 80);
}

void drawQuestion() {
    drawDialogBox(textures.screens.editDialTexture, editor.panelX, editor.panelY, DialogDepth);
    drawDialogLines(3);
    panelText(dialog.dialogButton1, 42, 132);
    panelText(dialog.dialogButton2, 203, 132);
}

void drawTextEntry() {
    drawDialogBox(textures.screens.editInputTexture, editor.panelX, editor.panelY, DialogDepth);
    drawDialogLines(2);
    if (frameClock.animDelta != 0)
        renderer.cursorBlink = advanceFrame(1, 6, renderer.cursorBlink, frameClock.animDelta);
    const std::string field = dialog.dialogField + (renderer.cursorBlink > 3 ? "_" : "");
    drawShadowedText(font, field, editor.panelX + 40, editor.panelY + 87, 12, 255, 255, 255, 255);
    panelText(dialog.dialogButton1, 123, 132);
}

// Where the highlight of each kind's button lies on the panel; w 0 for the
// kinds without a button.
struct KindButton {
    int dx;
    int dy;
    int w;
    int h;
};

KindButton kindButton(std::int32_t kind) {
    switch (kind) {
    case KindArrowEast: return {195, 101, 17, 17};
    case KindArrowNorth: return {174, 101, 17, 17};
    case KindArrowSouth: return {216, 101, 17, 17};
    case KindArrowWest: return {237, 101, 17, 17};
    case KindArrowJump: return {258, 101, 17, 17};
    case KindBackground: return {90, 101, 51, 38};
    case KindBall: return {153, 101, 17, 17};
    case KindBomb: return {216, 80, 17, 17};
    case KindCrack: return {195, 80, 17, 17};
    case KindExit: return {153, 122, 17, 17};
    case KindFlag: return {237, 80, 17, 17};
    case KindGround: return {153, 80, 17, 17};
    case KindPlatform: return {174, 122, 17, 17};
    case KindMarkerEast: return {216, 122, 17, 17};
    case KindMarkerNorth: return {195, 122, 17, 17};
    case KindMarkerSouth: return {237, 122, 17, 17};
    case KindMarkerWest: return {258, 122, 17, 17};
    case KindTrap: return {258, 80, 17, 17};
    case KindWall: return {174, 80, 17, 17};
    default: return {0, 0, 0, 0};
    }
}

std::string panelTitle() {
    std::string name = withoutPrefix(currentPackName());
    if (!level.levelName.empty()) name += " - " + level.levelName;
    while (!name.empty() && textWidth(font, name) > TitleWidthLimit) name.pop_back();
    return str(88) + name;
}

void drawPanel() {
    const int x = editor.panelX;
    const int y = editor.panelY;
    drawPicture(textures.screens.editMenuTexture, x, y, 11, PanelWidth, PanelHeight);

    const TextureEntry& chosen = textureEntryOf(editor.currentTexture);
    if (frameClock.animDelta != 0)
        editor.previewFrame = advanceFrame(chosen.firstFrame, chosen.lastFrame, editor.previewFrame, frameClock.animDelta);
    drawFramePicture(editor.previewFrame, x + 287, y + 80, 12, 58, 58);
    drawFramePicture(level.background.frame, x + 90, y + 101, 12, 51, 38);
    const KindButton highlight = kindButton(editor.currentKind);
    if (highlight.w != 0)
        drawPicture(textures.screens.editSelectTexture, x + highlight.dx, y + highlight.dy, 13, highlight.w,
                    highlight.h);

    panelText(editor.panelHint, 10, 150);
    const std::string filter = catalogue.packList.valid(editor.packFilter) || editor.packFilter == 0
                                   ? catalogue.packList[editor.packFilter]
                                   : "";
    panelText(withoutPrefix(filter), 179, 59);
    panelText(chosen.name, 153, 35);
    drawShadowedText(font, panelTitle(), x + 8, y + 6, 12, 255, 255, 255, 255);
    panelText(str(89) + std::to_string(packs.currentLevel) + " / " + std::to_string(packs.levelCount), 10, 35);
}

}  // namespace

void drawEditorOverlay(int camX, int camY) {
    if (editor.pickerOpen == -1) {
        drawPicker();
        return;
    }
    drawCursor(camX, camY);
    if (dialog.dialogId == 1)
        drawMessageBox(editor.panelX, editor.panelY, DialogDepth);
    else if ((dialog.dialogId >= 2 && dialog.dialogId <= 100) || dialog.dialogId == 201)
        drawQuestion();
    else if (dialog.dialogId >= 101 && dialog.dialogId <= 200)
        drawTextEntry();
    else
        drawPanel();
    dlColour(255, 255, 255, 255);
}
