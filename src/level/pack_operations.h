// Whole level packs made, renamed and deleted (by the editor): the pack
// folder with its level files, the pack list and the level in memory follow.
#pragma once

#include <string>

// Whether a typed pack name can be part of a folder name: not empty, not
// only dots and blanks, and without "/", "\\" or control characters.
bool usablePackName(const std::string& typedName);

// Creates the pack "lvlpck" + typedName holding one empty level and makes it
// current. An unusable name does nothing; a taken name raises the
// pack-exists message, a folder that cannot be made the save-failed one.
// True when the pack was made.
bool createLevelPack(const std::string& typedName);

// Deletes the current pack's files and folder, then loads level 1 of the pack
// now current. Deleting the last pack left lists the packs afresh, which
// creates the default one, so there is always a pack to play.
void deleteLevelPack();

// Moves the current pack's files into "lvlpck" + typedName. An unusable name
// or one differing only in case does nothing; a taken name raises the
// pack-exists message. True when the pack now has the new name: the caller
// then points the profiles that played the old pack at the new one (the
// profiles belong to the front end).
bool renameLevelPack(const std::string& typedName);
