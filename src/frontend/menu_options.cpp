// The options: the options menu, the language choice, the display options
// with their notice, and the sound switches.
#include "assets/audio.h"
#include "assets/texture_catalogue.h"
#include "config/language.h"
#include "config/settings.h"
#include "frontend/menu_options.h"
#include "frontend/menu_state.h"
#include "gfx/display.h"
#include "gfx/frame.h"
#include "platform/keys.h"
#include "platform/platform.h"

namespace {

constexpr int LanguagesOffered = 4;

// Position of the language in use among the files listed; 0 when absent.
int languagePosition() {
    const List<std::string>& files = language.languageFiles;
    for (int i = 1; i <= files.count(); ++i)
        if (files[i] == settings.languageFile) return i;
    return 0;
}

// The chosen language everywhere at once: the string table and the texts
// that were copied out of it at start-up.
void applyLanguage() {
    loadLanguage(settings.languageFile);
    platform().setWindowTitle(str(1));
    catalogue.packList[0] = str(2);
    catalogue.textureTable[0].name = str(3);
}

// The window in the chosen mode and full-screen state at once. The drawing
// context and its textures stay; only the size and the scale change.
void applyDisplay() {
    useChosenMode();
    openWindow(display.screenWidth, display.screenHeight, display.fullScreen);
    renderer.xScale = 0;  // the scale factors follow on the next frame
}

// Steps the chosen mode to the next (+1) or previous (-1) usable mode,
// wrapping round. A chosen mode that is not in the list counts as one past
// its end, so forwards starts at the first mode and backwards at the last.
void stepScreenMode(int direction) {
    const int count = display.screenModeWidths.count();
    if (count == 0) return;
    int index = count + 1;
    for (int i = 1; i <= count; ++i) {
        if (display.screenModeWidths[i] == settings.chosenWidth &&
            display.screenModeHeights[i] == settings.chosenHeight) {
            index = i;
            break;
        }
    }
    index += direction;
    if (index > count) index = 1;
    if (index < 1) index = count;
    settings.chosenWidth = display.screenModeWidths[index];
    settings.chosenHeight = display.screenModeHeights[index];
}

std::string onOff(std::int32_t flag) { return str(flag != 0 ? 158 : 159); }

void setUpOptions() { setItems({str(150), str(151), str(152), str(153), str(110)}); }

void handleOptions(std::string& key) {
    if (key == "nr2") {
        const int position = languagePosition();
        goToScreen(3, position >= 1 && position <= LanguagesOffered ? position + 1 : 2);
    } else if (key == "nr3") {
        goToScreen(4, 2);
    } else if (key == "nr4") {
        goToScreen(5, 2);
    } else if (key == "nr5" || key == KeyEsc) {
        goToScreen(1, 4);
    }
}

void setUpLanguages() {
    const List<std::string>& files = language.languageFiles;
    menu.menuItems[1] = str(169);
    for (int i = 1; i <= LanguagesOffered; ++i) {
        // "deutsch.str" is offered as "deutsch." (the tile font draws no dot).
        const std::string& file = files.valid(i) ? files[i] : std::string();
        menu.menuItems[i + 1] =
            files.valid(i) ? file.substr(0, file.size() >= 3 ? file.size() - 3 : 0) : "_";
    }
    menu.menuItemCount = 5;
}

void handleLanguages(std::string& key) {
    const List<std::string>& files = language.languageFiles;
    for (int i = 1; i <= LanguagesOffered; ++i) {
        // An empty line ("_") can still be clicked; it names no file.
        if (key == "nr" + decimal(i + 1) && files.valid(i)) {
            settings.languageFile = files[i];
            key = KeyEsc;
        }
    }
    if (key != KeyEsc) return;
    if (settings.firstStart) {
        settings.firstStart = false;
        goToScreen(21, 1);
    } else {
        goToScreen(2, 2);
    }
    applyLanguage();
}

void setUpDisplay() {
    setItems({str(160), str(settings.chosenFullScreen != 0 ? 161 : 162), str(163),
              decimal(settings.chosenWidth) + ":" + decimal(settings.chosenHeight), str(110)});
}

void handleDisplay(std::string& key) {
    const int selection = menu.menuSelection;
    if (key == KeyRight && (selection == 2 || selection == 4)) key = "nr" + decimal(selection);
    if (key == KeyLeft && selection == 2) key = "nr2";
    if (key == KeyLeft && selection == 4) key = "nr4back";

    if (key == "nr2") {
        settings.chosenFullScreen = settings.chosenFullScreen == 0 ? 1 : 0;
        menu.displayChanged = -1;
    } else if (key == "nr4" || key == "nr4back") {
        stepScreenMode(key == "nr4" ? 1 : -1);
        menu.displayChanged = -1;
    } else if (key == "nr5" || key == KeyEsc) {
        if (menu.displayChanged != 0) {
            applyDisplay();
            goToScreen(12, 5);
        } else {
            goToScreen(2, 3);
        }
    }
}

void setUpSound() {
    setItems({str(154), str(155) + onOff(settings.soundEffectsOn), str(156) + onOff(settings.musicOn),
              str(157) + onOff(settings.voicesOn), str(110)});
}

void handleSound(std::string& key) {
    const int selection = menu.menuSelection;
    if ((key == KeyLeft || key == KeyRight) && selection >= 2 && selection <= 4)
        key = "nr" + decimal(selection);
    if (key == "nr2") toggleEffects();
    else if (key == "nr3") toggleMusic();
    else if (key == "nr4") toggleVoices();
    else if (key == "nr5" || key == KeyEsc) goToScreen(2, 4);
}

void setUpDisplayNotice() {
    setItems({str(164), str(165), str(166), str(167), str(168)});
    menu.displayChanged = 0;
}

void handleDisplayNotice(std::string& key) {
    if (!key.empty()) goToScreen(2, 3);
}

}  // namespace

std::vector<MenuScreenEntry> optionScreens() {
    return {
        {2, setUpOptions, handleOptions},
        {3, setUpLanguages, handleLanguages},
        {4, setUpDisplay, handleDisplay},
        {5, setUpSound, handleSound},
        {12, setUpDisplayNotice, handleDisplayNotice},
    };
}
