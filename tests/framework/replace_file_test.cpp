#include "framework/file_functions.h"
#include "framework/result.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class ReplaceWholeFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "quillmere-replace-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_folder, ignored);
    }

    fs::path At(std::string_view name) const { return m_folder / name; }

    static int Replace(const fs::path& path, std::string_view bytes) {
        return NIO::ReplaceWholeFile(path.u16string().c_str(), bytes.data(), bytes.size());
    }
    static std::string Content(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static unsigned ModeOf(const fs::path& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
    }
    // Names in the folder, so that a leftover temporary file shows.
    std::string Listing() const {
        std::string names;
        for (const auto& entry : fs::directory_iterator(m_folder))
            names += entry.path().filename().string() + ";";
        return names;
    }

    fs::path m_folder;
};

} // namespace

TEST_F(ReplaceWholeFileTest, WritesNewAndExistingFilesKeepingTheTargetsMode) {
    const fs::path created = At("sub/new.xml");
    ASSERT_EQ(Replace(created, "<new/>"), NResult::kOk);
    EXPECT_EQ(Content(created), "<new/>");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(ModeOf(created), 0666u & ~mask);

    const fs::path existing = At("old.xml");
    std::ofstream(existing) << "a much longer old content";
    ::chmod(existing.c_str(), 0640);
    ASSERT_EQ(Replace(existing, "<r/>"), NResult::kOk);
    EXPECT_EQ(Content(existing), "<r/>");
    EXPECT_EQ(ModeOf(existing), 0640u);
    EXPECT_EQ(Listing().find(".quillmere-"), std::string::npos) << Listing();
}

TEST_F(ReplaceWholeFileTest, FollowsASymbolicLinkInsteadOfReplacingIt) {
    const fs::path real = At("real.xml");
    std::ofstream(real) << "old";
    const fs::path link = At("link.xml");
    fs::create_symlink("real.xml", link);
    ASSERT_EQ(Replace(link, "new"), NResult::kOk);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Content(real), "new");
}

TEST_F(ReplaceWholeFileTest, FailuresLeaveTheTargetAndNoTemporaryFile) {
    const fs::path file = At("kept.xml");
    std::ofstream(file) << "kept";
    EXPECT_EQ(Replace(At("kept.xml/below.xml"), "x"), NResult::kCannotOpen);
    // Renaming over a folder fails only after the new file was written.
    fs::create_directory(At("folder"));
    EXPECT_EQ(Replace(At("folder"), "x"), NResult::kCannotOpen);
    EXPECT_TRUE(fs::is_directory(At("folder")));
    EXPECT_EQ(Content(file), "kept");
    std::string listing = Listing();
    EXPECT_TRUE(listing == "kept.xml;folder;" || listing == "folder;kept.xml;") << listing;
}
