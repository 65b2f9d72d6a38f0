// Collecting and printing findings.
#include "generator/findings.h"

#include <algorithm>

#include "toolkit/text_tool.h"

namespace kestrane {
namespace {

const char* severityName(Severity severity) {
    switch (severity) {
        case Severity::error:
            return "error";
        case Severity::warning:
            return "warning";
        case Severity::note:
            break;
    }
    return "note";
}

std::string counted(int count, const char* noun) {
    return toText(static_cast<std::int32_t>(count)) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace

void Findings::add(Severity severity, int line, std::string message) {
    findings_.push_back(Finding{severity, line, std::move(message)});
}

int Findings::count(Severity severity) const {
    return static_cast<int>(std::count_if(findings_.begin(), findings_.end(),
                                          [severity](const Finding& f) { return f.severity == severity; }));
}

void printFindings(std::ostream& out, const std::string& sourceName, const Findings& findings) {
    std::vector<const Finding*> ordered;
    ordered.reserve(findings.all().size());
    for (const Finding& finding : findings.all()) ordered.push_back(&finding);
    std::stable_sort(ordered.begin(), ordered.end(), [](const Finding* a, const Finding* b) {
        const bool aHasLine = a->line > 0;
        const bool bHasLine = b->line > 0;
        if (aHasLine != bHasLine) return aHasLine;
        return a->line < b->line;
    });
    // All in one piece: standard error is unbuffered, and a write for each
    // part of each finding would cost more than the checks.
    std::string text;
    for (const Finding* finding : ordered) {
        text += sourceName;
        if (finding->line > 0) text += ":" + toText(static_cast<std::int32_t>(finding->line));
        text.append(": ").append(severityName(finding->severity)).append(": ").append(finding->message) +=
            '\n';
    }
    out << text;
}

std::string findingsSummary(const Findings& findings) {
    std::string summary = counted(findings.count(Severity::error), "error") + ", " +
                          counted(findings.count(Severity::warning), "warning");
    const int notes = findings.count(Severity::note);
    if (notes > 0) summary += ", " + counted(notes, "note");
    return summary;
}

}  // namespace kestrane
