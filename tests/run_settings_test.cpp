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

TEST(RunSettings, TextEncodingFromTheFileUnlessNamed) {
    const auto utf8 = TextEncoding::utf8;
    const auto windows = TextEncoding::windows1252;
    const std::string bom = "\xEF\xBB\xBF";
    const struct {
        const char* what;
        std::string content;
        TextEncoding encoding;
        bool byteOrderMark;
    } cases[] = {
        {"ASCII", "$a = 1\n", platformTextEncoding(), false},
        {"UTF-8", "$a = \xC3\xA9\n", utf8, false},
        {"Windows-1252", "$a = \xE9\n", windows, false},
        {"mark", bom + "$a = 1\n", utf8, true},
        {"named utf-8", "$a = \xE9\n$text_encoding = utf-8\n", utf8, false},
        {"named in capitals", "$text_encoding = Windows-1252\n", windows, false},
        {"named windows-1252 after a mark", bom + "$text_encoding = windows-1252\n", windows, false},
        {"named utf-8 after a mark", bom + "$text_encoding = utf-8\n", utf8, true},
        {"unknown name ignored", "$a = \xE9\n$text_encoding = utf8\n", windows, false},
        {"a number is no name", "$a = \xC3\xA9\n%text_encoding = 1252\n", utf8, false},
        {"named in a section only", "$a = \xE9\n{s\n$text_encoding = utf-8\n}\n", windows, false},
    };
    for (const auto& c : cases) {
        SettingsStore store;
        store.readText(c.content);
        const RunSettings settings = readRunSettings(store);
        EXPECT_EQ(c.encoding, settings.text_encoding) << c.what;
        EXPECT_EQ(c.byteOrderMark, settings.byteOrderMark) << c.what;
    }
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
