#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "BaseOptions.h"
#include "CfgParams.h"
#include "CfgTestFolder.h"
#include "UCodePage1251.h"
#include "UErrors.h"

namespace {

using SettingsStore = CfgTestFolder;

constexpr TOpenRetries kQuickRetries{3, std::chrono::milliseconds(1)};

std::uint32_t ReadNumber(const std::string& path, const std::string& key,
                         const std::string& section) {
  TCfgOptions store(path);
  return TCardinalParam(&store, key, section).Value();
}

std::string ReadText(const std::string& path, const std::string& key,
                     const std::string& section) {
  TCfgOptions store(path);
  return TStringParam(&store, key, section).Value();
}

}  // namespace

TEST_F(SettingsStore, HandWrittenFileIsReadLenientlyAndRewrittenClean) {
  WriteBytes(Path, Utf8ToCp1251(
      "Stray=before any section\n"
      "; a comment\r\n"
      "  [ updates ]  \r\n"
      "\r\n"
      "  LASTVERSION =  1.2.3  \r\n"
      "no equals sign here\n"
      "Url=http://host/?a=1&b=2\n"
      "TestDate=1\n"
      "testdate=2\n"
      "[Names]\n"
      "Owner=Олена Їжак\n"
      "[UPDATES]\n"
      "Extra=x\n"));
  TCfgOptions store(Path);
  TStringParam version(&store, "LastVersion", "Updates");
  TStringParam url(&store, "url", "updates");
  TCardinalParam date(&store, "TestDate", "Updates");
  TStringParam owner(&store, "Owner", "names");
  TStringParam stray(&store, "Stray", "Updates");
  EXPECT_EQ(version.Value(), "1.2.3");
  EXPECT_EQ(url.Value(), "http://host/?a=1&b=2");
  EXPECT_EQ(date.Value(), 1u);  // of two lines for one key the first counts
  EXPECT_EQ(owner.Value(), "Олена Їжак");
  EXPECT_EQ(stray.Value(), "");

  owner.SetValue("Ґанна");
  // Names keep the spelling they were first read with; a section seen twice is one section;
  // comments, stray lines and repeated keys are gone; CR LF and code page 1251 throughout.
  EXPECT_EQ(ReadBytes(Path), Utf8ToCp1251(
      "[updates]\r\n"
      "LASTVERSION=1.2.3\r\n"
      "Url=http://host/?a=1&b=2\r\n"
      "TestDate=1\r\n"
      "Extra=x\r\n"
      "\r\n"
      "[Names]\r\n"
      "Owner=Ґанна\r\n"
      "\r\n"));
}

TEST_F(SettingsStore, RewriteKeepsFirstReadOrderAndAppendsNewKeysAndSections) {
  WriteBytes(Path, "[B]\nk1=1\n[A]\nk2=2\n");
  TCfgOptions store(Path);
  TStringParam(&store, "K2", "a").SetValue("two");
  TStringParam(&store, "new", "B").SetValue("n");
  TCardinalParam(&store, "c", "C").SetValue(255);
  EXPECT_EQ(ReadBytes(Path),
            "[B]\r\nk1=1\r\nnew=n\r\n\r\n"
            "[A]\r\nk2=two\r\n\r\n"
            "[C]\r\nc=000000FF\r\n\r\n");
}

TEST_F(SettingsStore, StoredNumberTexts) {
  const struct {
    const char* stored;
    std::uint32_t expected;
  } cases[] = {
      {"12", 0x12},
      {"0000000A", 10},
      {"abc", 0xABC},                // lower-case digits are hexadecimal too
      {"", 0},
      {"xyz", 0},
      {"-1", 0},
      {"0x12", 0},
      {"$12", 0},
      {"1 2", 0},
      {"1FFFFFFFF", 0xFFFFFFFF},     // a longer number keeps its low 32 bits
      {"123456789ABCDEF0", 0x9ABCDEF0},
      {"00000000000000000012", 0x12},  // leading zeros do not overflow
      {"10000000000000000", 0},      // more than 64 bits
  };
  for (const auto& c : cases) {
    WriteBytes(Path, std::string("[S]\nN=") + c.stored + "\n");
    EXPECT_EQ(ReadNumber(Path, "N", "S"), c.expected) << "stored '" << c.stored << "'";
  }
}

TEST_F(SettingsStore, MissingFileReadsEmptyAndIsCreatedByTheFirstChange) {
  {
    TCfgOptions store(Path);
    TCardinalParam number(&store, "N", "S");
    TStringParam text(&store, "T", "S");
    EXPECT_EQ(number.Value(), 0u);
    EXPECT_EQ(text.Value(), "");
    EXPECT_FALSE(std::filesystem::exists(Path));
    number.SetValue(static_cast<std::uint32_t>(-10));
  }
  EXPECT_EQ(ReadBytes(Path), "[S]\r\nN=FFFFFFF6\r\n\r\n");
  EXPECT_EQ(static_cast<std::int32_t>(ReadNumber(Path, "N", "S")), -10);
  EXPECT_EQ(FileCount(), 1u);  // no temporary file left beside it
}

TEST_F(SettingsStore, ValueWithLineBreaksStaysOneLine) {
  {
    TCfgOptions store(Path);
    TStringParam(&store, "LastVersion", "Updates").SetValue("2.0\r\n[Language]\r\nProgLang=RUS");
  }
  EXPECT_EQ(ReadText(Path, "LastVersion", "Updates"), "2.0  [Language]  ProgLang=RUS");
  EXPECT_EQ(ReadText(Path, "ProgLang", "Language"), "");
}

TEST_F(SettingsStore, ReadOnlyFileKeepsItsContentsButTheRunUsesTheNewValue) {
  const std::string original = "; frozen by the user\n[S]\nN=5\n";
  WriteBytes(Path, original);
  std::filesystem::permissions(Path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::group_read);
  TCfgOptions store(Path);
  TCardinalParam number(&store, "N", "S");
  EXPECT_EQ(number.Value(), 5u);
  EXPECT_NO_THROW(number.SetValue(7));
  EXPECT_EQ(number.Value(), 7u);
  EXPECT_EQ(ReadBytes(Path), original);
  EXPECT_EQ(ReadNumber(Path, "N", "S"), 5u);  // lost at the next start
  EXPECT_EQ(FileCount(), 1u);
}

TEST_F(SettingsStore, FailedRewriteLeavesNoTemporaryFileBehind) {
  TCfgOptions store(Path);
  std::filesystem::create_directories(Folder / "book.cfg" / "inside");  // rename over it fails
  TCardinalParam number(&store, "N", "S");
  EXPECT_NO_THROW(number.SetValue(3));
  EXPECT_EQ(number.Value(), 3u);
  EXPECT_EQ(FileCount(), 1u);
}

TEST_F(SettingsStore, RewriteKeepsPermissionsAndWritesThroughASymbolicLink) {
  const std::string real = (Folder / "real.cfg").string();
  WriteBytes(real, "[S]\nN=1\n");
  ::chmod(real.c_str(), 0640);
  std::filesystem::create_symlink(real, Path);
  {
    TCfgOptions store(Path);
    TCardinalParam(&store, "N", "S").SetValue(2);
  }
  EXPECT_TRUE(std::filesystem::is_symlink(Path));
  EXPECT_EQ(ReadBytes(real), "[S]\r\nN=00000002\r\n\r\n");
  struct stat info {};
  ASSERT_EQ(::stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(SettingsStore, UnreadableFileFailsAfterTheRetries) {
  std::filesystem::create_directory(Path);  // exists, but cannot be read as a file
  try {
    TCfgOptions store(Path, kQuickRetries);
    FAIL() << "opened a folder";
  } catch (const EGeneral& e) {
    EXPECT_EQ(std::string(e.what()), "Error while open " + Path);
  }
}

TEST_F(SettingsStore, FileThatBecomesReadableDuringTheRetriesIsRead) {
  std::filesystem::create_directory(Path);
  const std::string staged = (Folder / "staged").string();
  WriteBytes(staged, "[S]\nN=9\n");
  int swapped = -1;
  std::thread other([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    // One atomic swap: the store must never see the name missing, which reads as an empty file.
    swapped = ::renameat2(AT_FDCWD, staged.c_str(), AT_FDCWD, Path.c_str(), RENAME_EXCHANGE);
  });
  TCfgOptions store(Path, TOpenRetries{200, std::chrono::milliseconds(5)});
  other.join();
  ASSERT_EQ(swapped, 0);
  EXPECT_EQ(TCardinalParam(&store, "N", "S").Value(), 9u);
}

TEST_F(SettingsStore, ProgrammingErrorsStopWithTheirMessages) {
  TCfgOptions store(Path);
  auto message = [](auto&& construct) {
    try {
      construct();
    } catch (const EGeneral& e) {
      return std::string(e.what());
    }
    return std::string("no failure");
  };
  EXPECT_EQ(message([] { TCardinalParam(nullptr, "k", "s"); }),
            "Not assigned owner param of constructor in Tools/CfgFile/BaseOptions");
  EXPECT_EQ(message([&] { TStringParam(&store, "k", ""); }),
            "Empty scName parameter of constructor in Tools/CfgFile/BaseOptions");
  EXPECT_EQ(message([&] { TStringParam(&store, "", "s"); }),
            "Empty prName parameter of constructor in Tools/CfgFile/BaseOptions");
  EXPECT_EQ(message([] { ICfgStringReader(nullptr); }),
            "Not Assigned parent param in Tools/CfgFile/CfgParams");
}
