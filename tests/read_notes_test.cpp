// Tests of what the settings reader notes beside the store: the lines it
// ignored and why, its sections, its block comments and where it stopped.
#include "toolkit/read_notes.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "toolkit/settings_store.h"

namespace kestrane {
namespace {

const char* reasonName(IgnoredLineReason reason) {
    switch (reason) {
        case IgnoredLineReason::noEquals:
            return "no-equals";
        case IgnoredLineReason::bareLineOutsideList:
            return "bare";
        case IgnoredLineReason::closeWithoutSection:
            return "stray-close";
        case IgnoredLineReason::nameTooLong:
            break;
    }
    return "too-long";
}

// The notes, one per line: "ignored LINE REASON [EXCERPT]", "section LINE
// PATH PARENT-LENGTH", "comment OPEN CLOSE [same-line]", "unclosed LINE",
// "stopped LINE".
std::string notesOf(const std::string& content) {
    SettingsStore store;
    store.readText(content);
    const ReadNotes& notes = store.readNotes();
    std::ostringstream out;
    for (const IgnoredLine& ignored : notes.ignoredLines) {
        out << "ignored " << ignored.line << " " << reasonName(ignored.reason) << " [" << ignored.excerpt
            << (ignored.excerptCut ? "..." : "") << "]\n";
    }
    for (const SectionOpening& opening : notes.sectionOpenings) {
        out << "section " << opening.line << " " << opening.path << " " << opening.parentLength << "\n";
    }
    for (const BlockComment& comment : notes.blockComments) {
        out << "comment " << comment.openLine << " " << comment.closeLine
            << (comment.closeMarkOnOpenLine ? " same-line" : "") << "\n";
    }
    if (notes.unclosedSectionLine != 0) out << "unclosed " << notes.unclosedSectionLine << "\n";
    if (notes.stoppedAtLine != 0) out << "stopped " << notes.stoppedAtLine << "\n";
    return out.str();
}

TEST(ReadNotes, TellWhatWasIgnoredAndWhere) {
    const struct {
        const char* content;
        const char* notes;
    } cases[] = {
        {"", ""},
        {"$a = 1\n%b = 2\n$()c = x\ny\n// c\n& d\n#e\n", ""},
        {"$local_command set x;\n", "ignored 1 no-equals [$local_command set x;]\n"},
        {"%n\n$()list\n  %() x \n",
         "ignored 1 no-equals [%n]\nignored 2 no-equals [$()list]\nignored 3 no-equals [%() x]\n"},
        {"$()a = 1\n2\n$b = 3\nstray\n", "ignored 4 bare [stray]\n"},
        {"\r\n\r\nstray\r\n", "ignored 3 bare [stray]\n"},
        {"}\n", "ignored 1 stray-close [}]\n"},
        {"}#\n", "ignored 1 stray-close [}#]\n"},
        {"{a\n}}\n", "ignored 2 stray-close [}}]\nsection 1 a. 0\n"},
        {"{a\n{b\n}}\n", "section 1 a. 0\nsection 2 a.b. 2\n"},
        {"{a\n{b\n}#\n", "section 1 a. 0\nsection 2 a.b. 2\n"},
        {"{a\n}\n{ b c \n", "section 1 a. 0\nsection 3 b c. 0\nunclosed 3\n"},
        {"{a\n{b\n}\n", "section 1 a. 0\nsection 2 a.b. 2\nunclosed 1\n"},
        {"{a.b\n}\n", "section 1 a.b. 0\nunclosed 1\n"},
        {"{\n}\n", "section 1 . 0\n"},
        {"/* x\n*/\n", "comment 1 2\n"},
        {"/* x */\n$a = 1\n*/\n", "comment 1 3 same-line\n"},
        {"/*/\n", "comment 1 0\n"},
        {"*/\n/*\n/*\n{a\n", "comment 2 0\n"},
        {"$x =\n/\n/ x\n", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.notes, notesOf(c.content)) << c.content;
}

TEST(ReadNotes, QuoteLongLinesByTheirStart) {
    const std::string line(kNoteExcerptLength + 5, 'x');
    EXPECT_EQ("ignored 1 bare [" + line.substr(0, kNoteExcerptLength) + "...]\n", notesOf(line + "\n"));
    EXPECT_EQ("ignored 1 too-long [$" + std::string(kNoteExcerptLength - 1, 'k') + "...]\n",
              notesOf("$" + std::string(kMaxKeyLength + 1, 'k') + " = v\n"));
}

TEST(ReadNotes, KeepTheFirstNotesOfAHugeFileAndCountTheRest) {
    std::string content;
    for (std::size_t i = 0; i < kMaxNotesPerKind + 7; ++i) content += "stray\n{s\n/*\n*/\n";
    SettingsStore store;
    store.readText(content);
    const ReadNotes& notes = store.readNotes();
    EXPECT_EQ(kMaxNotesPerKind, notes.ignoredLines.size());
    EXPECT_EQ(7u, notes.ignoredLinesLeftOut);
    EXPECT_EQ(kMaxNotesPerKind, notes.sectionOpenings.size());
    EXPECT_EQ(7u, notes.sectionOpeningsLeftOut);
    EXPECT_EQ(kMaxNotesPerKind, notes.blockComments.size());
    EXPECT_EQ(7u, notes.blockCommentsLeftOut);
    EXPECT_EQ(2, notes.unclosedSectionLine);
}

TEST(ReadNotes, GiveEachEntryItsSectionAndTheLineWhereReadingStopped) {
    std::string content = "$g = 1\n{ffa\n$()maps = a\nb\n}\n{ctf\n{x\n$y = 2\n";
    SettingsStore store;
    store.readText(content);
    const std::vector<std::uint32_t> expected = {0, 4, 4, 6};  // "", "ffa.", "ffa.", "ctf.x."
    EXPECT_EQ(expected, store.readNotes().entrySectionLengths);

    std::string full;
    for (int i = 0; i < kStoreCapacity; ++i) full += "$k = v\n";
    full += "// comment\n{s\n$lost = 1\n";
    store.readText(full);
    EXPECT_EQ(kStoreCapacity + 3, store.readNotes().stoppedAtLine);
    EXPECT_EQ(static_cast<std::size_t>(kStoreCapacity), store.readNotes().entrySectionLengths.size());
}

TEST(ReadNotes, StartAfreshOnEachReadAndDoNotChangeTheEntries) {
    SettingsStore store;
    store.readText("stray\n{a\n$x = 1\n");
    ASSERT_FALSE(store.readNotes().ignoredLines.empty());
    store.readText("$x = 1\n");
    EXPECT_TRUE(store.readNotes().ignoredLines.empty());
    EXPECT_TRUE(store.readNotes().sectionOpenings.empty());
    EXPECT_EQ(0, store.readNotes().unclosedSectionLine);
    EXPECT_EQ(1, store.count());
    EXPECT_EQ("1", store.getText("x"));
    EXPECT_EQ(kReadCannotOpen, store.readFile(""));
    EXPECT_TRUE(store.readNotes().entrySectionLengths.empty());
}

}  // namespace
}  // namespace kestrane
