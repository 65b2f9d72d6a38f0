// A stand-in program for the Windows shell to open files with: appends each
// argument, one per line, to the file named by KESTRANE_OPEN_LOG.
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const char* log = std::getenv("KESTRANE_OPEN_LOG");
    if (log == nullptr) return 1;
    std::FILE* file = std::fopen(log, "ab");
    if (file == nullptr) return 1;
    for (int i = 1; i < argc; ++i) std::fprintf(file, "%s\n", argv[i]);
    std::fclose(file);
    return 0;
}
