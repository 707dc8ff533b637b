#include "editor/editor_fixture.h"

#include "assets/texture_catalogue.h"
#include "config/dialog.h"
#include "config/paths.h"
#include "gfx/display.h"
#include "level/level.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "platform/files.h"

void EditorTest::SetUp() {
    LevelFilesTest::SetUp();
    display.screenWidth = 1024;
    display.screenHeight = 768;
    catalogue.textureTable.clear();
    const auto add = addTextureEntry;
    add("txtpckstone", "", KindGround, 1, 1, 0);
    add("txtpckstone", "flag", KindFlag, 2, 2, 0);
    add("txtpckstone", "", KindBall, 3, 3, 0);
    add("txtpckstone", "", KindExit, 4, 4, 0);
    add("txtpckneon", "", KindGround, 5, 5, 0);
    add("txtpckstone", "", KindArrowNorth, 6, 6, 0);
    add("txtpckstone", "", KindMarkerEast, 7, 7, 0);
    add("txtpckstone", "sky", KindBackground, 8, 9, 0);
    add("txtpckstone", "", KindBallShadow, 10, 10, 0);
    add("txtpckstone", "rough", KindGround, 11, 11, 0);
    catalogue.packList.clear();
    catalogue.packList[0] = "      (all)";
    catalogue.packList.append("txtpckneon");
    catalogue.packList.append("txtpckstone");
    level.zoom = 0.5;
    level.ballShadow.texture = StoneShadow;
    packs.levelPacks.clear();
}

void EditorTest::makePack(const std::string& folderName, int levels) {
    makeFolder(folder.path() + folderName);
    for (int n = 1; n <= levels; ++n) {
        // Every name resolves, so loading raises no missing-picture message.
        LevelFileData data;
        data.background = {"txtpckstone", "sky", 0, 0, 0, 0};
        data.ball = {"txtpckstone", "", 0, 0, 0, 0};
        data.ballShadow = data.ball;
        data.levelName = "level " + std::to_string(n);
        folder.write(folderName + "/" + zeroPad(n, 3) + ".zdl", encodeLevelFile(data));
    }
    packs.currentPack = packs.levelPacks.append(folderName);
    sortLevelPacks();
    countLevels();
    loadLevel();
    dialog.dialogId = 0;
}

void EditorTest::press(const std::string& key) {
    handleEditorKey(key);
    normaliseTextureChoice();
}

std::string EditorTest::mouseInput(int x, int y, int buttons) {
    headless.mouseState = {x, y, buttons};
    return editorInput();
}

std::string EditorTest::click(int x, int y) {
    mouseInput(x, y, 1);
    return mouseInput(x, y, 0);
}

void EditorTest::writeStatistics(const std::string& pack, const std::string& profile, int storedLevel) {
    Statistics statistics;
    statistics.currentLevel = storedLevel;
    for (int i = 1; i <= StatisticsLevels; ++i) {
        statistics.levelCompletions[i] = i;
        statistics.levelBest[i] = 100 * i;
    }
    folder.write(pack + "/" + profile + ".sts", encodeStatistics(statistics));
}

Statistics EditorTest::readStatistics(const std::string& pack, const std::string& profile) {
    Bytes bytes;
    readFile(folder.path() + pack + "/" + profile + ".sts", bytes);
    EXPECT_EQ(bytes.size(), StatisticsFileSize);
    return decodeStatistics(bytes);
}

std::string EditorTest::folderSnapshot(const std::string& pack) {
    std::string snapshot;
    for (const std::string& name : listFolder(folder.path() + pack, "*", EntryKind::Files))
        snapshot += name + "=" + folder.read(pack + "/" + name) + "\n";
    return snapshot;
}
