// The server script writer: one console script of "set" commands that
// defines every cycle as a chain of variables the server walks with
// "vstr nextmap".
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "generator/run_settings.h"
#include "toolkit/settings_store.h"

namespace kestrane {

// One map line of a cycle: "name ; timelimit ; fraglimit ; extra commands",
// each field trimmed, missing fields empty. The limits are kept as texts.
struct MapEntry {
    std::string name;
    std::string timeLimit;
    std::string fragLimit;
    std::string extraCommands;  // everything after the third ";"
};

MapEntry splitMapLine(const std::string& line);

// The same fields as views into `line`, for the writers' loops, which would
// otherwise copy a long map line's extra commands for every reading.
struct MapFields {
    std::string_view name;
    std::string_view timeLimit;
    std::string_view fragLimit;
    std::string_view extraCommands;
};
MapFields splitMapFields(std::string_view line);

// "timelimit 15;" for the word "timelimit " and the limit " 15 "; the empty
// text when the trimmed limit is empty.
std::string limitCommand(const std::string& word, const std::string& limit);
// The same, appended to `text`.
void appendLimitCommand(std::string& text, std::string_view word, std::string_view limit);

// The script's fixed banner: nine lines of 60 characters and two line ends.
std::string scriptBanner();

// Writes the script to settings.output and prints one "Processing Cycle : "
// line per cycle to `console`. Returns false when the file could not be
// created or fully written, and then sets *failureReason, when given, to
// the system's reason; the file then keeps its old bytes. Leaves the store
// with no section selected.
bool writeServerScript(const RunSettings& settings, SettingsStore& store, std::ostream& console,
                       std::string* failureReason = nullptr);

}  // namespace kestrane
