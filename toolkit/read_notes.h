// What the settings reader noticed while reading and the store does not
// keep: the lines it ignored and why, the sections it opened and closed,
// its block comments, and where it stopped when the table was full. The
// checks of a settings file turn these notes into findings; they never
// change what the store answers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrane {

// At most this many notes of each list are kept; a file of a million
// stray lines is told about by its first ones and a count of the rest.
inline constexpr std::size_t kMaxNotesPerKind = 1000;
// An ignored line is quoted by at most this many of its first bytes.
inline constexpr std::size_t kNoteExcerptLength = 80;

enum class IgnoredLineReason {
    noEquals,             // a "$" or "%" line without "="
    bareLineOutsideList,  // a line of no kind while no list runs
    closeWithoutSection,  // a "}" with no section open (or more "}" than open sections)
    nameTooLong,          // a key longer than the store keeps
};

struct IgnoredLine {
    int line = 0;
    IgnoredLineReason reason = IgnoredLineReason::noEquals;
    std::string excerpt;  // the trimmed line, cut to kNoteExcerptLength bytes
    bool excerptCut = false;
};

// One "{" line. The path is the reader's section path after it, "a.b.",
// empty when longer than any key the store keeps.
struct SectionOpening {
    int line = 0;
    std::string path;
    std::size_t parentLength = 0;  // length of the path before it: 0 at the top level
    bool pathTooLong = false;
};

struct BlockComment {
    int openLine = 0;
    int closeLine = 0;  // 0: never closed
    // The "/*" line itself ended in "*/", which does not close it.
    bool closeMarkOnOpenLine = false;
};

struct ReadNotes {
    // For each entry of the table, the length of the section path in
    // front of its name, as the reader had it when it wrote the entry.
    std::vector<std::uint32_t> entrySectionLengths;
    std::vector<IgnoredLine> ignoredLines;
    std::size_t ignoredLinesLeftOut = 0;
    std::vector<SectionOpening> sectionOpenings;
    std::size_t sectionOpeningsLeftOut = 0;
    std::vector<BlockComment> blockComments;
    std::size_t blockCommentsLeftOut = 0;
    // The "{" line that opened the outermost section still open at the
    // end of the file; 0 when every section was closed.
    int unclosedSectionLine = 0;
    // The line that would have made one more entry than the table holds;
    // 0 when reading did not stop early.
    int stoppedAtLine = 0;

    void clear() { *this = ReadNotes(); }
};

}  // namespace kestrane
