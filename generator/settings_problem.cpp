// The reasons a settings file is not adequate, in the words an
// administrator needs to put it right.
#include "generator/settings_problem.h"

#include <cstring>

#include "toolkit/text_tool.h"

namespace kestrane {
namespace {

constexpr char kIndent[] = "        ";
constexpr char kExampleLine[] = "$output = rotation.cfg";

bool hasTopLevelText(const SettingsStore& store, const std::string& key) {
    for (int i = 0; i < store.count(); ++i) {
        if (store.entry(i).isNumber == 0 && store.entry(i).key == key) return true;
    }
    return false;
}

}  // namespace

std::string settingsReason(const SettingsStore& store, const std::string& path) {
    switch (store.readFailure()) {
        case ReadFailure::emptyPath:
            return "No settings file was named.";
        case ReadFailure::missing:
            return "The file " + path + " does not exist.";
        case ReadFailure::folder:
            return "The path " + path + " names a folder, not a settings file.";
        case ReadFailure::notAFile:
            return "The path " + path + " names a device or other special file, not a settings file.";
        case ReadFailure::cannotRead:
            if (store.readError() == 0) return "The file " + path + " cannot be read.";
            return "The file " + path + " cannot be read: " + std::strerror(store.readError()) + ".";
        case ReadFailure::none:
            break;
    }
    if (store.count() == 0) {
        return "The file " + path + " holds no settings; it needs at least a line such as: " + kExampleLine;
    }
    if (hasTopLevelText(store, "output")) {
        return "The $output setting in " + path +
               " is empty; name the script to write, as in: " + kExampleLine;
    }
    if (store.stoppedAtCapacity()) {
        return "The first " + toText(kStoreCapacity) + " settings of " + path +
               " hold no $output setting; put a line such as " + kExampleLine +
               " nearer the top of the file.";
    }
    return "The file " + path + " has no $output setting; add a line such as: " + kExampleLine;
}

std::string settingsProblem(const SettingsStore& store, const std::string& path) {
    return kIndent + settingsReason(store, path) + "\n";
}

}  // namespace kestrane
