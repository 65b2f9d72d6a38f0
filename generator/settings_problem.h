// Why a settings file gave the run no script to write: the line that follows
// "ERROR : The file you indicated does not seem adequate.".
#pragma once

#include <string>

#include "toolkit/settings_store.h"

namespace kestrane {

// The reason, indented under the error line and ended by a line end, for
// the store that readFile filled from `path` and whose "output" is empty.
std::string settingsProblem(const SettingsStore& store, const std::string& path);

// The same reason as one sentence, without indent or line end.
std::string settingsReason(const SettingsStore& store, const std::string& path);

}  // namespace kestrane
