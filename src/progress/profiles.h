// Player profiles: the sorted list of profile names and the profile files,
// one per player, "NAME.alp" in the data folder. A profile file holds one
// line, the folder name of the level pack the player played last, ending in
// CR LF. currentProfile (settings) indexes the list; 0 means none. Owns the
// profile list.
#pragma once

#include <cstdint>
#include <string>

#include "base/list.h"

struct ProfileState {
    List<std::string> profiles;  // profile names, sorted like the pack list
};

extern ProfileState profileState;

constexpr int MaxProfileNameLength = 7;  // characters a player can type

// Rebuilds the list from the "*.alp" files of the data folder, sorted
// (currentProfile is not moved: the list is built afresh).
void listProfiles();

// The start-up step: lists the profiles and lowers currentProfile to the
// number of profiles when it is higher (or raises a negative one to 0).
void startProfiles();

// Adds a profile for `name` (already trimmed and lower-cased), makes it the
// current one, sorts the list with it, selects pack 1 and writes its file.
void createProfile(const std::string& name);

// Index of the profile named exactly `name`; 0 when there is none.
int findProfile(const std::string& name);

// Writes the current profile's file with the current pack's folder name.
bool saveProfilePack();

// Selects pack 1, then the pack that the current profile's file names, if
// that pack is still in the pack list (names compared lower-cased, trimmed).
void loadProfilePack();

// The pack folder name a profile file holds: its first line (up to CR, LF or
// the end of the file).
std::string profilePackName(const std::string& fileContents);

// Deletes the current profile's file and its statistics file in every pack
// and removes it from the list. currentProfile keeps its number (now naming
// the next profile) unless the last one went, when it becomes the new count.
void deleteProfile();

// The file of profile `name`.
std::string profileFileName(const std::string& name);
