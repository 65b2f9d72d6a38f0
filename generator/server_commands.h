// A command setting read as the server runs it when "vstr" runs a link: the
// text splits into commands at ";" (not inside double quotes) and ends at
// "//"; each command splits into words at blanks. The checks use this to
// find the variables that the commands set.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace kestrane {

// One variable that a command sets: "set g_motd Hello all" (or seta, sets,
// setu) sets g_motd to "Hello all"; a command whose first word is a
// variable's name sets that variable too ("g_gametype 1"), which only the
// caller can tell.
struct VariableSetting {
    std::string_view name;
    std::string_view firstWord;  // of the value
    // The value's length as the server joins its words, one blank between.
    std::size_t valueLength = 0;
    bool bySetCommand = false;
};

// Calls `visit` with every command of `commands` that has a name and a
// value, in order; keeps nothing, so that a long text costs no memory.
// Commands shorter than `shortest` bytes are passed over unread.
void forEachVariableSetting(std::string_view commands,
                            const std::function<void(const VariableSetting&)>& visit,
                            std::size_t shortest = 0);

// The same, collected; for short texts and the tests.
std::vector<VariableSetting> variableSettings(std::string_view commands);

// Byte-for-byte equality, ignoring the case of ASCII letters, as the
// server compares command and variable names.
bool sameName(std::string_view a, std::string_view b);

}  // namespace kestrane
