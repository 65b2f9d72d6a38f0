// Listing the maps of the game's folders, and checking the cycles' maps
// against them.
#include "generator/map_files.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <unordered_set>

#include "generator/map_line.h"
#include "platform/zip_library.h"
#include "toolkit/edit_distance.h"

namespace kestrane {
namespace {

namespace fs = std::filesystem;

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Adds the map that a file of a game folder or of an archive makes, when
// its path (separated by "/") is maps/NAME.bsp in any case. Returns true
// when it is a map file.
bool addMapFile(std::string_view path, InstalledMaps& maps) {
    constexpr std::string_view folder = "maps/";
    constexpr std::string_view extension = ".bsp";
    if (path.size() <= folder.size() + extension.size()) return false;
    const std::string lower = lowerCase(path);
    if (lower.compare(0, folder.size(), folder) != 0 || !endsWith(lower, extension)) return false;
    const std::size_t nameSize = path.size() - folder.size() - extension.size();
    maps.names.emplace(lower.substr(folder.size(), nameSize),
                       std::string(path.substr(folder.size(), nameSize)));
    return true;
}

// Adds the maps of one archive to `maps` and counts its map files in
// `found`. Returns false when the file cannot be read as a zip archive.
bool addArchiveMaps(const platform::ZipLibrary& zip, const std::string& path, InstalledMaps& maps,
                    int& found) {
    int error = 0;
    const std::unique_ptr<zip_t, decltype(zip.discard)> archive(zip.open(path.c_str(), ZIP_RDONLY, &error),
                                                                zip.discard);
    if (!archive) return false;
    const zip_int64_t entries = zip.entryCount(archive.get(), 0);
    for (zip_int64_t i = 0; i < entries; ++i) {
        // The name's bytes as stored, as the server compares them.
        const char* name = zip.entryName(archive.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        if (name != nullptr && addMapFile(name, maps)) ++found;
    }
    return true;
}

// Adds the loose map files under a folder's maps/ folder.
void addLooseMaps(const fs::path& root, const fs::path& mapsFolder, InstalledMaps& maps, int& found) {
    std::error_code error;
    fs::recursive_directory_iterator file(mapsFolder, error);
    for (; !error && file != fs::recursive_directory_iterator(); file.increment(error)) {
        std::error_code kindError;
        if (file->is_regular_file(kindError) &&
            addMapFile(file->path().lexically_relative(root).generic_string(), maps)) {
            ++found;
        }
    }
}

void addFolderMaps(std::size_t index, const std::string& folder, InstalledMaps& maps) {
    using Kind = GameFolderProblem::Kind;
    const auto problem = [&](Kind kind, std::string path) {
        maps.problems.push_back(GameFolderProblem{kind, index, std::move(path)});
    };
    std::error_code error;
    const fs::path root(folder);
    const fs::file_status status = fs::status(root, error);
    if (status.type() == fs::file_type::not_found) return problem(Kind::missing, folder);
    if (error) return problem(Kind::unreadable, folder);
    if (!fs::is_directory(status)) return problem(Kind::notAFolder, folder);

    std::vector<fs::path> archives;
    std::vector<fs::path> mapsFolders;
    fs::directory_iterator entry(root, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const std::string name = lowerCase(entry->path().filename().string());
        std::error_code kindError;
        if (endsWith(name, ".pk3") && entry->is_regular_file(kindError)) {
            archives.push_back(entry->path());
        } else if (name == "maps" && entry->is_directory(kindError)) {
            mapsFolders.push_back(entry->path());
        }
    }
    if (error) return problem(Kind::unreadable, folder);

    // In name order, so that of two spellings of one map the same one is
    // kept on every system.
    std::sort(archives.begin(), archives.end());
    std::sort(mapsFolders.begin(), mapsFolders.end());
    int found = 0;
    const platform::ZipLibrary* zip = archives.empty() ? nullptr : platform::zipLibrary();
    if (!archives.empty() && zip == nullptr) problem(Kind::noZipLibrary, folder);
    for (const fs::path& archive : archives) {
        if (zip != nullptr && !addArchiveMaps(*zip, archive.string(), maps, found)) {
            problem(Kind::badArchive, archive.filename().string());
        }
    }
    for (const fs::path& mapsFolder : mapsFolders) addLooseMaps(root, mapsFolder, maps, found);
    maps.searched.push_back(folder);
    if (found == 0) problem(Kind::holdsNoMaps, folder);
}

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// "a", "a" or "b", "a", "b" or "c", each quoted.
std::string folderList(const std::vector<std::string>& folders) {
    std::string list;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (i > 0) list += i + 1 == folders.size() ? " or " : ", ";
        list += inQuotes(folders[i]);
    }
    return list;
}

std::string problemMessage(const GameFolderProblem& problem, const std::string& folder) {
    const std::string path = inQuotes(problem.path);
    switch (problem.kind) {
        case GameFolderProblem::Kind::missing:
            return "game folder " + path + " does not exist; its maps were not searched";
        case GameFolderProblem::Kind::notAFolder:
            return "game folder " + path + " is a file, not a folder; its maps were not searched";
        case GameFolderProblem::Kind::unreadable:
            return "game folder " + path + " cannot be read; its maps were not searched";
        case GameFolderProblem::Kind::badArchive:
            return path + " in game folder " + inQuotes(folder) +
                   " cannot be read as a .pk3 archive; its maps were not searched";
        case GameFolderProblem::Kind::noZipLibrary:
            return "the .pk3 archives of game folder " + path +
                   " were not searched: the zip library (libzip) cannot be loaded";
        case GameFolderProblem::Kind::holdsNoMaps:
            break;
    }
    return "game folder " + path +
           " holds no maps (no maps/*.bsp in a .pk3 archive or under maps/); name the folder that holds the "
           "game's .pk3 archives";
}

struct GameFolder {
    std::string path;
    int line = 0;  // of its "game_dirs" item; 0 for --game-dir
};

// The folders of the setting, then those of the command line, each once.
std::vector<GameFolder> gameFolders(const SettingsStore& store,
                                    const std::vector<std::string>& fromCommandLine) {
    std::vector<GameFolder> folders;
    std::unordered_set<std::string> seen;
    const auto add = [&](const std::string& path, int line) {
        if (!path.empty() && seen.insert(path).second) folders.push_back(GameFolder{path, line});
    };
    const int last = store.countIndexed("game_dirs");
    for (int i = 0; i <= last; ++i) add(store.getText("game_dirs", i), store.lineOfText("game_dirs", i));
    for (const std::string& path : fromCommandLine) add(path, 0);
    return folders;
}

}  // namespace

InstalledMaps findInstalledMaps(const std::vector<std::string>& folders) {
    InstalledMaps maps;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        try {
            addFolderMaps(i, folders[i], maps);
        } catch (const std::exception&) {
            // A file name that the system cannot convert, or no memory left.
            maps.problems.push_back(GameFolderProblem{GameFolderProblem::Kind::unreadable, i, folders[i]});
        }
    }
    return maps;
}

bool isInstalled(const InstalledMaps& maps, std::string_view mapName) {
    return maps.names.count(lowerCase(mapName)) > 0;
}

std::string closestInstalledName(const InstalledMaps& maps, std::string_view mapName) {
    const std::string lower = lowerCase(mapName);
    // Further than this, a name is no longer a likely misspelling.
    const std::size_t limit = std::max<std::size_t>(1, lower.size() / 3);
    const std::pair<const std::string, std::string>* best = nullptr;
    std::size_t bestDistance = limit + 1;
    for (const auto& installed : maps.names) {
        const std::string& candidate = installed.first;
        const std::size_t lengthGap = candidate.size() > lower.size() ? candidate.size() - lower.size()
                                                                      : lower.size() - candidate.size();
        if (lengthGap > limit) continue;
        const auto distance = static_cast<std::size_t>(editDistance(lower, candidate));
        // Ties go to the name first in byte order, whatever the table's order.
        if (distance < bestDistance ||
            (distance == bestDistance && best != nullptr && candidate < best->first)) {
            best = &installed;
            bestDistance = distance;
        }
    }
    return best == nullptr ? std::string() : best->second;
}

void checkMapFiles(SettingsStore& store, const CheckOptions& options, Findings& findings) {
    const std::vector<GameFolder> folders = gameFolders(store, options.gameDirs);
    if (folders.empty()) {
        if (options.checkOnly) {
            findings.add(Severity::note, 0,
                         "map names were not checked against the game's files; name the game folder with "
                         "--game-dir DIR or the list setting \"game_dirs\"");
        }
        return;
    }

    std::vector<std::string> paths;
    for (const GameFolder& folder : folders) paths.push_back(folder.path);
    const InstalledMaps maps = findInstalledMaps(paths);
    for (const GameFolderProblem& problem : maps.problems) {
        findings.add(Severity::warning, folders[problem.folder].line,
                     problemMessage(problem, folders[problem.folder].path));
    }
    // Where nothing could be searched, every map would be reported missing.
    if (maps.names.empty()) return;

    const std::string searched = folderList(maps.searched);
    std::unordered_map<std::string, std::string> suggestions;  // by lower-case name
    const int lastCycle = store.countIndexed("cycles");
    for (int i = 0; i <= lastCycle; ++i) {
        const SelectedSection section(store, store.getText("cycles", i));
        const int lastMap = store.countIndexed("maps");
        for (int j = 0; j <= lastMap; ++j) {
            const std::string_view name = splitMapFields(store.getText("maps", j)).name;
            if (name.empty() || isInstalled(maps, name)) continue;
            const auto known = suggestions.try_emplace(lowerCase(name));
            if (known.second) known.first->second = closestInstalledName(maps, name);
            std::string message =
                "map " + inQuotes(name) + " is not installed in " + searched + ": the server cannot load it";
            if (!known.first->second.empty())
                message += "; did you mean " + inQuotes(known.first->second) + "?";
            findings.add(Severity::error, store.lineOfText("maps", j), std::move(message));
        }
    }
}

bool looksUpGameFiles(const SettingsStore& store, const CheckOptions& options) {
    return !gameFolders(store, options.gameDirs).empty();
}

}  // namespace kestrane
