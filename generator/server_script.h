// The server script writer: one console script of "set" commands that
// defines every cycle as a chain of variables the server walks with
// "vstr nextmap".
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "generator/output_file.h"
#include "generator/run_settings.h"
#include "generator/script_meter.h"
#include "toolkit/settings_store.h"
#include "toolkit/text_encoding.h"

namespace kestrane {

// The script's fixed banner: nine lines of 60 characters and two line ends,
// its section signs in `encoding`.
std::string scriptBanner(TextEncoding encoding);

// Where the script's bytes go: to a file, to a meter, or to both.
struct ScriptOutput {
    OutputFile* file = nullptr;
    ScriptMeter* meter = nullptr;

    ScriptOutput& operator<<(std::string_view text) {
        if (file != nullptr) file->write(text);
        if (meter != nullptr) meter->take(text);
        return *this;
    }
};

// Writes the whole script to `out` and prints one "Processing Cycle : " line
// per cycle to `console`. Leaves the store with no section selected.
void renderServerScript(const RunSettings& settings, SettingsStore& store, ScriptOutput out,
                        std::ostream& console);

// Writes the script to settings.output, and to `meter` when there is one.
// Returns false when the file could not be created or fully written, and
// then sets *failureReason, when given, to the system's reason; the file
// then keeps its old bytes.
bool writeServerScript(const RunSettings& settings, SettingsStore& store, std::ostream& console,
                       ScriptMeter* meter = nullptr, std::string* failureReason = nullptr);

}  // namespace kestrane
