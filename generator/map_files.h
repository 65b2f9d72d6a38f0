// The maps installed in the game's folders, and the check that every map of
// every cycle is among them. A server loads the map NAME from maps/NAME.bsp,
// found inside one of the folder's .pk3 archives (zip archives) or as a
// loose file under its maps/ folder; the lookup ignores case, as the
// server's does inside archives.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "generator/findings.h"
#include "generator/settings_checks.h"
#include "toolkit/settings_store.h"

namespace kestrane {

// What kept a game folder, or one archive in it, from being searched.
struct GameFolderProblem {
    enum class Kind {
        missing,       // the folder does not exist
        notAFolder,    // it is a file
        unreadable,    // its entries cannot be listed
        badArchive,    // a .pk3 file that cannot be read as a zip archive
        noZipLibrary,  // libzip cannot be loaded: no archive can be read
        holdsNoMaps,   // readable, but it holds no map at all
    };
    Kind kind = Kind::missing;
    std::size_t folder = 0;  // index into the folders given
    std::string path;        // the folder; for badArchive the archive's file name
};

struct InstalledMaps {
    // Each installed map's name in lower case, with its name as the game's
    // files spell it (the first one found, where two differ in case only).
    std::unordered_map<std::string, std::string> names;
    // The folders whose files were searched, as given.
    std::vector<std::string> searched;
    std::vector<GameFolderProblem> problems;
};

// Lists the maps of the folders: each folder is listed once and each of its
// archives opened once. A folder's subfolders are not searched, except for
// maps/ itself, whose subfolders give names such as "sub/name".
InstalledMaps findInstalledMaps(const std::vector<std::string>& folders);

// Whether a map of that name is installed, in any case.
bool isInstalled(const InstalledMaps& maps, std::string_view mapName);

// The installed name nearest to `mapName` by edit distance (case ignored),
// as the game's files spell it; empty when none is near enough to be the
// name meant.
std::string closestInstalledName(const InstalledMaps& maps, std::string_view mapName);

// Looks the map names of every cycle up in the game folders of the list
// setting "game_dirs" and of `options`, and adds a finding for each map
// found nowhere and each folder that could not be searched. Without a
// folder, --check notes that the names were not checked. The store must
// have no section selected, and is left with none.
void checkMapFiles(SettingsStore& store, const CheckOptions& options, Findings& findings);

// True when the settings or `options` name a game folder, whose files
// checkMapFiles then reads. The store must have no section selected.
bool looksUpGameFiles(const SettingsStore& store, const CheckOptions& options);

}  // namespace kestrane
