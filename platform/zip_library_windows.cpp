// libzip on Windows, linked statically into the tool.
#include "platform/zip_library.h"

namespace kestrane::platform {

const ZipLibrary* zipLibrary() {
    static const ZipLibrary library{&zip_open, &zip_get_num_entries, &zip_get_name, &zip_discard};
    return &library;
}

}  // namespace kestrane::platform
