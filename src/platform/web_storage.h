// The game folder of the web page. The page preloads the files the game
// ships into a folder of its own; the game runs in a second folder that is
// kept in the browser's storage (IndexedDB), so that settings, profiles,
// statistics and the player's levels and packs outlast a reload. Every
// change to that folder is saved to storage right after it happens, in one
// storage transaction, so a file replaced through a scratch file is stored
// either old or new, never half written.
//
// The shipped files enter the game folder through mergeShippedFiles, which
// behaves like installing over an older version: it is plain file work, the
// same on every platform.
#pragma once

#include <string>

// The record of the shipped files that were merged last, inside the game
// folder: one line per file, its hash and its path below the folder.
inline const std::string ShippedRecordName = ".shipped";

// Brings the files below `shippedFolder` into `gameFolder` (both ending in
// "/"), creating folders as needed:
//  - a file new in this version is copied;
//  - a file the player has not changed since the last merge is replaced by
//    the new version;
//  - a file the player changed, or made under a shipped name, is kept;
//  - a shipped file the player deleted (a level, a pack) stays deleted.
// Then writes the record. Returns the number of files copied; false in `ok`
// when a file or the record could not be written.
int mergeShippedFiles(const std::string& shippedFolder, const std::string& gameFolder, bool& ok);

// Deletes a folder with everything below it.
void removeFolderTree(const std::string& folder);

#ifdef __EMSCRIPTEN__
// Mounts the browser's storage as the game folder, loads what it holds,
// merges the preloaded files into it, frees the preloaded copy and from then
// on saves every change. Returns the game folder. Without storage (a private
// window may refuse it) the game still runs, with nothing kept.
std::string openBrowserGameFolder();
#endif
