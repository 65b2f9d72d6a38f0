// libzip on Linux and other POSIX systems, loaded on first use.
#include <dlfcn.h>

#include <optional>

#include "platform/zip_library.h"

namespace kestrane::platform {
namespace {

// The library's name in Debian's libzip4, on which the tool's package depends.
constexpr char kLibraryName[] = "libzip.so.4";

template <typename Function>
bool loadFunction(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

std::optional<ZipLibrary> loadZipLibrary() {
    void* library = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return std::nullopt;
    ZipLibrary functions;
    if (loadFunction(library, "zip_open", functions.open) &&
        loadFunction(library, "zip_get_num_entries", functions.entryCount) &&
        loadFunction(library, "zip_get_name", functions.entryName) &&
        loadFunction(library, "zip_discard", functions.discard)) {
        return functions;  // the library stays loaded until the tool ends
    }
    dlclose(library);
    return std::nullopt;
}

}  // namespace

const ZipLibrary* zipLibrary() {
    static const std::optional<ZipLibrary> library = loadZipLibrary();
    return library ? &*library : nullptr;
}

}  // namespace kestrane::platform
