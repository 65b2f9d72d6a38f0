// Tests of the settings checks on inputs that fixtures show badly: control
// bytes and long values in findings, floods of ignored lines, names that
// reach into sections, and the store left with no section selected.
#include "generator/settings_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "generator/cycle_checks.h"

namespace kestrane {
namespace {

const char kHead[] = "$output = o.cfg\n$()cycles = ffa\n{ffa\n$()maps = oa_dm1\n}\n";

// The findings of `content` after kHead, as printed, without kHead's lines.
std::string findingsOf(const std::string& content) {
    SettingsStore store;
    store.readText(kHead + content);
    Findings findings;
    checkSettings(store, readRunSettings(store), CheckOptions{}, findings);
    EXPECT_EQ("", store.sectionPrefix()) << content;
    std::ostringstream out;
    printFindings(out, "s", findings);
    const std::string printed = out.str();
    EXPECT_EQ(findings.all().size(),
              static_cast<std::size_t>(std::count(printed.begin(), printed.end(), '\n')))
        << "a finding of more than one line: " << content;
    return printed;
}

TEST(FindingQuote, KeepsAFindingOnOneLine) {
    const struct {
        std::string text;
        std::string quoted;
    } cases[] = {
        {"", "\"\""},
        {"ffa", "\"ffa\""},
        {"a\nb\tc\x01\x7F", "\"a\\nb\\tc\\x01\\x7F\""},
        {std::string(70, 'x'), "\"" + std::string(60, 'x') + "...\""},
        {"\xA7 sign", "\"\xA7 sign\""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.quoted, findingQuote(c.text)) << c.text;
}

TEST(CheckSettings, FindsWhatFixturesShowBadly) {
    const struct {
        const char* content;
        const char* findings;
    } cases[] = {
        {"", ""},
        // A dotted name outside every section is still read as the cycle's.
        {"$ffa.local_command = set a 1;\n", ""},
        {"$ffa.local_comand = x\n",
         "s:6: warning: unknown setting \"local_comand\"; did you mean \"local_command\"?\n"},
        {"$ctf.maps = x\n", "s:6: warning: unknown setting \"ctf.maps\" is not read by the tool\n"},
        // Settings of a section that nothing reads are told with the section.
        {"{tdm\n$x = 1\n}\n",
         "s:6: warning: section \"tdm\" is read by no cycle, as no cycle of that name is listed "
         "in \"cycles\": add it to the list or remove the section\n"},
        // A list running on across "}#" gives its next items the top level.
        {"{ffa\n$()maps = a\n}#\nb\n",
         "s:9: warning: setting \"maps\" belongs in a cycle's section; outside one it is not read: move it "
         "into "
         "the section of its cycle\n"},
        {"#CR = [br]\n$global_command = say a;[br]say b;\n",
         "s:7: error: \"global_command\" holds a line break, which ends the script's line early: keep it on "
         "one "
         "line\n"},
        // Line breaks in names are shown, not printed.
        {"#CR = <br>\n{ffa\n$()maps = a<br>b c\n}\n",
         "s:8: error: map name \"a\\nb c\" holds a blank, so the server looks for \"maps/a\\nb.bsp\" and "
         "skips the "
         "map: remove the blank\n"},
        {"$ = x\n", "s:6: warning: setting without a name is not read: write \"$NAME = VALUE\"\n"},
        // An index part the store never writes is no list item.
        {"$maps(007) = x\n", "s:6: warning: unknown setting \"maps(007)\" is not read by the tool\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.findings, findingsOf(c.content)) << c.content;
}

TEST(CheckSettings, ListsTheFirstIgnoredLinesAndCountsTheRest) {
    std::string content = "#\n";  // ends the list of maps
    for (std::size_t i = 0; i < kMaxNotesPerKind + 3; ++i) content += "stray\n";
    const std::string printed = findingsOf(content);
    EXPECT_NE(std::string::npos, printed.find("s: note: 3 more ignored lines are not listed\n"));
}

}  // namespace
}  // namespace kestrane
