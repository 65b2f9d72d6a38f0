// The platform layer for Linux and other POSIX systems.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <iostream>

#include "platform/platform.h"

extern char** environ;

namespace kestrane::platform {
namespace {

constexpr char kColoursOn[] = "\033[37;44m";  // white on blue
constexpr char kColoursOff[] = "\033[0m";     // the terminal's own colours

// Written from signal handlers too, hence plain flags.
volatile std::sig_atomic_t coloursSet = 0;
volatile std::sig_atomic_t terminalChanged = 0;
struct termios savedTerminal;

void writeRaw(const char* text, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, text, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        text += written;
        size -= static_cast<std::size_t>(written);
    }
}

void restoreTerminal() {
    if (terminalChanged != 0) {
        ::tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
        terminalChanged = 0;
    }
}

void resetColours() {
    if (coloursSet != 0) {
        writeRaw(kColoursOff, sizeof kColoursOff - 1);
        coloursSet = 0;
    }
}

// An interrupted tool leaves the terminal as it found it, then dies of the
// same signal so that the caller sees the interruption.
extern "C" void onFatalSignal(int signalNumber) {
    restoreTerminal();
    resetColours();
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void catchFatalSignals() {
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) std::signal(signalNumber, onFatalSignal);
}

}  // namespace

void setConsoleColours() {
    if (::isatty(STDOUT_FILENO) == 0) return;
    std::cout.flush();
    catchFatalSignals();
    coloursSet = 1;
    writeRaw(kColoursOn, sizeof kColoursOn - 1);
}

void restoreConsoleColours() {
    std::cout.flush();
    resetColours();
}

void openWithDesktop(const std::string& path) {
    if (path.find('\0') != std::string::npos) return;
#ifdef __APPLE__
    const char* opener = "open";
#else
    const char* opener = "xdg-open";
#endif
    std::cout.flush();
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return;
    for (int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        posix_spawn_file_actions_addopen(&actions, descriptor, "/dev/null", O_RDWR, 0);
    }
    // The path is the opener's one argument: no shell ever parses it.
    std::string argument = path;
    std::string program = opener;
    char* arguments[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    const int failed = posix_spawnp(&child, opener, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) return;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

void waitForKey() {
    if (::isatty(STDIN_FILENO) == 0) return;
    std::cout << "Press any key to continue . . . " << std::flush;
    struct termios keyMode;
    if (::tcgetattr(STDIN_FILENO, &savedTerminal) == 0) {
        keyMode = savedTerminal;
        keyMode.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        keyMode.c_cc[VMIN] = 1;
        keyMode.c_cc[VTIME] = 0;
        catchFatalSignals();
        terminalChanged = 1;
        ::tcsetattr(STDIN_FILENO, TCSANOW, &keyMode);
    }
    char key = 0;
    while (::read(STDIN_FILENO, &key, 1) < 0 && errno == EINTR) {
    }
    restoreTerminal();
    std::cout << '\n' << std::flush;
}

bool isSameFile(const std::string& first, const std::string& second) {
    if (first.find('\0') != std::string::npos || second.find('\0') != std::string::npos) return false;
    struct stat a;
    struct stat b;
    if (::stat(first.c_str(), &a) != 0 || ::stat(second.c_str(), &b) != 0) return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace kestrane::platform
