// The functions of libzip that the map lookup reads .pk3 archives with.
// The Windows tool links libzip statically. The Linux tool loads it only
// when it first reads an archive: Debian's libzip brings a crypto library
// along, and loading the two at start would double the start-up time of
// every run, most of which never open an archive.
#pragma once

#include <zip.h>

namespace kestrane::platform {

struct ZipLibrary {
    decltype(&zip_open) open = nullptr;
    decltype(&zip_get_num_entries) entryCount = nullptr;
    decltype(&zip_get_name) entryName = nullptr;
    decltype(&zip_discard) discard = nullptr;
};

// The functions, loaded once; null when libzip cannot be loaded.
const ZipLibrary* zipLibrary();

}  // namespace kestrane::platform
