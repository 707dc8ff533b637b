// The screens of a player's way through a pack: the choice of pack, the
// level screen from which levels are played, skipped and revisited, and the
// notices after a finished level (level record, personal best, pack
// progress) or a refused skip. The rules behind them are progression's.
#include "config/language.h"
#include "config/settings.h"
#include "frontend/level_screens.h"
#include "frontend/menu_state.h"
#include "frontend/progression.h"
#include "gfx/frame.h"
#include "gfx/level_panel.h"
#include "level/level.h"
#include "level/level_packs.h"
#include "platform/keys.h"
#include "progress/profiles.h"
#include "progress/statistics.h"

namespace {

constexpr int ListedPacks = 4;  // packs the list mode shows; more open the single mode

// A pack folder's name as players know it: without "lvlpck".
std::string packTitle(const std::string& folderName) {
    return folderName.size() > 6 ? folderName.substr(6) : "";
}

bool packListMode() { return packs.levelPacks.count() <= ListedPacks; }

std::int32_t currentCompletions() {
    const int current = packs.currentLevel;
    return current >= 1 && current <= StatisticsLevels ? stats.progress.levelCompletions[current] : 0;
}

std::int32_t currentBest() {
    const int current = packs.currentLevel;
    return current >= 1 && current <= StatisticsLevels ? stats.progress.levelBest[current] : 0;
}

// --- Choosing the pack -----------------------------------------------------

void setUpPackChoice() {
    const List<std::string>& list = packs.levelPacks;
    if (packListMode()) {
        menu.menuItems[1] = str(170);
        for (int i = 1; i <= ListedPacks; ++i)
            menu.menuItems[i + 1] = list.valid(i) ? packTitle(list[i]) : "_";
        menu.menuItemCount = 5;
        return;
    }
    setItems({str(170), packTitle(currentPackName()), "_", str(171), str(172)});
}

void handlePackChoice(std::string& key) {
    if (key == KeyEsc) {
        goToScreen(1, 1);
        return;
    }
    if (packListMode()) {
        for (int i = 1; i <= ListedPacks; ++i) {
            if (key == "nr" + decimal(i + 1) && packs.levelPacks.valid(i)) {
                packs.currentPack = i;
                openPack();
            }
        }
        return;
    }
    if (key == "nr2") {
        openPack();
    } else if (key == "nr4" || key == "nr5") {
        if (key == "nr4" && packs.currentPack > 1) packs.currentPack -= 1;
        if (key == "nr5" && packs.currentPack < packs.levelPacks.count()) packs.currentPack += 1;
        countLevels();
        computePackRecord();
    }
}

// --- The level screen ------------------------------------------------------

void setUpLevelScreen() {
    const bool last = packs.currentLevel == packs.levelCount;
    int skipText = currentCompletions() > 0 ? 175 : 176;
    if (last) skipText = skippedCount() == 0 ? 178 : 177;
    setItems({str(173) + decimal(packs.currentLevel) + ":", str(101),
              packs.currentLevel == 1 ? "_" : str(174), str(skipText), str(179)});
}

void handleLevelScreen(std::string& key) {
    if (key == "nr5" || key == KeyEsc) {
        returnToMenus();
        goToScreen(1, 1);
    } else if (key == "nr2") {
        playCurrentLevel();
    } else if (key == "nr3") {
        previousLevel();
        frameClock.targetZoom = LevelScreenZoom;
    } else if (key == "nr4") {
        skipLevel();
    }
}

// --- Notices ---------------------------------------------------------------

void setUpLevelRecord() {
    setItems({str(188) + currentProfileName() + "_", str(189), str(190),
              str(191) + decimal(stats.levelRecord)});
}

void setUpPersonalBest() {
    setItems({str(200) + currentProfileName() + "_", str(201), str(202),
              str(203) + decimal(currentBest())});
}

void handleFinishNotice(std::string& key) {
    if (!key.empty()) leaveFinishNotice();
}

void setUpSkipRefused() { setItems({str(195), str(196), str(197), str(198), str(199)}); }

void handleSkipRefused(std::string& key) {
    if (key == "nr4") firstUnfinishedLevel();
    else if (key == "nr5" || key == KeyEsc) goToScreen(14, 2);
}

void setUpPackProgress() {
    const std::int32_t left = unfinishedCount();
    std::string line3 = str(221);
    std::string line4 = str(222);
    if (left == 1) {
        line3 = str(223);
        line4 = str(224);
    } else if (left > 1) {
        line3 = str(225) + decimal(left) + str(226);
        line4 = str(227);
    }
    setItems({str(219) + currentProfileName(), str(220), line3, line4, "WOW"});
}

void handlePackProgress(std::string& key) {
    if (key.empty()) return;
    if (unfinishedCount() == 0) {
        // The whole pack is done: on to the page about more levels, and from
        // its links back to the main menu.
        menu.returnToMainAfterLink = -1;
        returnToMenus();
        goToScreen(9, 5);
    } else {
        goToScreen(14, 2);
    }
}

// What the level screen's panel shows, for the overlay.
LevelPanelView levelPanelView() {
    LevelPanelView view;
    view.packName = packTitle(currentPackName());
    view.packRecordHolder = capitalised(stats.packRecordHolder);
    view.packRecord = stats.packRecord;
    view.profileName = capitalised(currentProfileName());
    view.bestTotal = bestTotal();
    view.unfinished = unfinishedCount();
    view.skipped = unfinishedUpToHighestFinished();
    view.levelName = level.levelName;
    view.levelRecordHolder = capitalised(stats.levelRecordHolder);
    view.levelRecord = stats.levelRecord;
    view.levelBest = currentBest();
    view.completions = currentCompletions();
    return view;
}

}  // namespace

std::vector<MenuScreenEntry> levelScreens() {
    return {
        {13, setUpPackChoice, handlePackChoice},
        {14, setUpLevelScreen, handleLevelScreen},
        {17, setUpLevelRecord, handleFinishNotice},
        {19, setUpSkipRefused, handleSkipRefused},
        {20, setUpPersonalBest, handleFinishNotice},
        {27, setUpPackProgress, handlePackProgress},
    };
}

void startLevelScreens() { setLevelPanelSource(levelPanelView); }

void playChosenProfile() {
    loadProfilePack();
    if (packs.levelPacks.count() < 2) {
        openPack();
        return;
    }
    goToScreen(13, packListMode() ? packs.currentPack + 1 : 2);
}
