// The editor overlay: what drawFrame draws over the board while the editor
// runs (the editor registers it with the renderer when it starts): the
// full-screen texture picker, or the cursor with the platform markers and
// then the panel or the open dialog, with the renderer's primitives. Reads
// the editor's values (editor_state.h) and the shared dialog; the picker also
// takes its own clicks and the key that closes it.
#pragma once

// Draws the overlay; (camX, camY) is the board camera of the frame, rounded.
void drawEditorOverlay(int camX, int camY);
