// The settings store's file reading and its queries by key.
#include "toolkit/settings_store.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "toolkit/settings_reader.h"
#include "toolkit/text_tool.h"

namespace kestrane {
namespace {

constexpr std::streamsize kReadBlockSize = 1 << 16;

// Only regular files and pipes are settings files: a directory, a device
// such as /dev/zero or a socket is refused, with what it is. A FIFO, a
// pipe from the shell's process substitution and /dev/stdin on a pipe are
// read like files.
ReadFailure kindFailure(std::filesystem::file_type type, const std::error_code& error) {
    if (type == std::filesystem::file_type::not_found) return ReadFailure::missing;
    if (type == std::filesystem::file_type::directory) return ReadFailure::folder;
    if (type == std::filesystem::file_type::regular || type == std::filesystem::file_type::fifo) {
        return ReadFailure::none;
    }
    // A path the system cannot even look at (a folder on the way that may
    // not be entered, say) is one it cannot read.
    if (error) return ReadFailure::cannotRead;
    return ReadFailure::notAFile;
}

// The whole file as bytes; the reason when it cannot be read, with the
// system's error number in `systemError`.
ReadFailure readWholeFile(const std::string& path, std::string& content, int& systemError) {
    systemError = 0;
    if (path.empty()) return ReadFailure::emptyPath;
    if (path.find('\0') != std::string::npos) return ReadFailure::missing;
    std::error_code error;
    const auto type = std::filesystem::status(path, error).type();
    const ReadFailure kind = kindFailure(type, error);
    if (kind != ReadFailure::none && kind != ReadFailure::cannotRead) return kind;
    // Binary mode, so that a 0x1A byte does not end the file early on
    // Windows; the reader treats CR LF and LF alike.
    errno = 0;
    std::ifstream file(path, std::ios::in | std::ios::binary);
    if (!file) {
        systemError = errno;
        return ReadFailure::cannotRead;
    }
    content.clear();
    errno = 0;
    // A regular file's size is known in advance: it is read in one piece,
    // straight into the content. A pipe's is not, and a pipe cannot seek:
    // it is read in blocks until its end, as is the rest of a file that
    // grew meanwhile.
    if (type == std::filesystem::file_type::regular) {
        const auto size = std::filesystem::file_size(path, error);
        if (!error && size > 0) {
            content.resize(static_cast<std::size_t>(size));
            file.read(&content[0], static_cast<std::streamsize>(size));
            content.resize(static_cast<std::size_t>(file.gcount()));
        }
    }
    const std::unique_ptr<char[]> block(new char[kReadBlockSize]);
    while (file && (file.read(block.get(), kReadBlockSize) || file.gcount() > 0)) {
        content.append(block.get(), static_cast<std::size_t>(file.gcount()));
    }
    if (file.bad()) {
        systemError = errno;
        return ReadFailure::cannotRead;
    }
    return ReadFailure::none;
}

// Splits a list item's key, "Duel.maps(12)", into the length of its list's
// key ("Duel.maps") and its index (12). Only the index as a query writes
// it counts: decimal digits without a leading zero, within 32 bits.
bool splitListKey(std::string_view key, std::size_t& baseLength, std::uint32_t& index) {
    if (key.size() < 3 || key.back() != ')') return false;
    const std::size_t open = key.rfind('(');
    if (open == std::string_view::npos) return false;
    const std::string_view digits = key.substr(open + 1, key.size() - open - 2);
    if (digits.empty() || digits.size() > 10 || (digits.size() > 1 && digits[0] == '0')) return false;
    std::uint64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > 0xFFFFFFFFu) return false;
    baseLength = open;
    index = static_cast<std::uint32_t>(value);
    return true;
}

}  // namespace

// The table's room is reserved whole but its entries are made only as they
// are filled: a small file touches only the memory it uses.
SettingsStore::SettingsStore() {
    entries_.reserve(kStoreCapacity);
    entryLines_.reserve(kStoreCapacity);
}

int SettingsStore::readFile(const std::string& path) {
    std::string content;
    const ReadFailure failure = readWholeFile(path, content, readError_);
    if (failure != ReadFailure::none) {
        count_ = 0;
        stoppedAtCapacity_ = false;
        sourceEncoding_ = SourceEncoding::ascii;
        hadByteOrderMark_ = false;
        notes_.clear();
        buildIndex();
        readFailure_ = failure;
        return kReadCannotOpen;
    }
    return readText(content);
}

int SettingsStore::readText(std::string_view content) {
    // Their views into the table's keys go stale while reading.
    index_.clear();
    lists_.clear();
    ++generation_;
    readFailure_ = ReadFailure::none;
    readError_ = 0;
    sourceEncoding_ = detectSourceEncoding(content);
    hadByteOrderMark_ = content.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark;
    SettingsReader reader(*this);
    reader.readAll(content);
    buildIndex();
    return kReadOk;
}

void SettingsStore::buildIndex() {
    ++generation_;
    index_.clear();
    lists_.clear();
    // Every entry's key goes to one place: a list item to its list, when
    // its index is below the list's number of items, anything else to
    // index_. Both are filled in table order, so that later entries win.
    const auto noteEntry = [this](KeySlots& slots, int i) {
        (entry(i).isNumber != 0 ? slots.lastNumber : slots.lastText) = i;
    };
    std::size_t baseLength = 0;
    std::uint32_t itemIndex = 0;
    for (int i = 0; i < count_; ++i) {
        const std::string& key = entries_[static_cast<std::size_t>(i)].key;
        if (splitListKey(key, baseLength, itemIndex)) {
            ++lists_[std::string_view(key).substr(0, baseLength)].countIndexed;  // counts the items for now
        } else {
            noteEntry(index_[key], i);
        }
    }
    for (auto& named : lists_) {
        named.second.items.resize(static_cast<std::size_t>(named.second.countIndexed + 1));
    }
    for (int i = 0; i < count_; ++i) {
        const std::string& key = entries_[static_cast<std::size_t>(i)].key;
        if (!splitListKey(key, baseLength, itemIndex)) continue;
        ListSlots& list = lists_.find(std::string_view(key).substr(0, baseLength))->second;
        noteEntry(itemIndex < list.items.size() ? list.items[itemIndex] : index_[key], i);
    }
    for (auto& named : lists_) {
        ListSlots& list = named.second;
        std::size_t leading = 0;
        while (leading < list.items.size() &&
               (list.items[leading].lastText >= 0 || list.items[leading].lastNumber >= 0)) {
            ++leading;
        }
        list.countIndexed = static_cast<int>(leading) - 1;
    }
}

int SettingsStore::selectSection(const std::string& sectionName) {
    const std::string_view name = trimBlanks(sectionName);
    ++generation_;
    sectionPrefix_.clear();
    if (name.empty()) return 0;
    // Room for the "." first: a long name is then copied only once.
    sectionPrefix_.reserve(name.size() + 1);
    sectionPrefix_.append(name) += '.';
    return 0;
}

const SettingsStore::KeySlots* SettingsStore::findSlots(std::string_view key) const {
    const auto found = index_.find(key);
    if (found != index_.end()) return &found->second;
    // A list item asked for by its whole key, "maps(3)" with no index.
    std::size_t baseLength = 0;
    std::uint32_t itemIndex = 0;
    if (!splitListKey(key, baseLength, itemIndex)) return nullptr;
    const auto list = lists_.find(key.substr(0, baseLength));
    if (list == lists_.end() || itemIndex >= list->second.items.size()) return nullptr;
    const KeySlots& slots = list->second.items[itemIndex];
    return slots.lastText < 0 && slots.lastNumber < 0 ? nullptr : &slots;
}

const SettingsStore::ListSlots* SettingsStore::listForQuery(const std::string& name, bool dropBlanks) const {
    if (lastListGeneration_ == generation_ && lastListDroppedBlanks_ == dropBlanks && lastListName_ == name) {
        return lastList_;
    }
    lookupKey_.assign(sectionPrefix_);
    for (char c : name) {
        if (!dropBlanks || !isBlank(c)) lookupKey_ += c;
    }
    const auto found = lists_.find(std::string_view(lookupKey_));
    lastList_ = found == lists_.end() ? nullptr : &found->second;
    lastListName_ = name;
    lastListDroppedBlanks_ = dropBlanks;
    lastListGeneration_ = generation_;
    return lastList_;
}

const SettingsStore::KeySlots* SettingsStore::slotsForQuery(const std::string& keyName, int index) const {
    // No stored key is longer than the limit, so a longer one (under a long
    // section name) is not built only to be missed.
    if (sectionPrefix_.size() > kMaxKeyLength) return nullptr;
    if (index >= 0) {
        // Every key of the form NAME(i), with i below the list's number
        // of items, has its slots in the list: a hole means no such key.
        const ListSlots* list = listForQuery(keyName, true);
        if (list == nullptr) return nullptr;
        const auto at = static_cast<std::size_t>(index);
        if (at < list->items.size()) {
            const KeySlots& slots = list->items[at];
            return slots.lastText < 0 && slots.lastNumber < 0 ? nullptr : &slots;
        }
    }
    // Blanks are removed from the name; the section prefix is used as it is.
    lookupKey_.assign(sectionPrefix_);
    for (char c : keyName) {
        if (!isBlank(c)) lookupKey_ += c;
    }
    if (index != -1) {
        lookupKey_ += '(';
        lookupKey_ += toText(static_cast<std::uint32_t>(index));
        lookupKey_ += ')';
    }
    return findSlots(lookupKey_);
}

int SettingsStore::countIndexed(const std::string& keyName) const {
    if (sectionPrefix_.size() + keyName.size() > kMaxKeyLength) return -1;
    // The name is used unchanged here, blanks included.
    const ListSlots* list = listForQuery(keyName, false);
    return list == nullptr ? -1 : list->countIndexed;
}

const std::string& SettingsStore::getText(const std::string& keyName, int index) const {
    static const std::string empty;
    const KeySlots* slots = slotsForQuery(keyName, index);
    return slots == nullptr || slots->lastText < 0 ? empty : entry(slots->lastText).text;
}

int SettingsStore::lineOfText(const std::string& keyName, int index) const {
    const KeySlots* slots = slotsForQuery(keyName, index);
    return slots == nullptr || slots->lastText < 0 ? 0 : entryLine(slots->lastText);
}

int SettingsStore::lineOfNumber(const std::string& keyName, int index) const {
    const KeySlots* slots = slotsForQuery(keyName, index);
    return slots == nullptr || slots->lastNumber < 0 ? 0 : entryLine(slots->lastNumber);
}

double SettingsStore::getNumber(const std::string& keyName, int index) const {
    const KeySlots* slots = slotsForQuery(keyName, index);
    return slots == nullptr || slots->lastNumber < 0 ? 0.0 : entry(slots->lastNumber).number;
}

}  // namespace kestrane
