// The settings store's file reading and its queries by key.
#include "toolkit/settings_store.h"

#include <filesystem>
#include <fstream>
#include <iterator>

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
    // Allocate the known size at once, then take whatever a pipe or a
    // growing file still has.
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    file.seekg(0, std::ios::beg);
    content.clear();
    if (size > 0) {
        content.resize(static_cast<std::size_t>(size));
        file.read(content.data(), size);
        content.resize(static_cast<std::size_t>(file.gcount()));
    }
    file.clear();
    content.append(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace

SettingsStore::SettingsStore() : entries_(kStoreCapacity) {}

int SettingsStore::readFile(const std::string& path) {
    std::string content;
    if (!readWholeFile(path, content)) {
        count_ = 0;
        stoppedAtCapacity_ = false;
        return kReadCannotOpen;
    }
    return readText(content);
}

int SettingsStore::readText(std::string_view content) {
    SettingsReader reader(*this);
    reader.readAll(content);
    return kReadOk;
}

int SettingsStore::selectSection(const std::string& sectionName) {
    const std::string_view name = trimBlanks(sectionName);
    sectionPrefix_ = name.empty() ? std::string() : std::string(name) + ".";
    return 0;
}

std::string SettingsStore::lookupKey(const std::string& keyName, int index) const {
    std::string key = sectionPrefix_ + sharedTextTool().stripBlanks(keyName, 0);
    if (index != -1) key += "(" + toText(static_cast<std::uint32_t>(index)) + ")";
    return key;
}

bool SettingsStore::hasKey(const std::string& key) const {
    for (int i = 0; i < count_; ++i) {
        if (entry(i).key == key) return true;
    }
    return false;
}

int SettingsStore::countIndexed(const std::string& keyName) const {
    const std::string base = sectionPrefix_ + keyName;
    int next = 0;
    while (hasKey(base + "(" + toText(static_cast<std::uint32_t>(next)) + ")")) ++next;
    return next - 1;
}

const std::string& SettingsStore::getText(const std::string& keyName, int index) const {
    static const std::string empty;
    const std::string key = lookupKey(keyName, index);
    // From the last entry back, so that the later of two equal keys wins.
    for (int i = count_ - 1; i >= 0; --i) {
        if (entry(i).isNumber == 0 && entry(i).key == key) return entry(i).text;
    }
    return empty;
}

double SettingsStore::getNumber(const std::string& keyName, int index) const {
    const std::string key = lookupKey(keyName, index);
    for (int i = count_ - 1; i >= 0; --i) {
        if (entry(i).isNumber == 1 && entry(i).key == key) return entry(i).number;
    }
    return 0.0;
}

}  // namespace kestrane
