// The kestrane executable: hands its arguments to the driver.
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "generator/driver.h"
#include "generator/exit_status.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    // First of all, so that no file opened later can take the place of a
    // closed standard descriptor, and so that signals are handled.
    kestrane::platform::startProcess();
    try {
        const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
        return kestrane::runKestrane(arguments, std::cin, std::cout, std::cerr);
    } catch (const std::exception&) {
        // Only running out of memory gets here, on a settings file far
        // beyond anything a server uses. A file being written was left
        // unfinished and its target keeps its old bytes.
        std::cout.clear();
        std::cout << "\nERROR : Not enough memory to finish the run.\n" << std::flush;
        kestrane::platform::restoreConsoleColours();
        return kestrane::kExitFailure;
    }
}
