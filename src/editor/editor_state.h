// The editor's values: what is being placed, the texture picker, and the
// panel with its buttons and dialogs. Written by the editor's loop and input
// (editor.h) and read by the editor's overlay (editor_overlay.h). Set once at
// program start; entering the editor keeps them, so the last choices carry
// over between visits.
//
// The dialog itself (its number, texts and typed field) is the shared dialog
// of config/dialog.h; whether the editor is shown is renderer.editorActive.
#pragma once

#include <cstdint>
#include <string>

struct EditorState {
    // Placing.
    std::int32_t currentKind = 16;    // TextureKind the next placement uses (ground)
    std::int32_t currentTexture = 1;  // textureTable entry to place; 0 when none fits
    std::int32_t packFilter = 0;      // 0 all texture packs, else an index into packList
    double previewFrame = 0;          // frame shown as the preview of currentTexture

    // Texture picker.
    std::int32_t pickerOpen = 0;      // -1 while the full-screen picker is shown
    std::int32_t pickerClicked = 0;   // -1 once the left button went down in the picker

    // Panel and dialogs (they share one origin).
    std::int32_t panelX = 15;         // top-left of the panel and of every dialog
    std::int32_t panelY = 15;
    std::string panelHint;            // hint line under the buttons
    std::string pendingButton;        // key of the button pressed; "" when none
    std::int32_t buttonHeld = 0;      // -1 while the left button is down
    std::int32_t panelDragging = 0;   // -1 while the panel is dragged by its top strip
    std::int32_t lastMouseX = -1;     // pointer at the previous input call
    std::int32_t lastMouseY = -1;
    std::string dialogAllowed;        // characters the open text dialog accepts
};

extern EditorState editor;
