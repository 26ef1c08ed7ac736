// The CSV export and import jobs with their dialogs answered by a script: the exact bytes written,
// round trips of the awkward values, the Continue/Stop question and the summary, files of other
// languages and encodings, and the error boxes.

#include <gtest/gtest.h>

#include "CsvFormat.h"
#include "EximRep.h"
#include "JobFixture.h"
#include "MessageBoxForm.h"
#include "ProgramPaths.h"
#include "QtTestApp.h"
#include "TextIntface.h"
#include "UCodePage1251.h"

namespace {

const std::string kEnglishHeader = "Name;Domestic;Working;Mobile;Birthday;Note";

// Values that the CSV format must carry unchanged (the note's " ~ " is the exception: it is how
// a line break is written, so it comes back as one).
const std::vector<TContactTexts> kAwkward = {
    {"Smith; John", "", "", "", "05.03.1980", "two\r\nlines"},
    {"Say \"Hi\" Bob", "", "", "", "", "ends with a quote\""},
    {"Олена Петренко", "", "", "", "29.02.2000", "примітка; з крапкою з комою"},
    {"  Padded  ", "", "", "", "", ""},
};

class CsvExportTest : public JobTest {};
class CsvImportTest : public JobTest {};

}  // namespace

TEST_F(CsvExportTest, AsksForADatedNameInTheExportFolderAndWritesTheListInGridOrder) {
  AddContacts({{"Zoe", "", "", "", "", ""}, {"Adam", "", "", "", "01.01.1990", "a\r\nb"}});
  chosenFile = (folder / "out.csv").string();
  Run<TCsvExport>();

  ASSERT_EQ(requests.size(), 1u);
  const TFileRequest& request = requests[0];
  EXPECT_TRUE(request.Save);
  EXPECT_EQ(request.Title, "Export Vellumark");
  EXPECT_EQ(request.Filter, "Table file (*.csv)|*.csv");
  EXPECT_EQ(request.DefaultExt, "csv");
  EXPECT_EQ(request.Folder, ExecutableFolder() + "Export");
  EXPECT_TRUE(std::filesystem::is_directory(request.Folder));
  EXPECT_EQ(request.FileName, "2026-12-10");

  EXPECT_EQ(ReadFile(folder / "out.csv"),
            kEnglishHeader + "\r\nAdam;;;;01.01.1990;a ~ b\r\nZoe;;;;;\r\n");
  EXPECT_TRUE(messages.empty());  // success is silent
}

TEST_F(CsvExportTest, AnEmptyBookGivesTheHeaderAlone) {
  chosenFile = (folder / "empty.csv").string();
  Run<TCsvExport>();
  EXPECT_EQ(ReadFile(folder / "empty.csv"), kEnglishHeader + "\r\n");
}

TEST_F(CsvExportTest, WritesCodePage1251AndQuotesOnlyWhereNeeded) {
  AddContacts(kAwkward);
  chosenFile = (folder / "awkward.csv").string();
  Run<TCsvExport>();
  // Names sort as a Ukrainian user's do: Cyrillic before Latin.
  const std::string expected = kEnglishHeader + "\r\n" + "  Padded  ;;;;;\r\n" +
                               Utf8ToCp1251("Олена Петренко;;;;29.02.2000;\"примітка; з крапкою з комою\"") +
                               "\r\n" +
                               "\"Say \"\"Hi\"\" Bob\";;;;;\"ends with a quote\"\"\"\r\n" +
                               "\"Smith; John\";;;;05.03.1980;two ~ lines\r\n";
  EXPECT_EQ(ReadFile(folder / "awkward.csv"), expected);
}

TEST_F(CsvExportTest, ChosenNamesGetTheCsvExtensionUnlessTheyHaveIt) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"list", "list.csv"},
      {"list.txt", "list.txt.csv"},
      {"LIST.CSV", "LIST.CSV"},
      {"list.csv", "list.csv"},
  };
  for (const auto& [typed, written] : cases) {
    SCOPED_TRACE(typed);
    EXPECT_EQ(SavedFileName(typed, "csv"), written);
    chosenFile = (folder / typed).string();
    Run<TCsvExport>();
    EXPECT_TRUE(std::filesystem::exists(folder / written));
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "list.txt"));
}

TEST_F(CsvExportTest, CancellingWritesAndShowsNothing) {
  AddContacts({{"Adam", "", "", "", "", ""}});
  chosenFile.reset();
  Run<TCsvExport>();
  EXPECT_EQ(requests.size(), 1u);
  EXPECT_TRUE(messages.empty());
}

TEST_F(CsvExportTest, AFileThatCannotBeWrittenIsReportedWithItsPathShortened) {
  AddContacts({{"Adam", "", "", "", "", ""}});
  const std::string path = (folder / "no such folder" / "a rather long folder name to be shortened" /
                            "list.csv").string();
  chosenFile = path;
  Run<TCsvExport>();
  EXPECT_EQ(messages, (std::vector<TShownMessage>{{"Error while executing export in a file\r\n" + PathForMessageBox(path),
                                                   "Export Vellumark", 48, "OK", "Close error message window", "", ""}}));
  EXPECT_NE(PathForMessageBox(path), path);
  EXPECT_NE(PathForMessageBox(path).find("..."), std::string::npos);
  EXPECT_TRUE(PathForMessageBox(path).ends_with("/list.csv"));
}

TEST_F(CsvExportTest, TheGridKeepsItsContactAfterTheJob) {
  AddContacts({{"Adam", "", "", "", "", ""}, {"Bea", "", "", "", "", ""}, {"Cid", "", "", "", "", ""}});
  Book->Table().GoTo(1);
  chosenFile = (folder / "out.csv").string();
  Run<TCsvExport>();
  EXPECT_EQ(Book->Table().RecNo(), 1);
  EXPECT_EQ(Book->CurrentContact().Name, "Bea");
}

TEST_F(CsvImportTest, AnExportedBookComesBackWhole) {
  AddContacts(kAwkward);
  AddContacts({{"Phones", "+380 44 123-45-67", "2345678", "+380501112233", "", "x ~ y"}});
  const std::vector<TContactTexts> before = Contacts();
  chosenFile = (folder / "round.csv").string();
  Run<TCsvExport>();

  Book->Table().EmptyFile();
  Run<TCsvImport>();
  std::vector<TContactTexts> expected = before;
  for (TContactTexts& contact : expected) {
    // A note's own " ~ " reads back as the line break it stands for.
    for (std::size_t at = contact.Note.find(" ~ "); at != std::string::npos; at = contact.Note.find(" ~ "))
      contact.Note.replace(at, 3, "\r\n");
  }
  EXPECT_EQ(Contacts(), expected);
  EXPECT_EQ(messages, (std::vector<TShownMessage>{
                          {"New contacts are added: 5", "Import of contacts", 64, "OK", "Close the message window", "", ""}}));
}

TEST_F(CsvImportTest, HeadersOfEveryLanguageAndBlankLinesAreSkippedAndShortLinesFilled) {
  SelectLanguage(0);  // the program speaks Russian; the file was written in English
  chosenFile = WriteCsv("mixed.csv", {
                                         kEnglishHeader,
                                         "",
                                         "  name;DOMESTIC;working;Mobile;birthday;NOTE  ",
                                         "Абонент;Домашній;Робочий;Мобільний;Дата;Примітка",
                                         " \t ",
                                         "Three;123;456",
                                         "Seven;1;2;3;01.02.2003;note;extra",
                                     }).string();
  Run<TCsvImport>();
  EXPECT_EQ(Contacts(), (std::vector<TContactTexts>{{"Seven", "1", "2", "3", "01.02.2003", "note"},
                                                    {"Three", "1-23", "4-56", "", "", ""}}));  // phones as the table shows them
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].Text, "Добавлено новых абонентов: 2");
  EXPECT_EQ(messages[0].Caption, "Импорт абонентов");
}

TEST_F(CsvImportTest, OnlyHeadersAndBlankLinesAddNothing) {
  chosenFile = WriteCsv("headers.csv", {kEnglishHeader, "", "   ",
                                        "Абонент;Домашний;Рабочий;Мобильный;Дата;Примечание"}).string();
  Run<TCsvImport>();
  EXPECT_TRUE(Contacts().empty());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].Text, "New contacts are added: 0");
  EXPECT_EQ(messages[0].Kind, 64);
}

TEST_F(CsvImportTest, ABadBirthdayIsOfferedAndContinueCountsItMissed) {
  chosenFile = WriteCsv("bad.csv", {"Ann;;;;01.01.1990;", "Bad;;;;31.02.1980;", "Worse;;;;soon;",
                                    "Cat;;;;;"}).string();
  answers = {mrOk, mrOk};
  Run<TCsvImport>();
  EXPECT_EQ(Contacts().size(), 2u);
  ASSERT_EQ(messages.size(), 3u);
  const TShownMessage& question = messages[0];
  EXPECT_EQ(question.Text, "Can't import data string:" + WrapToMessageBox("Bad;;;;31.02.1980;"));
  EXPECT_EQ(question.Caption, "Import of contacts");
  EXPECT_EQ(question.Kind, 49);
  EXPECT_EQ(question.FirstCaption, "Continue");
  EXPECT_EQ(question.FirstHint, "Pass the data string and continue data import");
  EXPECT_EQ(question.SecondCaption, "Stop");
  EXPECT_EQ(question.SecondHint, "Stop data import execution");
  EXPECT_EQ(messages[2].Text, "New contacts are added: 2\r\nData strings missed in import file: 2");
  EXPECT_EQ(messages[2].Kind, 64);
}

TEST_F(CsvImportTest, StoppingAtTheFourthLineKeepsTheFirstThree) {
  chosenFile = WriteCsv("stop.csv", {kEnglishHeader, "A;;;;;", "B;;;;;", "C;;;;;", "D;;;;32.01.2000;",
                                     "E;;;;;"}).string();
  answers = {mrCancel};
  Run<TCsvImport>();
  ASSERT_EQ(Contacts().size(), 3u);
  EXPECT_EQ(Contacts()[2].Name, "C");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].Text, "Data import has been interrupted by user!\r\nNew contacts are added: 3");
  EXPECT_EQ(messages[1].Kind, 48);
}

TEST_F(CsvImportTest, ReadsCyrillicNamesInCodePage1251AndInUtf8) {
  const std::string line = "Ёжиков Іван;;;;;примітка";
  const std::vector<std::pair<std::string, std::string>> files = {
      {"cp1251.csv", Utf8ToCp1251(line) + "\r\n"},
      {"utf8.csv", line + "\n"},
      {"utf8-bom.csv", "\xEF\xBB\xBF" + line + "\r\n"},
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    Book->Table().EmptyFile();
    chosenFile = WriteFile(name, bytes).string();
    Run<TCsvImport>();
    ASSERT_EQ(Contacts().size(), 1u);
    EXPECT_EQ(Contacts()[0].Name, "Ёжиков Іван");
    EXPECT_EQ(Contacts()[0].Note, "примітка");
  }
}

TEST_F(CsvImportTest, CancelOrAMissingFileEndsSilently) {
  chosenFile.reset();
  Run<TCsvImport>();
  chosenFile = (folder / "missing.csv").string();
  Run<TCsvImport>();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].Title, "Import of contacts");
  EXPECT_FALSE(requests[0].Save);
  EXPECT_EQ(requests[0].Folder, ExecutableFolder() + "Import");
  EXPECT_TRUE(requests[0].FileName.empty());
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(Contacts().empty());
}

TEST_F(CsvImportTest, AFileThatCannotBeReadIsReportedInsteadOfTheSummary) {
  chosenFile = "/proc/self/mem";  // a regular file whose reading fails
  Run<TCsvImport>();
  EXPECT_EQ(messages, (std::vector<TShownMessage>{{"Error while executing import from a file\r\n/proc/self/mem",
                                                   "Import of contacts", 48, "OK", "Close error message window", "", ""}}));
}

TEST(AskSkipLineTest, ALongLineIsWrappedToTheMessageBoxWidth) {
  TestApplication();
  const std::string line(300, 'W');
  const std::string wrapped = WrapToMessageBox(line);
  ASSERT_TRUE(wrapped.starts_with("\r\n"));
  std::string joined;
  int pieces = 0;
  for (std::size_t at = 0; at < wrapped.size();) {
    const std::size_t next = wrapped.find("\r\n", at + 2);
    const std::string piece = wrapped.substr(at + 2, next == std::string::npos ? std::string::npos : next - at - 2);
    EXPECT_FALSE(piece.empty());
    joined += piece;
    ++pieces;
    at = next == std::string::npos ? wrapped.size() : next;
  }
  EXPECT_EQ(joined, line);
  EXPECT_GT(pieces, 3);
  EXPECT_EQ(WrapToMessageBox("short"), "\r\nshort");
}
