// The tool's single run from start to end: the console dialogue, reading
// the settings, calling the two writers, opening the results, the closing
// wait.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace kestrane {

// Runs the tool with the command-line arguments after the program's name.
// The settings file's path is the first argument that is no option or,
// without one, the first word read from `input`. The console dialogue goes
// to `console`, the findings to `errors`. Returns the exit status.
int runKestrane(const std::vector<std::string>& arguments, std::istream& input, std::ostream& console,
                std::ostream& errors);

// The text of "--help".
std::string usageText();

}  // namespace kestrane
