// The thin layer between the tool and the operating system: console
// colours, opening a written file with the desktop's shell, waiting for a
// key, and telling whether two paths name one file. One implementation for
// POSIX systems and one for Windows; the build picks one.
#pragma once

#include <string>

namespace kestrane::platform {

// White text on a blue background when standard output is a terminal or
// console; nothing otherwise. The previous colours come back with
// restoreConsoleColours, which also runs when the tool is interrupted.
void setConsoleColours();
void restoreConsoleColours();

// Opens `path` with the desktop's default program and waits for the opener
// to return. No shell or command interpreter sees the path. Silent when
// there is no opener or it fails.
void openWithDesktop(const std::string& path);

// When standard input is a terminal or console: prints
// "Press any key to continue . . . " and waits for one key. Otherwise does
// nothing.
void waitForKey();

// True when both paths exist and name the same file on disk, however they
// are spelled (relative, absolute, through links).
bool isSameFile(const std::string& first, const std::string& second);

}  // namespace kestrane::platform
