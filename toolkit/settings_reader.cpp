// The settings file reader. Every line is trimmed, and its first character
// alone decides what it is: "$" text, "%" number, "()" after either starts a
// list whose items are the bare lines that follow, "{" and "}" open and close
// sections, "//", "/* ... */", "&", "§" (in Windows-1252 or UTF-8) and "#"
// are comments, and "#CR=" sets the text that stands for a line break inside
// values.
#include "toolkit/settings_reader.h"

#include <cstdlib>

#include "toolkit/text_tool.h"

namespace kestrane {
namespace {

constexpr char kSectionSign = '\xA7';  // "§" in the Windows-1252 code page
constexpr std::string_view kUtf8SectionSign = "\xC2\xA7";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Removes the first n characters, then trims what is left.
std::string_view cut(std::string_view line, std::size_t n) {
    return trimBlanks(line.substr(n < line.size() ? n : line.size()));
}

std::string withoutBlanks(std::string_view text) {
    return sharedTextTool().stripBlanks(std::string(text), 0);
}

}  // namespace

void readNumber(std::string_view subject, double& target) {
    std::size_t pos = 0;
    while (pos < subject.size() && isStreamSpace(subject[pos])) ++pos;
    const std::size_t begin = pos;
    if (pos < subject.size() && (subject[pos] == '+' || subject[pos] == '-')) ++pos;
    std::size_t digits = 0;
    while (pos < subject.size() && isDigit(subject[pos])) ++pos, ++digits;
    if (pos < subject.size() && subject[pos] == '.') {
        ++pos;
        while (pos < subject.size() && isDigit(subject[pos])) ++pos, ++digits;
    }
    if (digits == 0) return;
    // An exponent counts only when it is complete: "12e" reads as 12.
    if (pos < subject.size() && (subject[pos] == 'e' || subject[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < subject.size() && (subject[exponent] == '+' || subject[exponent] == '-')) {
            ++exponent;
        }
        if (exponent < subject.size() && isDigit(subject[exponent])) {
            while (exponent < subject.size() && isDigit(subject[exponent])) ++exponent;
            pos = exponent;
        }
    }
    // strtod needs a terminated copy; it reads exactly the part checked above.
    const std::string number(subject.substr(begin, pos - begin));
    target = std::strtod(number.c_str(), nullptr);
}

void SettingsReader::readAll(std::string_view content) {
    ReadNotes& notes = store_.notes_;
    notes.clear();
    store_.entries_.clear();
    store_.entryLines_.clear();
    notes.entrySectionLengths.reserve(kStoreCapacity);  // one entry each, as the table
    if (startsWith(content, kByteOrderMark)) content.remove_prefix(kByteOrderMark.size());

    std::size_t pos = 0;
    // Once the table is full, the rest of the file is only looked through
    // for a line that would have made one more entry, to tell the user that
    // settings were lost; nothing of it reaches the store.
    while (pos < content.size() && !settingsLost_) {
        std::size_t end = content.find('\n', pos);
        std::size_t next = end + 1;
        if (end == std::string_view::npos) {
            end = content.size();
            next = end;
        } else if (end > pos && content[end - 1] == '\r') {
            --end;  // CR LF: the CR belongs to the line end
        }
        ++lineNumber_;
        handleLine(content.substr(pos, end - pos));
        pos = next;
    }
    store_.count_ = entryCounter_;  // never beyond the capacity: nextEntry stops there
    store_.stoppedAtCapacity_ = settingsLost_;
    if (!sectionPath_.empty()) notes.unclosedSectionLine = outermostSectionLine_;
}

void SettingsReader::handleLine(std::string_view rawLine) {
    const std::string_view line = trimBlanks(rawLine);
    if (line.empty()) return;
    currentLine_ = line;
    if (line == "*/") {
        if (inBlockComment_ && commentNoted_) store_.notes_.blockComments.back().closeLine = lineNumber_;
        inBlockComment_ = false;
        commentNoted_ = false;
        return;
    }
    if (inBlockComment_) return;
    if (startsWith(line, kUtf8SectionSign)) return;  // a comment, like the Windows-1252 sign

    switch (line.front()) {
        case '/':
            handleSlashLine(cut(line, 1));
            break;
        case '$':
            handleEntryLine(cut(line, 1), ListKind::text);
            break;
        case '%':
            handleEntryLine(cut(line, 1), ListKind::number);
            break;
        case '&':
        case kSectionSign:
            break;
        case '#':
            handleHashLine(cut(line, 1));
            break;
        case '{':
            handleOpenSection(cut(line, 1));
            break;
        case '}':
            handleCloseSection(line);
            break;
        default:
            handleListItem(line);
            break;
    }
}

void SettingsReader::handleSlashLine(std::string_view rest) {
    // "//" is a comment; "/*" starts a block comment that lasts until a line
    // that is exactly "*/", even when this line itself ends in "*/".
    if (!startsWith(rest, "*")) return;
    inBlockComment_ = true;
    ReadNotes& notes = store_.notes_;
    commentNoted_ = notes.blockComments.size() < kMaxNotesPerKind;
    if (!commentNoted_) {
        ++notes.blockCommentsLeftOut;
        return;
    }
    // "/*/" is only the opening mark; "/* x */" ends in a closing mark that
    // does not count.
    const bool closeMark = rest.size() >= 3 && rest.substr(rest.size() - 2) == "*/";
    notes.blockComments.push_back(BlockComment{lineNumber_, 0, closeMark});
}

void SettingsReader::handleEntryLine(std::string_view rest, ListKind kind) {
    if (startsWith(rest, "()")) {
        handleListHead(cut(rest, 2), kind);
        return;
    }
    endList();
    const std::size_t equals = rest.find('=');
    if (equals == std::string_view::npos) {
        noteIgnored(IgnoredLineReason::noEquals);
        return;
    }
    SettingsEntry& entry = nextEntry(trimBlanks(rest.substr(0, equals)), -1);
    if (kind == ListKind::text) {
        entry.text = cleanValue(rest.substr(equals + 1));
        entry.isNumber = 0;
    } else {
        readNumber(cleanValue(rest.substr(equals + 1)), entry.number);
        entry.isNumber = 1;
    }
}

void SettingsReader::handleListHead(std::string_view rest, ListKind kind) {
    // A head without "=" writes nothing, but a running list goes on under its
    // old name, restarting at index 0 with the head's kind.
    listIndex_ = 0;
    listKind_ = kind;
    const std::size_t equals = rest.find('=');
    if (equals == std::string_view::npos) {
        noteIgnored(IgnoredLineReason::noEquals);
        return;
    }
    listName_ = std::string(trimBlanks(rest.substr(0, equals)));
    SettingsEntry& entry = nextEntry(listName_, listIndex_);
    if (kind == ListKind::text) {
        entry.text = cleanValue(rest.substr(equals + 1));
        entry.isNumber = 0;
    } else {
        // The head's value is read as written: no quotes removed, no marker.
        readNumber(rest.substr(equals + 1), listNumber_);
        entry.number = listNumber_;
        entry.isNumber = 1;
    }
    listIndex_ = 1;
}

void SettingsReader::handleHashLine(std::string_view rest) {
    endList();
    std::string directive = withoutBlanks(rest);
    if (directive.size() >= 3 && startsWith(directive, "CR=")) {
        directive = sharedTextTool().replaceAll("CR=", "", std::move(directive), 1, 0);
        // Cleaned with the marker that was in force before this line.
        if (!tableFull()) store_.lineBreakMarker_ = cleanValue(directive);
    }
}

void SettingsReader::handleOpenSection(std::string_view rest) {
    endList();
    if (sectionPath_.empty()) outermostSectionLine_ = lineNumber_;
    const std::size_t parentLength = sectionPath_.size();
    sectionPath_ += rest;
    sectionPath_ += '.';
    ReadNotes& notes = store_.notes_;
    if (notes.sectionOpenings.size() >= kMaxNotesPerKind) {
        ++notes.sectionOpeningsLeftOut;
        return;
    }
    const bool tooLong = sectionPath_.size() > kMaxKeyLength;
    notes.sectionOpenings.push_back(
        SectionOpening{lineNumber_, tooLong ? std::string() : sectionPath_, parentLength, tooLong});
}

void SettingsReader::handleCloseSection(std::string_view line) {
    const TextTool& tool = sharedTextTool();
    const std::string text(line);
    if (tool.countOccurrences("#", text) != 0) {
        if (sectionPath_.empty()) noteIgnored(IgnoredLineReason::closeWithoutSection);
        sectionPath_.clear();
        return;
    }
    int closes = tool.countOccurrences("}", text);
    for (; closes > 0 && !sectionPath_.empty(); --closes) {
        // The path ends in "."; the level before it ends at the previous ".".
        const std::size_t dot =
            sectionPath_.size() < 2 ? std::string::npos : sectionPath_.rfind('.', sectionPath_.size() - 2);
        if (dot == std::string::npos) {
            sectionPath_.clear();
        } else {
            sectionPath_.erase(dot + 1);
        }
    }
    if (closes > 0) noteIgnored(IgnoredLineReason::closeWithoutSection);
}

void SettingsReader::handleListItem(std::string_view line) {
    if (listName_.empty()) {
        noteIgnored(IgnoredLineReason::bareLineOutsideList);
        return;
    }
    SettingsEntry& entry = nextEntry(listName_, listIndex_);
    if (listKind_ == ListKind::text) {
        entry.text = cleanValue(line);
        entry.isNumber = 0;
    } else {
        // Blanks go first, so that "1 000" reads as 1000.
        readNumber(withoutBlanks(line), listNumber_);
        entry.number = listNumber_;
        entry.isNumber = 1;
    }
    ++listIndex_;
}

void SettingsReader::endList() {
    listName_.clear();
    listIndex_ = -1;
}

void SettingsReader::noteIgnored(IgnoredLineReason reason) {
    ReadNotes& notes = store_.notes_;
    if (notes.ignoredLines.size() >= kMaxNotesPerKind) {
        ++notes.ignoredLinesLeftOut;
        return;
    }
    const bool cut = currentLine_.size() > kNoteExcerptLength;
    notes.ignoredLines.push_back(
        IgnoredLine{lineNumber_, reason, std::string(currentLine_.substr(0, kNoteExcerptLength)), cut});
}

std::string SettingsReader::cleanValue(std::string_view value) const {
    value = trimBlanks(value);
    if (!value.empty() && value.front() == '"' && value.back() == '"') {
        value = value.size() == 1 ? std::string_view() : value.substr(1, value.size() - 2);
    }
    std::string cleaned(value);
    if (!store_.lineBreakMarker_.empty()) {
        cleaned = sharedTextTool().replaceAll(store_.lineBreakMarker_, "\n", std::move(cleaned), -1, 0);
    }
    return cleaned;
}

SettingsEntry& SettingsReader::nextEntry(std::string_view name, int index) {
    // The key's length is known before it is built, so that a key over the
    // limit (under a long section name, line after line) costs nothing.
    const std::string indexText = index < 0 ? std::string() : toText(static_cast<std::uint32_t>(index));
    const std::size_t indexSize = index < 0 ? 0 : indexText.size() + 2;
    if (sectionPath_.size() + name.size() + indexSize > kMaxKeyLength) {
        noteIgnored(IgnoredLineReason::nameTooLong);
        return discarded_;
    }
    if (tableFull()) {
        settingsLost_ = true;
        store_.notes_.stoppedAtLine = lineNumber_;
        return discarded_;
    }
    // Room for the whole table is reserved up front, so the entry made
    // here never moves while the caller fills it in.
    SettingsEntry& entry = store_.entries_.emplace_back();
    entry.key.reserve(sectionPath_.size() + name.size() + indexSize);
    entry.key.assign(sectionPath_).append(name);
    if (index >= 0) entry.key.append("(").append(indexText) += ')';
    store_.entryLines_.push_back(lineNumber_);
    store_.notes_.entrySectionLengths.push_back(static_cast<std::uint32_t>(sectionPath_.size()));
    ++entryCounter_;
    return entry;
}

}  // namespace kestrane
