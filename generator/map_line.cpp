// Splitting a map line into its fields, and the limit commands made of them.
#include "generator/map_line.h"

#include "toolkit/text_tool.h"

namespace kestrane {

MapFields splitMapFields(std::string_view line) {
    MapFields fields;
    std::string_view* const limited[] = {&fields.name, &fields.timeLimit, &fields.fragLimit};
    const char* next = line.data();
    const char* const end = next + line.size();
    for (std::string_view* field : limited) {
        const char* separator = next;
        while (separator != end && *separator != ';') ++separator;
        *field = trimBlanks(std::string_view(next, static_cast<std::size_t>(separator - next)));
        if (separator == end) return fields;
        next = separator + 1;
    }
    fields.extraCommands = trimBlanks(std::string_view(next, static_cast<std::size_t>(end - next)));
    return fields;
}

MapEntry splitMapLine(const std::string& line) {
    const MapFields fields = splitMapFields(line);
    return MapEntry{std::string(fields.name), std::string(fields.timeLimit), std::string(fields.fragLimit),
                    std::string(fields.extraCommands)};
}

void appendLimitCommand(std::string& text, std::string_view word, std::string_view limit) {
    const std::string_view trimmed = trimBlanks(limit);
    if (trimmed.empty()) return;
    text.append(word).append(trimmed) += ';';
}

std::string limitCommand(const std::string& word, const std::string& limit) {
    std::string command;
    appendLimitCommand(command, word, limit);
    return command;
}

}  // namespace kestrane
