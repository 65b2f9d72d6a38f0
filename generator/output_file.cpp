// Opening, writing and closing an output file.
#include "generator/output_file.h"

namespace kestrane {
namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}

OutputFile::OutputFile(const std::string& path) : buffer_(kBufferSize) {
    // A path with a NUL byte would silently name another file.
    if (path.empty() || path.find('\0') != std::string::npos) {
        stream_.setstate(std::ios::badbit);
        return;
    }
    {
        std::ofstream create(path, std::ios::out | std::ios::trunc);
        if (!create) {
            stream_.setstate(std::ios::badbit);
            return;
        }
    }
    stream_.rdbuf()->pubsetbuf(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    stream_.open(path, std::ios::out | std::ios::app);
}

bool OutputFile::close() {
    if (!stream_.is_open()) return false;
    stream_.close();
    return !stream_.fail();
}

}  // namespace kestrane
