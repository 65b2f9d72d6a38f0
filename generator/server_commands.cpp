// Reading a command setting as the server does.
#include "generator/server_commands.h"

#include <algorithm>

namespace kestrane {
namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

char lowered(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isSetCommand(std::string_view word) {
    return sameName(word, "set") || sameName(word, "seta") || sameName(word, "sets") ||
           sameName(word, "setu");
}

// Reads the next word of a command from `at` on into `word`; false at the
// command's end. A quoted word loses its quotes.
bool nextWord(std::string_view command, std::size_t& at, std::string_view& word) {
    while (at < command.size() && isBlank(command[at])) ++at;
    if (at == command.size()) return false;
    if (command[at] == '"') {
        const std::size_t close = std::min(command.find('"', at + 1), command.size());
        word = command.substr(at + 1, close - at - 1);
        at = std::min(close + 1, command.size());
        return true;
    }
    const std::size_t begin = at;
    while (at < command.size() && !isBlank(command[at])) ++at;
    word = command.substr(begin, at - begin);
    return true;
}

void readCommand(std::string_view command, const std::function<void(const VariableSetting&)>& visit) {
    std::size_t at = 0;
    std::string_view word;
    if (!nextWord(command, at, word)) return;
    VariableSetting setting;
    setting.bySetCommand = isSetCommand(word);
    if (setting.bySetCommand && !nextWord(command, at, word)) return;
    setting.name = word;
    std::size_t words = 0;
    while (nextWord(command, at, word)) {
        if (words == 0) setting.firstWord = word;
        setting.valueLength += word.size();
        ++words;
    }
    if (words == 0) return;
    setting.valueLength += words - 1;
    visit(setting);
}

}  // namespace

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowered(a[i]) != lowered(b[i])) return false;
    }
    return true;
}

void forEachVariableSetting(std::string_view commands,
                            const std::function<void(const VariableSetting&)>& visit, std::size_t shortest) {
    const auto read = [&](std::size_t from, std::size_t to) {
        if (to - from >= shortest) readCommand(commands.substr(from, to - from), visit);
    };
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t at = 0; at < commands.size(); ++at) {
        const char c = commands[at];
        if (c == '"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == ';' || c == '\n') {
            read(start, at);
            start = at + 1;
        } else if (c == '/' && at + 1 < commands.size() && commands[at + 1] == '/') {
            read(start, at);
            return;
        }
    }
    read(start, commands.size());
}

std::vector<VariableSetting> variableSettings(std::string_view commands) {
    std::vector<VariableSetting> settings;
    forEachVariableSetting(commands, [&](const VariableSetting& setting) { settings.push_back(setting); });
    return settings;
}

}  // namespace kestrane
