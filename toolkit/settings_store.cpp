// The settings store's file reading and its queries by key.
#include "toolkit/settings_store.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <vector>

#include "toolkit/settings_reader.h"
#include "toolkit/text_tool.h"

namespace kestrane {
namespace {

constexpr std::size_t kReadBlockSize = 1 << 16;

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
    // A regular file's size is known in advance (room is made for it at
    // once); a pipe's is not, and a pipe cannot seek. Both are read in
    // blocks until their end, which also takes in a file that grows.
    if (type == std::filesystem::file_type::regular) {
        const auto size = std::filesystem::file_size(path, error);
        if (!error) content.reserve(static_cast<std::size_t>(size));
    }
    std::vector<char> block(kReadBlockSize);
    errno = 0;
    while (file.read(block.data(), static_cast<std::streamsize>(block.size())) || file.gcount() > 0) {
        content.append(block.data(), static_cast<std::size_t>(file.gcount()));
    }
    if (file.bad()) {
        systemError = errno;
        return ReadFailure::cannotRead;
    }
    return ReadFailure::none;
}

}  // namespace

SettingsStore::SettingsStore() : entries_(kStoreCapacity), entryLines_(kStoreCapacity) {}

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
    index_.clear();  // its views into the table's keys go stale while reading
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
    index_.clear();
    index_.reserve(static_cast<std::size_t>(count_));
    for (int i = 0; i < count_; ++i) {
        KeySlots& slots = index_[entries_[static_cast<std::size_t>(i)].key];
        (entry(i).isNumber != 0 ? slots.lastNumber : slots.lastText) = i;
    }
}

int SettingsStore::selectSection(const std::string& sectionName) {
    const std::string_view name = trimBlanks(sectionName);
    sectionPrefix_.clear();
    if (name.empty()) return 0;
    // Room for the "." first: a long name is then copied only once.
    sectionPrefix_.reserve(name.size() + 1);
    sectionPrefix_.append(name) += '.';
    return 0;
}

const SettingsStore::KeySlots* SettingsStore::findSlots(std::string_view key) const {
    const auto found = index_.find(key);
    return found == index_.end() ? nullptr : &found->second;
}

const SettingsStore::KeySlots* SettingsStore::slotsForQuery(const std::string& keyName, int index) const {
    // No stored key is longer than the limit, so a longer one (under a long
    // section name) is not built only to be missed.
    if (sectionPrefix_.size() > kMaxKeyLength) return nullptr;
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
