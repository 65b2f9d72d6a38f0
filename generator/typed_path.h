// The settings file's path from the line typed, or pasted, at the prompt.
#pragma once

#include <string>
#include <string_view>

namespace kestrane {

// The line trimmed; then a path in double or single quotes (as a file
// dragged into a console or terminal comes) without them; otherwise the
// whole line when `exists` says it names something, else its first word.
// The empty text for a blank line.
std::string pathFromTypedLine(std::string_view line, bool (*exists)(const std::string& path));

}  // namespace kestrane
