#include "frontend/menus.h"

#include <map>

#include "assets/audio.h"
#include "config/dialog.h"
#include "config/settings.h"
#include "frontend/level_screens.h"
#include "frontend/menu_info.h"
#include "frontend/menu_main.h"
#include "frontend/menu_options.h"
#include "frontend/menu_profiles.h"
#include "gfx/frame.h"
#include "gfx/menu_overlay.h"
#include "platform/keys.h"
#include "platform/platform.h"

namespace {

constexpr double TimeOutSeconds = 3.0;
const char* const FakeUp = "fakeup";
const char* const MouseClick = "mouseclick";

const std::map<int, MenuScreenEntry>& screenTable() {
    static const std::map<int, MenuScreenEntry> table = [] {
        std::map<int, MenuScreenEntry> all;
        for (auto group : {mainScreens, optionScreens, infoScreens, profileScreens, levelScreens})
            for (const MenuScreenEntry& entry : group()) all[entry.number] = entry;
        return all;
    }();
    return table;
}

const MenuScreenEntry* currentScreen() {
    const auto found = screenTable().find(menu.menuScreen);
    return found == screenTable().end() ? nullptr : &found->second;
}

// The item at `index`; an index outside the slots reads as empty.
const std::string& itemAt(int index) {
    static const std::string none;
    return index >= 0 && index < MenuItemSlots ? menu.menuItems[index] : none;
}

MenuView currentView() {
    MenuView view;
    view.screen = menu.menuScreen;
    view.selection = menu.menuSelection;
    view.itemCount = menu.menuItemCount;
    view.items = menu.menuItems;
    return view;
}

void wrapSelection() {
    if (menu.menuSelection < 1) menu.menuSelection = menu.menuItemCount;
    if (menu.menuSelection > menu.menuItemCount) menu.menuSelection = 1;
}

// A press over an item selects it and its release over the same item is
// Enter; a press and release outside every item is a click of its own,
// except on the name entry.
void followMouse(std::string& key) {
    const bool down = (renderer.mouseButtons & 1) != 0;
    const bool inside = renderer.mouseX != -1 && renderer.mouseY != -1;
    const int hovered = renderer.hoveredItem;
    if (hovered > 0) {
        if (down && inside) {
            if (menu.pressState == 0) {
                menu.menuSelection = hovered;
                menu.pressState = hovered;
            }
        } else {
            if (menu.pressState == hovered) key = KeyEnter;
            menu.pressState = 0;
        }
    } else if (down && inside) {
        menu.pressState = -1;
    } else {
        if (menu.pressState == -1 && menu.menuScreen != 15) key = MouseClick;
        menu.pressState = 0;
    }
}

// Draws frames until a key arrives, the time-out comes round or the
// session asks the game to end.
void pollForKey() {
    PlatformBackend& system = platform();
    std::string key;
    menu.timedOut = false;
    while (key.empty() && !menu.timedOut) {
        if (system.endRequested()) break;
        drawFrame();
        system.sleep(0);
        followMouse(key);
        const double now = system.timer();
        if (now - menu.timerStart > TimeOutSeconds) {
            menu.timedOut = true;
            menu.timerStart = now;
        }
        if (key.empty()) key = system.readKey();
        if (key.empty() && !isSelectable(itemAt(menu.menuSelection))) key = FakeUp;
    }
    menu.key = key;
}

// While a message is up (a level that could not be loaded) it takes every
// key: Enter, Esc or a click closes it, the window's close request closes
// it and asks to quit, and the rest wait.
void answerMessage(const std::string& key) {
    if (key == KeyEnter || key == KeyEsc || key == MouseClick || key == KeyClose) dialog.dialogId = 0;
}

void handleWindowClose(const std::string& key) {
    if (key != KeyClose) return;
    dialog.dialogId = 0;
    goToScreen(1, 1);
    frameClock.targetZoom = 1.0;
    loadMenuBackground();
    goToScreen(7, 3);
}

}  // namespace

void navigate(std::string& key) {
    if ((key == "m" || key == "M") && menu.menuScreen != 15) {
        toggleMusic();
        key.clear();
    } else if (key == KeyUp || key == FakeUp) {
        menu.menuSelection -= 1;
        wrapSelection();
        if (key == FakeUp) key.clear();
    } else if (key == KeyDown) {
        menu.menuSelection += 1;
        wrapSelection();
    } else if (key == KeyHome) {
        menu.menuSelection = 1;
    } else if (key == KeyEnd) {
        menu.menuSelection = menu.menuItemCount;
    } else if (key == KeyEnter || (key == KeySpace && menu.menuScreen != 15)) {
        key = "nr" + decimal(menu.menuSelection);
    }
}

void skipUnselectable(const std::string& key) {
    // Up moves upwards past lines that cannot be selected, every other key
    // downwards. The walk is bounded: a list with nothing selectable on the
    // way (a title page keeps old items but counts none) must not hang it.
    for (int step = 0; step <= menu.menuItemCount + 1; ++step) {
        if (isSelectable(itemAt(menu.menuSelection))) return;
        menu.menuSelection += key == KeyUp ? -1 : 1;
        wrapSelection();
    }
}

void startMenus() {
    renderer.menuVisible = -1;
    goToScreen(settings.firstStart ? 3 : 21, 1);
    menu.timerStart = platform().timer();
    menu.pressState = 0;
    setMenuViewSource(currentView);
    startLevelScreens();
    platform().showPointer(true);
    loadMenuBackground();
}

void runMenuPass() {
    if (const MenuScreenEntry* screen = currentScreen()) screen->setUp();
    pollForKey();
    // The session's end (a logout, a terminal closed, a service stopped)
    // quits at once, without the question the window's close button asks.
    if (platform().endRequested()) {
        quitGame();
        return;
    }
    if (dialog.dialogId == 1) {
        answerMessage(menu.key);
        handleWindowClose(menu.key);
        return;
    }
    navigate(menu.key);
    skipUnselectable(menu.key);
    handleWindowClose(menu.key);
    if (const MenuScreenEntry* screen = currentScreen()) screen->handle(menu.key);
}

void runMenus() {
    startMenus();
    for (;;) runMenuPass();
}
