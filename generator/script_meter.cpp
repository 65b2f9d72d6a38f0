// The script meter: one pass over each piece of the script, looking for
// line ends and slashes only.
#include "generator/script_meter.h"

#include <cstring>

#include "generator/server_limits.h"

namespace kestrane {

std::size_t ScriptMeter::fileSize() const {
#ifdef _WIN32
    return size_ + lineEnds_;
#else
    return size_;
#endif
}

void ScriptMeter::take(std::string_view text) {
    const char* next = text.data();
    const char* const end = next + text.size();
    while (next < end) {
        const void* found = std::memchr(next, '\n', static_cast<std::size_t>(end - next));
        const char* lineEnd = found != nullptr ? static_cast<const char*>(found) : end;
        scan(next, lineEnd);
        size_ += static_cast<std::size_t>(lineEnd - next);
        const std::size_t length = size_ - lineStart_;
        if (length > kServerLineBytes) {
            if (longLines_.empty() || longLines_.back().start != lineStart_) {
                longLines_.push_back(Line{lineStart_, length});
            } else {
                longLines_.back().length = length;
            }
        }
        if (lineEnd == end) break;
        ++size_;
        ++lineEnds_;
        lineStart_ = size_;
        lineSeen_ = false;
        previous_ = '\n';
        next = lineEnd + 1;
    }
}

// Looks for "//" and "/*" in bytes of one line that start at offset size_.
void ScriptMeter::scan(const char* begin, const char* end) {
    if (begin == end) return;
    if (!lineSeen_) {
        if (previous_ == '/' && (*begin == '/' || *begin == '*')) noteComment(size_ - 1, *begin);
        const char* from = begin;
        while (!lineSeen_ && from < end) {
            const void* found = std::memchr(from, '/', static_cast<std::size_t>(end - from));
            if (found == nullptr) break;
            const char* slash = static_cast<const char*>(found);
            if (slash + 1 < end && (slash[1] == '/' || slash[1] == '*')) {
                noteComment(size_ + static_cast<std::size_t>(slash - begin), slash[1]);
            }
            from = slash + 1;
        }
    }
    previous_ = end[-1];
}

void ScriptMeter::noteComment(std::size_t at, char second) {
    if (at != lineStart_) comments_.push_back(Comment{at, second});
    lineSeen_ = true;
}

}  // namespace kestrane
