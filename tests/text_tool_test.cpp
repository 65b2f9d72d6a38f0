// Tests of the text operations and the number conversions.
#include "toolkit/text_tool.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace kestrane {
namespace {

struct StripCase {
    std::string subject;
    int endsOnly;
    std::string expected;
};

TEST(StripBlanks, TrimsOrRemovesOnlySpacesAndTabs) {
    const StripCase cases[] = {
        {"", 1, ""},
        {"", 0, ""},
        {" \t  ", 1, ""},
        {" \t  ", 0, ""},
        {"\t map one\t ", 1, "map one"},
        {"\t map one\t ", 0, "mapone"},
        {"line \r", 1, "line \r"},  // a carriage return is no blank
        {" \n\v\f\xA0 ", 1, "\n\v\f\xA0"},
        {std::string("a\0 b", 4), 0, std::string("a\0b", 3)},
    };
    const TextTool tool;
    for (const StripCase& c : cases) {
        EXPECT_EQ(c.expected, tool.stripBlanks(c.subject, c.endsOnly))
            << '"' << c.subject << "\" " << c.endsOnly;
    }
}

struct ReplaceCase {
    std::string what, with, subject;
    int limit;
    std::size_t start;
    std::string expected;
};

TEST(ReplaceAll, ReplacesLeftToRightWithoutRescanning) {
    const ReplaceCase cases[] = {
        {"ab", "x", "abcabab", -1, 0, "xcxx"},
        {"ab", "x", "abcabab", 2, 0, "xcxab"},
        {"ab", "x", "abcabab", -1, 1, "abcxx"},
        {"ab", "x", "abcabab", 1, 0, "xcabab"},
        {"a", "aa", "aaa", -1, 0, "aaaaaa"},
        {"ab", "", "abcab", -1, 0, "c"},
        {"", "x", "abc", -1, 0, "abc"},
        {"a", "x", "abc", 0, 0, "abc"},
        {"abcd", "x", "abc", -1, 0, "abc"},
        {"a", "x", "abc", -1, 9, "abc"},
        {"a", "x", "", -1, 0, ""},
        {"[br]", "\n", "a[br]b[br]", -1, 0, "a\nb\n"},
    };
    const TextTool tool;
    for (const ReplaceCase& c : cases) {
        EXPECT_EQ(c.expected, tool.replaceAll(c.what, c.with, c.subject, c.limit, c.start))
            << c.what << " -> " << c.with << " in " << c.subject << " limit " << c.limit << " from "
            << c.start;
    }
}

TEST(CountOccurrences, CountsWithoutOverlap) {
    const TextTool tool;
    EXPECT_EQ(1, tool.countOccurrences("aa", "aaa"));
    EXPECT_EQ(2, tool.countOccurrences("aa", "aaaaa"));
    EXPECT_EQ(3, tool.countOccurrences("}", "} }}"));
    EXPECT_EQ(0, tool.countOccurrences("", "abc"));
    EXPECT_EQ(0, tool.countOccurrences("#", ""));
    EXPECT_EQ(0, tool.countOccurrences("abcd", "abc"));
}

TEST(ToText, WritesPlainDecimals) {
    EXPECT_EQ("-2147483648", toText(INT32_MIN));
    EXPECT_EQ("2147483647", toText(INT32_MAX));
    EXPECT_EQ("0", toText(0));
    EXPECT_EQ("4294967295", toText(UINT32_MAX));
    EXPECT_EQ("10", toText(std::uint32_t{10}));
}

TEST(ReadUnsigned, ReadsTheNumberAtTheStart) {
    const struct {
        std::string subject;
        std::uint32_t expected;
    } cases[] = {
        {" 7", 7},           {"15 minutes", 15},
        {"15min", 15},       {"12abc", 12},
        {"015", 15},         {"0x10", 0},
        {"-1", 4294967295u}, {"+8", 8},
        {"\r\n\v\f\t 9", 9}, {"4294967295", 4294967295u},
        {"-4294967295", 1},  {"00000000000000000042", 42},
    };
    for (const auto& c : cases) {
        std::uint32_t target = 123;
        readUnsigned(c.subject, target);
        EXPECT_EQ(c.expected, target) << c.subject;
    }
}

TEST(ReadUnsigned, LeavesTargetUnchangedWithoutANumber) {
    const std::string refused[] = {
        "", "   ", "abc", "-", "+", "- 5", "4294967296", "99999999999999999999", "-4294967296"};
    for (const std::string& subject : refused) {
        std::uint32_t target = 123;
        readUnsigned(subject, target);
        EXPECT_EQ(123u, target) << subject;
    }
}

}  // namespace
}  // namespace kestrane
