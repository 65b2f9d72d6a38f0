// Tests of taking the settings file's path from a typed line.
#include "generator/typed_path.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrane {
namespace {

// The files that exist, for these tests.
bool existsHere(const std::string& path) {
    return path == "my cycles.ini" || path == "cycles.ini" || path == "C:\\My Files\\cycles.ini";
}

TEST(PathFromTypedLine, TakesQuotedWholeOrFirstWord) {
    const struct {
        const char* line;
        const char* path;
    } cases[] = {
        {"", ""},
        {" \t\r", ""},
        {"cycles.ini", "cycles.ini"},
        {"  cycles.ini \r", "cycles.ini"},
        {"\"C:\\My Files\\cycles.ini\"", "C:\\My Files\\cycles.ini"},
        {"'/home/me/my cycles.ini' ", "/home/me/my cycles.ini"},
        {"\"it's here.ini\"", "it's here.ini"},
        {"'say \"hi\".ini'", "say \"hi\".ini"},
        {"\"a b.ini\" and more", "a b.ini"},
        {"\"unclosed quote.ini", "unclosed quote.ini"},
        {"\"\"", ""},
        {"my cycles.ini", "my cycles.ini"},
        {"  my cycles.ini\t", "my cycles.ini"},
        {"cycles.ini other.ini", "cycles.ini"},
        {"no such.ini", "no"},
        {"cycles.ini\tother", "cycles.ini"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.path, pathFromTypedLine(c.line, existsHere)) << c.line;
}

}  // namespace
}  // namespace kestrane
