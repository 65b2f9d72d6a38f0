// Tests of reading the command line: options before the path, "--", and
// the path taken whole.
#include "generator/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrane {
namespace {

using Action = CommandLine::Action;

TEST(ParseCommandLine, OptionsComeBeforeThePath) {
    const struct {
        std::vector<std::string> arguments;
        Action action;
        bool check;
        std::vector<std::string> gameDirs;
        bool hasPath;
        std::string path;
    } cases[] = {
        {{}, Action::run, false, {}, false, ""},
        {{"cycles.ini"}, Action::run, false, {}, true, "cycles.ini"},
        {{"my cycles.ini", "--check"}, Action::run, false, {}, true, "my cycles.ini"},
        {{"--check", "c.ini"}, Action::run, true, {}, true, "c.ini"},
        {{"--check"}, Action::run, true, {}, false, ""},
        {{"--game-dir", "a", "--game-dir=b c", "--check", "c.ini", "x"},
         Action::run,
         true,
         {"a", "b c"},
         true,
         "c.ini"},
        {{"--", "--check"}, Action::run, false, {}, true, "--check"},
        {{"--"}, Action::run, false, {}, false, ""},
        {{"--unknown", "c.ini"}, Action::run, false, {}, true, "--unknown"},
        {{"-"}, Action::run, false, {}, true, "-"},
        {{"--help", "c.ini"}, Action::help, false, {}, false, ""},
        {{"--check", "--version"}, Action::version, true, {}, false, ""},
        {{"c.ini", "--help"}, Action::run, false, {}, true, "c.ini"},
        {{"--game-dir"}, Action::usageError, false, {}, false, ""},
    };
    for (const auto& c : cases) {
        const CommandLine got = parseCommandLine(c.arguments);
        const std::string shown = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(c.action, got.action) << shown;
        EXPECT_EQ(c.check, got.check) << shown;
        EXPECT_EQ(c.gameDirs, got.gameDirs) << shown;
        EXPECT_EQ(c.hasPath, got.hasPath) << shown;
        EXPECT_EQ(c.path, got.path) << shown;
    }
}

TEST(ParseCommandLine, AMissingFolderIsExplained) {
    EXPECT_EQ("--game-dir needs a folder", parseCommandLine({"--game-dir"}).error);
}

}  // namespace
}  // namespace kestrane
