// The checks of a server script. One walk over the cycles, in the order the
// writer writes them, follows the script's lines by their lengths, so that
// each long line and each comment the meter found is traced back to the
// settings that put its bytes there.
#include "generator/script_checks.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "generator/cycle_checks.h"
#include "generator/map_line.h"
#include "generator/server_commands.h"
#include "generator/server_limits.h"
#include "generator/server_script.h"
#include "toolkit/text_tool.h"

namespace kestrane {
namespace {

// From this many maps on, the writer numbers the names of a maps list.
constexpr int kNumberedListMinimum = 6;

const std::string_view kCutLine =
    "a server keeps only the first 1023 bytes of a line and runs the rest as a command of its own";

std::string number(std::size_t value) {
    return toText(static_cast<std::uint32_t>(value));
}

std::size_t digits(int value) {
    std::size_t count = 1;
    for (; value >= 10; value /= 10) ++count;
    return count;
}

// "set x " and a value of 256 characters: nothing shorter holds a value
// too long for the game.
constexpr std::size_t kShortestLongSet = kGameValueCharacters + 1 + 6;

bool mightHoldLongValue(std::string_view commands) {
    return commands.size() >= kShortestLongSet;
}

// A name as far as a finding can show it (findingQuote cuts it shorter
// still), without copying a huge one whole.
std::string shortName(std::string_view name) {
    return std::string(name.substr(0, kServerLineBytes));
}

std::string bytes(std::size_t count) {
    return number(count) + (count == 1 ? " byte" : " bytes");
}

// Characters that players see of a chat text: a colour code, "^" and a
// letter or digit, shows none.
std::size_t visibleCharacters(std::string_view text) {
    std::size_t visible = text.size();
    for (std::size_t at = text.find('^'); at != std::string_view::npos; at = text.find('^', at + 1)) {
        if (at + 1 == text.size()) break;
        const auto next = static_cast<unsigned char>(text[at + 1]);
        if (next < 128 && std::isalnum(next) != 0) {
            visible -= 2;
            ++at;
        }
    }
    return visible;
}

bool mentionsGameType(std::string_view commands) {
    constexpr std::string_view kWord = "gametype";
    for (std::size_t at = 0; at + kWord.size() <= commands.size(); ++at) {
        if ((commands[at] | 0x20) == 'g' && sameName(commands.substr(at, kWord.size()), kWord)) return true;
    }
    return false;
}

// The game type that `commands` leaves in force, or -1 when they set none.
int gameTypeSet(std::string_view commands) {
    if (!mentionsGameType(commands)) return -1;
    int gameType = -1;
    forEachVariableSetting(commands, [&gameType](const VariableSetting& setting) {
        if (!sameName(setting.name, "g_gametype")) return;
        // The server reads the number as atoi does: its leading digits.
        int value = 0;
        for (const char c : setting.firstWord) {
            if (c < '0' || c > '9') break;
            value = value * 10 + (c - '0');
            if (value > 1000) break;
        }
        gameType = value;
    });
    return gameType;
}

// What put some bytes into a line of the script.
struct Part {
    const char* what = nullptr;  // nullptr: the writer's own text
    int line = 0;
    std::size_t start = 0;  // within the script line
    std::size_t size = 0;
};

// A line of the script and the parts it is made of, in order.
class LineParts {
public:
    void clear() {
        parts_.clear();
        size_ = 0;
    }
    void add(const char* what, int line, std::size_t size) {
        if (size > 0) parts_.push_back(Part{what, line, size_, size});
        size_ += size;
    }
    void fixed(std::size_t size) { add(nullptr, 0, size); }
    std::size_t size() const { return size_; }

    const Part* at(std::size_t offset) const {
        for (const Part& part : parts_) {
            if (offset >= part.start && offset < part.start + part.size) return &part;
        }
        return nullptr;
    }

    // The settings' parts that make the line longer than `limit`: the
    // largest, and those that alone are as long as the excess, at most
    // three, each setting once; as "global_command on line 5 (1462 bytes)".
    std::vector<Part> largest(std::size_t limit) const {
        std::vector<Part> summed;
        for (const Part& part : parts_) {
            if (part.what == nullptr) continue;
            auto same = std::find_if(summed.begin(), summed.end(), [&](const Part& p) {
                return std::strcmp(p.what, part.what) == 0 && p.line == part.line;
            });
            if (same == summed.end()) {
                summed.push_back(part);
            } else {
                same->size += part.size;
            }
        }
        std::stable_sort(summed.begin(), summed.end(),
                         [](const Part& a, const Part& b) { return a.size > b.size; });
        const std::size_t excess = size_ > limit ? size_ - limit : 0;
        std::size_t keep = summed.empty() ? 0 : 1;
        while (keep < summed.size() && keep < 3 && summed[keep].size >= excess) ++keep;
        summed.resize(keep);
        return summed;
    }

    static std::string listed(const std::vector<Part>& parts) {
        std::string text;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (i > 0) text += i + 1 == parts.size() ? " or " : ", ";
            text += describe(parts[i]) + " (" + bytes(parts[i].size) + ")";
        }
        return text;
    }

    static std::string describe(const Part& part) {
        std::string text = part.what;
        if (part.line > 0) text += " on line " + number(static_cast<std::size_t>(part.line));
        return text;
    }

private:
    std::vector<Part> parts_;
    std::size_t size_ = 0;
};

class ScriptChecker {
public:
    ScriptChecker(SettingsStore& store, const RunSettings& settings, const ScriptMeter& meter,
                  Findings& findings)
        : store_(store), settings_(settings), meter_(meter), findings_(findings) {}

    void run();

private:
    struct Span {
        std::size_t start = 0;
        std::size_t end = 0;
    };

    void checkCyclesList();
    void checkCycle(int index);
    void checkLink(const MapFields& map, int mapIndex, int lastMap);
    void checkMapsList(std::size_t lineSize, std::size_t textStart, std::size_t textSize);
    void checkChatText(std::string_view text, std::size_t textSize, std::size_t lineSize,
                       std::size_t textStart, int line, const std::string& what, const char* mend);
    void checkValues(std::string_view commands, const char* what, int line);
    void checkScriptSize();
    void checkVariableCount();
    void reportUnplaced();

    // The long line the meter found at the script line that starts at
    // offset_ and is `size` bytes long, if any; moves past it.
    const ScriptMeter::Line* longLineAt(std::size_t size);
    // The first comment in that line, as an offset within it, if any.
    const ScriptMeter::Comment* commentAt(std::size_t size);
    void reportComment(const LineParts& parts, const ScriptMeter::Comment& comment,
                       const std::string& variable, const char* consequence);
    void advance(std::size_t size) { offset_ += size; }
    // True when the meter found a long line or a comment in the script line
    // that starts at offset_ and is `size` bytes long.
    bool marked(std::size_t size) const;
    void setGameType(int gameType, const char* what, int line) {
        gameType_ = gameType;
        gameTypeSetter_ = what;
        gameTypeLine_ = line;
    }

    std::string cyclePrefix() const { return "cycle " + findingQuote(cycle_) + ": "; }

    SettingsStore& store_;
    const RunSettings& settings_;
    const ScriptMeter& meter_;
    Findings& findings_;

    std::size_t offset_ = 0;  // where the next line of the script starts
    std::size_t nextLong_ = 0;
    std::size_t nextComment_ = 0;
    std::vector<std::pair<std::string, int>> commentsReported_;
    LineParts parts_;

    int globalLine_ = 0;
    int globalGameType_ = -1;
    // The cycle being walked.
    std::string_view cycle_;  // the store's own text, never copied: a name can be huge
    int cycleLine_ = 0;
    int initLine_ = 0;
    int localLine_ = 0;
    int firstMapLine_ = 0;
    std::string_view local_;
    int localGameType_ = -1;
    int gameType_ = -1;
    const char* gameTypeSetter_ = nullptr;
    int gameTypeLine_ = 0;
    bool tournamentSeen_ = false;
    // The cycle's long links: how many, and the longest.
    int longLinks_ = 0;
    std::size_t longestLink_ = 0;
    std::string longestLinkName_;
    std::string longestLinkParts_;
    int longestLinkLine_ = 0;
    // The maps list's text as far as the server can keep it.
    std::string mapsText_;
    // The variables of the script, each name once: cycles listed twice
    // define the same variables.
    std::unordered_map<std::string_view, int> variablesPerCycle_;
};

void ScriptChecker::run() {
    offset_ = scriptBanner(settings_.text_encoding).size();
    globalLine_ = store_.lineOfText("global_command");
    checkValues(settings_.global_command, "global_command", globalLine_);
    globalGameType_ = gameTypeSet(settings_.global_command);
    if (!settings_.cycles_list.empty()) checkCyclesList();
    for (int i = 0; i <= settings_.lastCycleIndex; ++i) checkCycle(i);
    reportUnplaced();
    checkScriptSize();
    checkVariableCount();
}

bool ScriptChecker::marked(std::size_t size) const {
    const std::vector<ScriptMeter::Line>& lines = meter_.longLines();
    const std::vector<ScriptMeter::Comment>& comments = meter_.comments();
    return (nextLong_ < lines.size() && lines[nextLong_].start < offset_ + size) ||
           (nextComment_ < comments.size() && comments[nextComment_].start < offset_ + size);
}

const ScriptMeter::Line* ScriptChecker::longLineAt(std::size_t size) {
    const std::vector<ScriptMeter::Line>& lines = meter_.longLines();
    if (nextLong_ >= lines.size() || lines[nextLong_].start >= offset_ + size) return nullptr;
    const ScriptMeter::Line* line = &lines[nextLong_];
    // A line of the script that holds a line break is more than one line
    // for the server: the longest of them stands for all.
    while (nextLong_ < lines.size() && lines[nextLong_].start < offset_ + size) {
        if (lines[nextLong_].length > line->length) line = &lines[nextLong_];
        ++nextLong_;
    }
    return line;
}

const ScriptMeter::Comment* ScriptChecker::commentAt(std::size_t size) {
    const std::vector<ScriptMeter::Comment>& comments = meter_.comments();
    if (nextComment_ >= comments.size() || comments[nextComment_].start >= offset_ + size) return nullptr;
    const ScriptMeter::Comment* first = &comments[nextComment_];
    while (nextComment_ < comments.size() && comments[nextComment_].start < offset_ + size) ++nextComment_;
    return first;
}

void ScriptChecker::reportComment(const LineParts& parts, const ScriptMeter::Comment& comment,
                                  const std::string& variable, const char* consequence) {
    const std::size_t offset = comment.start - offset_;
    const Part* part = parts.at(offset);
    if (part == nullptr || part->what == nullptr) return;
    const std::pair<std::string, int> key(part->what, part->line);
    if (std::find(commentsReported_.begin(), commentsReported_.end(), key) != commentsReported_.end()) return;
    commentsReported_.push_back(key);
    const std::string marker = std::string("/") + comment.second;
    const bool global = std::strcmp(part->what, "global_command") == 0;
    std::string message = global || cycle_.empty() ? std::string() : cyclePrefix();
    message += part->what;
    if (offset + 1 < part->start + part->size) {
        message += " holds " + findingQuote(marker);
    } else {
        message += std::string(" ends in \"/\" and the text after it begins with ") +
                   findingQuote(std::string(1, comment.second));
    }
    message += ", which the server takes for the start of a comment when it runs " + variable;
    if (global) message += " of cycle " + findingQuote(cycle_) + " and every other link";
    message += ", so " + std::string(consequence) + "; remove the " + findingQuote(marker);
    findings_.add(Severity::error, part->line, message);
}

void ScriptChecker::checkValues(std::string_view commands, const char* what, int line) {
    if (!mightHoldLongValue(commands)) return;
    forEachVariableSetting(
        commands,
        [&](const VariableSetting& setting) {
            if (!setting.bySetCommand || setting.valueLength <= kGameValueCharacters) return;
            std::string where = cycle_.empty() ? std::string() : cyclePrefix();
            findings_.add(
                Severity::error, line,
                where + std::string(setting.name) + " gets a value of " + number(setting.valueLength) +
                    " characters from " + what +
                    ", and the game holds at most 255 in a variable it reads: with a longer one the map "
                    "does not start; shorten the value");
        },
        kShortestLongSet);
}

void ScriptChecker::checkChatText(std::string_view text, std::size_t textSize, std::size_t lineSize,
                                  std::size_t textStart, int line, const std::string& what,
                                  const char* mend) {
    // What the server keeps of the text when it cuts the line.
    std::size_t kept = textSize;
    if (lineSize > kServerLineBytes) kept = kServerLineBytes > textStart ? kServerLineBytes - textStart : 0;
    kept = std::min(kept, textSize);
    if (kept > kSayTextBytes) {
        findings_.add(
            Severity::warning, line,
            what + " is a chat text of " + number(kept) +
                " characters, and a server sends nothing of a chat text longer than 1006: players see "
                "nothing; " +
                mend);
        return;
    }
    if (kept <= kSayVisibleCharacters) return;
    const std::size_t visible = visibleCharacters(text.substr(0, std::min(kept, text.size())));
    if (visible <= kSayVisibleCharacters) return;
    findings_.add(Severity::note, line,
                  what + " is a chat text of " + number(visible) +
                      " characters (colour codes not counted), and players see only the first 140; " + mend);
}

void ScriptChecker::checkCyclesList() {
    const int line = store_.lineOfText("cycles_list");
    // set NAME "say ^2Cycles : ^5a, b"
    const std::string head = "set " + settings_.cycles_list + " \"say ";
    std::string text = "^2Cycles : ^5";
    std::size_t textSize = text.size();
    parts_.clear();
    parts_.fixed(4);
    parts_.add("cycles_list", line, settings_.cycles_list.size());
    parts_.fixed(head.size() - 4 - settings_.cycles_list.size() + text.size());
    for (int i = 0; i <= settings_.lastCycleIndex; ++i) {
        const std::string& name = store_.getText("cycles", i);
        const std::size_t separator = i > 0 ? 2 : 0;
        parts_.fixed(separator);
        parts_.add("the cycle name", store_.lineOfText("cycles", i), name.size());
        textSize += separator + name.size();
        if (text.size() <= kServerLineBytes) {
            if (separator > 0) text += ", ";
            text += name;
        }
    }
    parts_.fixed(1);
    const std::size_t size = parts_.size();
    const std::string what = "the cycles list " + findingQuote(settings_.cycles_list);
    if (const ScriptMeter::Line* long_ = longLineAt(size)) {
        findings_.add(Severity::error, line,
                      what + " is a line of " + bytes(long_->length) + ", and " + std::string(kCutLine) +
                          "; list fewer cycles, or shorter names, in this settings file");
    }
    if (const ScriptMeter::Comment* comment = commentAt(size)) {
        reportComment(parts_, *comment, "vstr " + settings_.cycles_list,
                      "players see the list only up to it");
    }
    checkChatText(text, textSize, size, head.size(), line, what,
                  "list fewer cycles, or shorter names, in this settings file");
    advance(size + 2);
}

void ScriptChecker::checkCycle(int index) {
    // The entry's own text, which stays put while the section is selected.
    const std::string& name = store_.getText("cycles", index);
    cycle_ = name;
    cycleLine_ = store_.lineOfText("cycles", index);
    const SelectedSection section(store_, name);
    advance(2);

    // set C "INITvstr C_1"
    const std::string& init = store_.getText("init_command");
    initLine_ = store_.lineOfText("init_command");
    parts_.clear();
    parts_.fixed(4);
    parts_.add("the cycle name", cycleLine_, cycle_.size());
    parts_.fixed(2);
    parts_.add("init_command", initLine_, init.size());
    parts_.fixed(5);
    parts_.add("the cycle name", cycleLine_, cycle_.size());
    parts_.fixed(3);
    const std::size_t startSize = parts_.size();
    if (const ScriptMeter::Line* long_ = longLineAt(startSize)) {
        findings_.add(Severity::error, initLine_ > 0 ? initLine_ : cycleLine_,
                      cyclePrefix() + "its start " + findingQuote(cycle_) + " is a line of " +
                          bytes(long_->length) + ", and " + std::string(kCutLine) + "; shorten " +
                          LineParts::listed(parts_.largest(kServerLineBytes)));
    }
    if (const ScriptMeter::Comment* comment = commentAt(startSize)) {
        reportComment(parts_, *comment, "its start " + findingQuote(cycle_), "the cycle never starts");
    }
    advance(startSize + 2);

    checkValues(init, "init_command", initLine_);
    gameType_ = gameTypeSet(init);
    gameTypeSetter_ = gameType_ >= 0 ? "init_command" : nullptr;
    gameTypeLine_ = initLine_;
    tournamentSeen_ = false;

    local_ = store_.getText("local_command");
    localLine_ = store_.lineOfText("local_command");
    checkValues(local_, "local_command", localLine_);
    localGameType_ = gameTypeSet(local_);

    const int lastMap = store_.countIndexed("maps");
    const int mapCount = lastMap + 1;
    longLinks_ = 0;
    longestLink_ = 0;
    firstMapLine_ = store_.lineOfText("maps", 0);
    // Only what the server can keep of the line is needed of the text.
    const std::string countText = " : ^7" + toText(mapCount) + " maps : ^5";
    mapsText_.assign("^2Cycle ").append(cycle_.substr(0, kServerLineBytes)).append(countText);
    std::size_t mapsTextSize = 8 + cycle_.size() + countText.size();
    for (int j = 0; j <= lastMap; ++j) {
        const MapFields map = splitMapFields(store_.getText("maps", j));
        checkLink(map, j, lastMap);
        if (!settings_.maps_list_suffix.empty()) {
            const bool numbered = mapCount >= kNumberedListMinimum;
            mapsTextSize += (numbered ? digits(j + 1) + 1 : 0) + map.name.size() + (j != lastMap ? 2 : 0);
            // Only what the server can keep of the line is needed.
            if (mapsText_.size() <= kServerLineBytes) {
                if (numbered) mapsText_.append(toText(j + 1)) += ' ';
                mapsText_.append(map.name);
                if (j != lastMap) mapsText_ += ", ";
            }
        }
    }
    if (longLinks_ == 1) {
        findings_.add(Severity::error, longestLinkLine_,
                      cyclePrefix() + "the link " + findingQuote(longestLinkName_) + " is a line of " +
                          bytes(longestLink_) + ", and " + std::string(kCutLine) + "; shorten " +
                          longestLinkParts_);
    } else if (longLinks_ > 1) {
        findings_.add(Severity::error, longestLinkLine_,
                      cyclePrefix() + number(static_cast<std::size_t>(longLinks_)) + " of its " +
                          number(static_cast<std::size_t>(mapCount)) +
                          " links are lines longer than 1023 bytes, the longest " +
                          findingQuote(longestLinkName_) + " of " + bytes(longestLink_) + ", and " +
                          std::string(kCutLine) + "; shorten " + longestLinkParts_);
    }
    if (tournamentSeen_ && mapCount > 1) {
        findings_.add(
            Severity::warning, gameTypeLine_,
            cyclePrefix() + "g_gametype 1 (tournament mode) comes from " + gameTypeSetter_ +
                ", and in tournament mode the game restarts the same map after each match instead of "
                "running nextmap, so the cycle stays on its first map; give it one map, or have an admin "
                "or a vote run \"vstr nextmap\"");
    }
    if (!settings_.maps_list_suffix.empty()) {
        // set C_maps "say TEXT"
        const std::size_t headSize = 4 + cycle_.size() + settings_.maps_list_suffix.size() + 6;
        checkMapsList(headSize + mapsTextSize + 1, headSize, mapsTextSize);
    }
    int& variables = variablesPerCycle_[name];
    variables = std::max(variables, 1 + mapCount + (settings_.maps_list_suffix.empty() ? 0 : 1));
    cycle_ = std::string_view();
}

void ScriptChecker::checkLink(const MapFields& map, int mapIndex, int lastMap) {
    // The map line's line in the settings file, looked up only for a finding.
    const auto mapLine = [&] { return store_.lineOfText("maps", mapIndex); };
    if (map.name.size() > kMapNameBytes) {
        findings_.add(Severity::error, mapLine(),
                      cyclePrefix() + "the map name " + findingQuote(map.name) + " is " +
                          number(map.name.size()) +
                          " characters long, and a server cannot load a map whose name is longer than 54 (it "
                          "looks for maps/NAME.bsp in 64 characters); rename the map's file");
    }
    if (mightHoldLongValue(map.extraCommands))
        checkValues(map.extraCommands, "the map line's commands", mapLine());

    // The game type each map starts in: the link's commands run in order
    // before its "map".
    if (globalGameType_ >= 0) setGameType(globalGameType_, "global_command", globalLine_);
    if (localGameType_ >= 0) setGameType(localGameType_, "local_command", localLine_);
    const int extraGameType = gameTypeSet(map.extraCommands);
    if (extraGameType >= 0) setGameType(extraGameType, "the map line's commands", mapLine());
    if (gameType_ == kTournamentGameType) tournamentSeen_ = true;

    // set C_k "GLOBAL LOCAL EXTRA timelimit T;fraglimit F;map NAME;set nextmap vstr C_n"
    const int next = mapIndex < lastMap ? mapIndex + 2 : 1;
    const std::size_t limits = (map.timeLimit.empty() ? 0 : map.timeLimit.size() + 11) +
                               (map.fragLimit.empty() ? 0 : map.fragLimit.size() + 11);
    const std::size_t size = 4 + cycle_.size() + 1 + digits(mapIndex + 1) + 2 +
                             settings_.global_command.size() + local_.size() + map.extraCommands.size() +
                             limits + 4 + map.name.size() + 18 + cycle_.size() + 1 + digits(next) + 1;
    if (marked(size)) {
        const int line = mapLine();
        const std::string link = toText(mapIndex + 1);
        parts_.clear();
        parts_.fixed(4);
        parts_.add("the cycle name", cycleLine_, cycle_.size());
        parts_.fixed(1 + link.size() + 2);
        parts_.add("global_command", globalLine_, settings_.global_command.size());
        parts_.add("local_command", localLine_, local_.size());
        parts_.add("the map line's commands", line, map.extraCommands.size());
        parts_.add("the map line's limits", line, limits);
        parts_.fixed(4);
        parts_.add("the map name", line, map.name.size());
        parts_.fixed(18);
        parts_.add("the cycle name", cycleLine_, cycle_.size());
        parts_.fixed(1 + digits(next) + 1);
        if (const ScriptMeter::Line* long_ = longLineAt(size)) {
            ++longLinks_;
            if (long_->length > longestLink_) {
                longestLink_ = long_->length;
                longestLinkName_ = shortName(cycle_) + "_" + link;
                const std::vector<Part> causes = parts_.largest(kServerLineBytes);
                longestLinkParts_ = LineParts::listed(causes);
                longestLinkLine_ = !causes.empty() && causes.front().line > 0 ? causes.front().line : line;
            }
        }
        if (const ScriptMeter::Comment* comment = commentAt(size)) {
            reportComment(parts_, *comment, "the link " + findingQuote(shortName(cycle_) + "_" + link),
                          "the rest of the link, its map and its nextmap included, never runs");
        }
    }
    advance(size + 1);
}

void ScriptChecker::checkMapsList(std::size_t lineSize, std::size_t textStart, std::size_t textSize) {
    const std::string variable = shortName(cycle_) + settings_.maps_list_suffix;
    parts_.clear();
    parts_.fixed(textStart);
    parts_.add("the map names", firstMapLine_, lineSize - textStart - 1);
    parts_.fixed(1);
    if (const ScriptMeter::Line* long_ = longLineAt(lineSize)) {
        findings_.add(Severity::error, firstMapLine_,
                      cyclePrefix() + "its maps list " + findingQuote(variable) + " is a line of " +
                          bytes(long_->length) + ", and " + std::string(kCutLine) +
                          "; list fewer maps in the cycle, or leave maps_list_suffix empty");
    }
    if (const ScriptMeter::Comment* comment = commentAt(lineSize)) {
        reportComment(parts_, *comment, "vstr " + variable, "players see the list only up to it");
    }
    checkChatText(mapsText_, textSize, lineSize, textStart, firstMapLine_,
                  cyclePrefix() + "its maps list " + findingQuote(variable), "list fewer maps in the cycle");
    advance(lineSize);
}

// Long lines and comments that the walk did not place: the writer and the
// walk disagree, so say at least what the server will meet.
void ScriptChecker::reportUnplaced() {
    for (std::size_t i = nextLong_; i < meter_.longLines().size(); ++i) {
        findings_.add(Severity::error, 0,
                      "the script has a line of " + bytes(meter_.longLines()[i].length) + ", and " +
                          std::string(kCutLine));
    }
    if (nextComment_ < meter_.comments().size()) {
        findings_.add(Severity::error, 0,
                      "the script holds \"//\" or \"/*\", which the server takes for the start of a comment; "
                      "remove it");
    }
}

void ScriptChecker::checkScriptSize() {
    const std::size_t size = meter_.fileSize();
    if (size > kServerExecBytes) {
        findings_.add(Severity::error, 0,
                      "the script is " + bytes(size) +
                          ", and exec runs nothing at all of a file larger than 131071 bytes on ioquake3 and "
                          "OpenArena (65535 on Quake3e); split the cycles over two settings files");
    } else if (size > kQuake3eExecBytes) {
        findings_.add(
            Severity::warning, 0,
            "the script is " + bytes(size) +
                ", and exec runs nothing at all of a file larger than 65535 bytes on Quake3e; split the "
                "cycles over two settings files for a Quake3e server");
        if (size + kExecHeadroomBytes > kServerExecBytes) {
            findings_.add(Severity::note, 0,
                          "the script is " + bytes(size) +
                              ", and exec runs at most 131071 bytes together with what is queued behind it "
                              "(such as a \"vstr\" after the exec in the same line or file): leave room for "
                              "that, or nothing of the script runs");
        }
    }
}

void ScriptChecker::checkVariableCount() {
    std::size_t variables = settings_.cycles_list.empty() ? 0 : 1;
    for (const auto& [name, count] : variablesPerCycle_) variables += static_cast<std::size_t>(count);
    if (variables <= static_cast<std::size_t>(kScriptVariableLimit)) return;
    findings_.add(
        Severity::error, 0,
        "the script defines " + number(variables) +
            " variables, and a server that has used up its room for 2048 stops with \"Too many cvars\" "
            "(it uses about 282 itself with a map loaded, and one more per player or bot); define at "
            "most 1700 by splitting the cycles over two settings files");
}

}  // namespace

void checkScript(SettingsStore& store, const RunSettings& settings, const ScriptMeter& meter,
                 Findings& findings) {
    ScriptChecker(store, settings, meter, findings).run();
}

}  // namespace kestrane
