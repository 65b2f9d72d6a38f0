// The tool's single run from start to end.
#include "generator/driver.h"

#include <filesystem>
#include <memory>
#include <sstream>
#include <system_error>

#include "generator/command_line.h"
#include "generator/exit_status.h"
#include "generator/findings.h"
#include "generator/forum_report.h"
#include "generator/maker.h"
#include "generator/map_files.h"
#include "generator/run_settings.h"
#include "generator/script_checks.h"
#include "generator/server_script.h"
#include "generator/settings_checks.h"
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

std::string settingsPath(const CommandLine& commandLine, std::istream& input, std::ostream& console) {
    if (commandLine.hasPath) {
        if (!commandLine.check) console << "\nInput : " << commandLine.path << "\n";
        return commandLine.path;
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

// The settings path "-" stands for standard input.
constexpr char kStandardInputPath[] = "-";
// The most progress text of the report held back while the script goes to
// the disk.
constexpr std::size_t kHeldProgressLimit = 1 << 20;

// Reads the settings file, or standard input for "-", into the store. A
// file that cannot be read leaves the store empty, and so "output" empty;
// false then.
bool readSettings(SettingsStore& store, const std::string& sourcePath) {
    if (sourcePath != kStandardInputPath) return store.readFile(sourcePath) == kReadOk;
    std::string content;
    const bool read = platform::readStandardInput(content);
    if (!read) content.clear();
    store.readText(content);
    return read;
}

bool isSettingsFile(const std::string& path, const std::string& sourcePath) {
    if (sourcePath == kStandardInputPath) return platform::isStandardInput(path);
    return platform::isSameFile(path, sourcePath);
}

// Tells of a file that could not be written; returns `written`.
bool toldWritten(bool written, const std::string& path, const std::string& reason, std::ostream& console) {
    if (!written) console << "ERROR : Could not write " << path << ": " << reason << "\n";
    return written;
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
    return toldWritten(write(reason), path, reason, console);
}

// The findings after the console's own text, so that a console shows them
// in order, then their count.
void reportFindings(const Findings& findings, const std::string& sourcePath, bool alwaysSummarise,
                    std::ostream& console, std::ostream& errors) {
    console.flush();
    printFindings(errors, sourcePath, findings);
    if (alwaysSummarise || !findings.all().empty()) errors << findingsSummary(findings) << "\n";
    errors.flush();
}

// --check: every check, and nothing written, opened, coloured or waited for.
int runCheck(const CommandLine& commandLine, std::istream& input, std::ostream& console,
             std::ostream& errors) {
    SettingsStore store;
    const std::string sourcePath = settingsPath(commandLine, input, console);
    Findings findings;
    if (!readSettings(store, sourcePath)) {
        findings.add(Severity::error, 0, settingsReason(store, sourcePath));
        reportFindings(findings, sourcePath, true, console, errors);
        return kExitFailure;
    }
    const RunSettings settings = readRunSettings(store);
    checkSettings(store, settings, CheckOptions{commandLine.gameDirs, true}, findings);
    ScriptMeter meter;
    std::ostream noConsole(nullptr);
    ScriptOutput out(nullptr, &meter);
    renderServerScript(settings, store, out, noConsole);
    checkScript(store, settings, meter, findings);
    reportFindings(findings, sourcePath, true, console, errors);
    return findings.anyProblem() ? kExitFailure : kExitSuccess;
}

}  // namespace

std::string usageText() {
    return "Usage: kestrane [--check] [--game-dir DIR]... [--] [SETTINGS_FILE]\n"
           "       kestrane --help | --version\n"
           "\n"
           "Reads the map cycles of a game server from SETTINGS_FILE (asked for when\n"
           "not given) and writes the server script named by its \"output\" setting\n"
           "and, when \"report_path\" is set, a forum report. What is wrong in the\n"
           "settings, and what a server would break of the script, is printed on\n"
           "standard error, each with its line of the settings file. Each file is\n"
           "written to a temporary file beside it, which takes its place once\n"
           "complete: a file that cannot be written keeps its old contents.\n"
           "\n"
           "  --check          check the settings only: write and open nothing;\n"
           "                   exit status 1 when there is an error or a warning\n"
           "  --game-dir DIR   look the map names up in the game folder DIR (its\n"
           "                   .pk3 archives and maps/ folder); may be repeated\n"
           "  -                read the settings from standard input\n"
           "  --               the next argument is the settings file, even when it\n"
           "                   starts with -\n"
           "  --help           show this text and exit\n"
           "  --version        show the version and exit\n"
           "\n"
           "Exit status: 0 when every file asked for was written, 1 otherwise.\n"
           "The settings file format is described in settings.md (docs/ in the\n"
           "sources, /usr/share/doc/kestrane/ when installed) and in kestrane(1).\n";
}

int runKestrane(const std::vector<std::string>& arguments, std::istream& input, std::ostream& console,
                std::ostream& errors) {
    const CommandLine commandLine = parseCommandLine(arguments);
    switch (commandLine.action) {
        case CommandLine::Action::help:
            console << usageText();
            return kExitSuccess;
        case CommandLine::Action::version:
            console << kToolName << " " << kToolVersion << "\n";
            return kExitSuccess;
        case CommandLine::Action::usageError:
            errors << "kestrane: " << commandLine.error << "\nTry 'kestrane --help'.\n";
            return kExitFailure;
        case CommandLine::Action::run:
            break;
    }
    if (commandLine.check) return runCheck(commandLine, input, console, errors);

    const TextTool tool;
    SettingsStore store;
    platform::setConsoleColours();
    console << consoleBanner();
    const std::string sourcePath = settingsPath(commandLine, input, console);

    readSettings(store, sourcePath);
    if (store.stoppedAtCapacity()) {
        console << "WARNING : Only the first " << kStoreCapacity
                << " settings were read; the rest of the source file was ignored.\n";
    }
    const RunSettings settings = readRunSettings(store);
    console << "Output file : " << settings.output << "\n";

    // The checks find nothing that changes what is written, so they run
    // while each file goes to the disk; each exactly once, whatever is
    // written.
    Findings findings;
    const CheckOptions checkOptions{commandLine.gameDirs, false};
    bool settingsChecked = false;
    const auto checkTheSettings = [&] {
        if (settingsChecked) return;
        settingsChecked = true;
        checkSettings(store, settings, checkOptions, findings);
    };
    // The game's files are looked at before anything is written: an output
    // may be one of them.
    if (looksUpGameFiles(store, checkOptions)) checkTheSettings();
    int status = kExitSuccess;
    if (settings.output.empty()) {
        checkTheSettings();
        console << "ERROR : The file you indicated does not seem adequate.\n"
                << settingsProblem(store, sourcePath);
        status = kExitFailure;
    } else {
        ScriptMeter meter;
        bool scriptMade = false;
        bool scriptChecked = false;
        const auto checkTheScript = [&] {
            if (!scriptMade || scriptChecked) return;
            scriptChecked = true;
            checkScript(store, settings, meter, findings);
        };
        const bool wantReport = !settings.report_path.empty();
        // The report is made, and sent on its way to the disk, while the
        // script goes there, its progress lines held back until the script's
        // own messages are out. Only when all that is known before the
        // script is written holds after it: the script replaces a file that
        // exists (a link to a script still to be made names the same file
        // only once it is there), the report is neither that file nor the
        // settings file, and it is a file that is replaced too (a console or
        // a FIFO would take its bytes at once); and not when the held lines
        // would be huge (a cycle name can be as long as the file).
        const bool reportEarly = wantReport && pathExists(settings.output) &&
                                 !platform::namesSameFile(settings.report_path, settings.output) &&
                                 !isSettingsFile(settings.report_path, sourcePath) &&
                                 !platform::writesDirectly(settings.report_path) &&
                                 reportProgressSize(settings, store) <= kHeldProgressLimit;
        std::unique_ptr<OutputFile> earlyReport;
        std::ostringstream heldProgress;
        const auto whileScriptGoesToDisk = [&] {
            if (reportEarly) {
                earlyReport = std::make_unique<OutputFile>(settings.report_path);
                renderReport(settings, store, tool, *earlyReport, heldProgress);
                earlyReport->beginClose();
            }
            checkTheSettings();
            checkTheScript();  // the meter has the whole script by now
        };
        const bool scriptWritten = writeOutput(
            settings.output, sourcePath, "ERROR : The output file is the source file; it was not written.",
            console, [&](std::string& reason) {
                scriptMade = true;
                return writeServerScript(settings, store, console, &meter, &reason, whileScriptGoesToDisk);
            });
        checkTheSettings();
        // The report written over the script would leave the server no
        // script at all.
        const bool reportIsOutput = wantReport && earlyReport == nullptr &&
                                    platform::namesSameFile(settings.report_path, settings.output);
        if (reportIsOutput) console << "ERROR : The report file is the output file; it was not written.\n";
        bool reportWritten = false;
        if (earlyReport != nullptr) {
            // Nothing here looks at the report's path while it is being
            // renamed: on Windows a file that is open cannot be replaced.
            console << heldProgress.str();
            reportWritten = toldWritten(earlyReport->finishClose(), settings.report_path,
                                        earlyReport->failureReason(), console);
        } else if (wantReport && !reportIsOutput) {
            reportWritten =
                writeOutput(settings.report_path, sourcePath,
                            "ERROR : The report file is the source file; it was not written.", console,
                            [&](std::string& reason) {
                                return writeReport(settings, store, tool, console, &reason, checkTheScript);
                            });
        }
        if (!scriptWritten || (wantReport && !reportWritten)) status = kExitFailure;

        if (settings.no_popup_cfg == 0 && scriptWritten) platform::openWithDesktop(settings.output);
        if (settings.no_popup_report == 0 && reportWritten) platform::openWithDesktop(settings.report_path);
        checkTheScript();
    }
    reportFindings(findings, sourcePath, false, console, errors);

    if (settings.terminate == 0) {
        console << "\n\n";
        platform::waitForKey();
    }
    console.flush();
    platform::restoreConsoleColours();
    return status;
}

}  // namespace kestrane
