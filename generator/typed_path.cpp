// Taking the settings file's path from a typed line.
#include "generator/typed_path.h"

#include "toolkit/text_tool.h"

namespace kestrane {
namespace {

// The line end, and any other white space a console may leave around a
// pasted path, goes as well as blanks.
std::string_view trimSpace(std::string_view text) {
    while (!text.empty() && isStreamSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isStreamSpace(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::string pathFromTypedLine(std::string_view line, bool (*exists)(const std::string& path)) {
    line = trimSpace(line);
    if (line.empty()) return std::string();
    const char first = line.front();
    if (first == '"' || first == '\'') {
        // Up to the closing quote; what follows it is not part of the path.
        const std::string_view inside = line.substr(1);
        return std::string(inside.substr(0, inside.find(first)));
    }
    std::string whole(line);
    if (exists(whole)) return whole;
    std::size_t end = 0;
    while (end < line.size() && !isStreamSpace(line[end])) ++end;
    return std::string(line.substr(0, end));
}

}  // namespace kestrane
