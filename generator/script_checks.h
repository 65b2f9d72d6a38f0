// The checks of a server script: what a real server will break of the
// script made of the settings, found from the script's bytes as the meter
// took them and from the settings that made them.
#pragma once

#include "generator/findings.h"
#include "generator/run_settings.h"
#include "generator/script_meter.h"
#include "toolkit/settings_store.h"

namespace kestrane {

// Adds what it finds to `findings`. Leaves the store with no section selected.
void checkScript(SettingsStore& store, const RunSettings& settings, const ScriptMeter& meter,
                 Findings& findings);

}  // namespace kestrane
