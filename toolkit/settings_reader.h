// The settings file reader: turns the lines of a settings file into the
// entries of a SettingsStore. Used by SettingsStore::readText only.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/settings_store.h"

namespace kestrane {

class SettingsReader {
public:
    explicit SettingsReader(SettingsStore& store) : store_(store) {}

    // Reads the lines of `content` into the table until it is full, then
    // sets the store's count.
    void readAll(std::string_view content);

private:
    enum class ListKind { text, number };

    void handleLine(std::string_view line);
    void handleSlashLine(std::string_view rest);
    void handleEntryLine(std::string_view rest, ListKind kind);
    void handleListHead(std::string_view rest, ListKind kind);
    void handleHashLine(std::string_view rest);
    void handleOpenSection(std::string_view rest);
    void handleCloseSection(std::string_view line);
    void handleListItem(std::string_view line);

    void endList();
    void noteIgnored(IgnoredLineReason reason);
    bool tableFull() const { return entryCounter_ >= kStoreCapacity; }
    std::string cleanValue(std::string_view value) const;
    // The entry for the key section path + name, with the index part when
    // index is not -1; a key over kMaxKeyLength gets a discarded entry.
    SettingsEntry& nextEntry(std::string_view name, int index);

    SettingsStore& store_;
    // State of one read; none of it outlives the call.
    int entryCounter_ = 0;
    int lineNumber_ = 0;  // of the line being read, from 1
    std::string sectionPath_;
    std::string listName_;
    int listIndex_ = -1;
    ListKind listKind_ = ListKind::text;
    bool inBlockComment_ = false;
    double listNumber_ = 0.0;
    // A line after the table was full would have made an entry.
    bool settingsLost_ = false;
    std::string_view currentLine_;  // trimmed, for the notes
    int outermostSectionLine_ = 0;  // the "{" line that opened the section path
    bool commentNoted_ = false;     // the running block comment has its note
    // Receives what a line writes when its entry is not kept.
    SettingsEntry discarded_;
};

// Reads a decimal floating-point number from the start of `subject` the way
// a classic-locale stream does (leading white space, sign, digits, fraction,
// exponent; the rest ignored). Leaves `target` unchanged when no number can
// be read.
void readNumber(std::string_view subject, double& target);

}  // namespace kestrane
