// What an id Tech 3 server can take of a script: the limits that decide
// whether the script the tool writes runs, as measured on ioquake3 and
// OpenArena (and Quake3e where it differs).
#pragma once

#include <cstddef>

namespace kestrane {

// The server keeps this many bytes of a line (line end not counted); the
// byte after them is lost and the rest runs as a command of its own.
inline constexpr std::size_t kServerLineBytes = 1023;

// The largest file that "exec" runs: of a larger one it runs nothing.
inline constexpr std::size_t kServerExecBytes = 131071;
inline constexpr std::size_t kQuake3eExecBytes = 65535;
// Commands queued behind the "exec" (the rest of server.cfg, say) count
// towards the same limit; a script this close to it is noted.
inline constexpr std::size_t kExecHeadroomBytes = 1024;

// Variables a server has room for in all, what it uses itself with a map
// loaded (one more per player or bot), and how many a script may define
// and leave room for a full server.
inline constexpr int kServerVariableRoom = 2048;
inline constexpr int kServerOwnVariables = 282;
inline constexpr int kScriptVariableLimit = 1700;

// Longest value the game can hold in one of its variables; with a longer
// one the map does not start.
inline constexpr std::size_t kGameValueCharacters = 255;

// Chat text of a "say" from the server: players see this many characters
// of it, and of a longer text than kSayTextBytes they get nothing.
inline constexpr std::size_t kSayVisibleCharacters = 140;
inline constexpr std::size_t kSayTextBytes = 1006;

// Longest map name "map" can load (the server looks for maps/NAME.bsp in
// a path of 64 bytes).
inline constexpr std::size_t kMapNameBytes = 54;

// The game type in which the game restarts its map after a match instead
// of running nextmap.
inline constexpr int kTournamentGameType = 1;

}  // namespace kestrane
