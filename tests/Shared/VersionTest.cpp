// The version note read back from executable files, and the locale's Cyrillic check.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "RegionInfo.h"
#include "Version.h"

namespace {

namespace fs = std::filesystem;

const std::string kSelf = fs::read_symlink("/proc/self/exe").string();

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string WriteTemp(const std::string& name, const std::string& bytes) {
  const fs::path path = fs::temp_directory_path() / (name + std::to_string(::getpid()));
  std::ofstream(path, std::ios::binary) << bytes;
  return path.string();
}

}  // namespace

TEST(VersionTest, TheBuildEmbedsVersionAndNoticeIntoEachExecutable) {
  // This test program carries the note as the project's programs do.
  EXPECT_EQ(GetProductVersion(kSelf), "1.2");
  EXPECT_EQ(GetLegalNotice(kSelf), "Copyright (C) 2025 The Vellumark developers");
  EXPECT_EQ(GetVersionValue(kSelf, "PRODUCTVERSION"), "1.2");  // keys ignore letter case
  EXPECT_EQ(GetVersionValue(kSelf, "Product"), "");
}

TEST(VersionTest, FilesWithoutTheNoteGiveEmptyTexts) {
  const std::string self = ReadAll(kSelf);
  // The same executable with its note's section renamed, cut short, or no ELF file at all.
  std::string renamed = self;
  int renames = 0;
  for (std::size_t at = 0; (at = renamed.find(".note.vellumark.version", at)) != std::string::npos;
       ++renames)
    renamed[at + 6] = 'x';
  ASSERT_GT(renames, 0);
  const std::string cases[] = {WriteTemp("renamed", renamed), WriteTemp("cut", self.substr(0, 4096)),
                               WriteTemp("text", "ProductVersion=1.2\n"), WriteTemp("empty", "")};
  for (const std::string& path : cases) {
    EXPECT_EQ(GetProductVersion(path), "") << path;
    EXPECT_EQ(GetLegalNotice(path), "") << path;
    fs::remove(path);
  }
  EXPECT_EQ(GetProductVersion("/no/such/file"), "");
}

TEST(RegionInfoTest, CharsetsThatHoldCyrillic) {
  for (const char* yes : {"UTF-8", "utf8", "CP1251", "windows-1251", "KOI8-R", "koi8-u", "ISO-8859-5"})
    EXPECT_TRUE(CharsetShowsCyrillic(yes)) << yes;
  for (const char* no : {"ANSI_X3.4-1968", "ISO-8859-1", "ISO-8859-15", "CP1252", ""})
    EXPECT_FALSE(CharsetShowsCyrillic(no)) << no;
}

TEST(RegionInfoTest, TheEnvironmentNamesTheLocale) {
  const auto check = [](const char* lcAll, bool expected) {
    ::setenv("LC_ALL", lcAll, 1);
    EXPECT_EQ(LocaleShowsCyrillic(), expected) << lcAll;
  };
  const char* saved = std::getenv("LC_ALL");
  const std::string before = saved ? saved : "";
  check("C", false);
  check("POSIX", false);
  check("C.UTF-8", true);
  check("xx_YY.UTF-8", true);      // not installed: the name's character set counts
  check("xx_YY.ISO-8859-1", false);
  if (saved) ::setenv("LC_ALL", before.c_str(), 1); else ::unsetenv("LC_ALL");
}
