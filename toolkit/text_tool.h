// Text operations shared by the settings reader and the two writers.
// Texts are byte strings; a blank is the space or the tab, nothing else.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrane {

// The three text operations. The type has no state: every instance gives
// the same results. Texts come in by value and a new text comes back.
class TextTool {
public:
    // endsOnly != 0: removes blanks before the first and after the last
    // non-blank character. endsOnly == 0: removes every blank.
    std::string stripBlanks(std::string subject, int endsOnly) const;

    // Replaces occurrences of `what` in `subject`, left to right, starting
    // at position `start`; at most `limit` of them, or all when `limit` is
    // negative. Inserted text is never searched again. Gives `subject` back
    // unchanged when `what` or `subject` is empty or `limit` is 0.
    std::string replaceAll(const std::string& what, const std::string& with, std::string subject, int limit,
                           std::size_t start) const;

    // Non-overlapping occurrences of `what` in `subject`, counted from the
    // left; 0 when either is empty.
    int countOccurrences(const std::string& what, const std::string& subject) const;
};

// The one instance the toolkit keeps for the whole run.
const TextTool& sharedTextTool();

// Plain decimal text, as a default-formatted stream writes it.
std::string toText(std::int32_t value);
std::string toText(std::uint32_t value);

// Reads an unsigned 32-bit number from the start of `subject` the way a
// classic-locale stream does: leading white space skipped, optional sign,
// base-10 digits up to the first other character; "-1" gives 4294967295.
// When no digit is read or the value exceeds 4294967295, `target` is left
// as it was.
void readUnsigned(std::string_view subject, std::uint32_t& target);

// True for the bytes a classic-locale stream skips before a number.
inline bool isStreamSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The part of `text` without blanks at either end; a view into `text`.
// Inline: every map line is trimmed field by field in several passes.
inline std::string_view trimBlanks(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && isBlank(text[first])) ++first;
    std::size_t end = text.size();
    while (end > first && isBlank(text[end - 1])) --end;
    return text.substr(first, end - first);
}

}  // namespace kestrane
