// Test support for the menus: a game folder with the shipped language files,
// the menus started at 1024 x 768, and helpers that feed the menu loop one
// key, a click or a quiet pass at a time.
#pragma once

#include <string>

#include "frontend/menus.h"
#include "support/headless_game.h"

class MenuTest : public HeadlessGameTest {
protected:
    void SetUp() override;

    // Runs one pass of the menu loop on `key`, after the passes the loop makes
    // by itself to move off an item that cannot be selected.
    void press(const std::string& key);
    // Each character as a key of its own.
    void type(const std::string& text);
    // A pass without a key: it ends on a time-out (or a "fakeup").
    void idle();
    // A click: the left button goes down at (x, y) and up again a frame later.
    void clickAt(int x, int y);
    // The middle of item i of a centred menu at 1024 x 768.
    static int itemY(int i) { return 236 + (i - 1) * 59 + 20; }

    // Profile files for each name, played last in the default pack.
    void writeProfiles(std::initializer_list<const char*> names);

    const std::string& item(int i) const { return menu.menuItems[i]; }
};
