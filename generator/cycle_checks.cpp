// The checks of the cycles. The server's own rules decide what is wrong:
// a variable name ends at a blank and may not hold ";", a double quote or
// "\"; names of variables ignore case, so "FFA" and "ffa" are one variable;
// a double quote inside a value ends the quoted value early; commands run
// together when one does not end with ";".
#include "generator/cycle_checks.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "generator/map_line.h"
#include "toolkit/text_tool.h"

namespace kestrane {
namespace {

constexpr std::size_t kQuotedLength = 60;
// The part of a command shown before the command it runs into.
constexpr std::size_t kGluedTailLength = 24;

// Variables a server already has: a cycle of that name would set them.
constexpr std::string_view kServerVariables[] = {
    "timelimit",   "fraglimit",         "capturelimit", "g_gametype",     "nextmap",    "mapname",
    "sv_hostname", "sv_maxclients",     "g_motd",       "sv_pure",        "g_password", "rconpassword",
    "dedicated",   "bot_minplayers",    "g_dowarmup",   "g_friendlyfire", "sv_fps",     "g_teamautojoin",
    "version",     "sv_privateclients", "com_hunkmegs"};
// Commands of a server: a variable of the same name still works with
// "vstr", but typing the name runs the command.
constexpr std::string_view kServerCommands[] = {"map",  "devmap", "map_restart", "vstr",   "set",
                                                "seta", "exec",   "say",         "kick",   "quit",
                                                "echo", "wait",   "status",      "addbot", "cvarlist"};

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

std::string number(int n) {
    return toText(static_cast<std::int32_t>(n));
}

std::string lineRef(int line) {
    return line > 0 ? " (line " + number(line) + ")" : std::string();
}

bool endsWithSemicolon(std::string_view command) {
    command = trimBlanks(command);
    return command.empty() || command.back() == ';';
}

// What the server reads where `command` runs into `next`: "...4vstr ctf_1".
std::string glued(std::string_view command, const std::string& next) {
    command = trimBlanks(command);
    std::string tail = command.size() > kGluedTailLength
                           ? "..." + std::string(command.substr(command.size() - kGluedTailLength))
                           : std::string(command);
    return findingQuote(tail + next);
}

// True when checkCommand has nothing to say of the command, found without
// building the texts its findings would need.
bool commandIsSound(std::string_view command) {
    return command.find_first_of("\"\n\r") == std::string_view::npos && endsWithSemicolon(command);
}

// Adds what is wrong with a command setting, `next` being what the script
// writes after it (empty when that differs from link to link): a double quote
// or a line break ends the variable's value or its line early, a missing
// ";" runs it into the next command. A "//" in it is found in the script
// itself, with the variable it hides.
void checkCommand(std::string_view command, const std::string& what, const std::string& next, int line,
                  Findings& findings, bool plural = false) {
    if (command.find('"') != std::string_view::npos) {
        findings.add(Severity::error, line,
                     what + (plural ? " hold" : " holds") +
                         " a double quote, which ends the script's quoted value early, so the "
                         "server runs the rest as commands of their own: remove the quotes");
        return;
    }
    if (command.find('\n') != std::string_view::npos || command.find('\r') != std::string_view::npos) {
        findings.add(Severity::error, line,
                     what + (plural ? " hold" : " holds") +
                         " a line break, which ends the script's line early: keep it on one line");
        return;
    }
    if (!endsWithSemicolon(command)) {
        findings.add(Severity::error, line,
                     what + (plural ? " do" : " does") + " not end with \";\", so " +
                         (next.empty() ? std::string("it runs into the command after it")
                                       : "the server reads " + glued(command, next)) +
                         ": end it with \";\"");
    }
}

// Why the server cannot use `name` as a variable name; empty when it can.
// Sets `error` to false where the name works but is likely a mistake.
std::string unusableNameReason(std::string_view name, bool& error) {
    error = true;
    if (trimBlanks(name).empty())
        return "is empty, so the script defines a variable without a name: remove the item";
    for (char c : name) {
        if (c == '\n' || c == '\r') return "holds a line break";
    }
    for (char c : name) {
        if (isBlank(c)) {
            return name.find(',') != std::string_view::npos
                       ? "holds blanks and \",\": list each cycle on a line of its own under \"$()cycles\""
                       : "holds a blank, where a server variable's name ends; use a name without blanks";
        }
    }
    for (const char c : {';', '"', '\\'}) {
        if (name.find(c) != std::string_view::npos) {
            return "holds " + findingQuote(std::string(1, c)) +
                   ", which a server variable's name may not hold: rename the cycle";
        }
    }
    if (name.find(',') != std::string_view::npos) {
        error = false;
        return "holds \",\": if these are several cycles, list each on a line of its own under "
               "\"$()cycles\"";
    }
    return {};
}

// A cycle name can be as long as the settings file; past the longest key
// it can have no section, and a finding shows only its start, so copies of
// it are cut there.
constexpr std::size_t kNameCopyLength = kMaxKeyLength + 1;

std::string_view nameStart(std::string_view name) {
    return name.substr(0, kNameCopyLength);
}

struct Cycle {
    std::string_view name;  // the store's own text, which stays put
    std::string lowerName;  // as the server compares variable names
    std::string prefix;     // the section it reads: the name trimmed, then "."
    int line = 0;
    int lastMap = -1;
};

// The first section opening of each path, read from the reader's notes.
struct Sections {
    std::unordered_map<std::string_view, const SectionOpening*> byPath;
    std::vector<const SectionOpening*> inOrder;  // first openings only
};

Sections collectSections(const ReadNotes& notes) {
    Sections sections;
    for (const SectionOpening& opening : notes.sectionOpenings) {
        if (opening.pathTooLong) continue;
        if (sections.byPath.emplace(opening.path, &opening).second) sections.inOrder.push_back(&opening);
    }
    return sections;
}

// "ctf" of the opening "ffa.ctf.", and "ffa" for its parent.
std::string_view lastLevel(const SectionOpening& opening) {
    return std::string_view(opening.path)
        .substr(opening.parentLength, opening.path.size() - opening.parentLength - 1);
}
std::string_view parentPath(const SectionOpening& opening) {
    return std::string_view(opening.path).substr(0, opening.parentLength > 0 ? opening.parentLength - 1 : 0);
}

// The cycles' names in lower case, the first cycle of each.
using CyclesByName = std::unordered_map<std::string, std::size_t>;

// The cycle whose map link `lower` is ("ffa" for "ffa_2"), or none.
const Cycle* linkOwner(const std::string& lower, const std::vector<Cycle>& cycles, const CyclesByName& byName,
                       std::string& mapNumber) {
    for (std::size_t bar = lower.rfind('_'); bar != std::string::npos && bar > 0;
         bar = lower.rfind('_', bar - 1)) {
        mapNumber = lower.substr(bar + 1);
        std::uint32_t map = 0;
        // A link's number has no leading zero; nine digits are more than any cycle's maps.
        if (mapNumber.empty() || mapNumber.size() > 9 || mapNumber[0] == '0' ||
            mapNumber.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        readUnsigned(mapNumber, map);
        const auto owner = byName.find(lower.substr(0, bar));
        if (owner == byName.end()) continue;
        const Cycle& cycle = cycles[owner->second];
        if (map >= 1 && map <= static_cast<std::uint32_t>(cycle.lastMap + 1)) return &cycle;
    }
    return nullptr;
}

// Returns false when the server cannot use the name at all.
bool checkCycleName(const std::vector<Cycle>& cycles, std::size_t i, const CyclesByName& byName,
                    const RunSettings& settings, Findings& findings) {
    const Cycle& cycle = cycles[i];
    bool error = true;
    const std::string reason = unusableNameReason(cycle.name, error);
    if (!reason.empty()) {
        findings.add(error ? Severity::error : Severity::warning, cycle.line,
                     (trimBlanks(cycle.name).empty() ? std::string("cycle name ")
                                                     : "cycle name " + findingQuote(cycle.name) + " ") +
                         reason);
        if (error) return false;
    }
    const std::string& lower = cycle.lowerName;
    const Cycle& first = cycles[byName.at(lower)];
    if (&first != &cycle) {
        if (first.name == cycle.name) {
            findings.add(Severity::warning, cycle.line,
                         "cycle " + findingQuote(cycle.name) + " is listed twice" + lineRef(first.line) +
                             "; its variables are written twice: remove one");
        } else {
            findings.add(Severity::error, cycle.line,
                         "cycles " + findingQuote(first.name) + lineRef(first.line) + " and " +
                             findingQuote(cycle.name) +
                             " are one variable on the server, which ignores case in names: rename one");
        }
        return true;
    }
    std::string mapNumber;
    if (const Cycle* owner = linkOwner(lower, cycles, byName, mapNumber)) {
        findings.add(Severity::error, cycle.line,
                     "cycle name " + findingQuote(cycle.name) + " is also the variable of map " + mapNumber +
                         " of the cycle " + findingQuote(owner->name) +
                         "; one overwrites the other: rename the cycle");
        return true;
    }
    const std::string suffix = lowerAscii(settings.maps_list_suffix);
    if (!suffix.empty() && lower.size() > suffix.size() &&
        lower.compare(lower.size() - suffix.size(), suffix.size(), suffix) == 0) {
        const auto owner = byName.find(lower.substr(0, lower.size() - suffix.size()));
        if (owner != byName.end()) {
            findings.add(Severity::error, cycle.line,
                         "cycle name " + findingQuote(cycle.name) +
                             " is also the variable that lists the maps of " +
                             findingQuote(cycles[owner->second].name) +
                             "; one overwrites the other: rename the cycle");
            return true;
        }
    }
    if (!settings.cycles_list.empty() && lower == lowerAscii(settings.cycles_list)) {
        findings.add(Severity::error, cycle.line,
                     "cycle name " + findingQuote(cycle.name) +
                         " is also the variable that lists the cycles (\"cycles_list\"); one overwrites the "
                         "other: rename one");
        return true;
    }
    for (std::string_view variable : kServerVariables) {
        if (lower == variable) {
            findings.add(
                Severity::error, cycle.line,
                "cycle name " + findingQuote(cycle.name) +
                    " is a variable of the server itself, which the cycle would overwrite: rename the "
                    "cycle");
            return true;
        }
    }
    for (std::string_view command : kServerCommands) {
        if (lower == command) {
            findings.add(Severity::note, cycle.line,
                         "cycle name " + findingQuote(cycle.name) + " is also a server command; \"vstr " +
                             std::string(cycle.name) +
                             "\" still starts the cycle, but a name of its own avoids mix-ups");
            return true;
        }
    }
    return true;
}

// A listed cycle that reads no section: the likely meant one is a section
// of the same name inside another, or one whose name differs in case.
void checkMissingSection(const Cycle& cycle, const Sections& sections,
                         std::unordered_set<const SectionOpening*>& explained, Findings& findings) {
    const std::string_view name = nameStart(trimBlanks(cycle.name));
    const std::string lower = lowerAscii(name);
    const SectionOpening* nested = nullptr;
    const SectionOpening* otherCase = nullptr;
    for (const SectionOpening* opening : sections.inOrder) {
        if (nested == nullptr && opening->parentLength > 0 && lastLevel(*opening) == name) nested = opening;
        if (otherCase == nullptr && opening->parentLength == 0 && lowerAscii(lastLevel(*opening)) == lower) {
            otherCase = opening;
        }
    }
    const std::string start = "cycle " + findingQuote(cycle.name) + " has no section " +
                              findingQuote("{" + std::string(name)) + ", so it has no maps";
    if (nested != nullptr) {
        explained.insert(nested);
        findings.add(Severity::error, cycle.line,
                     start + ": the section at line " + number(nested->line) + " is inside the section " +
                         findingQuote(parentPath(*nested)) + "; close that one with \"}\" before it");
    } else if (otherCase != nullptr) {
        explained.insert(otherCase);
        findings.add(Severity::error, cycle.line,
                     start + "; did you mean the section " + findingQuote(lastLevel(*otherCase)) +
                         " at line " + number(otherCase->line) + "? section names are case-sensitive");
    } else {
        findings.add(Severity::error, cycle.line,
                     start + ": add the section with its list \"$()maps = ...\"");
    }
}

// Fields of a map line as the server reads them in a link.
void checkMapLine(std::string_view line, int lineNumber, Findings& findings) {
    const MapFields map = splitMapFields(line);
    if (line.find('"') != std::string_view::npos) {
        findings.add(Severity::error, lineNumber,
                     "map line holds a double quote, which ends the script's quoted value early: remove it");
        return;
    }
    if (map.name.empty()) {
        findings.add(Severity::error, lineNumber,
                     "map line has no map name, so the server loads no map and plays the one before again: "
                     "write the name before the first \";\"");
    } else {
        const char* separator = map.name.find(',') != std::string_view::npos   ? ","
                                : map.name.find(':') != std::string_view::npos ? ":"
                                                                               : nullptr;
        if (separator != nullptr) {
            std::string message = "map name " + findingQuote(map.name) + " holds " + findingQuote(separator) +
                                  "; the fields of a map line are separated by \";\"";
            if (line.find(';') == std::string_view::npos) {
                // "oa_dm2, 15, 25" meant as "oa_dm2 ; 15 ; 25".
                std::string mended;
                std::string_view rest = map.name;
                for (;;) {
                    const std::size_t at = rest.find(*separator);
                    mended.append(trimBlanks(rest.substr(0, at)));
                    if (at == std::string_view::npos) break;
                    mended += " ; ";
                    rest.remove_prefix(at + 1);
                }
                message += ": write " + findingQuote(mended);
            }
            findings.add(Severity::error, lineNumber, message);
        } else if (std::any_of(map.name.begin(), map.name.end(), isBlank)) {
            const std::string_view first = map.name.substr(0, map.name.find_first_of(" \t"));
            findings.add(Severity::error, lineNumber,
                         "map name " + findingQuote(map.name) + " holds a blank, so the server looks for " +
                             findingQuote("maps/" + std::string(first) + ".bsp") +
                             " and skips the map: remove the blank");
        }
    }
    const struct {
        std::string_view value;
        const char* what;
    } limits[] = {{map.timeLimit, "time limit"}, {map.fragLimit, "frag limit"}};
    for (const auto& limit : limits) {
        if (std::all_of(limit.value.begin(), limit.value.end(), isDigit)) {
            continue;
        }
        const std::string start = std::string(limit.what) + " " + findingQuote(limit.value);
        std::string_view digits = limit.value;
        const bool sign = digits[0] == '+' || digits[0] == '-';
        if (sign) digits.remove_prefix(1);
        if (sign && !digits.empty() && std::all_of(digits.begin(), digits.end(), isDigit)) {
            findings.add(Severity::warning, lineNumber,
                         start + " has a sign: write it as digits only, 0 for no " + limit.what);
        } else if (digits.empty() || !isDigit(digits[0])) {
            findings.add(Severity::error, lineNumber,
                         start + " is not a number; the server reads it as 0, which is no " + limit.what +
                             ": write it as digits");
        } else {
            findings.add(Severity::warning, lineNumber,
                         start +
                             " is not a whole number; the server reads only the digits at its start: "
                             "write it as digits only");
        }
    }
    if (!map.extraCommands.empty() && !commandIsSound(map.extraCommands)) {
        std::string next;
        if (!map.timeLimit.empty()) {
            next = "timelimit " + std::string(map.timeLimit);
        } else if (!map.fragLimit.empty()) {
            next = "fraglimit " + std::string(map.fragLimit);
        } else {
            next = "map " + std::string(map.name);
        }
        checkCommand(map.extraCommands, "the extra commands of map " + findingQuote(map.name), next,
                     lineNumber, findings, true);
    }
}

}  // namespace

std::string findingQuote(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    const bool cut = text.size() > kQuotedLength;
    for (char c : text.substr(0, kQuotedLength)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            out.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xF]);
        } else {
            out += c;
        }
    }
    if (cut) out += "...";
    return out + "\"";
}

namespace {

// The cycles list's name and the maps lists' suffix make variable names
// too: "set NAME ...".
void checkListName(const std::string& value, const char* setting, const SettingsStore& store,
                   Findings& findings) {
    std::string reason;
    if (std::any_of(value.begin(), value.end(),
                    [](char c) { return isBlank(c) || c == '\n' || c == '\r'; })) {
        reason =
            "holds a blank or a line break, where a server variable's name ends, so \"vstr\" cannot run "
            "the list: remove it";
    } else if (const std::size_t bad = value.find_first_of(";\"\\"); bad != std::string::npos) {
        reason = "holds " + findingQuote(value.substr(bad, 1)) +
                 ", which a server variable's name may not hold: "
                 "remove it";
    } else {
        return;
    }
    findings.add(Severity::error, store.lineOfText(setting),
                 "\"" + std::string(setting) + "\" = " + findingQuote(value) + " " + reason);
}

}  // namespace

void checkCycles(SettingsStore& store, const RunSettings& settings, Findings& findings) {
    store.selectSection("");
    checkListName(settings.cycles_list, "cycles_list", store, findings);
    checkListName(settings.maps_list_suffix, "maps_list_suffix", store, findings);
    if (settings.output.empty()) {
        findings.add(Severity::error, store.lineOfText("output"),
                     "no \"output\" names the server script, so nothing is written: add \"$output = "
                     "rotation.cfg\"");
    }
    if (!settings.global_command.empty()) {
        checkCommand(settings.global_command, "\"global_command\"", "", store.lineOfText("global_command"),
                     findings);
    }
    if (settings.lastCycleIndex < 0) {
        findings.add(Severity::warning, 0,
                     "no cycle is listed, so the script defines none: list them with \"$()cycles = ...\"");
        return;
    }

    std::vector<Cycle> cycles;
    for (int i = 0; i <= settings.lastCycleIndex; ++i) {
        Cycle cycle;
        cycle.name = store.getText("cycles", i);
        cycle.lowerName = lowerAscii(nameStart(cycle.name));
        cycle.line = store.lineOfText("cycles", i);
        // A number item reads as the empty name; its kind has a finding of its own.
        if (cycle.line == 0) cycle.line = store.lineOfNumber("cycles", i);
        const std::string_view trimmed = trimBlanks(cycle.name);
        if (!trimmed.empty()) {
            cycle.prefix = std::string(nameStart(trimmed)) + ".";
            const SelectedSection section(store, store.getText("cycles", i));
            cycle.lastMap = store.countIndexed("maps");
        }
        cycles.push_back(std::move(cycle));
    }

    CyclesByName byName;
    for (std::size_t i = 0; i < cycles.size(); ++i) byName.emplace(cycles[i].lowerName, i);
    const Sections sections = collectSections(store.readNotes());
    std::unordered_set<const SectionOpening*> explained;
    std::unordered_set<std::string_view> readPrefixes;
    for (std::size_t i = 0; i < cycles.size(); ++i) {
        const Cycle& cycle = cycles[i];
        const bool usable = checkCycleName(cycles, i, byName, settings, findings);
        if (cycle.prefix.empty() || !readPrefixes.insert(cycle.prefix).second || !usable) continue;
        if (cycle.lastMap < 0) {
            const auto section = sections.byPath.find(cycle.prefix);
            if (section == sections.byPath.end()) {
                checkMissingSection(cycle, sections, explained, findings);
            } else {
                findings.add(Severity::error, section->second->line,
                             "cycle " + findingQuote(cycle.name) + " has no maps, so " +
                                 findingQuote("vstr " + std::string(nameStart(cycle.name))) +
                                 " does nothing: give its section a list \"$()maps = ...\"");
            }
        }

        const SelectedSection section(store, store.getText("cycles", static_cast<int>(i)));
        const std::string& initCommand = store.getText("init_command");
        if (!initCommand.empty()) {
            checkCommand(initCommand, "\"init_command\" of the cycle " + findingQuote(cycle.name),
                         "vstr " + std::string(nameStart(cycle.name)) + "_1",
                         store.lineOfText("init_command"), findings);
        }
        const std::string& localCommand = store.getText("local_command");
        if (!localCommand.empty()) {
            checkCommand(localCommand, "\"local_command\" of the cycle " + findingQuote(cycle.name), "",
                         store.lineOfText("local_command"), findings);
        }
        for (int j = 0; j <= cycle.lastMap; ++j) {
            const int line = store.lineOfText("maps", j);
            if (line == 0) continue;  // a number item: its kind has a finding of its own
            checkMapLine(store.getText("maps", j), line, findings);
        }
    }

    for (const SectionOpening* opening : sections.inOrder) {
        if (explained.count(opening) != 0) continue;
        const std::string_view path = opening->path;
        if (readPrefixes.count(path) != 0) continue;
        const std::string_view name = lastLevel(*opening);
        if (opening->parentLength > 0) {
            // Inside a section that a cycle reads: "}" missing above; inside one
            // no cycle reads, the outer one has its own finding.
            if (readPrefixes.count(std::string_view(opening->path).substr(0, opening->parentLength)) == 0) {
                continue;
            }
            findings.add(Severity::warning, opening->line,
                         "section " + findingQuote(name) + " is opened inside the section " +
                             findingQuote(parentPath(*opening)) +
                             ", so no cycle reads it: close that one with \"}\" before it");
        } else if (name.empty()) {
            findings.add(Severity::warning, opening->line,
                         "section without a name is read by no cycle: name it after its cycle");
        } else {
            findings.add(Severity::warning, opening->line,
                         "section " + findingQuote(name) +
                             " is read by no cycle, as no cycle of that name is listed "
                             "in \"cycles\": add it to the list or remove the section");
        }
    }
}

}  // namespace kestrane
