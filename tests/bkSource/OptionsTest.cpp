#include <functional>
#include <string>

#include "Options.h"
#include "Tools/CfgFile/CfgTestFolder.h"
#include "UErrors.h"

namespace {

using ProgramOptions = CfgTestFolder;

std::string Date(TDateTime value) { return FormatDateTime("yyyy-mm-dd hh:nn", value, {}); }

struct TSetting {
  const char* Section;
  const char* Key;
  std::function<std::string(TProgOptions&)> Read;
  const char* ByDefault;
};

const TSetting kSettings[] = {
    {"Updates", "TestDate", [](TProgOptions& o) { return Date(o.TestDate()); },
     "1899-12-30 00:00"},
    {"Updates", "LastVersion", [](TProgOptions& o) { return o.LastVersion(); }, ""},
    {"MainForm", "Left", [](TProgOptions& o) { return std::to_string(o.Left()); }, "0"},
    {"MainForm", "Top", [](TProgOptions& o) { return std::to_string(o.Top()); }, "0"},
    {"MainForm", "Width", [](TProgOptions& o) { return std::to_string(o.Width()); }, "0"},
    {"MainForm", "Height", [](TProgOptions& o) { return std::to_string(o.Height()); }, "0"},
    {"Grid", "NameWidth", [](TProgOptions& o) { return std::to_string(o.NameWidth()); }, "130"},
    {"Grid", "HouseWidth", [](TProgOptions& o) { return std::to_string(o.HouseWidth()); }, "66"},
    {"Grid", "WorkWidth", [](TProgOptions& o) { return std::to_string(o.WorkWidth()); }, "66"},
    {"Grid", "BirthWidth", [](TProgOptions& o) { return std::to_string(o.BirthWidth()); }, "66"},
    {"Options", "UpperName", [](TProgOptions& o) { return std::to_string(o.UpperName()); }, "0"},
    {"Language", "ProgLang", [](TProgOptions& o) { return std::to_string(o.ProgLang()); }, "2"},
};

const TSetting& Setting(const std::string& key) {
  for (const TSetting& setting : kSettings) {
    if (key == setting.Key) return setting;
  }
  throw EGeneral("no setting " + key);
}

}  // namespace

TEST_F(ProgramOptions, MissingFileGivesEveryDefault) {
  TProgOptions options(Path);
  for (const TSetting& setting : kSettings) {
    EXPECT_EQ(setting.Read(options), setting.ByDefault) << setting.Key;
  }
  EXPECT_FALSE(std::filesystem::exists(Path));  // reading writes nothing
}

TEST_F(ProgramOptions, StoredValuesWithBoundsAndInvalidForms) {
  const struct {
    const char* key;
    const char* stored;
    const char* expected;
  } cases[] = {
      {"TestDate", "40E5F910", "2023-03-15 12:00"},
      {"TestDate", "7FF80000", "1899-12-30 00:00"},  // not a number
      {"TestDate", "FFF00000", "1899-12-30 00:00"},  // minus infinity
      {"TestDate", "7FE00000", "1899-12-30 00:00"},  // far beyond year 9999
      {"TestDate", "garbage", "1899-12-30 00:00"},
      {"LastVersion", "  1.2.3  ", "1.2.3"},
      {"Left", "FFFFFFF6", "-10"},
      {"Top", "00000040", "64"},
      {"Width", "00000320", "800"},
      {"Height", "zz", "0"},
      {"NameWidth", "0000000A", "130"},
      {"NameWidth", "0000000B", "11"},
      {"NameWidth", "FFFFFFFF", "130"},  // negative widths are below the bound too
      {"HouseWidth", "0000000A", "66"},
      {"HouseWidth", "0000000B", "11"},
      {"WorkWidth", "00000000", "66"},
      {"WorkWidth", "000000C8", "200"},
      {"BirthWidth", "00000005", "66"},
      {"BirthWidth", "00000050", "80"},
      {"UpperName", "00000002", "1"},
      {"UpperName", "00000000", "0"},
      {"ProgLang", "RUS", "0"},
      {"ProgLang", "  UKR  ", "1"},
      {"ProgLang", "rus", "2"},  // letter case counts
      {"ProgLang", "ENG", "2"},
      {"ProgLang", "", "2"},
      {"ProgLang", "DEU", "2"},
  };
  for (const auto& c : cases) {
    const TSetting& setting = Setting(c.key);
    WriteBytes(Path, std::string("[") + setting.Section + "]\n" + c.key + "=" + c.stored + "\n");
    TProgOptions options(Path);
    EXPECT_EQ(setting.Read(options), c.expected) << c.key << "=" << c.stored;
  }
}

TEST_F(ProgramOptions, WritesOnlyWhenTheStoredFormChanges) {
  WriteBytes(Path, "[Options]\nUpperName=00000002\n[Language]\nProgLang=ukr\n");
  TProgOptions options(Path);
  const TDateTime checked = EncodeDate(2024, 5, 1) + EncodeTime(10, 0, 0);
  const struct {
    const char* what;
    std::function<void()> write;
    bool rewrites;
    const char* storedLine;
  } steps[] = {
      {"default width written", [&] { options.SetNameWidth(130); }, true, "NameWidth=00000082"},
      {"same width", [&] { options.SetNameWidth(130); }, false, "NameWidth=00000082"},
      {"narrow width stored raw", [&] { options.SetHouseWidth(5); }, true, "HouseWidth=00000005"},
      {"negative left", [&] { options.SetLeft(-10); }, true, "Left=FFFFFFF6"},
      {"same left", [&] { options.SetLeft(-10); }, false, "Left=FFFFFFF6"},
      {"true over a hand-typed 2", [&] { options.SetUpperName(true); }, true, "UpperName=00000001"},
      {"true again", [&] { options.SetUpperName(true); }, false, "UpperName=00000001"},
      {"toggled off", [&] { options.SetUpperName(false); }, true, "UpperName=00000000"},
      {"off again", [&] { options.SetUpperName(false); }, false, "UpperName=00000000"},
      {"tag in other case replaced", [&] { options.SetProgLang(1); }, true, "ProgLang=UKR"},
      {"same tag", [&] { options.SetProgLang(1); }, false, "ProgLang=UKR"},
      {"version trimmed", [&] { options.SetLastVersion(" 2.0 "); }, true, "LastVersion=2.0"},
      {"same version, other blanks", [&] { options.SetLastVersion("2.0\t"); }, false,
       "LastVersion=2.0"},
      {"check date", [&] { options.SetTestDate(checked); }, true, "TestDate=40E62CAD"},
      {"same stored step", [&] { options.SetTestDate(checked + 0.01); }, false,
       "TestDate=40E62CAD"},
      {"next day", [&] { options.SetTestDate(checked + 1); }, true, "TestDate=40E62CCD"},
  };
  for (const auto& step : steps) {
    // The store never reads the file again, so a mark added by hand survives unless the step
    // rewrites the file.
    WriteBytes(Path, ReadBytes(Path) + "; mark\r\n");
    step.write();
    const std::string text = ReadBytes(Path);
    EXPECT_EQ(text.find("; mark") == std::string::npos, step.rewrites) << step.what;
    EXPECT_NE(text.find(std::string(step.storedLine) + "\r\n"), std::string::npos) << step.what;
  }
}

TEST_F(ProgramOptions, ClosingWithAnUnchangedLayoutLeavesTheFileAlone) {
  auto close = [](TProgOptions& options) {
    options.SetLeft(10);
    options.SetTop(20);
    options.SetWidth(800);
    options.SetHeight(600);
    options.SetNameWidth(130);
    options.SetHouseWidth(66);
    options.SetWorkWidth(66);
    options.SetBirthWidth(66);
  };
  {
    TProgOptions options(Path);
    close(options);  // the first close after installation writes all eight
  }
  EXPECT_EQ(ReadBytes(Path),
            "[MainForm]\r\nLeft=0000000A\r\nTop=00000014\r\nWidth=00000320\r\nHeight=00000258\r\n"
            "\r\n[Grid]\r\nNameWidth=00000082\r\nHouseWidth=00000042\r\nWorkWidth=00000042\r\n"
            "BirthWidth=00000042\r\n\r\n");
  const std::string marked = ReadBytes(Path) + "; mark\r\n";
  WriteBytes(Path, marked);
  TProgOptions options(Path);
  close(options);
  EXPECT_EQ(ReadBytes(Path), marked);
}

TEST_F(ProgramOptions, ProcessWideObjectLivesBetweenCreateAndFree) {
  WriteBytes(Path, "[Language]\nProgLang=RUS\n");
  CreateProgOptions(Folder.string());
  ASSERT_NE(ProgOptions, nullptr);
  EXPECT_EQ(ProgOptions->ProgLang(), 0);
  EXPECT_THROW(ProgOptions->SetProgLang(3), EGeneral);
  FreeProgOptions();
  EXPECT_EQ(ProgOptions, nullptr);
}
