// The checks of a settings file.
#include "generator/settings_checks.h"

#include "toolkit/text_tool.h"

namespace kestrane {

void checkSettings(SettingsStore& store, const RunSettings& settings, const CheckOptions& options,
                   Findings& findings) {
    (void)settings;
    (void)options;
    if (store.stoppedAtCapacity()) {
        findings.add(Severity::warning, 0,
                     "only the first " + toText(static_cast<std::int32_t>(kStoreCapacity)) +
                         " settings were read; the rest of the file was ignored");
    }
}

}  // namespace kestrane
