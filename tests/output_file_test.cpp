// Tests of the output file: the target changes only when the whole new
// file is in place, and a failure says why.
#include "generator/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kestrane {
namespace {

class OutputFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("kestrane_output_test_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    void write(const std::string& name, const std::string& content) const {
        std::ofstream(path(name), std::ios::binary) << content;
    }
    std::string read(const std::string& name) const {
        std::ifstream file(path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
    std::filesystem::path dir_;
};

// No "\n" in these texts: the Windows build stores it as CR LF.
TEST_F(OutputFileTest, ReplacesTheTargetOnlyWhenClosed) {
    write("out.cfg", "old script");
    OutputFile file(path("out.cfg"));
    file << "new " << std::string(200000, 'x') << " end";
    EXPECT_EQ("old script", read("out.cfg"));
    EXPECT_EQ(2u, files().size());  // the target and the temporary file
    EXPECT_TRUE(file.close());
    EXPECT_EQ("new " + std::string(200000, 'x') + " end", read("out.cfg"));
    EXPECT_EQ(std::vector<std::string>{"out.cfg"}, files());
    EXPECT_EQ("", file.failureReason());
}

TEST_F(OutputFileTest, KeepsTheOldBytesWhenNotClosed) {
    write("out.cfg", "old script");
    {
        OutputFile file(path("out.cfg"));
        file << std::string(100000, 'y');
    }
    EXPECT_EQ("old script", read("out.cfg"));
    EXPECT_EQ(std::vector<std::string>{"out.cfg"}, files());
}

TEST_F(OutputFileTest, SaysWhyItCannotWrite) {
    std::filesystem::create_directories(dir_ / "folder");
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {path("missing/out.cfg"), "No such file or directory"},
        {path("folder"), "Is a directory"},
        {"", "No such file or directory"},
    };
    for (const auto& c : cases) {
        OutputFile file(c.path);
        file << "text";
        EXPECT_FALSE(file.close()) << c.path;
        EXPECT_EQ(c.reason, file.failureReason()) << c.path;
    }
    EXPECT_EQ(std::vector<std::string>{"folder"}, files());
    EXPECT_TRUE(std::filesystem::is_empty(dir_ / "folder"));
}

}  // namespace
}  // namespace kestrane
