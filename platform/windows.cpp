// The platform layer for Windows.
// windows.h first: the other two need its definitions.
#include <windows.h>

#include <conio.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <vector>

#include "platform/platform.h"

namespace kestrane::platform {
namespace {

constexpr WORD kWhiteOnBlue = 0x17;
constexpr std::size_t kBlockSize = 1 << 16;
constexpr int kTemporaryNameTries = 100;
// A file name has at most 255 characters; a temporary file's name adds up
// to 30 to its target's.
constexpr std::size_t kLongestTemporaryStem = 200;

// Written from the console's control handler thread too.
volatile LONG coloursSet = 0;
WORD savedAttributes = 0;

// The temporary files being written, which the control handler removes.
// The handler runs on a thread of its own, hence the lock.
constexpr int kCleanupSlots = 4;
SRWLOCK cleanupLock = SRWLOCK_INIT;
std::wstring cleanupPaths[kCleanupSlots];

int registerCleanup(const std::wstring& path) {
    AcquireSRWLockExclusive(&cleanupLock);
    int found = -1;
    for (int slot = 0; slot < kCleanupSlots && found < 0; ++slot) {
        if (cleanupPaths[slot].empty()) {
            cleanupPaths[slot] = path;
            found = slot;
        }
    }
    ReleaseSRWLockExclusive(&cleanupLock);
    return found;
}

void unregisterCleanup(int& slot) {
    if (slot < 0) return;
    AcquireSRWLockExclusive(&cleanupLock);
    cleanupPaths[slot].clear();
    ReleaseSRWLockExclusive(&cleanupLock);
    slot = -1;
}

void resetColours() {
    if (InterlockedExchange(&coloursSet, 0) != 0) {
        SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE), savedAttributes);
    }
}

// Ctrl-C or a closed window still leaves the console's own colours, and no
// temporary file: it is open, so it goes when the tool's handle closes.
BOOL WINAPI onConsoleControl(DWORD) {
    AcquireSRWLockExclusive(&cleanupLock);
    for (const std::wstring& path : cleanupPaths) {
        if (!path.empty()) DeleteFileW(path.c_str());
    }
    ReleaseSRWLockExclusive(&cleanupLock);
    resetColours();
    return FALSE;  // go on to the default handler, which ends the tool
}

// The errno value that the C library gives the same failure, so that the
// reason reads as it does on other systems.
int errnoOf(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        default:
            return EIO;
    }
}

int lastError() {
    return errnoOf(GetLastError());
}

// Paths are in the ANSI code page, as the settings file holds them.
std::wstring toWide(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

int pathError(const std::string& path) {
    if (path.empty()) return ENOENT;
    if (path.find('\0') != std::string::npos) return EINVAL;
    return 0;
}

HANDLE handleOf(const OutputTarget& target) {
    return reinterpret_cast<HANDLE>(target.handle);
}

bool fileIdentity(HANDLE file, BY_HANDLE_FILE_INFORMATION& info) {
    return file != INVALID_HANDLE_VALUE && file != nullptr && GetFileInformationByHandle(file, &info) != 0;
}

bool fileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    if (pathError(path) != 0) return false;
    const HANDLE file =
        CreateFileW(toWide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool ok = fileIdentity(file, info);
    CloseHandle(file);
    return ok;
}

bool sameIdentity(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

// The kind of an existing file: FILE_TYPE_DISK for a file on disk,
// FILE_TYPE_CHAR or FILE_TYPE_PIPE for NUL, CON or a pipe;
// FILE_TYPE_UNKNOWN when it does not exist.
DWORD fileKind(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return FILE_TYPE_UNKNOWN;
    const DWORD kind = GetFileType(file);
    CloseHandle(file);
    return kind;
}

std::wstring fullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(written < size ? written : 0);
    return full;
}

std::string temporaryName(const std::string& target, int attempt) {
    const std::size_t cut = target.find_last_of("\\/:");
    const std::string folder = cut == std::string::npos ? std::string() : target.substr(0, cut + 1);
    std::string name = cut == std::string::npos ? target : target.substr(cut + 1);
    // Named after the target, unless that name would be too long for one.
    if (name.size() > kLongestTemporaryStem) name = "kestrane";
    char unique[48];
    std::snprintf(unique, sizeof unique, ".%lx.%lx.%x", static_cast<unsigned long>(GetCurrentProcessId()),
                  static_cast<unsigned long>(GetTickCount()), static_cast<unsigned>(attempt));
    return folder + "." + name + unique;
}

bool hasHandle(std::FILE* stream) {
    const int descriptor = _fileno(stream);
    return descriptor >= 0 && _get_osfhandle(descriptor) >= 0;
}

}  // namespace

void startProcess() {
    // A standard stream the caller left without a handle reads and writes
    // the null device instead.
    if (!hasHandle(stdin)) std::freopen("NUL", "r", stdin);
    if (!hasHandle(stdout)) std::freopen("NUL", "w", stdout);
    if (!hasHandle(stderr)) std::freopen("NUL", "w", stderr);
    // A caller that turned Ctrl-C off keeps it off: the system then calls
    // no handler for it.
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

void setConsoleColours() {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    CONSOLE_SCREEN_BUFFER_INFO info;
    // Fails when standard output is redirected: then nothing is coloured.
    if (!GetConsoleScreenBufferInfo(output, &info)) return;
    std::cout.flush();
    savedAttributes = info.wAttributes;
    InterlockedExchange(&coloursSet, 1);
    SetConsoleTextAttribute(output, kWhiteOnBlue);
}

void restoreConsoleColours() {
    std::cout.flush();
    resetColours();
}

void openWithDesktop(const std::string& path) {
    if (path.find('\0') != std::string::npos) return;
    std::cout.flush();
    // The shell opens the file with its registered program; cmd.exe never
    // sees the path, so "&", "|", "^" and "%" in it run nothing.
    ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void waitForKey() {
    DWORD mode = 0;
    // _isatty is also true for the NUL device; only a real console waits.
    if (!GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode)) return;
    std::cout << "Press any key to continue . . . " << std::flush;
    _getch();
    std::cout << '\n' << std::flush;
}

bool isSameFile(const std::string& first, const std::string& second) {
    BY_HANDLE_FILE_INFORMATION a;
    BY_HANDLE_FILE_INFORMATION b;
    return fileIdentity(first, a) && fileIdentity(second, b) && sameIdentity(a, b);
}

bool namesSameFile(const std::string& first, const std::string& second) {
    if (pathError(first) != 0 || pathError(second) != 0) return false;
    if (isSameFile(first, second)) return true;
    // File names on Windows ignore case.
    return _wcsicmp(fullPath(toWide(first)).c_str(), fullPath(toWide(second)).c_str()) == 0;
}

bool isStandardInput(const std::string& path) {
    const HANDLE inputHandle = GetStdHandle(STD_INPUT_HANDLE);
    BY_HANDLE_FILE_INFORMATION input;
    BY_HANDLE_FILE_INFORMATION file;
    if (fileIdentity(inputHandle, input)) return fileIdentity(path, file) && sameIdentity(input, file);
    // Some systems (Wine among them) answer only the newer query for an
    // inherited handle, and without its volume: the file's id must do.
    FILE_ID_INFO inputId;
    FILE_ID_INFO fileId;
    if (!GetFileInformationByHandleEx(inputHandle, FileIdInfo, &inputId, sizeof inputId)) return false;
    const HANDLE opened =
        CreateFileW(toWide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    const BOOL known = GetFileInformationByHandleEx(opened, FileIdInfo, &fileId, sizeof fileId);
    CloseHandle(opened);
    const bool sameVolume =
        inputId.VolumeSerialNumber == 0 || inputId.VolumeSerialNumber == fileId.VolumeSerialNumber;
    return known && sameVolume && std::memcmp(&inputId.FileId, &fileId.FileId, sizeof inputId.FileId) == 0;
}

bool readStandardInput(std::string& content) {
    content.clear();
    // Binary, so that CR LF stays and a 0x1A byte does not end the input.
    _setmode(_fileno(stdin), _O_BINARY);
    std::vector<char> block(kBlockSize);
    for (;;) {
        const int got = _read(_fileno(stdin), block.data(), static_cast<unsigned>(block.size()));
        if (got < 0) return false;
        if (got == 0) return true;
        content.append(block.data(), static_cast<std::size_t>(got));
    }
}

// NUL, CON or a pipe: an existing file that is not on a disk.
bool isDirectKind(DWORD kind) {
    return kind != FILE_TYPE_UNKNOWN && kind != FILE_TYPE_DISK;
}

bool writesDirectly(const std::string& path) {
    return pathError(path) == 0 && isDirectKind(fileKind(toWide(path)));
}

int openOutput(const std::string& path, OutputTarget& target) {
    target = OutputTarget();
    if (const int error = pathError(path)) return error;
    const std::wstring wide = toWide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    const DWORD kind = fileKind(wide);
    if (isDirectKind(kind)) {
        // NUL, CON or a pipe: written directly, nothing to replace.
        const HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return lastError();
        target.handle = reinterpret_cast<std::intptr_t>(file);
        target.targetPath = path;
        return 0;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return EISDIR;
        // A file the owner made read-only is not replaced behind their back.
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return EACCES;
    }

    HANDLE file = INVALID_HANDLE_VALUE;
    std::string temporary;
    for (int attempt = 0; attempt < kTemporaryNameTries && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = temporaryName(path, attempt);
        // Shared for deleting, so that the control handler can remove it.
        file = CreateFileW(toWide(temporary).c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return lastError();
    }
    if (file == INVALID_HANDLE_VALUE) return EEXIST;
    target.handle = reinterpret_cast<std::intptr_t>(file);
    target.cleanupSlot = registerCleanup(toWide(temporary));
    target.temporaryPath = temporary;
    target.targetPath = path;
    return 0;
}

int writeOutput(OutputTarget& target, const char* data, std::size_t size) {
    // As a text-mode stream writes: each "\n" becomes CR LF.
    std::vector<char> block;
    block.reserve(kBlockSize * 2);
    while (size > 0) {
        block.clear();
        const std::size_t take = size < kBlockSize ? size : kBlockSize;
        for (std::size_t i = 0; i < take; ++i) {
            if (data[i] == '\n') block.push_back('\r');
            block.push_back(data[i]);
        }
        data += take;
        size -= take;
        const char* pending = block.data();
        std::size_t left = block.size();
        while (left > 0) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(left);
            if (!WriteFile(handleOf(target), pending, chunk, &written, nullptr)) return lastError();
            if (written == 0) return EIO;
            pending += written;
            left -= written;
        }
    }
    return 0;
}

int placeOutput(OutputTarget& target) {
    if (target.handle == -1) return EBADF;
    const HANDLE file = handleOf(target);
    target.handle = -1;
    if (target.temporaryPath.empty()) return CloseHandle(file) ? 0 : lastError();

    int error = 0;
    if (!FlushFileBuffers(file) && GetLastError() != ERROR_INVALID_FUNCTION) error = lastError();
    if (!CloseHandle(file) && error == 0) error = lastError();
    if (error == 0 && !MoveFileExW(toWide(target.temporaryPath).c_str(), toWide(target.targetPath).c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = lastError();
    }
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

// Ctrl-C reaches a Windows console program on a thread the system makes
// for it, whichever threads the program has: nothing to keep off here.
void keepInterruptsOffThisThread() {}

void abandonOutput(OutputTarget& target) {
    if (target.handle != -1) CloseHandle(handleOf(target));
    target.handle = -1;
    if (!target.temporaryPath.empty()) DeleteFileW(toWide(target.temporaryPath).c_str());
    unregisterCleanup(target.cleanupSlot);
    target.temporaryPath.clear();
}

std::string errorText(int error) {
    return std::strerror(error);
}

}  // namespace kestrane::platform
