#pragma once
// A fresh temporary folder per test, with the few file helpers the settings tests need.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

class CfgTestFolder : public ::testing::Test {
protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "cfgtest-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    Folder = pattern;
    Path = (Folder / "book.cfg").string();
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::permissions(Path, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(Folder, ignored);
  }

  static void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }
  static std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::size_t FileCount() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(Folder),
                                                  std::filesystem::directory_iterator()));
  }

  std::filesystem::path Folder;
  std::string Path;
};
