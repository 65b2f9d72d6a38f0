// The settings store: the fixed table of key/value entries that a settings
// file is read into, and the queries the generator asks of it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "toolkit/read_notes.h"
#include "toolkit/text_encoding.h"

namespace kestrane {

// The store's whole capacity; reading stops when the table is full.
inline constexpr int kStoreCapacity = 10000;

// Longest key the store keeps. A longer one (a huge section path, say) is
// of no use to a game server, whose command lines are far shorter, and
// copied into every entry it would let a small file fill the memory.
inline constexpr std::size_t kMaxKeyLength = 4096;

// readFile's results.
inline constexpr int kReadOk = 0;
inline constexpr int kReadCannotOpen = 2;

// Why readFile found no file to read at its path.
enum class ReadFailure {
    none,        // the file was read
    emptyPath,   // no path was given
    missing,     // nothing exists at the path
    folder,      // the path names a folder
    notAFile,    // a device, a socket or the like
    cannotRead,  // the system refused to open or read it: see readError()
};

// One key/value entry. Keys are the section path, the name and, for a list
// item, "(" index ")": "Duel.maps(0)".
struct SettingsEntry {
    std::string key;
    std::string text;     // value of a text entry
    double number = 0.0;  // value of a number entry
    std::int32_t isNumber = 0;
};

class SettingsStore {
public:
    SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Reads the settings file at `path` into the table. Returns kReadOk when
    // the file could be opened, whatever it holds; kReadCannotOpen (and an
    // empty store) when it cannot be opened for reading or is a directory.
    int readFile(const std::string& path);

    // Reads settings from `content`, exactly as readFile reads a file's
    // bytes. Always returns kReadOk.
    int readText(std::string_view content);

    // Puts `sectionName` (trimmed) and "." in front of every key looked up
    // from now on; the empty name (or blanks) selects no section. Returns 0.
    int selectSection(const std::string& sectionName);

    // Highest index n such that keyName(0) to keyName(n) all exist, text or
    // number; -1 when keyName(0) does not. The name is used as given.
    int countIndexed(const std::string& keyName) const;

    // The text of the latest text entry with the key (blanks removed from
    // the name, index part added when index is not -1); the empty text when
    // there is none. The reference stays valid until the next read.
    const std::string& getText(const std::string& keyName, int index = -1) const;

    // The number of the latest number entry with the key; 0 when none.
    double getNumber(const std::string& keyName, int index = -1) const;

    int count() const { return count_; }
    const SettingsEntry& entry(int i) const { return entries_[static_cast<std::size_t>(i)]; }
    // The settings file's line (from 1) that made entry i.
    int entryLine(int i) const { return entryLines_[static_cast<std::size_t>(i)]; }

    // The line of the entry that getText or getNumber would answer with;
    // 0 when there is none.
    int lineOfText(const std::string& keyName, int index = -1) const;
    int lineOfNumber(const std::string& keyName, int index = -1) const;
    const std::string& lineBreakMarker() const { return lineBreakMarker_; }
    const std::string& sectionPrefix() const { return sectionPrefix_; }

    // Why the last readFile returned kReadCannotOpen; ReadFailure::none
    // after a read. With ReadFailure::cannotRead, readError() is the
    // system's error number (errno).
    ReadFailure readFailure() const { return readFailure_; }
    int readError() const { return readError_; }

    // What the bytes of the last read tell of their encoding, and whether
    // they began with a UTF-8 byte-order mark.
    SourceEncoding sourceEncoding() const { return sourceEncoding_; }
    bool hadByteOrderMark() const { return hadByteOrderMark_; }

    // True when the last read filled the table and the rest of the file
    // held further settings, which were not read.
    bool stoppedAtCapacity() const { return stoppedAtCapacity_; }

    // What the last read ignored and where its sections and comments
    // began and ended, for the checks of the settings file.
    const ReadNotes& readNotes() const { return notes_; }

private:
    friend class SettingsReader;

    // Where the latest text entry and the latest number entry of one key
    // stand in the table; -1 when the key has no entry of that kind.
    struct KeySlots {
        int lastText = -1;
        int lastNumber = -1;
    };

    // The items of one list ("Duel.maps(0)", "Duel.maps(1)", ...) by
    // their index, so that a writer walking a list of maps neither builds
    // nor hashes a key for each item.
    struct ListSlots {
        std::vector<KeySlots> items;  // a hole (both -1) where an index has no entry
        int countIndexed = -1;        // countIndexed's answer, found once
    };

    void buildIndex();
    // The key of a getText or getNumber query, built in lookupKey_.
    const KeySlots* slotsForQuery(const std::string& keyName, int index) const;
    const KeySlots* findSlots(std::string_view key) const;
    // The list whose items are `name`(0), `name`(1), ... in the selected
    // section; blanks are removed from the name when `dropBlanks` is set.
    const ListSlots* listForQuery(const std::string& name, bool dropBlanks) const;

    std::string lineBreakMarker_;
    int count_ = 0;
    std::vector<SettingsEntry> entries_;  // the filled entries, in room for kStoreCapacity
    std::vector<int> entryLines_;         // beside the table, so that its entries stay as they are
    std::string sectionPrefix_;
    bool stoppedAtCapacity_ = false;
    ReadFailure readFailure_ = ReadFailure::none;
    int readError_ = 0;
    SourceEncoding sourceEncoding_ = SourceEncoding::ascii;
    bool hadByteOrderMark_ = false;
    ReadNotes notes_;
    // The keys of the filled entries that are not in a list below, viewing
    // the key text held in the table (which never moves), so that each
    // query is one hash lookup. Built after each read.
    std::unordered_map<std::string_view, KeySlots> index_;
    // Lists by their key without the index part ("Duel.maps"), viewing the
    // table's keys too, with the items whose index is below the list's
    // number of items (a stray "maps(4000000)" takes no room: it is kept
    // in index_).
    std::unordered_map<std::string_view, ListSlots> lists_;
    mutable std::string lookupKey_;
    // The last list asked for, which the next query most often asks for
    // again: its name as given, how it was asked and for which section.
    mutable std::string lastListName_;
    mutable bool lastListDroppedBlanks_ = false;
    mutable std::uint64_t lastListGeneration_ = 0;
    mutable const ListSlots* lastList_ = nullptr;
    // Changes whenever the table or the section prefix changes, so that
    // the last list's answer is not used after either.
    std::uint64_t generation_ = 1;
};

// Selects a section of the store for as long as it lives and selects none
// again when it goes, so that a writer cannot leave a section selected and
// break the global lookups after it.
class SelectedSection {
public:
    SelectedSection(SettingsStore& store, const std::string& sectionName) : store_(store) {
        store_.selectSection(sectionName);
    }
    ~SelectedSection() { store_.selectSection(""); }
    SelectedSection(const SelectedSection&) = delete;
    SelectedSection& operator=(const SelectedSection&) = delete;

private:
    SettingsStore& store_;
};

}  // namespace kestrane
