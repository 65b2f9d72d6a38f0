// The checks of a settings file: the lines the reader ignored, the settings
// the tool does not read (unknown, of the wrong kind or in the wrong
// place), then the cycles (cycle_checks.cpp).
#include "generator/settings_checks.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "generator/cycle_checks.h"
#include "generator/map_files.h"
#include "toolkit/edit_distance.h"
#include "toolkit/text_encoding.h"
#include "toolkit/text_tool.h"

namespace kestrane {
namespace {

enum class Scope { global, cycle };
enum class Kind { text, number, textList };

struct KnownSetting {
    std::string_view name;
    Scope scope;
    Kind kind;
};

// Every setting the tool reads.
constexpr KnownSetting kKnownSettings[] = {
    {"cycles", Scope::global, Kind::textList},
    {"global_command", Scope::global, Kind::text},
    {"cycles_list", Scope::global, Kind::text},
    {"maps_list_suffix", Scope::global, Kind::text},
    {"report_path", Scope::global, Kind::text},
    {"report_format", Scope::global, Kind::text},
    {"report_special_color", Scope::global, Kind::text},
    {"output", Scope::global, Kind::text},
    {"no_popup_cfg", Scope::global, Kind::number},
    {"no_popup_report", Scope::global, Kind::number},
    {"terminate", Scope::global, Kind::number},
    {"game_dirs", Scope::global, Kind::textList},
    {"text_encoding", Scope::global, Kind::text},
    {"init_command", Scope::cycle, Kind::text},
    {"maps", Scope::cycle, Kind::textList},
    {"local_command", Scope::cycle, Kind::text},
    {"comment", Scope::cycle, Kind::text},
};

const KnownSetting* findKnown(std::string_view name) {
    for (const KnownSetting& known : kKnownSettings) {
        if (known.name == name) return &known;
    }
    return nullptr;
}

std::string number(std::size_t n) {
    return toText(static_cast<std::uint32_t>(n));
}

// ---- The lines the reader ignored ----

// "$local_command = set g_friendlyFire 0;" for "$local_command set g_friendlyFire 0;".
std::string withEquals(std::string_view line) {
    std::size_t nameStart = 1;
    if (line.substr(1, 2) == "()") nameStart = 3;
    while (nameStart < line.size() && isBlank(line[nameStart])) ++nameStart;
    const std::size_t nameEnd = line.find_first_of(" \t", nameStart);
    if (nameEnd == std::string_view::npos) return std::string(line) + " = ...";
    return std::string(line.substr(0, nameEnd)) + " = " + std::string(trimBlanks(line.substr(nameEnd)));
}

void checkIgnoredLine(const IgnoredLine& ignored, Findings& findings) {
    const std::string text = findingQuote(std::string(ignored.excerpt) + (ignored.excerptCut ? "..." : ""));
    switch (ignored.reason) {
        case IgnoredLineReason::noEquals:
            findings.add(Severity::warning, ignored.line,
                         text + " has no \"=\", so the line is ignored" +
                             (ignored.excerptCut ? std::string(": write \"=\" after the name")
                                                 : "; write " + findingQuote(withEquals(ignored.excerpt))));
            break;
        case IgnoredLineReason::bareLineOutsideList:
            findings.add(
                Severity::warning, ignored.line,
                "line " + text +
                    " is in no list and is ignored; a list starts with \"$()NAME = ...\" and ends at "
                    "the next \"$\", \"%\", \"#\" or \"{\" line");
            break;
        case IgnoredLineReason::closeWithoutSection:
            findings.add(
                Severity::warning, ignored.line,
                "\"}\" with no section open is ignored: remove it, or look above for a \"}\" that closed its "
                "section too early");
            break;
        case IgnoredLineReason::nameTooLong:
            findings.add(Severity::warning, ignored.line,
                         "setting name longer than " + number(kMaxKeyLength) +
                             " bytes (sections included) is ignored: shorten it");
            break;
    }
}

// The opening of the outermost section on `line`, for its name.
const SectionOpening* openingAt(const ReadNotes& notes, int line) {
    for (const SectionOpening& opening : notes.sectionOpenings) {
        if (opening.line == line && opening.parentLength == 0) return &opening;
    }
    return nullptr;
}

void checkReadNotes(const SettingsStore& store, Findings& findings) {
    const ReadNotes& notes = store.readNotes();
    for (const IgnoredLine& ignored : notes.ignoredLines) checkIgnoredLine(ignored, findings);
    if (notes.ignoredLinesLeftOut > 0) {
        findings.add(Severity::note, 0,
                     number(notes.ignoredLinesLeftOut) + " more ignored lines are not listed");
    }
    for (const BlockComment& comment : notes.blockComments) {
        const std::string sameLine =
            comment.closeMarkOnOpenLine ? " (a \"*/\" at the end of the \"/*\" line does not close it)" : "";
        if (comment.closeLine == 0) {
            findings.add(Severity::warning, comment.openLine,
                         "block comment is never closed, so the rest of the file is ignored" + sameLine +
                             ": end it with a line that is exactly \"*/\"");
        } else if (comment.closeMarkOnOpenLine) {
            findings.add(Severity::warning, comment.openLine,
                         "block comment does not end on this line: a \"*/\" at the end of a \"/*\" line does "
                         "not close it, so everything up to line " +
                             toText(static_cast<std::int32_t>(comment.closeLine)) +
                             " is ignored: use \"//\" for a comment of one line");
        }
    }
    if (notes.unclosedSectionLine > 0) {
        const SectionOpening* opening = openingAt(notes, notes.unclosedSectionLine);
        const std::string name =
            opening == nullptr
                ? std::string()
                : " " + findingQuote(std::string_view(opening->path).substr(0, opening->path.size() - 1));
        findings.add(Severity::warning, notes.unclosedSectionLine,
                     "section" + name + " is still open at the end of the file: close it with \"}\"");
    }
    if (notes.stoppedAtLine > 0) {
        findings.add(Severity::warning, notes.stoppedAtLine,
                     "only the first " + toText(static_cast<std::int32_t>(kStoreCapacity)) +
                         " settings were read; this line and the rest of the file were ignored: use fewer "
                         "settings");
    } else if (store.stoppedAtCapacity()) {
        findings.add(Severity::warning, 0,
                     "only the first " + toText(static_cast<std::int32_t>(kStoreCapacity)) +
                         " settings were read; the rest of the file was ignored");
    }
}

// ---- Settings the tool does not read ----

// "maps" and true for "maps(3)"; the key itself and false when it has no
// index part written as the store writes one.
std::string_view baseName(std::string_view name, bool& isItem) {
    isItem = false;
    if (name.size() < 3 || name.back() != ')') return name;
    const std::size_t open = name.rfind('(');
    if (open == std::string_view::npos) return name;
    const std::string_view digits = name.substr(open + 1, name.size() - open - 2);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos ||
        (digits.size() > 1 && digits[0] == '0')) {
        return name;
    }
    isItem = true;
    return name.substr(0, open);
}

std::string sigilOf(Kind kind) {
    switch (kind) {
        case Kind::text:
            return "$";
        case Kind::number:
            return "%";
        case Kind::textList:
            break;
    }
    return "$()";
}

std::string written(bool isNumber, bool isItem) {
    return std::string(isNumber ? "%" : "$") + (isItem ? "()" : "");
}

bool rightKind(const KnownSetting& known, const SettingsEntry& entry, bool isItem) {
    const bool isNumber = entry.isNumber != 0;
    return known.kind == Kind::textList ? isItem && !isNumber
                                        : !isItem && isNumber == (known.kind == Kind::number);
}

// A known setting in its place but of the wrong kind.
void checkKind(const KnownSetting& known, const SettingsEntry& entry, bool isItem, int line,
               Findings& findings) {
    const bool isNumber = entry.isNumber != 0;
    const std::string name(known.name);
    const char* kindName = known.kind == Kind::textList ? "a list of texts"
                           : known.kind == Kind::number ? "a number"
                                                        : "a text";
    std::string value = "...";
    if (!isNumber && !isItem && known.kind == Kind::number && !entry.text.empty()) value = entry.text;
    findings.add(Severity::warning, line,
                 "setting " + findingQuote(name) + " is " + kindName + ", so \"" + written(isNumber, isItem) +
                     name + "\" is not read" + (known.kind == Kind::number ? " and has no effect" : "") +
                     ": write " + findingQuote(sigilOf(known.kind) + name + " = " + value));
}

void checkUnknown(std::string_view name, Scope scope, int line, Findings& findings) {
    if (name.empty()) {
        findings.add(Severity::warning, line, "setting without a name is not read: write \"$NAME = VALUE\"");
        return;
    }
    static const std::vector<std::string_view> candidates = [] {
        std::vector<std::string_view> names;
        for (const KnownSetting& known : kKnownSettings) names.push_back(known.name);
        return names;
    }();
    const std::string_view closest = closestName(name, candidates);
    std::string message = "unknown setting " + findingQuote(name);
    if (!closest.empty()) {
        message += "; did you mean " + findingQuote(closest) + "?";
        const KnownSetting* known = findKnown(closest);
        if (known->scope != scope) {
            message += known->scope == Scope::cycle ? " (it belongs in a cycle's section)"
                                                    : " (it belongs outside every section)";
        }
    } else {
        message += " is not read by the tool";
    }
    findings.add(Severity::warning, line, message);
}

// Where each cycle's section begins in a key: "ffa." of "ffa.maps(0)".
class CyclePrefixes {
public:
    CyclePrefixes(SettingsStore& store, const RunSettings& settings) {
        store.selectSection("");
        for (int i = 0; i <= settings.lastCycleIndex; ++i) {
            const std::string_view name = trimBlanks(store.getText("cycles", i));
            // No key is longer than kMaxKeyLength, so a longer name (which
            // can be as long as the file) is the prefix of none: not copied.
            if (!name.empty() && name.size() < kMaxKeyLength) owned_.push_back(std::string(name) + ".");
        }
        for (const std::string& prefix : owned_) prefixes_.insert(prefix);
    }

    // The longest prefix of a cycle that `key` begins with; empty if none.
    std::string_view longestIn(std::string_view key) const {
        for (std::size_t dot = key.rfind('.'); dot != std::string_view::npos;
             dot = dot == 0 ? std::string_view::npos : key.rfind('.', dot - 1)) {
            const auto found = prefixes_.find(key.substr(0, dot + 1));
            if (found != prefixes_.end()) return *found;
        }
        return {};
    }

private:
    std::vector<std::string> owned_;
    std::unordered_set<std::string_view> prefixes_;
};

void checkNames(SettingsStore& store, const RunSettings& settings, Findings& findings) {
    const CyclePrefixes prefixes(store, settings);
    const std::vector<std::uint32_t>& sectionLengths = store.readNotes().entrySectionLengths;
    // A name given twice, or a list of many items, is told about once.
    std::unordered_set<std::string> told;
    for (int i = 0; i < store.count(); ++i) {
        const SettingsEntry& entry = store.entry(i);
        const std::string_view key = entry.key;
        const std::size_t sectionLength = static_cast<std::size_t>(i) < sectionLengths.size()
                                              ? sectionLengths[static_cast<std::size_t>(i)]
                                              : 0;
        const std::string_view prefix = prefixes.longestIn(key);
        // Settings in sections that no cycle reads, or in sections opened
        // inside a cycle's, are told about with those sections.
        if (sectionLength > prefix.size()) continue;
        const Scope scope = prefix.empty() ? Scope::global : Scope::cycle;
        bool isItem = false;
        const std::string_view name = baseName(key.substr(prefix.size()), isItem);
        const KnownSetting* known = findKnown(name);
        if (known != nullptr && known->scope == scope && rightKind(*known, entry, isItem)) continue;
        if (!told.insert(std::string(prefix) + '\0' + std::string(name) + (isItem ? "()" : "") +
                         (entry.isNumber != 0 ? "%" : "$"))
                 .second) {
            continue;
        }
        const int line = store.entryLine(i);
        if (known == nullptr) {
            checkUnknown(name, scope, line, findings);
        } else if (known->scope != scope) {
            const std::string quotedName = findingQuote(name);
            if (scope == Scope::global) {
                findings.add(
                    Severity::warning, line,
                    "setting " + quotedName +
                        " belongs in a cycle's section; outside one it is not read: move it into the "
                        "section of its cycle");
            } else {
                findings.add(Severity::warning, line,
                             "setting " + quotedName + " belongs outside every section; in the section " +
                                 findingQuote(prefix.substr(0, prefix.size() - 1)) +
                                 " it is not read: move it above the first section");
            }
        } else {
            checkKind(*known, entry, isItem, line, findings);
        }
    }
}

// A text_encoding of neither name is ignored, but not silently.
void checkTextEncoding(const SettingsStore& store, Findings& findings) {
    const std::string& name = store.getText("text_encoding");
    TextEncoding encoding = TextEncoding::utf8;
    if (name.empty() || textEncodingFromName(name, encoding)) return;
    findings.add(Severity::warning, store.lineOfText("text_encoding"),
                 "text_encoding " + findingQuote(name) +
                     " is neither \"utf-8\" nor \"windows-1252\", so the settings file's own encoding is "
                     "used: write one of the two");
}

}  // namespace

void checkSettings(SettingsStore& store, const RunSettings& settings, const CheckOptions& options,
                   Findings& findings) {
    checkReadNotes(store, findings);
    checkTextEncoding(store, findings);
    checkNames(store, settings, findings);
    checkCycles(store, settings, findings);
    checkMapFiles(store, options, findings);
    store.selectSection("");
}

}  // namespace kestrane
