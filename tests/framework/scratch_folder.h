#pragma once

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

// A fixture whose tests each work in a fresh folder under the temporary
// folder, removed afterwards even when a test took its permissions away.
class CScratchFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quillmere-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override {
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_folder, ignored);
    }

    static void WriteRaw(const std::filesystem::path& path, std::string_view bytes) {
        std::ofstream(path, std::ios::binary).write(bytes.data(), bytes.size());
    }
    static std::string ReadRaw(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Names in the folder, so that a leftover temporary file shows.
    std::string Listing() const {
        std::string names;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder))
            names += entry.path().filename().string() + ";";
        return names;
    }

    std::filesystem::path m_folder;
};
