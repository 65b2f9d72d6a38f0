// Findings: what is wrong with a settings file, or what a server will do
// with the script made of it, each with the settings line that causes it.
// They are printed on standard error in the form compilers use, so that
// editors and CI jump to the line.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrane {

enum class Severity {
    error,    // the server will misbehave
    warning,  // very likely a mistake
    note,     // worth knowing
};

struct Finding {
    Severity severity = Severity::note;
    int line = 0;  // line of the settings file; 0 when no one line causes it
    std::string message;
};

class Findings {
public:
    void add(Severity severity, int line, std::string message);

    const std::vector<Finding>& all() const { return findings_; }
    int count(Severity severity) const;
    // True when there is an error or a warning.
    bool anyProblem() const { return count(Severity::error) + count(Severity::warning) > 0; }

private:
    std::vector<Finding> findings_;
};

// "cycles.ini:12: warning: MESSAGE\n", or "cycles.ini: note: MESSAGE\n"
// without a line; in the order of the settings file's lines, those without
// a line last.
void printFindings(std::ostream& out, const std::string& sourceName, const Findings& findings);

// "2 errors, 1 warning", with the notes when there are any:
// "0 errors, 0 warnings, 1 note".
std::string findingsSummary(const Findings& findings);

}  // namespace kestrane
