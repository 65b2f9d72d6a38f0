// An output file as both writers write it: to a temporary file beside its
// target, which takes the target's place only once every byte is on the
// disk, so that a server reading the target sees its old script or the new
// one and never a part. FIFOs and devices are written directly. Each "\n"
// is stored as the system's line break.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kestrane {

class OutputFile {
public:
    // A path that cannot be opened leaves a file that swallows the writes;
    // close() then fails with the reason.
    explicit OutputFile(const std::string& path);
    // Without a successful close(), the target keeps its old bytes.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(std::string_view text);
    OutputFile& operator<<(std::string_view text) {
        write(text);
        return *this;
    }

    // Puts the file in its target's place; true when every byte reached it.
    // Otherwise the target keeps its old bytes.
    bool close();

    // Why the file was not written, in the system's words ("Permission
    // denied"); empty while nothing failed.
    std::string failureReason() const;

private:
    void flushBuffer();
    void fail(int error);

    platform::OutputTarget target_;
    bool open_ = false;
    int error_ = 0;  // the first failure, as an errno value
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

}  // namespace kestrane
