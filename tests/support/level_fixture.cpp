#include "support/level_fixture.h"

#include "config/language.h"
#include "config/paths.h"
#include "level/level_file.h"
#include "level/level_packs.h"

void LevelFilesTest::SetUp() {
    HeadlessGameTest::SetUp();
    useNumberedStrings();
    addSampleTextures();
}

void LevelFilesTest::usePack(const std::string& folderName) {
    makeFolder(folder.path() + folderName);
    packs.levelPacks.clear();
    packs.levelPacks.append(folderName);
    packs.currentPack = 1;
    packs.currentLevel = 1;
    packs.levelCount = 1;
}

void LevelFilesTest::writeTitledLevel(const std::string& packFolder, int number,
                                      const std::string& title) {
    LevelFileData data;
    data.levelName = title;
    folder.write(packFolder + "/" + zeroPad(number, 3) + ".zdl", encodeLevelFile(data));
}

std::string LevelFilesTest::storedTitle(const std::string& packFolder, int number) {
    Bytes bytes;
    LevelFileData data;
    if (!readFile(folder.path() + packFolder + "/" + zeroPad(number, 3) + ".zdl", bytes) ||
        !decodeLevelFile(bytes, data))
        return "?";
    return data.levelName;
}
