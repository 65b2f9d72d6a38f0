// Fuzz target: arbitrary bytes as a settings file, then the checks of the
// settings and both writers end to end, with the output paths forced into
// a temporary folder so that no input can name a file elsewhere, and the
// checks of the script, which must place every long line and comment the
// meter found in the script.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>

#include "generator/forum_report.h"
#include "generator/run_settings.h"
#include "generator/script_checks.h"
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
    kestrane::ScriptMeter meter;
    kestrane::writeServerScript(settings, store, console, &meter);
    kestrane::writeReport(settings, store, tool, console);

    kestrane::checkScript(store, settings, meter, findings);
    for (const kestrane::Finding& finding : findings.all()) {
        // Said only when the checks lose track of the script's lines.
        if (finding.message.rfind("the script has a line of", 0) == 0) std::abort();
        if (finding.message.rfind("the script holds", 0) == 0) std::abort();
    }
    return 0;
}
