#include "frontend/menu_fixture.h"

#include "app/app.h"
#include "config/dialog.h"
#include "config/language.h"
#include "config/settings.h"
#include "gfx/display.h"
#include "gfx/draw_layer.h"
#include "gfx/frame.h"
#include "level/level_packs.h"
#include "progress/profiles.h"

namespace {
std::string shippedFile(const std::string& name) {
    std::string contents;
    readTextFile(std::string(ZD_SOURCE_DIR) + "/data/" + name, contents);
    return contents;
}

// Lets go of the button once the menu overlay has seen it down.
void releaseOnceSeen(HeadlessPlatform& system) {
    if ((renderer.mouseButtons & 1) != 0) system.mouseState.buttons = 0;
}
}  // namespace

void MenuTest::SetUp() {
    HeadlessGameTest::SetUp();
    folder.write("english.str", shippedFile("english.str"));
    folder.write("deutsch.str", shippedFile("deutsch.str"));
    display.screenWidth = 1024;
    display.screenHeight = 768;
    display.screenModeWidths.append(800);
    display.screenModeHeights.append(600);
    display.screenModeWidths.append(1024);
    display.screenModeHeights.append(768);
    listLanguageFiles();
    loadLanguage(settings.languageFile);
    listLevelPacks();
    countLevels();
    dialog.dialogId = 0;
    startProfiles();
    setQuitSequence(quit);
    startMenus();
}

void MenuTest::press(const std::string& key) {
    for (int i = 0; i < 8 && !isSelectable(menu.menuItems[menu.menuSelection % MenuItemSlots]); ++i)
        runMenuPass();
    headless.keyQueue.push_back(key);
    runMenuPass();
    drawLayer.calls.clear();
}

void MenuTest::type(const std::string& text) {
    for (char c : text) press(std::string(1, c));
}

void MenuTest::idle() {
    runMenuPass();
    drawLayer.calls.clear();
}

void MenuTest::clickAt(int x, int y) {
    headless.mouseState = {x, y, 1};
    headless.onSleep = releaseOnceSeen;
    runMenuPass();
    headless.onSleep = nullptr;
    drawLayer.calls.clear();
}

void MenuTest::writeProfiles(std::initializer_list<const char*> names) {
    for (const char* name : names) folder.write(std::string(name) + ".alp", "lvlpckzindrop\r\n");
    startProfiles();
}
