// Splitting a map line into its fields, and the limit commands made of them.
#include "generator/map_line.h"

#include "toolkit/text_tool.h"

namespace kestrane {

MapFields splitMapFields(std::string_view line) {
    MapFields fields;
    std::string_view* const limited[] = {&fields.name, &fields.timeLimit, &fields.fragLimit};
    for (std::string_view* field : limited) {
        const std::size_t separator = line.find(';');
        *field = trimBlanks(line.substr(0, separator));
        if (separator == std::string_view::npos) return fields;
        line.remove_prefix(separator + 1);
    }
    fields.extraCommands = trimBlanks(line);
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
