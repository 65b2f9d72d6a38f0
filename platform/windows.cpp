// The platform layer for Windows.
// windows.h first: the other two need its definitions.
#include <windows.h>

#include <conio.h>
#include <shellapi.h>

#include <iostream>

#include "platform/platform.h"

namespace kestrane::platform {
namespace {

constexpr WORD kWhiteOnBlue = 0x17;

// Written from the console's control handler thread too.
volatile LONG coloursSet = 0;
WORD savedAttributes = 0;

void resetColours() {
    if (InterlockedExchange(&coloursSet, 0) != 0) {
        SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE), savedAttributes);
    }
}

// Ctrl-C or a closed window still leaves the console's own colours.
BOOL WINAPI onConsoleControl(DWORD) {
    resetColours();
    return FALSE;  // go on to the default handler, which ends the tool
}

}  // namespace

void setConsoleColours() {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    CONSOLE_SCREEN_BUFFER_INFO info;
    // Fails when standard output is redirected: then nothing is coloured.
    if (!GetConsoleScreenBufferInfo(output, &info)) return;
    std::cout.flush();
    savedAttributes = info.wAttributes;
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
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

namespace {

bool fileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    if (path.empty() || path.find('\0') != std::string::npos) return false;
    const HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const BOOL ok = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return ok != 0;
}

}  // namespace

bool isSameFile(const std::string& first, const std::string& second) {
    BY_HANDLE_FILE_INFORMATION a;
    BY_HANDLE_FILE_INFORMATION b;
    if (!fileIdentity(first, a) || !fileIdentity(second, b)) return false;
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

}  // namespace kestrane::platform
