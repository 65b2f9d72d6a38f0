// The tool's name, version and its maker's addresses, as they appear in
// the console banner, the script's banner and the report's header.
#pragma once

namespace kestrane {

inline constexpr char kToolName[] = "Kestrane";
inline constexpr char kToolVersion[] = "1.5";
inline constexpr char kMakerName[] = "Torvek Drelm";
inline constexpr char kMakerMail[] = "drelm@kestrane.example.org";
inline constexpr char kMakerWeb[] = "http://kestrane.example.org";

}  // namespace kestrane
