// One map line of a cycle, "name ; timelimit ; fraglimit ; extra commands",
// split into its fields; both writers and the checks read map lines this way.
#pragma once

#include <string>
#include <string_view>

namespace kestrane {

// The map line's fields, each trimmed, missing fields empty. The limits are
// kept as texts.
struct MapEntry {
    std::string name;
    std::string timeLimit;
    std::string fragLimit;
    std::string extraCommands;  // everything after the third ";"
};

// The same fields as views into the line, for the writers' loops, which
// would otherwise copy a long map line's extra commands for every reading.
struct MapFields {
    std::string_view name;
    std::string_view timeLimit;
    std::string_view fragLimit;
    std::string_view extraCommands;
};

MapFields splitMapFields(std::string_view line);

// Appends "timelimit 15;" to `text` for the word "timelimit " and the limit
// " 15 "; nothing when the trimmed limit is empty.
void appendLimitCommand(std::string& text, std::string_view word, std::string_view limit);

// Copying forms of the two above; only the tests use them.
MapEntry splitMapLine(const std::string& line);
std::string limitCommand(const std::string& word, const std::string& limit);

}  // namespace kestrane
