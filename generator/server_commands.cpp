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

void readCommand(std::string_view command, std::vector<VariableSetting>& settings) {
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
    settings.push_back(setting);
}

}  // namespace

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowered(a[i]) != lowered(b[i])) return false;
    }
    return true;
}

std::vector<VariableSetting> variableSettings(std::string_view commands) {
    std::vector<VariableSetting> settings;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t at = 0; at <= commands.size(); ++at) {
        const bool atEnd = at == commands.size();
        const bool comment = !atEnd && !quoted && commands.compare(at, 2, "//") == 0;
        if (!atEnd && commands[at] == '"') quoted = !quoted;
        if (!atEnd && !comment && (quoted || (commands[at] != ';' && commands[at] != '\n'))) continue;
        readCommand(commands.substr(start, at - start), settings);
        start = at + 1;
        if (comment) break;
    }
    return settings;
}

}  // namespace kestrane
