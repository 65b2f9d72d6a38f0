// Reading the global settings of a run.
#include "generator/run_settings.h"

#include <climits>
#include <cmath>

namespace kestrane {

int truncateTowardZero(double number) {
    if (std::isnan(number)) return 0;
    if (number >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (number <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(number);
}

RunSettings readRunSettings(const SettingsStore& store) {
    RunSettings settings;
    settings.lastCycleIndex = store.countIndexed("cycles");
    settings.global_command = store.getText("global_command");
    settings.cycles_list = store.getText("cycles_list");
    settings.maps_list_suffix = store.getText("maps_list_suffix");
    settings.report_path = store.getText("report_path");
    // Forums running the ipb board read phpbb's BBCode.
    settings.report_format = store.getText("report_format");
    if (settings.report_format == "ipb") settings.report_format = "phpbb";
    settings.report_special_color = store.getText("report_special_color");
    if (settings.report_special_color.empty()) settings.report_special_color = "orange";
    settings.output = store.getText("output");
    settings.no_popup_cfg = truncateTowardZero(store.getNumber("no_popup_cfg"));
    settings.no_popup_report = truncateTowardZero(store.getNumber("no_popup_report"));
    settings.terminate = truncateTowardZero(store.getNumber("terminate"));
    settings.text_encoding = textEncodingOf(store.sourceEncoding());
    textEncodingFromName(store.getText("text_encoding"), settings.text_encoding);
    // A Windows-1252 report cannot start with a UTF-8 mark.
    settings.byteOrderMark = store.hadByteOrderMark() && settings.text_encoding == TextEncoding::utf8;
    return settings;
}

}  // namespace kestrane
