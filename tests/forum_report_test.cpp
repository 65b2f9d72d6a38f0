// Tests of the report's column padding and dialect names.
#include "generator/forum_report.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(PadToWidth, RightAlignsWithoutCutting) {
    EXPECT_EQ("   1", padToWidth("1", 4));
    EXPECT_EQ("9999", padToWidth("9999", 4));
    EXPECT_EQ("10000", padToWidth("10000", 4));
    EXPECT_EQ(std::string(26, 'm'), padToWidth(std::string(26, 'm'), 26));
    EXPECT_EQ(std::string(27, 'm'), padToWidth(std::string(27, 'm'), 26));
    EXPECT_EQ("    ", padToWidth("", 4));
    EXPECT_EQ("ab", padToWidth("ab", -3));
}

TEST(ReportFormatFrom, ComparesExactly) {
    const struct {
        const char* text;
        ReportFormat expected;
    } cases[] = {
        {"phpbb", ReportFormat::phpbb}, {"ipb", ReportFormat::phpbb},   {"smf", ReportFormat::smf},
        {"vb", ReportFormat::vb},       {"Phpbb", ReportFormat::plain}, {"IPB", ReportFormat::plain},
        {"", ReportFormat::plain},      {" vb", ReportFormat::plain},   {"plain", ReportFormat::plain},
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, reportFormatFrom(c.text)) << c.text;
}

}  // namespace
}  // namespace kestrane
