// The checks of the cycles of a settings file: their names as server
// variables, their sections, their map lines and the commands put into
// their links.
#pragma once

#include <string>
#include <string_view>

#include "generator/findings.h"
#include "generator/run_settings.h"
#include "toolkit/settings_store.h"

namespace kestrane {

// Adds what it finds to `findings`. Leaves the store with no section selected.
void checkCycles(SettingsStore& store, const RunSettings& settings, Findings& findings);

// A name or value as a finding quotes it: in double quotes, a long text cut
// to its start with "...", and line breaks and other control bytes written
// as \n, \t or \xNN, so that a finding stays on one line.
std::string findingQuote(std::string_view text);

}  // namespace kestrane
