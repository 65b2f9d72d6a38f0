// The tool's single run from start to end.
#include "generator/driver.h"

#include "generator/exit_status.h"
#include "generator/forum_report.h"
#include "generator/maker.h"
#include "generator/run_settings.h"
#include "generator/server_script.h"
#include "platform/platform.h"
#include "toolkit/settings_store.h"
#include "toolkit/text_tool.h"

namespace kestrane {
namespace {

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
    std::string path;
    input >> path;  // one word: a typed path ends at its first blank
    return path;
}

// The settings path "-" stands for standard input.
constexpr char kStandardInputPath[] = "-";

// Reads the settings file, or standard input for "-", into the store. A
// file that cannot be read leaves the store empty, and so "output" empty.
void readSettings(SettingsStore& store, const std::string& sourcePath) {
    if (sourcePath != kStandardInputPath) {
        store.readFile(sourcePath);
        return;
    }
    std::string content;
    if (!platform::readStandardInput(content)) content.clear();
    store.readText(content);
}

bool isSettingsFile(const std::string& path, const std::string& sourcePath) {
    if (sourcePath == kStandardInputPath) return platform::isStandardInput(path);
    return platform::isSameFile(path, sourcePath);
}

// Writes one output file unless it is the settings file itself, which it
// would destroy. Returns true when the file was written whole.
template <typename Writer>
bool writeOutput(const std::string& path, const std::string& sourcePath, const char* refusal,
                 std::ostream& console, Writer write) {
    if (isSettingsFile(path, sourcePath)) {
        console << refusal << "\n";
        return false;
    }
    std::string reason;
    if (write(reason)) return true;
    console << "ERROR : Could not write " << path << ": " << reason << "\n";
    return false;
}

}  // namespace

std::string usageText() {
    return "Usage: kestrane [SETTINGS_FILE]\n"
           "       kestrane --help | --version\n"
           "\n"
           "Reads the map cycles of a game server from SETTINGS_FILE (asked for when\n"
           "not given) and writes the server script named by its \"output\" setting\n"
           "and, when \"report_path\" is set, a forum report. Each file is written\n"
           "to a temporary file beside it, which takes its place once complete: a\n"
           "file that cannot be written keeps its old contents.\n"
           "\n"
           "  -           read the settings from standard input\n"
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

    readSettings(store, sourcePath);
    if (store.stoppedAtCapacity()) {
        console << "WARNING : Only the first " << kStoreCapacity
                << " settings were read; the rest of the source file was ignored.\n";
    }
    const RunSettings settings = readRunSettings(store);
    console << "Output file : " << settings.output << "\n";

    int status = kExitSuccess;
    if (settings.output.empty()) {
        console << "ERROR : The file you indicated does not seem adequate.";
        status = kExitFailure;
    } else {
        const bool scriptWritten = writeOutput(
            settings.output, sourcePath, "ERROR : The output file is the source file; it was not written.",
            console,
            [&](std::string& reason) { return writeServerScript(settings, store, console, &reason); });
        const bool wantReport = !settings.report_path.empty();
        // The report written over the script would leave the server no
        // script at all.
        const bool reportIsOutput =
            wantReport && platform::namesSameFile(settings.report_path, settings.output);
        if (reportIsOutput) console << "ERROR : The report file is the output file; it was not written.\n";
        const bool reportWritten =
            wantReport && !reportIsOutput &&
            writeOutput(
                settings.report_path, sourcePath,
                "ERROR : The report file is the source file; it was not written.", console,
                [&](std::string& reason) { return writeReport(settings, store, tool, console, &reason); });
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
