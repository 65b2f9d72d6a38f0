// An output file as both writers open it: created or emptied, then written
// through a buffered stream opened for appending, in text mode (so each
// "\n" is stored as the system's line break).
#pragma once

#include <fstream>
#include <string>
#include <vector>

namespace kestrane {

class OutputFile {
public:
    // A path that cannot be opened leaves a stream that swallows the writes.
    explicit OutputFile(const std::string& path);
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    std::ostream& stream() { return stream_; }

    // Closes the file; true when it was opened and every byte reached it.
    bool close();

private:
    std::vector<char> buffer_;
    std::ofstream stream_;
};

}  // namespace kestrane
