// An output file as both writers write it: to a temporary file beside its
// target, which takes the target's place only once every byte is on the
// disk, so that a server reading the target sees its old script or the new
// one and never a part. FIFOs and devices are written directly. Each "\n"
// is stored as the system's line break.
#pragma once

#include <cstddef>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
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

    void write(std::string_view text) {
        // Most pieces are short and fit the buffer: copied here, inline.
        if (open_ && text.size() <= buffer_.size() - used_) {
            // An empty view may have no data at all, which memcpy may not take.
            if (!text.empty()) std::memcpy(buffer_.data() + used_, text.data(), text.size());
            used_ += text.size();
            return;
        }
        writePastBuffer(text);
    }
    OutputFile& operator<<(std::string_view text) {
        write(text);
        return *this;
    }

    // Puts the file in its target's place; true when every byte reached it.
    // Otherwise the target keeps its old bytes. `meanwhile`, when given, is
    // run exactly once, on this thread, while another waits for the disk to
    // take the bytes: work that needs no result of the close.
    bool close(const std::function<void()>& meanwhile = {});

    // close() in two halves, for a caller with more to do before it asks
    // how the close went: beginClose() starts putting the file in place on
    // a thread of its own, finishClose() runs `meanwhile` and waits for it.
    void beginClose();
    bool finishClose(const std::function<void()>& meanwhile = {});

    // Why the file was not written, in the system's words ("Permission
    // denied"); empty while nothing failed.
    std::string failureReason() const;

private:
    void writePastBuffer(std::string_view text);
    // The first half of close(), on a thread of its own or on this one.
    void startClose(bool onThread);
    void flushBuffer();
    void fail(int error);

    platform::OutputTarget target_;
    bool open_ = false;
    bool closing_ = false;  // beginClose() took the open file
    int closeError_ = 0;    // what putting it in place returned
    std::thread closer_;    // where that runs
    int error_ = 0;         // the first failure, as an errno value
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

}  // namespace kestrane
