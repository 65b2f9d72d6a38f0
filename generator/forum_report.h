// The forum report writer: every cycle with its map count, total playing
// time, comment and map table, as BBCode for a forum post or as plain text.
#pragma once

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "generator/output_file.h"
#include "generator/run_settings.h"
#include "toolkit/settings_store.h"
#include "toolkit/text_tool.h"

namespace kestrane {

// The report's dialect. "ipb" boards read phpbb's BBCode.
enum class ReportFormat { phpbb, smf, vb, plain };

// Exact, case-sensitive: "phpbb" and "ipb", "smf", "vb"; anything else is
// plain text.
ReportFormat reportFormatFrom(const std::string& text);

// `text` right-aligned in a field of `width` characters; a longer text
// comes back whole.
std::string padToWidth(std::string_view text, int width);

// Writes the report to `out`, opened on settings.report_path, and prints
// its progress lines to `console`. Leaves the store with no section
// selected.
void renderReport(const RunSettings& settings, SettingsStore& store, const TextTool& tool, OutputFile& out,
                  std::ostream& console);

// The bytes of the progress lines renderReport prints.
std::size_t reportProgressSize(const RunSettings& settings, const SettingsStore& store);

// When settings.report_path is not empty: writes the report there and
// prints its progress lines to `console`. Returns false when the file could
// not be created or fully written, and then sets *failureReason, when
// given, to the system's reason; the file then keeps its old bytes. Leaves
// the store with no section selected. `meanwhile` is run once, while the
// file goes to the disk (OutputFile::close) or at once without a report.
bool writeReport(const RunSettings& settings, SettingsStore& store, const TextTool& tool,
                 std::ostream& console, std::string* failureReason = nullptr,
                 const std::function<void()>& meanwhile = {});

}  // namespace kestrane
