// What the checks of a server script learn from it while it is written:
// the writer hands the meter every byte of the script, in order, as it
// hands them to the file. The meter keeps only counts and the few places
// that a server will break, never the script itself.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kestrane {

class ScriptMeter {
public:
    // A line of the script: where it starts (bytes from the script's start)
    // and its length without the line end.
    struct Line {
        std::size_t start = 0;
        std::size_t length = 0;
    };

    // The next bytes of the script, with "\n" line ends.
    void take(std::string_view text);

    // Bytes taken so far, each line end counted as one.
    std::size_t size() const { return size_; }
    std::size_t lineEnds() const { return lineEnds_; }
    // The size of the written file: on Windows each line end is CR LF.
    std::size_t fileSize() const;

    // The lines longer than a server reads (kServerLineBytes), in order;
    // the last one may still be growing.
    const std::vector<Line>& longLines() const { return longLines_; }
    // Where "//" or "/*" starts a comment in a line that is not a comment
    // from its start (as the banner's lines are): the first of each line.
    struct Comment {
        std::size_t start = 0;
        char second = '/';  // "/" or "*"
    };
    const std::vector<Comment>& comments() const { return comments_; }

private:
    void scan(const char* begin, const char* end);
    void noteComment(std::size_t at, char second);

    std::size_t size_ = 0;
    std::size_t lineEnds_ = 0;
    std::size_t lineStart_ = 0;
    // The current line is a comment, or its comment is noted already.
    bool lineSeen_ = false;
    char previous_ = '\n';
    std::vector<Line> longLines_;
    std::vector<Comment> comments_;
};

}  // namespace kestrane
