#include "framework/program_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable) {
    const std::u16string folder = NIO::ProgramFolder().Text();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), u'/');
    EXPECT_TRUE(std::filesystem::path(folder).is_absolute());
    // This suite's own executable lies there.
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(folder) /
                                                 "quillmere_framework_tests"));
}
