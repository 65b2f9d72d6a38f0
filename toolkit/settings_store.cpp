// The settings store's file reading and its queries by key.
#include "toolkit/settings_store.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "toolkit/settings_reader.h"
#include "toolkit/text_tool.h"

namespace kestrane {
namespace {

// Only regular files and pipes are settings files: a directory, a device
// such as /dev/zero or a socket is refused like a file that cannot be opened.
bool isReadableKind(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error) return false;
    const auto type = status.type();
    return type == std::filesystem::file_type::regular || type == std::filesystem::file_type::fifo;
}

// The whole file as bytes; false when it cannot be opened.
bool readWholeFile(const std::string& path, std::string& content) {
    if (path.empty() || path.find('\0') != std::string::npos || !isReadableKind(path)) return false;
    // Binary mode, so that a 0x1A byte does not end the file early on
    // Windows; the reader treats CR LF and LF alike.
    std::ifstream file(path, std::ios::in | std::ios::binary);
    if (!file) return false;
    // A pipe, or a file that grows while it is read, has no size known in
    // advance: read in blocks until its end.
    std::vector<char> block(1 << 16);
    content.clear();
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    file.seekg(0, std::ios::beg);
    if (size > 0) content.reserve(static_cast<std::size_t>(size));
    while (file.read(block.data(), static_cast<std::streamsize>(block.size())) || file.gcount() > 0) {
        content.append(block.data(), static_cast<std::size_t>(file.gcount()));
    }
    return true;
}

}  // namespace

SettingsStore::SettingsStore() : entries_(kStoreCapacity), entryLines_(kStoreCapacity) {}

int SettingsStore::readFile(const std::string& path) {
    std::string content;
    if (!readWholeFile(path, content)) {
        count_ = 0;
        stoppedAtCapacity_ = false;
        notes_.clear();
        buildIndex();
        return kReadCannotOpen;
    }
    return readText(content);
}

int SettingsStore::readText(std::string_view content) {
    index_.clear();  // its views into the table's keys go stale while reading
    SettingsReader reader(*this);
    reader.readAll(content);
    buildIndex();
    return kReadOk;
}

void SettingsStore::buildIndex() {
    index_.clear();
    index_.reserve(static_cast<std::size_t>(count_));
    for (int i = 0; i < count_; ++i) {
        KeySlots& slots = index_[entries_[static_cast<std::size_t>(i)].key];
        (entry(i).isNumber != 0 ? slots.lastNumber : slots.lastText) = i;
    }
}

int SettingsStore::selectSection(const std::string& sectionName) {
    const std::string_view name = trimBlanks(sectionName);
    sectionPrefix_ = name.empty() ? std::string() : std::string(name) + ".";
    return 0;
}

const SettingsStore::KeySlots* SettingsStore::findSlots(std::string_view key) const {
    const auto found = index_.find(key);
    return found == index_.end() ? nullptr : &found->second;
}

const SettingsStore::KeySlots* SettingsStore::slotsForQuery(const std::string& keyName, int index) const {
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
    // The name is used unchanged here, blanks included.
    lookupKey_.assign(sectionPrefix_).append(keyName) += '(';
    const std::size_t baseSize = lookupKey_.size();
    int next = 0;
    for (;; ++next) {
        lookupKey_.resize(baseSize);
        lookupKey_ += toText(static_cast<std::uint32_t>(next));
        lookupKey_ += ')';
        if (findSlots(std::string_view(lookupKey_)) == nullptr) break;
    }
    return next - 1;
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
