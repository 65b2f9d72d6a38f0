// The tool's single run from start to end.
#include "generator/driver.h"

#include <filesystem>
#include <system_error>

#include "generator/exit_status.h"
#include "generator/forum_report.h"
#include "generator/maker.h"
#include "generator/run_settings.h"
#include "generator/server_script.h"
#include "generator/settings_problem.h"
#include "generator/typed_path.h"
#include "platform/platform.h"
#include "toolkit/settings_store.h"
#include "toolkit/text_encoding.h"
#include "toolkit/text_tool.h"

namespace kestrane {
namespace {

bool pathExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

std::string consoleBanner() {
    return std::string("\n** ") + kToolName + " " + kToolVersion + "\n** by " + kMakerName +
           "\n** email : " + kMakerMail + "\n** web   : " + kMakerWeb + "\n\n\n";
}

std::string settingsPath(const std::vector<std::string>& arguments, std::istream& input,
                         std::ostream& console) {
    if (!arguments.empty()) {
        console << "\nInput : " << arguments.front() << "\n";
        return arguments.front();
    }
    console << "Enter source file (e.g. cycles.ini) : " << std::flush;
    // The first line that is not blank; a path with blanks in it comes whole.
    std::string line;
    while (std::getline(input, line)) {
        std::string path = pathFromTypedLine(line, pathExists);
        if (!path.empty()) return path;
    }
    return std::string();
}

// Writes one output file unless it is the settings file itself, which it
// would destroy. Returns true when the file was written whole.
template <typename Writer>
bool writeOutput(const std::string& path, const std::string& sourcePath, const char* refusal,
                 std::ostream& console, Writer write) {
    if (platform::isSameFile(path, sourcePath)) {
        console << refusal << "\n";
        return false;
    }
    if (write()) return true;
    console << "ERROR : Could not write " << path << "\n";
    return false;
}

}  // namespace

std::string usageText() {
    return "Usage: kestrane [SETTINGS_FILE]\n"
           "       kestrane --help | --version\n"
           "\n"
           "Reads the map cycles of a game server from SETTINGS_FILE (asked for when\n"
           "not given) and writes the server script named by its \"output\" setting\n"
           "and, when \"report_path\" is set, a forum report.\n"
           "\n"
           "  --help      show this text and exit\n"
           "  --version   show the version and exit\n"
           "\n"
           "Exit status: 0 when every file asked for was written, 1 otherwise.\n"
           "The settings file format is described in settings.md (docs/ in the\n"
           "sources, /usr/share/doc/kestrane/ when installed) and in kestrane(1).\n";
}

int runKestrane(const std::vector<std::string>& arguments, std::istream& input, std::ostream& console) {
    if (!arguments.empty() && arguments.front() == "--help") {
        console << usageText();
        return kExitSuccess;
    }
    if (!arguments.empty() && arguments.front() == "--version") {
        console << kToolName << " " << kToolVersion << "\n";
        return kExitSuccess;
    }

    const TextTool tool;
    SettingsStore store;
    platform::setConsoleColours();
    console << consoleBanner();
    const std::string sourcePath = settingsPath(arguments, input, console);

    // A file that cannot be read leaves the store empty, and so "output" empty.
    store.readFile(sourcePath);
    if (store.stoppedAtCapacity()) {
        console << "WARNING : Only the first " << kStoreCapacity
                << " settings were read; the rest of the source file was ignored.\n";
    }
    const RunSettings settings = readRunSettings(store);
    // A text_encoding of neither name is ignored, but not silently.
    const std::string& encodingName = store.getText("text_encoding");
    TextEncoding unused = settings.text_encoding;
    if (!encodingName.empty() && !textEncodingFromName(encodingName, unused)) {
        console << "WARNING : The text_encoding \"" << encodingName
                << "\" is neither utf-8 nor windows-1252; the settings file's own encoding is used.\n";
    }
    console << "Output file : " << settings.output << "\n";

    int status = kExitSuccess;
    if (settings.output.empty()) {
        console << "ERROR : The file you indicated does not seem adequate.\n"
                << settingsProblem(store, sourcePath);
        status = kExitFailure;
    } else {
        const bool scriptWritten = writeOutput(
            settings.output, sourcePath, "ERROR : The output file is the source file; it was not written.",
            console, [&] { return writeServerScript(settings, store, console); });
        const bool wantReport = !settings.report_path.empty();
        const bool reportWritten =
            wantReport && writeOutput(settings.report_path, sourcePath,
                                      "ERROR : The report file is the source file; it was not written.",
                                      console, [&] { return writeReport(settings, store, tool, console); });
        if (!scriptWritten || (wantReport && !reportWritten)) status = kExitFailure;

        if (settings.no_popup_cfg == 0 && scriptWritten) platform::openWithDesktop(settings.output);
        if (settings.no_popup_report == 0 && reportWritten) platform::openWithDesktop(settings.report_path);
    }

    if (settings.terminate == 0) {
        console << "\n\n";
        platform::waitForKey();
    }
    console.flush();
    platform::restoreConsoleColours();
    return status;
}

}  // namespace kestrane
