#include "frontend/menu_state.h"

#include "config/dialog.h"
#include "config/paths.h"
#include "gfx/frame.h"
#include "level/level_file.h"
#include "platform/platform.h"

MenuState menu;

namespace {
void (*registeredQuitSequence)() = nullptr;
}

bool isSelectable(const std::string& item) {
    if (!item.empty() && item.back() == ':') return false;
    return item.find('_') == std::string::npos;
}

void goToScreen(int screen, int selection) {
    menu.menuScreen = screen;
    menu.menuSelection = selection;
}

void setItems(std::initializer_list<std::string> items) {
    int i = 0;
    for (const std::string& item : items)
        if (++i < MenuItemSlots) menu.menuItems[i] = item;
    menu.menuItemCount = i < MenuItemSlots ? i : MenuItemSlots - 1;
}

std::string decimal(long long n) { return std::to_string(n); }

void loadMenuBackground() {
    // The background is scenery: a missing one leaves the empty level, and
    // neither that nor a missing picture in it is worth a message.
    loadLevel(paths.programFolder + MenuBackgroundLevel);
    dialog.dialogId = 0;
}

void returnToMenus() {
    renderer.menuVisible = -1;
    frameClock.targetZoom = 1.0;
    platform().showPointer(true);
    loadMenuBackground();
}

void setQuitSequence(void (*quitSequence)()) { registeredQuitSequence = quitSequence; }

void quitGame() {
    if (registeredQuitSequence != nullptr) registeredQuitSequence();
}
