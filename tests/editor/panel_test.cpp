#include <gtest/gtest.h>

#include "config/dialog.h"
#include "editor/editor_fixture.h"
#include "gfx/text.h"
#include "platform/keys.h"

using EditorPanel = EditorTest;

TEST_F(EditorPanel, EveryButtonSendsItsKeyOverItsWholeAreaAndShowsItsHint) {
    editor.panelX = 100;
    editor.panelY = 50;
    for (const PanelButton& button : panelButtons()) {
        SCOPED_TRACE(button.hint);
        for (const int px : {button.left, button.right}) {
            for (const int py : {button.top, button.bottom}) {
                mouseInput(100 + px, 50 + py, 0);
                EXPECT_EQ(editor.panelHint, s(button.hint));
                EXPECT_EQ(click(100 + px, 50 + py), button.key);
            }
        }
        // One pixel outside each edge is another button or none.
        const int midX = (button.left + button.right) / 2;
        const int midY = (button.top + button.bottom) / 2;
        for (const auto& [px, py] : {std::pair{button.left - 1, midY}, std::pair{button.right + 1, midY},
                                     std::pair{midX, button.top - 1}, std::pair{midX, button.bottom + 1}}) {
            const PanelButton* other = panelButtonAt(px, py);
            EXPECT_TRUE(other == nullptr || other != &button);
        }
    }
    mouseInput(100 + 200, 50 + 30, 0);
    EXPECT_EQ(editor.panelHint, defaultPanelHint());
    EXPECT_EQ(defaultPanelHint(), std::string("\x1b\x12\x1a") + s(4));
}

TEST_F(EditorPanel, AButtonActsOnlyWhenReleasedOverItself) {
    headless.keyQueue.push_back("x");
    EXPECT_EQ(mouseInput(15 + 20, 15 + 70, 1), "");  // Ctrl+PgUp pressed
    EXPECT_EQ(mouseInput(15 + 40, 15 + 70, 1), "");
    EXPECT_EQ(mouseInput(15 + 40, 15 + 70, 0), "");  // released over Ctrl+PgDn
    EXPECT_EQ(mouseInput(15 + 20, 15 + 70, 1), "");
    EXPECT_EQ(mouseInput(-1, -1, 1), "");            // outside: still pending
    EXPECT_EQ(mouseInput(-1, -1, 0), "");
    EXPECT_EQ(mouseInput(15 + 20, 15 + 70, 0), KeyCtrlPgUp);
    EXPECT_EQ(mouseInput(15 + 20, 15 + 70, 0), "x");  // the keyboard again
}

TEST_F(EditorPanel, TheTopStripDragsThePanelUntilTheButtonIsReleased) {
    EXPECT_EQ(mouseInput(15 + 100, 15 + 10, 1), "");
    EXPECT_EQ(editor.panelDragging, -1);
    mouseInput(15 + 130, 15 + 50, 1);
    mouseInput(15 + 140, 15 + 40, 1);
    EXPECT_EQ(editor.panelX, 55);
    EXPECT_EQ(editor.panelY, 45);
    mouseInput(200, 200, 0);
    EXPECT_EQ(editor.panelDragging, 0);
    mouseInput(300, 300, 1);  // not on the strip any more
    mouseInput(310, 310, 1);
    EXPECT_EQ(editor.panelX, 55);
    mouseInput(310, 310, 0);

    // Dialogs share the origin: the question's second button moved along.
    dialog.dialogId = 2;
    EXPECT_EQ(click(55 + 200, 45 + 130), KeyRightButton);
    EXPECT_EQ(click(55 + 340, 45 + 10), KeyEsc);
    dialog.dialogId = 1;
    EXPECT_EQ(click(55 + 120, 45 + 130), KeyLeftButton);
    EXPECT_EQ(click(55 + 40, 45 + 130), "");
}

TEST_F(EditorPanel, DialogKindsTranslateTheirKeys) {
    auto key = [&](const std::string& k) {
        headless.keyQueue.push_back(k);
        return mouseInput(-1, -1, 0);
    };
    dialog.dialogId = 1;
    EXPECT_EQ(key(KeyEnter), KeyLeftButton);
    EXPECT_EQ(key(KeyEsc), KeyLeftButton);
    EXPECT_EQ(key("y"), "y");

    openQuestion(2, 64);
    dialog.dialogButton1 = " Yes";
    dialog.dialogButton2 = "No";
    EXPECT_EQ(key("Y"), KeyLeftButton);
    EXPECT_EQ(key("n"), KeyRightButton);
    EXPECT_EQ(key(KeyEsc), KeyEsc);
    dialog.dialogButton2 = "yonder";  // the same first letter: the second button wins
    EXPECT_EQ(key("y"), KeyRightButton);

    openTextDialog(103, "", "1", TimeLimitCharacters);
    EXPECT_EQ(key("a"), "");
    EXPECT_EQ(key(":"), "");
    EXPECT_EQ(key("5"), "");
    EXPECT_EQ(dialog.dialogField, "1:5");
    EXPECT_EQ(key(KeyLeft), "");
    EXPECT_EQ(key(KeyBackspace), "");
    EXPECT_EQ(dialog.dialogField, "1");
    EXPECT_EQ(key(KeyEnter), KeyLeftButton);
    EXPECT_EQ(key(KeyEsc), KeyEsc);
    EXPECT_EQ(key(KeyF2), KeyF2);

    // The field stops growing once it is 260 pixels wide.
    font.spacing = 2;
    font.glyphs[static_cast<unsigned char>('a')].width = 20;
    openTextDialog(104, "", "", TitleCharacters);
    for (int i = 0; i < 20; ++i) key("a");
    EXPECT_EQ(dialog.dialogField, std::string(12, 'a'));
    // "{" is allowed but lies beyond "z": it cannot be typed.
    openTextDialog(101, "", "", PackNameCharacters);
    key("{");
    key("/");
    key("\xe9");
    EXPECT_EQ(dialog.dialogField, "");
}

TEST_F(EditorPanel, TimeLimitsReadAndWriteAsMinutesAndSeconds) {
    EXPECT_EQ(timeLimitText(600), "10:00");
    EXPECT_EQ(timeLimitText(6000), "100:00");
    EXPECT_EQ(timeLimitText(62.5), "01:02");
    EXPECT_EQ(timeLimitText(-5), "00:00");
    EXPECT_EQ(parseTimeLimit("12:30"), 750);
    EXPECT_EQ(parseTimeLimit("200"), 5940);
    EXPECT_EQ(parseTimeLimit(":45"), 45);
    EXPECT_EQ(parseTimeLimit("2:75"), 195);
    EXPECT_EQ(parseTimeLimit(":"), 0);
    EXPECT_EQ(parseTimeLimit("99999999999999999999:99999999999999999999"), 5940 + 1e9);
}
