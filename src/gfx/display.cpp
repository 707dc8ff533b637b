#include "gfx/display.h"

#include "config/settings.h"
#include "gfx/draw_layer.h"
#include "platform/platform.h"

DisplayState display;

void listScreenModes() {
    display.screenModeWidths.clear();
    display.screenModeHeights.clear();
    for (const DisplayMode& mode : platform().displayModes()) {
        if (mode.width >= 640 && mode.height >= 480) {
            display.screenModeWidths.append(mode.width);
            display.screenModeHeights.append(mode.height);
        }
    }
}

void useChosenMode() {
    display.screenWidth = settings.chosenWidth;
    display.screenHeight = settings.chosenHeight;
    display.fullScreen = settings.chosenFullScreen;
}

void openWindow(int width, int height, int fullScreenFlag) {
    platform().openWindow(width, height, fullScreenFlag != 0);
    dlSetFixedState(width, height);
}
