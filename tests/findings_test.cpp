// Tests of printing findings in the compilers' form, and their summary.
#include "generator/findings.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestrane {
namespace {

TEST(PrintFindings, InLineOrderWithThoseWithoutALineLast) {
    Findings findings;
    findings.add(Severity::note, 0, "no line");
    findings.add(Severity::warning, 12, "twelve");
    findings.add(Severity::error, 3, "three");
    findings.add(Severity::note, 12, "twelve again");
    std::ostringstream out;
    printFindings(out, "cycles.ini", findings);
    EXPECT_EQ(
        "cycles.ini:3: error: three\n"
        "cycles.ini:12: warning: twelve\n"
        "cycles.ini:12: note: twelve again\n"
        "cycles.ini: note: no line\n",
        out.str());
}

TEST(FindingsSummary, CountsEachSeverity) {
    Findings findings;
    EXPECT_EQ("0 errors, 0 warnings", findingsSummary(findings));
    EXPECT_FALSE(findings.anyProblem());
    findings.add(Severity::note, 1, "n");
    EXPECT_EQ("0 errors, 0 warnings, 1 note", findingsSummary(findings));
    EXPECT_FALSE(findings.anyProblem());
    findings.add(Severity::error, 1, "e");
    findings.add(Severity::error, 2, "e");
    findings.add(Severity::warning, 2, "w");
    EXPECT_EQ("2 errors, 1 warning, 1 note", findingsSummary(findings));
    EXPECT_TRUE(findings.anyProblem());
}

}  // namespace
}  // namespace kestrane
