// The command line: options first, then the settings file's path.
//   kestrane [--check] [--game-dir DIR]... [--] [FILE]
//   kestrane --help | --version
#pragma once

#include <string>
#include <vector>

namespace kestrane {

struct CommandLine {
    enum class Action { run, help, version, usageError };
    Action action = Action::run;
    bool check = false;
    std::vector<std::string> gameDirs;
    bool hasPath = false;
    std::string path;   // taken whole, blanks and all
    std::string error;  // what is wrong, for Action::usageError
};

// The first argument that is no known option is the path, as is the one
// after "--"; arguments after the path are ignored.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

}  // namespace kestrane
