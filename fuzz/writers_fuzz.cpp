// Fuzz target: arbitrary bytes as a settings file, then the checks of the
// settings and both writers end to end, with the output paths forced into
// a temporary folder so that no input can name a file elsewhere.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>

#include "generator/forum_report.h"
#include "generator/run_settings.h"
#include "generator/server_script.h"
#include "generator/settings_checks.h"
#include "toolkit/settings_store.h"
#include "toolkit/text_tool.h"

namespace {

const std::filesystem::path& outputFolder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path path = std::filesystem::temp_directory_path() / "kestrane_writers_fuzz";
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static kestrane::SettingsStore store;
    static const kestrane::TextTool tool;
    store.readText(std::string_view(reinterpret_cast<const char*>(data), size));

    kestrane::RunSettings settings = kestrane::readRunSettings(store);
    kestrane::Findings findings;
    kestrane::checkSettings(store, settings, kestrane::CheckOptions{}, findings);
    settings.output = (outputFolder() / "out.cfg").string();
    settings.report_path = (outputFolder() / "out.txt").string();

    std::ostringstream console;
    kestrane::writeServerScript(settings, store, console);
    kestrane::writeReport(settings, store, tool, console);
    return 0;
}
