// The server script writer: one console script of "set" commands that
// defines every cycle as a chain of variables the server walks with
// "vstr nextmap".
#pragma once

#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "generator/output_file.h"
#include "generator/run_settings.h"
#include "generator/script_meter.h"
#include "toolkit/settings_store.h"
#include "toolkit/text_encoding.h"

namespace kestrane {

// The script's fixed banner: nine lines of 60 characters and two line ends,
// its section signs in `encoding`.
std::string scriptBanner(TextEncoding encoding);

// Where the script's bytes go: to a file, to a meter, or to both. The
// many short pieces of a line are gathered into blocks first, so that the
// file and the meter each see a few large writes; a piece longer than a
// block (a huge cycle name) is handed on as it is, never copied.
class ScriptOutput {
public:
    ScriptOutput(OutputFile* file, ScriptMeter* meter)
        : file_(file), meter_(meter), block_(new char[kBlockSize]) {}
    // What was not flushed is lost: a writer flushes at its end, and an
    // error that leaves the writer early has no use for the rest.
    ~ScriptOutput() = default;
    ScriptOutput(const ScriptOutput&) = delete;
    ScriptOutput& operator=(const ScriptOutput&) = delete;

    ScriptOutput& operator<<(std::string_view text) {
        if (text.size() <= kBlockSize - used_) {
            // An empty view may have no data at all, which memcpy may not take.
            if (!text.empty()) std::memcpy(block_.get() + used_, text.data(), text.size());
            used_ += text.size();
        } else {
            writeLong(text);
        }
        return *this;
    }
    // Hands the gathered bytes on.
    void flush();

private:
    static constexpr std::size_t kBlockSize = 1 << 16;
    void hand(std::string_view text);
    void writeLong(std::string_view text);

    OutputFile* file_;
    ScriptMeter* meter_;
    std::unique_ptr<char[]> block_;
    std::size_t used_ = 0;
};

// Writes the whole script to `out`, flushed, and prints one "Processing Cycle : " line
// per cycle to `console`. Leaves the store with no section selected.
void renderServerScript(const RunSettings& settings, SettingsStore& store, ScriptOutput& out,
                        std::ostream& console);

// Writes the script to settings.output, and to `meter` when there is one.
// Returns false when the file could not be created or fully written, and
// then sets *failureReason, when given, to the system's reason; the file
// then keeps its old bytes.
// `meanwhile` is run once while the file goes to the disk (OutputFile::close).
bool writeServerScript(const RunSettings& settings, SettingsStore& store, std::ostream& console,
                       ScriptMeter* meter = nullptr, std::string* failureReason = nullptr,
                       const std::function<void()>& meanwhile = {});

}  // namespace kestrane
