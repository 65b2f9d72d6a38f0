// Tests of reading the global settings with their defaults.
#include "generator/run_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kestrane {
namespace {

TEST(RunSettings, DefaultsForAnEmptyStore) {
    SettingsStore store;
    const RunSettings settings = readRunSettings(store);
    EXPECT_EQ(-1, settings.lastCycleIndex);
    EXPECT_EQ("orange", settings.report_special_color);
    EXPECT_EQ("", settings.output);
    EXPECT_EQ("", settings.report_format);
    EXPECT_EQ(0, settings.no_popup_cfg);
    EXPECT_EQ(0, settings.terminate);
}

TEST(RunSettings, ReadsEveryKey) {
    SettingsStore store;
    store.readText(
        "$()cycles = a\nb\nc\n$global_command = g;\n$cycles_list = cl\n$maps_list_suffix = _m\n"
        "$report_path = r.txt\n$report_format = ipb\n$report_special_color = red\n$output = o.cfg\n"
        "%no_popup_cfg = 0.9\n%no_popup_report = -1.5\n$terminate = 1\n");
    const RunSettings settings = readRunSettings(store);
    EXPECT_EQ(2, settings.lastCycleIndex);
    EXPECT_EQ("g;", settings.global_command);
    EXPECT_EQ("cl", settings.cycles_list);
    EXPECT_EQ("_m", settings.maps_list_suffix);
    EXPECT_EQ("r.txt", settings.report_path);
    EXPECT_EQ("phpbb", settings.report_format);
    EXPECT_EQ("red", settings.report_special_color);
    EXPECT_EQ("o.cfg", settings.output);
    EXPECT_EQ(0, settings.no_popup_cfg);
    EXPECT_EQ(-1, settings.no_popup_report);
    EXPECT_EQ(0, settings.terminate);  // a text entry is no number
}

TEST(TruncateTowardZero, HoldsToTheRangeOfInt) {
    EXPECT_EQ(0, truncateTowardZero(0.9));
    EXPECT_EQ(-1, truncateTowardZero(-1.5));
    EXPECT_EQ(0, truncateTowardZero(std::nan("")));
    EXPECT_EQ(std::numeric_limits<int>::max(), truncateTowardZero(1e300));
    EXPECT_EQ(std::numeric_limits<int>::min(), truncateTowardZero(-std::numeric_limits<double>::infinity()));
}

}  // namespace
}  // namespace kestrane
