// Tests of the edit distance and of the nearest name it picks.
#include "toolkit/edit_distance.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrane {
namespace {

TEST(EditDistance, CountsInsertionsDeletionsSubstitutionsAndSwaps) {
    const struct {
        const char* a;
        const char* b;
        int distance;
    } cases[] = {
        {"", "", 0},
        {"", "maps", 4},
        {"maps", "", 4},
        {"maps", "maps", 0},
        {"map", "maps", 1},
        {"init_comand", "init_command", 1},
        {"outptu", "output", 1},  // two neighbours swapped
        {"tuptuo", "output", 3},  // two substitutions and a swap
        {"kitten", "sitting", 3},
        {"Report_Path", "report_path", 0},  // ASCII case is ignored
        {"\xC9t\xE9", "\xE9t\xE9", 1},      // other bytes compare as they are
        {"abc", "xyz", 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.distance, editDistance(c.a, c.b)) << c.a << " / " << c.b;
        EXPECT_EQ(c.distance, editDistance(c.b, c.a)) << c.b << " / " << c.a;
    }
}

TEST(ClosestName, SuggestsOnlyANearName) {
    const std::vector<std::string_view> known = {"cycles", "maps", "init_command", "local_command", "output"};
    const struct {
        const char* name;
        const char* closest;  // "" for no suggestion
    } cases[] = {
        {"init_comand", "init_command"},
        {"map", "maps"},       // one edit is always allowed
        {"Output", "output"},  // case alone
        {"outptu", "output"},  // one swap in six bytes
        {"otuptu", "output"},  // two swaps in six bytes
        {"cycle", "cycles"},
        {"local_comand", "local_command"},
        {"mp", ""},  // two edits in two bytes
        {"timelimit", ""},
        {"maps", ""},  // a known name needs no suggestion
        {"", ""},
        {"init_commandxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::string(c.closest), std::string(closestName(c.name, known))) << c.name;
    }
}

TEST(ClosestName, TakesTheFirstOfEquallyNearNames) {
    EXPECT_EQ("cat", closestName("bat", {"cat", "hat", "rat"}));
    EXPECT_EQ("", closestName("bat", {}));
}

}  // namespace
}  // namespace kestrane
