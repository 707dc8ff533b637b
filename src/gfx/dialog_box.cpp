#include "gfx/dialog_box.h"

#include "config/dialog.h"
#include "gfx/display.h"
#include "gfx/draw_layer.h"
#include "gfx/renderer.h"
#include "gfx/text.h"
#include "gfx/textures.h"

void drawDialogBox(const Texture& picture, int x, int y, int z) {
    dlColour(255, 255, 255, 255);
    dlBindTexture(textures.screens.editGrayTexture.glName);
    drawQuad(0, 0, z, display.screenWidth, display.screenHeight);
    dlColour(255, 255, 255, 255);
    dlBindTexture(picture.glName);
    drawQuad(x, y, z + 1, DialogBoxWidth, DialogBoxHeight);
}

void drawDialogText(const std::string& text, int x, int y, int dx, int dy, int z) {
    drawShadowedText(font, text, x + dx, y + dy, z + 1, 0, 0, 0, 255);
}

void drawMessageBox(int x, int y, int z) {
    drawDialogBox(textures.screens.editDial1Texture, x, y, z);
    drawDialogText(dialog.dialogLine1, x, y, 15, 40, z);
    drawDialogText(dialog.dialogLine2, x, y, 15, 60, z);
    drawDialogText(dialog.dialogLine3, x, y, 15, 80, z);
    drawDialogText(dialog.dialogButton1, x, y, 123, 132, z);
    dlColour(255, 255, 255, 255);
}
