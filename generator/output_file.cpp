// Writing an output file through a buffer, and putting it in place.
#include "generator/output_file.h"

#include <cstring>

namespace kestrane {
namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}

OutputFile::OutputFile(const std::string& path) {
    error_ = platform::openOutput(path, target_);
    open_ = error_ == 0;
    if (open_) buffer_.resize(kBufferSize);
}

OutputFile::~OutputFile() {
    if (closing_) finishClose();
    if (open_) platform::abandonOutput(target_);
}

void OutputFile::fail(int error) {
    if (error_ == 0) error_ = error;
    if (open_) platform::abandonOutput(target_);
    open_ = false;
    buffer_.clear();
    buffer_.shrink_to_fit();
    used_ = 0;
}

void OutputFile::flushBuffer() {
    if (used_ == 0) return;
    const int error = platform::writeOutput(target_, buffer_.data(), used_);
    used_ = 0;
    if (error != 0) fail(error);
}

void OutputFile::writePastBuffer(std::string_view text) {
    if (!open_ || text.empty()) return;
    flushBuffer();
    if (!open_) return;
    if (text.size() < buffer_.size()) {
        std::memcpy(buffer_.data(), text.data(), text.size());
        used_ = text.size();
        return;
    }
    // A long text goes straight to the file, without a copy.
    const int error = platform::writeOutput(target_, text.data(), text.size());
    if (error != 0) fail(error);
}

bool OutputFile::close(const std::function<void()>& meanwhile) {
    startClose(static_cast<bool>(meanwhile));
    return finishClose(meanwhile);
}

void OutputFile::beginClose() {
    startClose(true);
}

void OutputFile::startClose(bool onThread) {
    flushBuffer();
    if (!open_) return;
    open_ = false;
    closing_ = true;
    // Flushing to the disk and renaming take milliseconds of waiting, in
    // which the caller's work gets done. Without such work, or without a
    // thread to be had, the file is put in place here and now.
    if (onThread) {
        try {
            closer_ = std::thread([this] {
                platform::keepInterruptsOffThisThread();
                closeError_ = platform::placeOutput(target_);
            });
            return;
        } catch (...) {
        }
    }
    closeError_ = platform::placeOutput(target_);
}

bool OutputFile::finishClose(const std::function<void()>& meanwhile) {
    if (meanwhile) meanwhile();
    if (closer_.joinable()) closer_.join();
    if (!closing_) return false;
    closing_ = false;
    const int error = platform::settleOutput(target_, closeError_);
    if (error != 0) error_ = error;
    return error == 0;
}

std::string OutputFile::failureReason() const {
    return error_ == 0 ? std::string() : platform::errorText(error_);
}

}  // namespace kestrane
