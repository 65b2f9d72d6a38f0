// Tests of map line splitting and the limit commands.
#include "generator/map_line.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrane {
namespace {

TEST(SplitMapLine, SplitsAtTheFirstThreeSemicolons) {
    const struct {
        std::string line;
        MapEntry expected;
    } cases[] = {
        {"", {"", "", "", ""}},
        {"   \t ", {"", "", "", ""}},
        {" arena1 ", {"arena1", "", "", ""}},
        {"arena1 ; 15 ; 30", {"arena1", "15", "30", ""}},
        {"arena2;20", {"arena2", "20", "", ""}},
        {"canyon;10;5;echo last;", {"canyon", "10", "5", "echo last;"}},
        {"m;;5", {"m", "", "5", ""}},
        {"m; 0 ;", {"m", "0", "", ""}},
        {"m;1;2; say a; say  b ;\t", {"m", "1", "2", "say a; say  b ;"}},
        {"big map ; 1 5 ;x", {"big map", "1 5", "x", ""}},
    };
    for (const auto& c : cases) {
        const MapEntry got = splitMapLine(c.line);
        EXPECT_EQ(c.expected.name, got.name) << c.line;
        EXPECT_EQ(c.expected.timeLimit, got.timeLimit) << c.line;
        EXPECT_EQ(c.expected.fragLimit, got.fragLimit) << c.line;
        EXPECT_EQ(c.expected.extraCommands, got.extraCommands) << c.line;
    }
}

TEST(LimitCommand, SkipsEmptyLimits) {
    EXPECT_EQ("timelimit 15;", limitCommand("timelimit ", " 15 "));
    EXPECT_EQ("fraglimit 0;", limitCommand("fraglimit ", "0"));
    EXPECT_EQ("", limitCommand("fraglimit ", " \t "));
    EXPECT_EQ("", limitCommand("timelimit ", ""));
}

}  // namespace
}  // namespace kestrane
