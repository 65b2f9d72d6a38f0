// A stand-in for a program that keeps a file open and shares it with no one
// (as some editors do): opens the file named by its first argument without
// sharing, creates the file named by its second to say so, and holds the
// first until the file named by its third appears (or 60 seconds pass).
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const HANDLE held =
        CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 1;
    const HANDLE ready =
        CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
    for (int waited = 0; waited < 1200 && GetFileAttributesA(argv[3]) == INVALID_FILE_ATTRIBUTES; ++waited) {
        Sleep(50);
    }
    CloseHandle(held);
    return 0;
}
