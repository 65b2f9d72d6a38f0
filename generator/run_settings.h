// The global settings of one run, read once from the store.
#pragma once

#include <string>

#include "toolkit/settings_store.h"
#include "toolkit/text_encoding.h"

namespace kestrane {

// One field per global setting, named after its key.
struct RunSettings {
    std::string global_command;        // put at the start of every map link
    std::string cycles_list;           // variable listing the cycles; empty: none
    std::string maps_list_suffix;      // suffix of each cycle's maps list variable; empty: none
    std::string report_path;           // empty: no report
    std::string report_format;         // "phpbb" where the setting said "ipb"
    std::string report_special_color;  // never empty: "orange" by default
    std::string output;                // path of the server script
    int no_popup_cfg = 0;              // non-zero: do not open the script
    int no_popup_report = 0;           // non-zero: do not open the report
    int terminate = 0;                 // non-zero: end without waiting for a key
    // The writers' own non-ASCII characters are written in this encoding:
    // the settings file's, unless "text_encoding" names one.
    TextEncoding text_encoding = platformTextEncoding();
    int lastCycleIndex = -1;     // highest index of the list "cycles"; -1: none
    bool byteOrderMark = false;  // the report starts with a UTF-8 byte-order mark
};

// Reads every global setting with its default; the store must have no
// section selected. A "text_encoding" that names no known encoding is
// ignored.
RunSettings readRunSettings(const SettingsStore& store);

// The number truncated toward zero (0.9 gives 0, -1.5 gives -1), held to
// the range of int; NaN gives 0.
int truncateTowardZero(double number);

}  // namespace kestrane
