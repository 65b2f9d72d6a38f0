// Text operations shared by the settings reader and the two writers.
#include "toolkit/text_tool.h"

#include <algorithm>

namespace kestrane {

std::string TextTool::stripBlanks(std::string subject, int endsOnly) const {
    if (endsOnly != 0) {
        std::string_view kept = trimBlanks(subject);
        if (kept.size() == subject.size()) return subject;
        return std::string(kept);
    }
    subject.erase(std::remove_if(subject.begin(), subject.end(), isBlank), subject.end());
    return subject;
}

std::string TextTool::replaceAll(const std::string& what, const std::string& with, std::string subject,
                                 int limit, std::size_t start) const {
    if (what.empty() || subject.empty() || limit == 0 || what.size() > subject.size()) {
        return subject;
    }
    std::size_t found = subject.find(what, start);
    if (found == std::string::npos) return subject;

    // One pass: copy the text between occurrences and the replacements into
    // a new text, so that a long subject with many occurrences stays linear.
    std::string result;
    result.reserve(subject.size());
    std::size_t copiedUpTo = 0;
    while (found != std::string::npos && limit != 0) {
        result.append(subject, copiedUpTo, found - copiedUpTo);
        result += with;
        copiedUpTo = found + what.size();
        if (limit > 0) --limit;
        found = subject.find(what, copiedUpTo);
    }
    result.append(subject, copiedUpTo, std::string::npos);
    return result;
}

int TextTool::countOccurrences(const std::string& what, const std::string& subject) const {
    if (what.empty() || subject.empty() || what.size() > subject.size()) return 0;
    int count = 0;
    for (std::size_t found = subject.find(what); found != std::string::npos;
         found = subject.find(what, found + what.size())) {
        ++count;
    }
    return count;
}

const TextTool& sharedTextTool() {
    static const TextTool tool;
    return tool;
}

std::string toText(std::int32_t value) {
    return std::to_string(value);
}

std::string toText(std::uint32_t value) {
    return std::to_string(value);
}

void readUnsigned(std::string_view subject, std::uint32_t& target) {
    std::size_t pos = 0;
    while (pos < subject.size() && isStreamSpace(subject[pos])) ++pos;
    bool negative = false;
    if (pos < subject.size() && (subject[pos] == '+' || subject[pos] == '-')) {
        negative = subject[pos] == '-';
        ++pos;
    }
    if (pos >= subject.size() || !isDigit(subject[pos])) return;

    const std::uint64_t maxValue = 4294967295u;
    std::uint64_t value = 0;
    for (; pos < subject.size() && isDigit(subject[pos]); ++pos) {
        value = value * 10 + static_cast<std::uint64_t>(subject[pos] - '0');
        if (value > maxValue) return;  // too large: the target stays as it was
    }
    auto result = static_cast<std::uint32_t>(value);
    target = negative ? static_cast<std::uint32_t>(0u - result) : result;
}

}  // namespace kestrane
