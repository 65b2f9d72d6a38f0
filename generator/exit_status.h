// The tool's exit statuses.
#pragma once

namespace kestrane {

// Every file that was asked for was written.
inline constexpr int kExitSuccess = 0;
// No output file was named, or a file could not be written or was refused.
inline constexpr int kExitFailure = 1;

}  // namespace kestrane
