// The platform layer for Linux and other POSIX systems.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <vector>

#include "platform/platform.h"

extern char** environ;

namespace kestrane::platform {
namespace {

constexpr char kColoursOn[] = "\033[37;44m";  // white on blue
constexpr char kColoursOff[] = "\033[0m";     // the terminal's own colours
constexpr int kInterruptingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
// More links than this in a row is a loop, as the system counts.
constexpr int kMaxLinksFollowed = 40;
constexpr std::size_t kReadBlockSize = 1 << 16;
// A file name has at most 255 bytes on most file systems; a temporary
// file's name adds up to 9 to its target's.
constexpr std::size_t kLongestTemporaryStem = 200;

// Written from signal handlers too, hence plain flags.
volatile std::sig_atomic_t coloursSet = 0;
volatile std::sig_atomic_t terminalChanged = 0;
struct termios savedTerminal;
// SIGPIPE as the caller left it, for the desktop opener.
bool pipeSignalWasIgnored = false;

// The temporary files being written, which the signal handler removes. The
// handler only reads the pointers, and lock-free atomics are safe to read
// there; the texts are made and freed outside it.
static_assert(ATOMIC_POINTER_LOCK_FREE == 2, "the signal handler needs lock-free pointers");
constexpr int kCleanupSlots = 4;
std::atomic<const char*> cleanupPaths[kCleanupSlots];

int registerCleanup(const std::string& path) {
    for (int slot = 0; slot < kCleanupSlots; ++slot) {
        if (cleanupPaths[slot].load() != nullptr) continue;
        char* copy = new char[path.size() + 1];
        std::memcpy(copy, path.c_str(), path.size() + 1);
        cleanupPaths[slot].store(copy);
        return slot;
    }
    return -1;
}

void unregisterCleanup(int& slot) {
    if (slot < 0) return;
    delete[] cleanupPaths[slot].exchange(nullptr);
    slot = -1;
}

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

// An interrupted tool leaves the terminal as it found it and no temporary
// file behind, then dies of the same signal so that the caller sees the
// interruption.
extern "C" void onFatalSignal(int signalNumber) {
    const int savedErrno = errno;
    for (const auto& slot : cleanupPaths) {
        if (const char* path = slot.load()) ::unlink(path);
    }
    restoreTerminal();
    resetColours();
    errno = savedErrno;
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

sigset_t interruptingSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int signalNumber : kInterruptingSignals) sigaddset(&set, signalNumber);
    return set;
}

// Signals that would interrupt the tool are held back while a temporary
// file is made and registered, so that none is left unregistered. The
// mask is the calling thread's: the tool has threads that wait for the
// disk, which keep these signals off for good.
class InterruptsHeld {
public:
    InterruptsHeld() {
        const sigset_t held = interruptingSignalSet();
        ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    ~InterruptsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    InterruptsHeld(const InterruptsHeld&) = delete;
    InterruptsHeld& operator=(const InterruptsHeld&) = delete;

private:
    sigset_t previous_;
};

bool sameIdentity(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The path with its symbolic links followed, as far as they lead: the file
// that writing to `path` would change, which need not exist yet.
int followLinks(const std::string& path, std::string& resolved) {
    resolved = path;
    for (int links = 0; links < kMaxLinksFollowed; ++links) {
        struct stat info;
        if (::lstat(resolved.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return 0;
        std::vector<char> target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : PATH_MAX) + 1);
        const ssize_t size = ::readlink(resolved.c_str(), target.data(), target.size());
        if (size < 0) return errno;
        const std::string pointsTo(target.data(), static_cast<std::size_t>(size));
        const std::size_t slash = resolved.rfind('/');
        if ((!pointsTo.empty() && pointsTo.front() == '/') || slash == std::string::npos) {
            resolved = pointsTo;
        } else {
            resolved = resolved.substr(0, slash + 1) + pointsTo;
        }
    }
    return ELOOP;
}

int pathError(const std::string& path) {
    if (path.empty()) return ENOENT;
    if (path.find('\0') != std::string::npos) return EINVAL;
    if (path.size() >= PATH_MAX) return ENAMETOOLONG;
    return 0;
}

// True when the file is the tool's own standard output or error, as
// /dev/stdout is.
bool isConsole(const struct stat& info) {
    for (int standard : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat console;
        if (::fstat(standard, &console) == 0 && sameIdentity(console, info)) return true;
    }
    return false;
}

// Opens the target itself, for a FIFO, a device or the console: no
// temporary file, no rename, nothing emptied. The tool's own standard
// output or error is written through its descriptor, which shares the
// console's place in the file, so that neither writes over the other.
int openDirectly(const std::string& path, const struct stat& info, OutputTarget& target) {
    int descriptor = -1;
    for (int standard : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat console;
        if (descriptor < 0 && ::fstat(standard, &console) == 0 && sameIdentity(console, info)) {
            std::cout.flush();
            descriptor = ::dup(standard);
        }
    }
    if (descriptor < 0) descriptor = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_APPEND);
    if (descriptor < 0) return errno;
    target.handle = descriptor;
    target.targetPath = path;
    return 0;
}

void closeQuietly(OutputTarget& target) {
    if (target.handle >= 0) ::close(static_cast<int>(target.handle));
    target.handle = -1;
}

}  // namespace

void startProcess() {
    // Opened in order, each takes the lowest free descriptor: its own.
    for (int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(descriptor, F_GETFD) < 0 && errno == EBADF) ::open("/dev/null", O_RDWR);
    }
    struct sigaction action;
    ::sigaction(SIGPIPE, nullptr, &action);
    pipeSignalWasIgnored = action.sa_handler == SIG_IGN;
    std::signal(SIGPIPE, SIG_IGN);
    for (int signalNumber : kInterruptingSignals) {
        // A signal the caller ignores stays ignored: "nohup", a shell's
        // background job or a service manager meant it so.
        if (::sigaction(signalNumber, nullptr, &action) != 0 || action.sa_handler == SIG_IGN) continue;
        std::memset(&action, 0, sizeof action);
        action.sa_handler = onFatalSignal;
        sigemptyset(&action.sa_mask);
        ::sigaction(signalNumber, &action, nullptr);
    }
}

void setConsoleColours() {
    if (::isatty(STDOUT_FILENO) == 0) return;
    std::cout.flush();
    coloursSet = 1;
    writeRaw(kColoursOn, sizeof kColoursOn - 1);
}

void restoreConsoleColours() {
    std::cout.flush();
    resetColours();
}

void openWithDesktop(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return;
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
    // The opener gets SIGPIPE back as the tool's caller left it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (!pipeSignalWasIgnored) {
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    }
    // The path is the opener's one argument: no shell ever parses it, and
    // "./" keeps a name such as "-x.cfg" from reading as an option.
    std::string argument = path.front() == '-' ? "./" + path : path;
    std::string program = opener;
    char* arguments[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    const int failed = posix_spawnp(&child, opener, &actions, &attributes, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
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
    if (pathError(first) != 0 || pathError(second) != 0) return false;
    struct stat a;
    struct stat b;
    if (::stat(first.c_str(), &a) != 0 || ::stat(second.c_str(), &b) != 0) return false;
    return sameIdentity(a, b);
}

bool namesSameFile(const std::string& first, const std::string& second) {
    if (pathError(first) != 0 || pathError(second) != 0) return false;
    if (isSameFile(first, second)) return true;
    std::string a;
    std::string b;
    if (followLinks(first, a) != 0 || followLinks(second, b) != 0) return false;
    std::error_code error;
    const auto normalA = std::filesystem::weakly_canonical(std::filesystem::absolute(a, error), error);
    if (error) return false;
    const auto normalB = std::filesystem::weakly_canonical(std::filesystem::absolute(b, error), error);
    return !error && normalA == normalB;
}

bool isStandardInput(const std::string& path) {
    if (pathError(path) != 0) return false;
    struct stat input;
    struct stat file;
    return ::fstat(STDIN_FILENO, &input) == 0 && ::stat(path.c_str(), &file) == 0 &&
           sameIdentity(input, file);
}

bool readStandardInput(std::string& content) {
    content.clear();
    std::vector<char> block(kReadBlockSize);
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, block.data(), block.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        content.append(block.data(), static_cast<std::size_t>(got));
    }
}

// An existing file that is written as it is, not replaced.
bool isDirectTarget(const struct stat& info) {
    return !S_ISREG(info.st_mode) || isConsole(info);
}

bool writesDirectly(const std::string& path) {
    if (pathError(path) != 0) return false;
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode) && isDirectTarget(info);
}

int openOutput(const std::string& path, OutputTarget& target) {
    target = OutputTarget();
    if (const int error = pathError(path)) return error;

    struct stat info;
    const bool exists = ::stat(path.c_str(), &info) == 0;
    if (!exists && errno != ENOENT) return errno;
    if (exists && S_ISDIR(info.st_mode)) return EISDIR;
    if (exists && isDirectTarget(info)) return openDirectly(path, info, target);
    // A file the owner made read-only is not replaced behind their back.
    if (exists && ::access(path.c_str(), W_OK) != 0) return errno;
    // The file that is replaced, found by following the links; a link that
    // points nowhere yet makes the file it points to.
    std::string resolved;
    if (exists) {
        std::vector<char> real(PATH_MAX + 1);
        if (::realpath(path.c_str(), real.data()) == nullptr) return errno;
        resolved = real.data();
    } else if (const int error = followLinks(path, resolved)) {
        return error;
    }

    const std::size_t slash = resolved.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : resolved.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? resolved : resolved.substr(slash + 1);
    // Named after the target, unless that name would be too long for one.
    const std::string stem = name.size() > kLongestTemporaryStem ? std::string("kestrane") : name;
    std::string temporary = folder + "." + stem + ".XXXXXX";
    if (temporary.size() >= PATH_MAX) return ENAMETOOLONG;
    int descriptor = -1;
    {
        const InterruptsHeld held;
        descriptor = ::mkstemp(temporary.data());
        if (descriptor < 0) return errno;
        target.cleanupSlot = registerCleanup(temporary);
    }
    target.handle = descriptor;
    target.temporaryPath = temporary;
    target.targetPath = resolved;

    // The new file takes the old one's owner, where the tool may give it,
    // and its permission bits; a new target gets the umask's usual mode.
    mode_t mode = 0;
    if (exists) {
        if ((info.st_uid != ::geteuid() || info.st_gid != ::getegid()) &&
            ::fchown(descriptor, info.st_uid, info.st_gid) != 0) {
            [[maybe_unused]] const int ignored = ::fchown(descriptor, static_cast<uid_t>(-1), info.st_gid);
        }
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(descriptor, mode) != 0) {
        const int error = errno;
        abandonOutput(target);
        return error;
    }
    return 0;
}

int writeOutput(OutputTarget& target, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(static_cast<int>(target.handle), data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return errno;
        if (written == 0) return EIO;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

int placeOutput(OutputTarget& target) {
    if (target.handle < 0) return EBADF;
    const int descriptor = static_cast<int>(target.handle);
    target.handle = -1;
    if (target.temporaryPath.empty()) return ::close(descriptor) == 0 ? 0 : errno;

    int error = 0;
    // A file system that cannot sync (EINVAL) has nothing to wait for.
    if (::fsync(descriptor) != 0 && errno != EINVAL) error = errno;
    if (::close(descriptor) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(target.temporaryPath.c_str(), target.targetPath.c_str()) != 0) error = errno;
    return error;
}

int settleOutput(OutputTarget& target, int error) {
    if (error != 0) {
        abandonOutput(target);
        return error;
    }
    unregisterCleanup(target.cleanupSlot);
    target.temporaryPath.clear();
    return 0;
}

void keepInterruptsOffThisThread() {
    const sigset_t held = interruptingSignalSet();
    ::pthread_sigmask(SIG_BLOCK, &held, nullptr);
}

void abandonOutput(OutputTarget& target) {
    closeQuietly(target);
    if (!target.temporaryPath.empty()) ::unlink(target.temporaryPath.c_str());
    unregisterCleanup(target.cleanupSlot);
    target.temporaryPath.clear();
}

std::string errorText(int error) {
    return std::strerror(error);
}

}  // namespace kestrane::platform
