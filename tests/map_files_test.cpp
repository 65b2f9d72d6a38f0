// Tests of listing the maps of game folders (archives made here with
// libzip, and loose files) and of checking the cycles' maps against them.
#include "generator/map_files.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>

namespace kestrane {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A zip archive holding one small file under each name.
void writeArchive(const fs::path& path, const std::vector<std::string>& names) {
    fs::create_directories(path.parent_path());
    int error = 0;
    zip_t* archive = zip_open(path.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(nullptr, archive) << path;
    for (const std::string& name : names) {
        zip_source_t* source = zip_source_buffer(archive, "IBSP", 4, 0);
        ASSERT_GE(zip_file_add(archive, name.c_str(), source, 0), 0) << name;
    }
    ASSERT_EQ(0, zip_close(archive)) << path;
}

// A game folder: two archives (one spelt in capitals), loose maps, and
// files that look like maps but are none a server would load.
class GameFolders : public ::testing::Test {
protected:
    void SetUp() override {
        // Unique, as other builds may run the same tests at the same time.
        root_ = fs::temp_directory_path() / ("kestrane-maps-" + std::to_string(std::random_device()()));
        fs::remove_all(root_);
        game_ = (root_ / "game").string();
        writeArchive(root_ / "game" / "pak0.pk3", {"maps/alpha.bsp", "maps/Beta.BSP", "maps/readme.txt",
                                                   "textures/alpha.bsp", "scripts/x.shader"});
        writeArchive(root_ / "game" / "PAK1.PK3", {"MAPS/Gamma.bsp", "maps/alpha.bsp"});
        writeArchive(root_ / "game" / "notes.zip", {"maps/zeta.bsp"});
        writeFile(root_ / "game" / "maps" / "delta.bsp", "IBSP");
        writeFile(root_ / "game" / "maps" / "sub" / "Epsilon.bsp", "IBSP");
        writeFile(root_ / "game" / "maps" / "eta.bsp.txt", "");
        fs::create_directories(root_ / "game" / "folder.pk3");
        writeFile(root_ / "empty" / "readme.txt", "");
        writeFile(root_ / "plain-file", "");
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string path(const std::string& name) const { return (root_ / name).string(); }

    fs::path root_;
    std::string game_;
};

std::set<std::string> spellings(const InstalledMaps& maps) {
    std::set<std::string> names;
    for (const auto& name : maps.names) names.insert(name.second);
    return names;
}

TEST_F(GameFolders, ListsTheMapsOfEveryArchiveAndTheLooseOnes) {
    const InstalledMaps maps = findInstalledMaps({game_});
    EXPECT_EQ((std::set<std::string>{"alpha", "Beta", "Gamma", "delta", "sub/Epsilon"}), spellings(maps));
    EXPECT_EQ(std::vector<std::string>{game_}, maps.searched);
    EXPECT_TRUE(maps.problems.empty());
}

TEST_F(GameFolders, FindsNamesInAnyCase) {
    const InstalledMaps maps = findInstalledMaps({game_});
    for (const char* name : {"alpha", "ALPHA", "beta", "gAmMa", "Delta", "SUB/epsilon"}) {
        EXPECT_TRUE(isInstalled(maps, name)) << name;
    }
    // Outside maps/, not a .bsp, not in a .pk3, or not a whole name.
    for (const char* name : {"zeta", "readme", "x", "eta", "epsilon", "alph", ""}) {
        EXPECT_FALSE(isInstalled(maps, name)) << name;
    }
}

TEST_F(GameFolders, SuggestsTheNearestNameAsTheFilesSpellIt) {
    const InstalledMaps maps = findInstalledMaps({game_});
    const std::pair<const char*, const char*> cases[] = {
        {"alpah", "alpha"}, {"BETTA", "Beta"}, {"gamm", "Gamma"}, {"delta2", "delta"},
        {"zzzzz", ""},      {"q", ""},         {"", ""},
    };
    for (const auto& [name, suggestion] : cases)
        EXPECT_EQ(suggestion, closestInstalledName(maps, name)) << name;
}

TEST_F(GameFolders, ReportsFoldersAndArchivesThatCannotBeSearched) {
    writeFile(root_ / "game" / "broken.pk3", "not a zip archive at all");
    const InstalledMaps maps =
        findInstalledMaps({path("missing"), game_, path("plain-file"), path("empty"), path("game/maps")});
    using Kind = GameFolderProblem::Kind;
    ASSERT_EQ(5u, maps.problems.size());
    EXPECT_EQ(Kind::missing, maps.problems[0].kind);
    EXPECT_EQ(0u, maps.problems[0].folder);
    EXPECT_EQ(Kind::badArchive, maps.problems[1].kind);
    EXPECT_EQ(1u, maps.problems[1].folder);
    EXPECT_EQ("broken.pk3", maps.problems[1].path);
    EXPECT_EQ(Kind::notAFolder, maps.problems[2].kind);
    EXPECT_EQ(Kind::holdsNoMaps, maps.problems[3].kind);
    EXPECT_EQ(path("empty"), maps.problems[3].path);
    // maps/ itself is no game folder: its files are not under a maps/ of it.
    EXPECT_EQ(Kind::holdsNoMaps, maps.problems[4].kind);
    EXPECT_EQ((std::vector<std::string>{game_, path("empty"), path("game/maps")}), maps.searched);
    // The other archives of the folder are still searched.
    EXPECT_TRUE(isInstalled(maps, "gamma"));
}

std::string printed(const Findings& findings) {
    std::ostringstream out;
    printFindings(out, "c.ini", findings);
    return out.str();
}

TEST_F(GameFolders, ChecksEveryMapOfEveryCycleWithItsLine) {
    SettingsStore store;
    // A bare line that starts with "/" is no list item: in quotes it is.
    store.readText("$()game_dirs = " + game_ + "\n\"" + path("missing") +
                   "\"\n"
                   "$()cycles = one\n"
                   "two\n"
                   "{one\n"
                   "$()maps = ALPHA ; 10\n"
                   "alpah\n"
                   "}\n"
                   "{two\n"
                   "$()maps = sub/epsilon\n"
                   "nowhere ; 5 ; 5 ; set x 1;\n"
                   " ; 5\n"
                   "}\n");
    Findings findings;
    checkMapFiles(store, CheckOptions{{path("empty"), game_}, false}, findings);
    EXPECT_EQ(
        "c.ini:2: warning: game folder \"" + path("missing") +
            "\" does not exist; its maps were not searched\n"
            "c.ini:7: error: map \"alpah\" is not installed in \"" +
            game_ + "\" or \"" + path("empty") +
            "\": the server cannot load it; did you mean \"alpha\"?\n"
            "c.ini:11: error: map \"nowhere\" is not installed in \"" +
            game_ + "\" or \"" + path("empty") +
            "\": the server cannot load it\n"
            "c.ini: warning: game folder \"" +
            path("empty") +
            "\" holds no maps (no maps/*.bsp in a .pk3 archive or under maps/); name the folder that holds "
            "the game's .pk3 archives\n",
        printed(findings));
    EXPECT_EQ("", store.sectionPrefix());
}

TEST_F(GameFolders, LooksNothingUpWhenNoFolderCouldBeSearched) {
    SettingsStore store;
    store.readText("$()cycles = one\n{one\n$()maps = alpha\n}\n");
    Findings findings;
    checkMapFiles(store, CheckOptions{{path("missing"), path("empty")}, true}, findings);
    ASSERT_EQ(2u, findings.all().size());
    for (const Finding& finding : findings.all()) EXPECT_EQ(Severity::warning, finding.severity);
}

TEST(CheckMapFiles, WithoutAFolderOnlyTheCheckSaysSo) {
    SettingsStore store;
    store.readText("$()cycles = one\n{one\n$()maps = alpha\n}\n");
    Findings run;
    checkMapFiles(store, CheckOptions{{}, false}, run);
    EXPECT_TRUE(run.all().empty());
    Findings check;
    checkMapFiles(store, CheckOptions{{}, true}, check);
    EXPECT_EQ(
        "c.ini: note: map names were not checked against the game's files; name the game folder with "
        "--game-dir DIR or the list setting \"game_dirs\"\n",
        printed(check));
}

}  // namespace
}  // namespace kestrane
