// Tests of the settings file reader and the store's queries.
#include "toolkit/settings_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "toolkit/settings_reader.h"

namespace kestrane {
namespace {

// The filled entries, one per line: key, then "=" and the text or "#" and
// the number.
std::string dump(const SettingsStore& store) {
    std::ostringstream out;
    for (int i = 0; i < store.count(); ++i) {
        const SettingsEntry& e = store.entry(i);
        out << e.key;
        if (e.isNumber != 0) {
            out << " #" << e.number;
        } else {
            out << " =" << e.text;
        }
        out << "\n";
    }
    return out.str();
}

std::string dumpOf(const std::string& content) {
    SettingsStore store;
    store.readText(content);
    return dump(store);
}

const char kWorkedExample[] =
    "// Example settings file\n"
    "/* Everything from here\n"
    "   up to the closing line is ignored\n"
    "*/\n"
    "#CR = [br]\n"
    "$report_format = phpbb\n"
    "%terminate = 1\n"
    "$comment = \"  first[br]second  \"\n"
    "$()cycles = Duel\n"
    "Team play\n"
    "\n"
    "{Duel\n"
    "$()maps = arena1\n"
    "   arena2\n"
    "%timelimit = 15\n"
    "}\n"
    "{Team play\n"
    "%()limits = 10\n"
    "20.5\n"
    "1 000\n"
    "}#\n"
    "& this line is ignored\n"
    "$output = server.cfg\n";

TEST(SettingsStore, ReadsTheWorkedExample) {
    SettingsStore store;
    EXPECT_EQ(kReadOk, store.readText(kWorkedExample));
    EXPECT_EQ(12, store.count());
    EXPECT_EQ("[br]", store.lineBreakMarker());
    EXPECT_EQ(
        "report_format =phpbb\n"
        "terminate #1\n"
        "comment =  first\nsecond  \n"
        "cycles(0) =Duel\n"
        "cycles(1) =Team play\n"
        "Duel.maps(0) =arena1\n"
        "Duel.maps(1) =arena2\n"
        "Duel.timelimit #15\n"
        "Team play.limits(0) #10\n"
        "Team play.limits(1) #20.5\n"
        "Team play.limits(2) #1000\n"
        "output =server.cfg\n",
        dump(store));
    EXPECT_EQ(16u, store.getText("comment").size());

    EXPECT_EQ("Team play", store.getText("cycles", 1));
    EXPECT_EQ(1, store.countIndexed("cycles"));
    store.selectSection("Duel");
    EXPECT_EQ(1, store.countIndexed("maps"));
    EXPECT_EQ(15.0, store.getNumber("timelimit"));
    EXPECT_EQ("", store.getText("timelimit"));
    store.selectSection("  Team play ");
    EXPECT_EQ(2, store.countIndexed("limits"));
    EXPECT_EQ(20.5, store.getNumber("limits", 1));
    store.selectSection(" \t");
    EXPECT_EQ("server.cfg", store.getText("output"));
}

struct ReadCase {
    const char* what;
    std::string content;
    std::string entries;
};

TEST(SettingsStore, ReadsEveryLineKind) {
    const ReadCase cases[] = {
        {"empty file", "", ""},
        {"comments only", "// a\n& b\n\xA7 c\n\xC2\xA7 d\n# e\n/ f\n/\n\n   \n", ""},
        {"indented lines", "   $a = 1  \n\t{s\t\n  $b=2\n  }  \n", "a =1\ns.b =2\n"},
        {"block comment closing on its own line only", "/* x */\n$a=1\n*/ more\n$b=2\n  */  \n$c=3\n",
         "c =3\n"},
        {"stray block end", "*/\n$a=1\n", "a =1\n"},
        {"unclosed block comment", "$a=1\n/*\n$b=2\n", "a =1\n"},
        {"markers only at line start", "$a = x // y\n$b = x # y\n", "a =x // y\nb =x # y\n"},
        {"equals in value", "$a = b = c\n", "a =b = c\n"},
        {"inner blank in name", "$my name = x\n", "my name =x\n"},
        {"empty value", "$x =\n", "x =\n"},
        {"empty name", "{s\n$ = x\n", "s. =x\n"},
        {"no equals", "$abc\n%def\n", ""},
        {"quotes", "$a = \"  in  \"\n$b = \"\n$c = \"x\n$d = x\"\n", "a =  in  \nb =\nc =\"x\nd =x\"\n"},
        {"quoted number", "%a = \"5\"\n", "a #5\n"},
        {"list across comments and blank lines",
         "$()l = a\n\n// c\n/* x\n*/\n& y\n\xA7 z\nb\n}\nc\n$x=1\nd\n", "l(0) =a\nl(1) =b\nl(2) =c\nx =1\n"},
        // "§" in UTF-8 is no map of the list, and the list goes on after it.
        {"UTF-8 section sign in a list",
         "$()maps = a\n  \xC2\xA7 b\n\xC2\xA7"
         "c\nd\n",
         "maps(0) =a\nmaps(1) =d\n"},
        {"other UTF-8 letters are items", "$()maps = a\n\xC3\xA9t\xC3\xA9\n\xC2\xA8\n",
         "maps(0) =a\nmaps(1) =\xC3\xA9t\xC3\xA9\nmaps(2) =\xC2\xA8\n"},
        {"list ended by hash and brace lines", "$()l = a\n#\nb\n$()m = a\n{s\nb\n", "l(0) =a\nm(0) =a\n"},
        {"list head value kept whole", "$()x = a\nx = b\n", "x(0) =a\nx(1) =x = b\n"},
        {"list head without name", "$()= a\nb\n", "(0) =a\n"},
        {"list head without equals restarts the index", "$()l = a\nb\n%()\n5\n",
         "l(0) =a\nl(1) =b\nl(0) #5\n"},
        {"number list items", "%()n = 1\n1 000\n2,5\nnone\n", "n(0) #1\nn(1) #1000\nn(2) #2\nn(3) #2\n"},
        {"number list head read as written", "%()n = \"5\"\n7\n", "n(0) #0\nn(1) #7\n"},
        {"numbers", "%a = 12abc\n%b = -1.5e2x\n%c = 12e\n%d = .5\n%e = abc\n%f = 1e+3\n",
         "a #12\nb #-150\nc #12\nd #0.5\ne #0\nf #1000\n"},
        {"list across a closing brace takes the new path", "{s\n$()l = a\n}\nb\n", "s.l(0) =a\nl(1) =b\n"},
        {"two levels closed", "{a\n{b\n}}\n$x=1\n{a\n{b\n} }\n$y=1\n", "x =1\ny =1\n"},
        {"hash closes all", "{a\n{b\n{c\n} #\n$x=1\n", "x =1\n"},
        {"close with nothing open", "}\n$x=1\n", "x =1\n"},
        {"dotted section closes as two levels", "{a.b\n}\n$x=1\n", "a.x =1\n"},
        {"empty section name", "{a\n{\n$x=1\n}\n$y=1\n", "a..x =1\na.y =1\n"},
        {"nested sections", "{a\n{ b c \n$x=1\n", "a.b c.x =1\n"},
        {"marker switched off", "#CR=[br]\n$a=1[br]2\n#CR=\n$b=1[br]2\n", "a =1\n2\nb =1[br]2\n"},
        {"marker with blanks", "# CR = [br]\n$a=x[br]\n", "a =x\n\n"},
        {"lower-case directive is a comment", "#cr=[br]\n$a=x[br]\n", "a =x[br]\n"},
        {"second marker cleaned with the first", "#CR=<>\n#CR=[<>]\n$a=1[<>]2\n", "a =1[<>]2\n"},
        {"marker in numbers but not keys or lists", "#CR=x\n%ax = 1x5\n%()n = 2x5\n3x5\n",
         "ax #1\nn(0) #2\nn(1) #3\n"},
        {"byte order mark", "\xEF\xBB\xBF$a=1\n", "a =1\n"},
        {"CR LF line ends", "$a = 1\r\n$()l = x\r\ny\r\n", "a =1\nl(0) =x\nl(1) =y\n"},
        {"lone CR stays in the value", "$a = 1\r", "a =1\r\n"},
        {"last line without line end", "$a=1\n$b=2", "a =1\nb =2\n"},
        {"NUL bytes", std::string("$a\0=b\0c\n", 8), std::string("a\0 =b\0c\n", 8)},
    };
    for (const ReadCase& c : cases) EXPECT_EQ(c.entries, dumpOf(c.content)) << c.what;
}

TEST(SettingsStore, LaterEntriesWinAndKindsStaySeparate) {
    SettingsStore store;
    store.readText("$k = first\n%k = 7\n$k = second\n$()l = a\n%()l = 9\n");
    EXPECT_EQ("second", store.getText("k"));
    EXPECT_EQ(7.0, store.getNumber("k"));
    EXPECT_EQ(0, store.countIndexed("l"));  // an item given twice counts once
    EXPECT_EQ("a", store.getText("l", 0));
    EXPECT_EQ(9.0, store.getNumber("l", 0));
    EXPECT_EQ(0.0, store.getNumber("missing"));
    EXPECT_EQ(-1, store.countIndexed("missing"));
}

TEST(SettingsStore, CountsUnbrokenRunsOfListItems) {
    SettingsStore store;
    store.readText(
        "$l(0) = a\n$l(1) = b\n$l(3) = d\n$g(1) = x\n"
        "$()my list = a\nb\n"
        "$()t = a\nb\nc\nd\ne\nf\ng\nh\ni\nj\nk\n");
    EXPECT_EQ(1, store.countIndexed("l"));
    EXPECT_EQ(-1, store.countIndexed("g"));
    // countIndexed keeps blanks in the name; getText removes them.
    EXPECT_EQ(1, store.countIndexed("my list"));
    EXPECT_EQ("", store.getText("my list", 0));
    EXPECT_EQ(10, store.countIndexed("t"));
    EXPECT_EQ("k", store.getText("t", 10));
    EXPECT_EQ("a", store.getText(" t ", 0));
}

TEST(SettingsStore, FirstEntryOfTheTableCountsAsAListItem) {
    SettingsStore store;
    store.readText("$()l = a\n");
    EXPECT_EQ(0, store.countIndexed("l"));
}

TEST(SettingsStore, SectionsHaveNoFallbackToTheTopLevel) {
    SettingsStore store;
    store.readText("$top = 1\n{s\n$inner = 2\n}\n");
    store.selectSection("s");
    EXPECT_EQ("", store.getText("top"));
    EXPECT_EQ("2", store.getText("inner"));
    store.selectSection("s.");
    EXPECT_EQ("s..", store.sectionPrefix());
    store.selectSection("");
    EXPECT_EQ("", store.sectionPrefix());
    EXPECT_EQ("1", store.getText("top"));
}

TEST(SettingsStore, StopsAtCapacity) {
    std::string content;
    for (int i = 0; i < kStoreCapacity + 5; ++i) content += "$k" + std::to_string(i) + " = v\n";
    SettingsStore store;
    store.readText(content);
    EXPECT_EQ(kStoreCapacity, store.count());
    EXPECT_TRUE(store.stoppedAtCapacity());
    EXPECT_EQ("k9999", store.entry(kStoreCapacity - 1).key);
    EXPECT_EQ("", store.getText("k10000"));

    // Exactly full, with only lines left that make no entry: nothing lost.
    content.resize(content.find("$k10000"));
    store.readText(content + "}\n// end\nstray line\n#CR=x\n");
    EXPECT_EQ(kStoreCapacity, store.count());
    EXPECT_FALSE(store.stoppedAtCapacity());
    EXPECT_EQ("", store.lineBreakMarker());  // nothing after the full table is applied

    // A list item after the table is full is a lost setting.
    store.readText(content.substr(0, content.find("$k9999")) + "$()l = a\nb\n");
    EXPECT_EQ(kStoreCapacity, store.count());
    EXPECT_TRUE(store.stoppedAtCapacity());
}

TEST(SettingsStore, IgnoresKeysLongerThanTheLimit) {
    const std::string longest(kMaxKeyLength - 2, 's');
    SettingsStore store;
    store.readText("{" + longest + "\n$x = kept\n$xy = dropped\n$()l = a\nb\n}\n$y = 2\n");
    EXPECT_EQ(longest + ".x =kept\n" + "y =2\n", dump(store));
}

TEST(SettingsStore, CountsTheIndexPartInTheKeyLength) {
    // "s...s." and "l(9)" make exactly the longest key; "l(10)" one more.
    const std::string section(kMaxKeyLength - 5, 's');
    std::string content = "{" + section + "\n$()l = 0\n";
    for (int i = 1; i <= 10; ++i) content += std::to_string(i) + "\n";
    SettingsStore store;
    store.readText(content);
    EXPECT_EQ(10, store.count());
    EXPECT_EQ(section + ".l(9)", store.entry(9).key);
    store.selectSection(section);
    EXPECT_EQ(9, store.countIndexed("l"));
}

TEST(SettingsStore, NewReadKeepsTheMarkerButStartsAfresh) {
    SettingsStore store;
    store.readText("#CR=[br]\n{s\n$()l = a\n");
    store.readText("b\n$x = 1[br]2\n");
    EXPECT_EQ("x =1\n2\n", dump(store));
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("kestrane_store_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::permissions(path("ro.ini"), std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    std::string write(const std::string& name, const std::string& content) const {
        std::ofstream(path(name), std::ios::binary) << content;
        return path(name);
    }
    std::filesystem::path dir_;
};

TEST_F(SettingsFile, ReadsAFileAndAReadOnlyFile) {
    SettingsStore store;
    EXPECT_EQ(kReadOk, store.readFile(write("a.ini", "$a = 1\r\n$b = x\x1Ay\r\n")));
    EXPECT_EQ("a =1\nb =x\x1Ay\n", dump(store));

    const std::string readOnly = write("ro.ini", "$c = 3\n");
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
    EXPECT_EQ(kReadOk, store.readFile(readOnly));
    EXPECT_EQ("c =3\n", dump(store));
}

TEST_F(SettingsFile, RefusesWhatCannotBeOpened) {
    SettingsStore store;
    store.readText("#CR=[br]\n$a = 1\n");
    EXPECT_EQ(kReadCannotOpen, store.readFile(path("missing.ini")));
    EXPECT_EQ(0, store.count());
    EXPECT_EQ("[br]", store.lineBreakMarker());
    EXPECT_EQ(ReadFailure::missing, store.readFailure());
    EXPECT_EQ(kReadCannotOpen, store.readFile(path("no/such/folder.ini")));
    EXPECT_EQ(ReadFailure::missing, store.readFailure());
    EXPECT_EQ(kReadCannotOpen, store.readFile(dir_.string()));
    EXPECT_EQ(ReadFailure::folder, store.readFailure());
    EXPECT_EQ(kReadCannotOpen, store.readFile(""));
    EXPECT_EQ(ReadFailure::emptyPath, store.readFailure());
    EXPECT_EQ(kReadOk, store.readFile(write("empty.ini", "")));
    EXPECT_EQ(0, store.count());
    EXPECT_EQ(ReadFailure::none, store.readFailure());
}

TEST_F(SettingsFile, RemembersTheEncodingOfWhatItRead) {
    const struct {
        const char* what;
        std::string content;
        SourceEncoding encoding;
        bool byteOrderMark;
    } cases[] = {
        {"ASCII", "$a = 1\n", SourceEncoding::ascii, false},
        {"UTF-8", "// caf\xC3\xA9\n$a = 1\n", SourceEncoding::utf8, false},
        {"mark only", "\xEF\xBB\xBF$a = 1\n", SourceEncoding::utf8, true},
        {"mark before Windows-1252", "\xEF\xBB\xBF// caf\xE9\n", SourceEncoding::utf8, true},
        {"Windows-1252", "// caf\xE9\n$a = 1\n", SourceEncoding::windows1252, false},
    };
    for (const auto& c : cases) {
        SettingsStore store;
        store.readFile(write("e.ini", c.content));
        EXPECT_EQ(c.encoding, store.sourceEncoding()) << c.what;
        EXPECT_EQ(c.byteOrderMark, store.hadByteOrderMark()) << c.what;
        // A failed read forgets what the last one found.
        store.readFile(path("missing.ini"));
        EXPECT_EQ(SourceEncoding::ascii, store.sourceEncoding()) << c.what;
        EXPECT_FALSE(store.hadByteOrderMark()) << c.what;
    }
}

TEST(ReadNumber, KeepsTheTargetWithoutANumber) {
    for (const char* subject : {"", "  ", "-", "+", ".", "e5", "abc", "-.e1"}) {
        double target = 42.0;
        readNumber(subject, target);
        EXPECT_EQ(42.0, target) << subject;
    }
    double target = 0.0;
    readNumber("\n\t 2.5e-1rest", target);
    EXPECT_EQ(0.25, target);
}

}  // namespace
}  // namespace kestrane
