// Tests of the script meter, of reading commands as the server does, and
// of the script checks on small settings, each limit at its edge.
#include "generator/script_checks.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "generator/server_commands.h"
#include "generator/server_script.h"

namespace kestrane {
namespace {

struct MeterCase {
    const char* name;
    std::vector<std::string> pieces;
    std::size_t size;
    std::vector<std::pair<std::size_t, std::size_t>> longLines;  // start, length
    std::vector<std::pair<std::size_t, char>> comments;          // start, second character
};

TEST(ScriptMeter, CountsBytesAndFindsLongLinesAndComments) {
    const std::string line1023(1023, 'a');
    const std::string line1024(1024, 'a');
    const std::vector<MeterCase> cases = {
        {"empty", {}, 0, {}, {}},
        {"pieces add up", {"set a", " \"b\"\n", "x"}, 11, {}, {}},
        {"1023 bytes is no long line", {line1023 + "\n"}, 1024, {}, {}},
        {"1024 bytes is", {line1024 + "\n"}, 1025, {{0, 1024}}, {}},
        {"a long line in pieces, not ended", {"x\n", line1023, "bb"}, 1027, {{2, 1025}}, {}},
        {"one long line after another", {line1024 + "\n" + line1024}, 2049, {{0, 1024}, {1025, 1024}}, {}},
        {"a line that starts with // is a comment", {"// http://a\n"}, 12, {}, {}},
        {"// inside a line", {"//\nset a \"x//y\"\n"}, 16, {}, {{11, '/'}}},
        {"/* inside a line", {"say a /* b\n"}, 11, {}, {{6, '*'}}},
        {"the first of each line only", {"a//b//c\nd/*e\n"}, 13, {}, {{1, '/'}, {9, '*'}}},
        {"// split over two pieces", {"say a/", "/b"}, 8, {}, {{5, '/'}}},
        {"a line end between the slashes", {"a/\n", "/b"}, 5, {}, {}},
        {"a slash at a piece's end alone", {"a/", "b/", "c"}, 5, {}, {}},
    };
    for (const MeterCase& c : cases) {
        ScriptMeter meter;
        for (const std::string& piece : c.pieces) meter.take(piece);
        EXPECT_EQ(c.size, meter.size()) << c.name;
        std::vector<std::pair<std::size_t, std::size_t>> longLines;
        for (const ScriptMeter::Line& line : meter.longLines())
            longLines.emplace_back(line.start, line.length);
        EXPECT_EQ(c.longLines, longLines) << c.name;
        std::vector<std::pair<std::size_t, char>> comments;
        for (const ScriptMeter::Comment& comment : meter.comments())
            comments.emplace_back(comment.start, comment.second);
        EXPECT_EQ(c.comments, comments) << c.name;
    }
}

TEST(ScriptMeter, FileSizeCountsTheSystemsLineEnds) {
    ScriptMeter meter;
    meter.take("a\nb\n\nc");
    EXPECT_EQ(6u, meter.size());
    EXPECT_EQ(3u, meter.lineEnds());
#ifdef _WIN32
    EXPECT_EQ(9u, meter.fileSize());
#else
    EXPECT_EQ(6u, meter.fileSize());
#endif
}

TEST(VariableSettings, ReadsCommandsAsTheServerRunsThem) {
    struct Case {
        const char* commands;
        // name=value-length, "+" marking those set by a set command
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"set g_motd Hello;", {"+g_motd=5"}},
        {"SETA g_motd  Hello   all ;", {"+g_motd=9"}},
        {"sets a \"x y;z\";setu b c", {"+a=5", "+b=1"}},
        {"set lonely;set;echo", {}},
        {"g_gametype 4;map oa_dm1", {"g_gametype=1", "map=6"}},
        {"set a 1 // set b 2", {"+a=1"}},
        {"set a x//y;set b 2", {"+a=1"}},
        {"set a 1\nset b 22", {"+a=1", "+b=2"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> found;
        for (const VariableSetting& s : variableSettings(c.commands)) {
            found.push_back((s.bySetCommand ? "+" : "") + std::string(s.name) + "=" +
                            std::to_string(s.valueLength));
        }
        EXPECT_EQ(c.expected, found) << c.commands;
    }
}

// The findings for a settings text, one line each: "LINE: SEVERITY: MESSAGE".
std::vector<std::string> scriptFindings(const std::string& text) {
    SettingsStore store;
    store.readText(text);
    const RunSettings settings = readRunSettings(store);
    ScriptMeter meter;
    std::ostringstream console;
    ScriptOutput script(nullptr, &meter);
    renderServerScript(settings, store, script, console);
    Findings findings;
    checkScript(store, settings, meter, findings);
    EXPECT_EQ("", store.sectionPrefix());
    std::ostringstream out;
    printFindings(out, "", findings);
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(1));
    return lines;
}

std::string repeated(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) result += text;
    return result;
}

// One cycle c0 after the global lines, its section's lines, then its maps.
std::string oneCycle(const std::string& globals, const std::string& section, const std::string& maps) {
    return globals + "$()cycles = c0\n{c0\n" + section + "$()maps = " + maps + "}\n";
}

struct CheckCase {
    const char* name;
    std::string settings;
    // Each expected finding as the start of its line: "LINE: SEVERITY: " and
    // the message's first words.
    std::vector<std::string> expected;
};

TEST(CheckScript, FindsWhatTheServerBreaksAtEachLimit) {
    // "set c0_1 \"echo PAD;map oa_dm1;set nextmap vstr c0_2\"" is 1023 bytes.
    const std::string pad1 = std::string(1023 - 49, 'p');
    const std::vector<CheckCase> cases = {
        {"a plain cycle", oneCycle("", "$init_command = set g_gametype 0;\n", "oa_dm1\noa_dm2\n"), {}},
        {"links of 1023 bytes",
         oneCycle("$global_command = echo " + pad1 + ";\n", "", "oa_dm1\noa_dm2\n"),
         {}},
        {"links of 1024 bytes",
         oneCycle("$global_command = echo " + pad1 + "p;\n", "", "oa_dm1\noa_dm2\n"),
         {"1: error: cycle \"c0\": 2 of its 2 links are lines longer than 1023 bytes, the longest \"c0_1\" "
          "of "
          "1024 bytes"}},
        {"one long link, its extra commands named",
         oneCycle("", "", "oa_dm1\noa_dm2 ; ; ; echo " + std::string(1000, 'x') + ";\n"),
         {"4: error: cycle \"c0\": the link \"c0_2\" is a line of 1049 bytes, and a server keeps only the "
          "first "
          "1023 bytes of a line and runs the rest as a command of its own; shorten the map line's commands "
          "on "
          "line 4 (1006 bytes)"}},
        {"a long start line",
         oneCycle("", "$init_command = echo " + std::string(1010, 'x') + ";\n", "oa_dm1\n"),
         {"3: error: cycle \"c0\": its start \"c0\" is a line of 1034 bytes"}},
        {"a value of 255 characters",
         oneCycle("$global_command = set g_motd " + std::string(255, 'm') + ";\n", "", "a\n"),
         {}},
        {"a value of 256 characters, in a map line",
         oneCycle("", "",
                  "a ; ; ; seta g_motd " + std::string(128, 'm') + " " + std::string(127, 'm') + ";\n"),
         {"3: error: cycle \"c0\": g_motd gets a value of 256 characters from the map line's commands"}},
        {"// in a local command",
         oneCycle("", "$local_command = say see http://x.org;\n", "a\nb\n"),
         {"3: error: cycle \"c0\": local_command holds \"//\", which the server takes for the start of a "
          "comment "
          "when it runs the link \"c0_1\""}},
        {"/* in a map name",
         oneCycle("", "", "a\nb/*c\n"),
         {"4: error: cycle \"c0\": the map name holds \"/*\""}},
        {"a slash at the end of one command and the start of the next",
         oneCycle("$global_command = echo a/\n", "$local_command = /b;\n", "a\n"),
         {"1: error: global_command ends in \"/\" and the text after it begins with \"/\""}},
        {"a map name of 54 characters", oneCycle("", "", std::string(54, 'n') + "\n"), {}},
        {"a map name of 55 characters",
         oneCycle("", "", "a\n" + std::string(55, 'n') + "\n"),
         {"4: error: cycle \"c0\": the map name \"" + std::string(55, 'n') + "\" is 55 characters long"}},
        {"a tournament cycle of two maps",
         oneCycle("", "$init_command = set g_gametype 1;\n", "a\nb\n"),
         {"3: warning: cycle \"c0\": g_gametype 1 (tournament mode) comes from init_command, and in"}},
        {"a tournament cycle of one map", oneCycle("", "$init_command = set g_gametype 1;\n", "a\n"), {}},
        {"tournament mode undone before the map",
         oneCycle("$global_command = g_gametype 0;\n", "$init_command = set g_gametype 1;\n", "a\nb\n"),
         {}},
        {"tournament mode from a map line's command",
         oneCycle("", "", "a\nb ; ; ; g_GameType 1;\n"),
         {"4: warning: cycle \"c0\": g_gametype 1 (tournament mode) comes from the map line's commands"}},
        // "Cycles : " and the name are visible.
        {"a cycles list of 140 visible characters",
         "$cycles_list = cl\n$()cycles = ^1" + std::string(131, 'x') + "\n",
         {}},
        {"a cycles list of 141 visible characters",
         "$cycles_list = cl\n$()cycles = ^1" + std::string(132, 'x') + "\n",
         {"1: note: the cycles list \"cl\" is a chat text of 141 characters (colour codes not counted), and "
          "players see only the first 140"}},
        // The server keeps 1023 - 14 bytes of the line, and so 1009 of the text.
        {"a maps list cut by the line's end",
         "$maps_list_suffix = _m\n$()cycles = c0\n{c0\n$()maps = " + repeated("abcdefghi\n", 100) + "}\n",
         {"4: error: cycle \"c0\": its maps list \"c0_m\" is a line of 1433 bytes",
          "4: warning: cycle \"c0\": its maps list \"c0_m\" is a chat text of 1009 characters, and a server "
          "sends nothing of a chat text longer than 1006"}},
        // "^2Cycle c : ^71 maps : ^5" and the name: 1006 bytes, 1000 of them
        // visible, in a line of 12 + 1006 + 1 bytes.
        {"a maps list of 1006 bytes",
         "$maps_list_suffix = _\n$()cycles = c\n{c\n$()maps = " + std::string(981, 'm') + "\n}\n",
         {"4: error: cycle \"c\": the map name",
          "4: note: cycle \"c\": its maps list \"c_\" is a chat text of 1000 characters"}},
        {"a maps list of 1007 bytes",
         "$maps_list_suffix = _\n$()cycles = c\n{c\n$()maps = " + std::string(982, 'm') + "\n}\n",
         {"4: error: cycle \"c\": the map name",
          "4: warning: cycle \"c\": its maps list \"c_\" is a chat text of 1007"}},
    };
    for (const CheckCase& c : cases) {
        const std::vector<std::string> found = scriptFindings(c.settings);
        ASSERT_EQ(c.expected.size(), found.size()) << c.name << "\n" << (found.empty() ? "" : found[0]);
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(c.expected[i], found[i].substr(0, c.expected[i].size())) << c.name;
        }
    }
}

TEST(CheckScript, CountsEachVariableOnce) {
    const auto cycleOf = [](int maps) {
        std::string text = "$()cycles = c0\n{c0\n$()maps = ";
        for (int m = 0; m < maps; ++m) text += "a\n";
        return text + "}\n";
    };
    EXPECT_TRUE(scriptFindings(cycleOf(1699)).size() == 1);  // only the script's size for Quake3e
    const std::vector<std::string> over = scriptFindings(cycleOf(1700));
    ASSERT_EQ(2u, over.size());
    EXPECT_EQ(" error: the script defines 1701 variables", over[1].substr(0, 41));
    // A cycle listed twice defines its variables once: 901, not 1802.
    const std::vector<std::string> twice = scriptFindings("$()cycles = c0\nc0\n" + cycleOf(900).substr(15));
    for (const std::string& finding : twice)
        EXPECT_EQ(std::string::npos, finding.find("variables")) << finding;
}

TEST(CheckScript, FindsAScriptTooLargeForTheServer) {
    // A link of "set c0_N \"echo PAD;map a;set nextmap vstr c0_M\"" per map.
    const auto scriptOf = [](int maps) {
        std::string text = "$()cycles = c0\n{c0\n$()maps = ";
        for (int m = 0; m < maps; ++m) text += "a ; ; ; echo " + std::string(900, 'p') + ";\n";
        return text + "}\n";
    };
    const std::vector<std::string> warning = scriptFindings(scriptOf(70));
    ASSERT_EQ(1u, warning.size());
    EXPECT_NE(std::string::npos, warning[0].find("warning: the script is")) << warning[0];
    EXPECT_NE(std::string::npos, warning[0].find("on Quake3e")) << warning[0];
    const std::vector<std::string> error = scriptFindings(scriptOf(140));
    ASSERT_EQ(1u, error.size());
    EXPECT_NE(std::string::npos, error[0].find("error: the script is")) << error[0];
}

}  // namespace
}  // namespace kestrane
