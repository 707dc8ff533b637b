#include <gtest/gtest.h>

#include "config/dialog.h"
#include "config/paths.h"
#include "editor/editor_fixture.h"
#include "editor/editor_overlay.h"
#include "gfx/frame.h"
#include "gfx/textures.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "platform/keys.h"
#include "support/drawn_quads.h"

namespace {

// Keys fed one per yield of the game, so each reaches the loop that is
// running at that moment (the editor or the test play).
std::deque<std::string> scriptedKeys;
int playFramesSeen = 0;

void feedKeys(HeadlessPlatform& system) {
    if (renderer.editorActive == 0) ++playFramesSeen;
    if (system.keyQueue.empty() && !scriptedKeys.empty()) {
        system.keyQueue.push_back(scriptedKeys.front());
        scriptedKeys.pop_front();
    }
}

// Holds the controller's right for 0.75 s from the editor's first yield,
// then lets go and leaves the editor.
double padPressedAt = -1;
void holdRightThenLeave(HeadlessPlatform& system) {
    if (padPressedAt < 0) {
        padPressedAt = system.clock;
        ControllerState pad;
        pad.right = true;
        system.setController(pad);
    } else if (system.controller.right && system.clock - padPressedAt >= 0.75) {
        system.setController(ControllerState());
        system.keyQueue.push_back(KeyEsc);
    }
}

// The keys, then the session's end once they are used up.
void feedKeysThenEndTheSession(HeadlessPlatform& system) {
    feedKeys(system);
    if (scriptedKeys.empty() && system.keyQueue.empty()) system.sessionEnding = true;
}

std::int32_t dialogAtFirstYield = 0;  // the dialog open when the loop first yielded

void noteDialogThenFeedKeys(HeadlessPlatform& system) {
    if (dialogAtFirstYield == 0) dialogAtFirstYield = dialog.dialogId;
    feedKeys(system);
}

}  // namespace

using EditorLoop = EditorTest;

TEST_F(EditorLoop, AHeldControllerDirectionMovesTheCursorLikeAHeldKey) {
    makePack("lvlpcktest", 1);
    const double startX = level.viewX;
    padPressedAt = -1;
    headless.onSleep = holdRightThenLeave;
    runEditor();
    headless.onSleep = nullptr;
    // The press, then repeats after 0.4, 0.5, 0.6 and 0.7 s.
    EXPECT_EQ(level.viewX, startX + 5 * 128);
    EXPECT_EQ(renderer.editorActive, -1);
}

TEST_F(EditorLoop, ADamagedLevelOpensEmptyWithItsMessageAndSavingWritesAGoodFileOverIt) {
    makePack("lvlpcktest", 3);
    Bytes bytes;
    ASSERT_TRUE(readFile(folder.path() + "lvlpcktest/002.zdl", bytes));
    bytes.resize(50);
    folder.write("lvlpcktest/002.zdl", bytes);

    // The next level is the damaged one: the editor stays on it, empty,
    // and says why.
    press(KeyAltPgDn);
    EXPECT_EQ(packs.currentLevel, 2);
    EXPECT_EQ(dialog.dialogId, 1);
    EXPECT_EQ(dialog.dialogLine2, s(82));
    EXPECT_EQ(dialog.dialogLine3, "lvlpcktest/002.zdl");
    EXPECT_TRUE(level.groundTiles.empty());
    EXPECT_EQ(level.levelName, "");

    // Opened on it, the editor shows the message first; Enter closes it, a
    // ground tile is placed and saved over the damaged file.
    dialog.dialogId = 0;
    loadLevel();
    scriptedKeys = {KeyEnter, "g", " ", KeyAltS, KeyEnter, KeyEsc};
    dialogAtFirstYield = 0;
    headless.onSleep = noteDialogThenFeedKeys;
    runEditor();
    headless.onSleep = nullptr;
    EXPECT_EQ(dialogAtFirstYield, 1);
    EXPECT_TRUE(scriptedKeys.empty());
    ASSERT_TRUE(readFile(folder.path() + "lvlpcktest/002.zdl", bytes));
    LevelFileData stored;
    ASSERT_TRUE(decodeLevelFile(bytes, stored));
    EXPECT_EQ(stored.lists[ListGround].size(), 1u);
    EXPECT_EQ(storedTitle("lvlpcktest", 3), "level 3");

    // Even as the quiet action of the asking-first question, the damaged
    // level is told: saving the empty level would write over it.
    folder.write("lvlpcktest/003.zdl", Bytes(bytes.begin(), bytes.begin() + 30));
    level.levelModified = -1;
    press(KeyAltPgDn);
    handleDialogKey(KeyRightButton);  // "no": leave without saving
    EXPECT_EQ(packs.currentLevel, 3);
    EXPECT_EQ(dialog.dialogId, 1);
    EXPECT_EQ(dialog.dialogLine3, "lvlpcktest/003.zdl");
}

TEST_F(EditorLoop, TheSessionsEndKeepsUnsavedChangesInTheRecoveredFile) {
    makePack("lvlpcktest", 2);
    const std::string recovered = folder.path() + "lvlpcktest/recovered.zdl";
    // A ground tile placed, then the title dialog open when the session ends.
    scriptedKeys = {"g", " ", "l", "x"};
    headless.onSleep = feedKeysThenEndTheSession;
    runEditor();
    headless.onSleep = nullptr;
    EXPECT_EQ(renderer.editorActive, -1);
    Bytes bytes;
    ASSERT_TRUE(readFile(recovered, bytes));
    LevelFileData stored;
    ASSERT_TRUE(decodeLevelFile(bytes, stored));
    EXPECT_EQ(stored.lists[ListGround].size(), 1u);
    EXPECT_EQ(stored.levelName, "level 1");
    EXPECT_EQ(storedTitle("lvlpcktest", 1), "level 1");  // the level's own file is untouched
    ASSERT_TRUE(readFile(folder.path() + "lvlpcktest/001.zdl", bytes));
    ASSERT_TRUE(decodeLevelFile(bytes, stored));
    EXPECT_TRUE(stored.lists[ListGround].empty());
    countLevels();
    EXPECT_EQ(packs.levelCount, 2);  // no pack counts the recovered level

    // Without unsaved changes nothing is written.
    ASSERT_TRUE(deleteFile(recovered));
    loadLevel();
    runEditor();
    EXPECT_FALSE(fileExists(recovered));
}

TEST_F(EditorLoop, F2PlaysTheEditedLevelAndReturnsWithTheCursorAtTheBallAndTheFlagKept) {
    makePack("lvlpcktest", 1);
    scriptedKeys = {"h", " ", KeyRight, KeyDown, "g", " ", KeyF2, "", "", KeyEsc, "", "", KeyEsc, KeyRightButton};
    playFramesSeen = 0;
    headless.onSleep = feedKeys;
    runEditor();
    headless.onSleep = nullptr;

    EXPECT_GT(playFramesSeen, 0);
    EXPECT_EQ(renderer.editorActive, -1);
    EXPECT_EQ(renderer.menuVisible, 0);
    EXPECT_EQ(level.ball.x, 0);  // the played level was loaded back
    EXPECT_EQ(level.viewX, 0);
    EXPECT_EQ(level.viewY, 0);
    EXPECT_EQ(level.groundTiles.count(), 1);
    EXPECT_EQ(level.levelModified, -1);
    EXPECT_TRUE(fileExists(paths.programFolder + "tempedit.zdl"));
    EXPECT_EQ(storedTitle("lvlpcktest", 1), "level 1");  // the level's own file is untouched
    Bytes bytes;
    LevelFileData stored;
    ASSERT_TRUE(readFile(folder.path() + "lvlpcktest/001.zdl", bytes));
    ASSERT_TRUE(decodeLevelFile(bytes, stored));
    EXPECT_TRUE(stored.lists[ListGround].empty());
}

TEST_F(EditorLoop, PickerCellsRunFourteenARowAndAClickChoosesOnRelease) {
    for (int i = 0; i < 20; ++i) addTextureEntry("txtpckstone", "g" + std::to_string(i), KindGround, 12, 12, 0);
    editor.currentKind = KindGround;
    editor.pickerOpen = -1;
    drawLayer.calls.clear();
    drawEditorOverlay(0, 0);
    std::vector<DrawnQuad> cells;
    for (const DrawnQuad& quad : quadsAt(12))
        if (quad.w == 64) cells.push_back(quad);
    ASSERT_EQ(cells.size(), 23u);  // 3 + 20 ground pictures
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(cells[static_cast<std::size_t>(i)].x, 6 + 70 * i);
        EXPECT_EQ(cells[static_cast<std::size_t>(i)].y, 5);
    }
    EXPECT_EQ(cells[14].x, 5);
    EXPECT_EQ(cells[14].y, 75);
    EXPECT_EQ(cells[15].x, 75);

    // Press over the second cell: chosen at once; the release closes.
    headless.mouseState = {76 + 10, 5 + 10, 1};
    drawEditorOverlay(0, 0);
    EXPECT_EQ(editor.currentTexture, NeonGround);
    EXPECT_EQ(editor.pickerOpen, -1);
    headless.mouseState = {76 + 10, 5 + 10, 0};
    drawEditorOverlay(0, 0);
    EXPECT_EQ(editor.pickerOpen, 0);

    // A click beside every cell closes without a choice; so does any key.
    editor.pickerOpen = -1;
    headless.mouseState = {500, 600, 1};
    drawEditorOverlay(0, 0);
    headless.mouseState = {500, 600, 0};
    drawEditorOverlay(0, 0);
    EXPECT_EQ(editor.pickerOpen, 0);
    EXPECT_EQ(editor.currentTexture, NeonGround);
    editor.pickerOpen = -1;
    headless.keyQueue.push_back("q");
    drawEditorOverlay(0, 0);
    EXPECT_EQ(editor.pickerOpen, 0);
    EXPECT_TRUE(headless.keyQueue.empty());

    // The editor reads no key while the picker is open.
    editor.pickerOpen = -1;
    headless.keyQueue.push_back("w");
    headless.keyQueue.push_back("x");
    renderer.editorActive = -1;
    renderer.editorOverlay = drawEditorOverlay;
    dialog.dialogId = 0;
    editorPass();
    EXPECT_EQ(editor.currentKind, KindGround);
    EXPECT_EQ(editor.pickerOpen, 0);
}

TEST_F(EditorLoop, ThePanelAndEachDialogKindDrawAtThePanelOrigin) {
    makePack("lvlpcktest", 2);
    textures.screens.editMenuTexture.glName = 101;
    textures.screens.editDialTexture.glName = 102;
    textures.screens.editDial1Texture.glName = 103;
    textures.screens.editInputTexture.glName = 104;
    textures.screens.editSelectTexture.glName = 105;
    textures.screens.editGrayTexture.glName = 106;
    editor.panelX = 40;
    editor.panelY = 30;
    editor.currentKind = KindFlag;
    auto quadWith = [](double texture) {
        for (const DrawnQuad& quad : drawnQuads())
            if (quad.texture == texture) return quad;
        return DrawnQuad{};
    };

    dialog.dialogId = 0;
    drawLayer.calls.clear();
    drawEditorOverlay(0, 0);
    EXPECT_EQ(quadWith(101).x, 40);
    EXPECT_EQ(quadWith(101).w, 374);
    EXPECT_EQ(quadWith(101).z, 11);
    // The cursor's box, then the kind highlight over the flag button.
    std::vector<DrawnQuad> highlights;
    for (const DrawnQuad& quad : drawnQuads())
        if (quad.texture == 105) highlights.push_back(quad);
    ASSERT_EQ(highlights.size(), 2u);
    EXPECT_EQ(highlights[0].z, 10);
    EXPECT_EQ(highlights[1].x, 40 + 237);
    EXPECT_EQ(highlights[1].y, 30 + 80);
    EXPECT_EQ(highlights[1].z, 13);

    for (const auto& [id, texture] : {std::pair{1, 103}, std::pair{2, 102}, std::pair{103, 104}}) {
        dialog.dialogId = id;
        drawLayer.calls.clear();
        drawEditorOverlay(0, 0);
        EXPECT_EQ(quadWith(texture).x, 40);
        EXPECT_EQ(quadWith(texture).z, 12);
        EXPECT_EQ(quadWith(106).w, 1024);
        EXPECT_EQ(quadWith(101).w, 0);  // no panel under a dialog
    }
}
