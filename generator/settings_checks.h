// The checks of a settings file: what is wrong in it, found from what the
// reader stored and noted, and from the game's map files when folders of
// the game are named.
#pragma once

#include <string>
#include <vector>

#include "generator/findings.h"
#include "generator/run_settings.h"
#include "toolkit/settings_store.h"

namespace kestrane {

struct CheckOptions {
    // Folders of the game whose maps the cycles' map names are looked up in;
    // from --game-dir, added to the setting "game_dirs".
    std::vector<std::string> gameDirs;
    // True for --check, which writes nothing.
    bool checkOnly = false;
};

// Adds what it finds to `findings`. Leaves the store with no section selected.
void checkSettings(SettingsStore& store, const RunSettings& settings, const CheckOptions& options,
                   Findings& findings);

}  // namespace kestrane
