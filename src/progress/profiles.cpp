#include "progress/profiles.h"

#include "config/paths.h"
#include "config/settings.h"
#include "level/level_packs.h"
#include "platform/files.h"

ProfileState profileState;

namespace {
const char* const ProfileExtension = ".alp";
const char* const StatisticsExtension = ".sts";

bool validProfile(int index) { return profileState.profiles.valid(index); }
}  // namespace

std::string profileFileName(const std::string& name) {
    return paths.dataFolder + name + ProfileExtension;
}

void listProfiles() {
    List<std::string>& profiles = profileState.profiles;
    profiles.clear();
    const std::string extension = ProfileExtension;
    for (const std::string& file : listFolder(paths.dataFolder, "*.alp", EntryKind::Files)) {
        // The pattern matches the ending in any case, but the game writes and
        // deletes "NAME.alp": a file ending otherwise is left alone.
        if (file.compare(file.size() - extension.size(), extension.size(), extension) != 0) continue;
        profiles.append(file.substr(0, file.size() - extension.size()));
    }
    std::int32_t unused = 0;
    sortNames(profiles, unused);
}

void startProfiles() {
    listProfiles();
    const std::int32_t count = profileState.profiles.count();
    if (settings.currentProfile > count) settings.currentProfile = count;
    if (settings.currentProfile < 0) settings.currentProfile = 0;
}

int findProfile(const std::string& name) {
    const List<std::string>& profiles = profileState.profiles;
    for (int i = 1; i <= profiles.count(); ++i)
        if (profiles[i] == name) return i;
    return 0;
}

namespace {
// A new player starts in the game's own first pack, which teaches the game,
// rather than in whichever pack happens to sort first; pack 1 without it.
int startingPack() {
    const List<std::string>& packList = packs.levelPacks;
    for (int i = 1; i <= packList.count(); ++i)
        if (packList[i] == MainPackFolder) return i;
    return 1;
}
}  // namespace

void createProfile(const std::string& name) {
    settings.currentProfile = profileState.profiles.append(name);
    sortNames(profileState.profiles, settings.currentProfile);
    packs.currentPack = startingPack();
    saveProfilePack();
}

bool saveProfilePack() {
    if (!validProfile(settings.currentProfile)) return false;
    return writeFileSafely(profileFileName(profileState.profiles[settings.currentProfile]),
                           currentPackName() + "\r\n");
}

std::string profilePackName(const std::string& fileContents) {
    return fileContents.substr(0, fileContents.find_first_of("\r\n"));
}

void loadProfilePack() {
    packs.currentPack = 1;
    if (!validProfile(settings.currentProfile)) return;
    std::string contents;
    if (!readTextFile(profileFileName(profileState.profiles[settings.currentProfile]), contents))
        return;
    const std::string wanted = comparableName(profilePackName(contents));
    const List<std::string>& packList = packs.levelPacks;
    for (int i = 1; i <= packList.count(); ++i) {
        if (comparableName(packList[i]) == wanted) {
            packs.currentPack = i;
            return;
        }
    }
}

void deleteProfile() {
    List<std::string>& profiles = profileState.profiles;
    const int index = settings.currentProfile;
    if (!validProfile(index)) return;
    const std::string name = profiles[index];
    deleteFile(profileFileName(name));
    for (const std::string& pack : packs.levelPacks)
        deleteFile(paths.programFolder + pack + "/" + name + StatisticsExtension);
    profiles.removeAt(index);
    if (index > profiles.count()) settings.currentProfile = profiles.count();
}
