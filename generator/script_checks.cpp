// The checks of a server script.
#include "generator/script_checks.h"

namespace kestrane {

void checkScript(SettingsStore& store, const RunSettings& settings, const ScriptMeter& meter,
                 Findings& findings) {
    (void)store;
    (void)settings;
    (void)meter;
    (void)findings;
}

}  // namespace kestrane
