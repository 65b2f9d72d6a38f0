// What the checks of a server script learn from it while it is written:
// the writer hands the meter every byte of the script, in order, as it
// hands them to the file.
#pragma once

#include <cstddef>
#include <string_view>

namespace kestrane {

class ScriptMeter {
public:
    // The next bytes of the script, with "\n" line ends.
    void take(std::string_view text) { size_ += text.size(); }

    // Bytes taken so far.
    std::size_t size() const { return size_; }

private:
    std::size_t size_ = 0;
};

}  // namespace kestrane
