// Reading the command line.
#include "generator/command_line.h"

namespace kestrane {

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    const std::string gameDirEquals = "--game-dir=";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "--version") {
            line.action = argument == "--help" ? CommandLine::Action::help : CommandLine::Action::version;
            return line;
        }
        if (argument == "--check") {
            line.check = true;
        } else if (argument == "--game-dir") {
            if (i + 1 == arguments.size()) {
                line.action = CommandLine::Action::usageError;
                line.error = "--game-dir needs a folder";
                return line;
            }
            line.gameDirs.push_back(arguments[++i]);
        } else if (argument.compare(0, gameDirEquals.size(), gameDirEquals) == 0) {
            line.gameDirs.push_back(argument.substr(gameDirEquals.size()));
        } else {
            if (argument == "--") {
                if (++i == arguments.size()) break;
            }
            line.hasPath = true;
            line.path = arguments[i];
            break;
        }
    }
    return line;
}

}  // namespace kestrane
