// The thin layer between the tool and the operating system: the process's
// start (standard descriptors, signals), console colours, opening a written
// file with the desktop's shell, waiting for a key, telling whether two
// paths name one file, reading standard input, and writing an output file
// so that its target holds either its old bytes or all of the new ones.
// One implementation for POSIX systems and one for Windows; the build picks
// one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrane::platform {

// Called first thing in main. Reopens standard input, output and error on
// the null device when the caller left them closed, so that no file the
// tool opens can become its console; ignores SIGPIPE, so that a console
// pipe closed early makes console writes fail instead of ending the tool;
// and, for every interrupting signal that the caller did not set to be
// ignored, installs the handler that restores the console and removes the
// temporary output file before the tool dies of the signal.
void startProcess();

// White text on a blue background when standard output is a terminal or
// console; nothing otherwise. The previous colours come back with
// restoreConsoleColours, which also runs when the tool is interrupted.
void setConsoleColours();
void restoreConsoleColours();

// Opens `path` with the desktop's default program and waits for the opener
// to return. No shell or command interpreter sees the path, and a path that
// begins with "-" is never taken for an option. Silent when there is no
// opener or it fails.
void openWithDesktop(const std::string& path);

// When standard input is a terminal or console: prints
// "Press any key to continue . . . " and waits for one key. Otherwise does
// nothing.
void waitForKey();

// True when both paths exist and name the same file on disk, however they
// are spelled (relative, absolute, through links).
bool isSameFile(const std::string& first, const std::string& second);

// True when both paths name the same file, also when it does not exist
// yet: then the paths are compared once made absolute and normal, with the
// links of the folders that exist followed.
bool namesSameFile(const std::string& first, const std::string& second);

// True when `path` names the file that standard input reads.
bool isStandardInput(const std::string& path);

// Reads standard input to its end, as bytes; false when it cannot be read.
bool readStandardInput(std::string& content);

// An output file being written. A regular file (or a new one) is written to
// a temporary file in the same folder as its target, which replaces the
// target only when every byte reached the disk; a FIFO or a device is
// written directly. Errors are errno values (ENOSPC, EACCES, ...), also on
// Windows, so that both builds give the same reasons.
struct OutputTarget {
    std::intptr_t handle = -1;  // a descriptor, or a Windows HANDLE
    std::string temporaryPath;  // empty when the target is written directly
    std::string targetPath;     // the file replaced: the target, links followed
    int cleanupSlot = -1;       // where the signal handler finds temporaryPath
};

// Opens `path` for writing. Returns 0, or the error; on error nothing is
// left open and no file was made.
int openOutput(const std::string& path, OutputTarget& target);

// True when openOutput would write `path` itself, with no temporary file:
// a FIFO, a device, the console, or the file the console output goes to.
bool writesDirectly(const std::string& path);

// Writes `size` bytes; each "\n" becomes the system's line break. Returns 0
// or the error.
int writeOutput(OutputTarget& target, const char* data, std::size_t size);

// Putting a written file in its target's place, in two halves, so that a
// caller may wait for the disk on a thread of its own. placeOutput flushes
// the data to the disk, closes the file and renames it over the target,
// touching nothing but the file. settleOutput, given what placeOutput
// returned, forgets the temporary file (removing it after an error) and
// returns that error; only the main thread settles. On error the target
// keeps its old bytes; the file is closed either way.
int placeOutput(OutputTarget& target);
int settleOutput(OutputTarget& target, int error);

// Keeps the interrupting signals (Ctrl-C and the like) off the calling
// thread, so that their handler, which removes the temporary files, runs
// where those files are made: for a thread that only waits for the disk.
void keepInterruptsOffThisThread();

// Closes the file and removes the temporary file: the target keeps its old
// bytes. Does nothing when nothing is open.
void abandonOutput(OutputTarget& target);

// The system's text for an error of the functions above, such as
// "No space left on device".
std::string errorText(int error);

}  // namespace kestrane::platform
