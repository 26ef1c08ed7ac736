#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <cstdlib>
#include <random>
#include <sstream>

#include "UCodePage1251.h"

extern char** environ;

namespace {

struct TRun {
  int Status = -1;
  std::string Out;
  std::string Err;
};

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// bookctl run for real, as a script would run it, in a temporary folder of its own.
class BookCtlTest : public ::testing::Test {
protected:
  BookCtlTest() {
    setenv("LC_ALL", "uk_UA.UTF-8", 1);  // bookctl collates names as a Ukrainian user's would
    std::random_device random;
    folder = std::filesystem::temp_directory_path() / ("vellumark-bookctl-" + std::to_string(random()));
    std::filesystem::create_directories(folder);
  }
  ~BookCtlTest() override { std::filesystem::remove_all(folder); }

  TRun Run(std::vector<std::string> arguments, bool withData = true) {
    if (withData) arguments.insert(arguments.begin(), {"--data", (folder / "book.dat").string()});
    arguments.insert(arguments.begin(), BOOKCTL_PATH);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const std::string outPath = (folder / "out.txt").string();
    const std::string errPath = (folder / "err.txt").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = 0;
    TRun run;
    if (posix_spawn(&child, BOOKCTL_PATH, &actions, nullptr, argv.data(), environ) == 0) {
      int status = 0;
      waitpid(child, &status, 0);
      run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.Out = FileText(outPath);
    run.Err = FileText(errPath);
    return run;
  }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder / name, std::ios::binary) << bytes;
  }

  std::filesystem::path folder;
};

}  // namespace

TEST_F(BookCtlTest, AddListEditDelete) {
  EXPECT_EQ(Run({"add", "Boris", "044 123 45 67", "", "+380501112233", "20.01.1990", "line1\r\nline2"}).Status, 0);
  EXPECT_EQ(Run({"add", "anna", "", "", "", "", "a;b"}).Status, 0);
  EXPECT_EQ(Run({"list"}).Out,
            "anna;;;;;\"a;b\"\n"
            "Boris;044 123-45-67;;+38 050 111-22-33;20.01.1990;line1 ~ line2\n");
  EXPECT_EQ(Run({"list", "--order", "birth-year"}).Out.substr(0, 5), "anna;");

  EXPECT_EQ(Run({"edit", "BORIS", "Borys", "", "", "", "", ""}).Status, 0);
  EXPECT_EQ(Run({"delete", "ANNA"}).Status, 0);
  EXPECT_EQ(Run({"list"}).Out, "Borys;;;;;\n");

  const TRun missing = Run({"delete", "Nobody"});
  EXPECT_EQ(missing.Status, 1);
  EXPECT_NE(missing.Err.find("Nobody"), std::string::npos);
  EXPECT_EQ(Run({"list"}).Out, "Borys;;;;;\n");
}

TEST_F(BookCtlTest, FailuresAndUsage) {
  const auto before = [&] { return FileText(folder / "book.dat"); };
  Run({"add", "Anna", "", "", "", "", ""});
  const std::string bytes = before();

  const TRun badDate = Run({"add", "Boris", "", "", "", "31.02.2000", ""});
  EXPECT_EQ(badDate.Status, 1);
  EXPECT_EQ(badDate.Err, "bookctl: TShowDateTimeField.SetAsString convert error:31.02.2000\n");
  EXPECT_EQ(before(), bytes);

  for (const std::vector<std::string>& wrong :
       {std::vector<std::string>{"frobnicate"}, {"add", "only", "two"}, {"list", "--order", "age"},
        {"find", "mood", "x"}, {"birthdays", "--today", "11.12.2026"}, {"--lang", "deu", "list"}}) {
    EXPECT_EQ(Run(wrong).Status, 2) << wrong[0];
  }
  EXPECT_EQ(before(), bytes);

  const TRun help = Run({"--help"}, false);
  EXPECT_EQ(help.Status, 0);
  EXPECT_NE(help.Out.find("import FILE"), std::string::npos);
}

TEST_F(BookCtlTest, ADataFileHeldByTheProgramIsRefused) {
  Run({"add", "Anna", "", "", "", "", ""});
  // A second bookctl holds the file while this one tries: flock through a shell helper.
  const std::string data = (folder / "book.dat").string();
  const std::string command = "flock -x " + data + " -c 'sleep 1' & sleep 0.3; " + BOOKCTL_PATH +
                              " --data " + data + " list 2>" + (folder / "held.txt").string() + "; echo $? > " +
                              (folder / "status.txt").string() + "; wait";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(FileText(folder / "status.txt"), "1\n");
  EXPECT_EQ(FileText(folder / "held.txt"), "bookctl: Ошибка открытия файла\n");
}

TEST_F(BookCtlTest, Searches) {
  Run({"add", "Anna", "0441234567", "", "", "01.05.1970", ""});
  Run({"add", "Igor", "", "", "", "15.07.1980", ""});
  EXPECT_EQ(Run({"find", "name", "ig"}).Out, "ig\nIgor;;;;15.07.1980;\n");
  EXPECT_EQ(Run({"find", "home", "044 12"}).Out, "044 12\nAnna;044 123-45-67;;;01.05.1970;\n");
  EXPECT_EQ(Run({"find", "birth", "1"}).Out, "01\nAnna;044 123-45-67;;;01.05.1970;\n");
}

TEST_F(BookCtlTest, BirthdaysOfAGivenDay) {
  Run({"add", "Anna", "", "", "", "12.12.1990", ""});
  EXPECT_EQ(Run({"birthdays", "--today", "2026-12-11"}).Out,
            "Do not forget to felicitate births on a day!\n12 December 2026  (tomorrow)\n\nAnna\n36\n--\n");
  EXPECT_TRUE(Run({"--lang", "ukr", "birthdays", "--today", "2026-12-12"}).Out.starts_with(
      "Не забудьте привітати з днем народження!\n12 грудня 2026  (сьогодні)"));
  EXPECT_EQ(Run({"birthdays", "--today", "2026-06-01"}).Out, "");
}

TEST_F(BookCtlTest, ExportAndImportRoundTrip) {
  Run({"add", "Анна; \"Ганна\"", "0441234567", "", "", "05.03.1980", "two\r\nlines"});
  Run({"add", "Boris", "", "", "", "", ""});
  const std::string exported = (folder / "out.csv").string();
  ASSERT_EQ(Run({"export", exported}).Status, 0);
  const std::string bytes = FileText(exported);
  EXPECT_EQ(bytes, Utf8ToCp1251("Name;Domestic;Working;Mobile;Birthday;Note\r\n"
                                "\"Анна; \"\"Ганна\"\"\";044 123-45-67;;;05.03.1980;two ~ lines\r\n"
                                "Boris;;;;;\r\n"));

  std::filesystem::remove(folder / "book.dat");
  // Written in English, read while the program speaks Russian.
  const TRun imported = Run({"--lang", "rus", "import", exported});
  EXPECT_EQ(imported.Status, 0);
  EXPECT_EQ(Run({"list"}).Out, "\"Анна; \"\"Ганна\"\"\";044 123-45-67;;;05.03.1980;two ~ lines\nBoris;;;;;\n");
}

TEST_F(BookCtlTest, ImportReadsBothEncodingsAndReportsRefusedLines) {
  const std::string lines =
      "Абонент;Домашній;Робочий;Мобільний;Дата;Примітка\r\n"
      "\r\n"
      "Олена;111;;;01.02.2000\r\n"
      "Bad;;;;31.02.2000;\r\n"
      "Тарас;222\n";
  Write("cp1251.csv", Utf8ToCp1251(lines));
  Write("utf8.csv", lines);
  for (const char* name : {"cp1251.csv", "utf8.csv"}) {
    std::filesystem::remove(folder / "book.dat");
    const TRun run = Run({"import", (folder / name).string()});
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "New contacts are added: 2\nData strings missed in import file: 1\n");
    EXPECT_EQ(run.Err, "bookctl: line 4: Can't import data string: Bad;;;;31.02.2000;\n");
    EXPECT_EQ(Run({"list"}).Out, "Олена;1-11;;;01.02.2000;\nТарас;2-22;;;;\n") << name;
  }
  Write("headers.csv", "Name;Domestic;Working;Mobile;Birthday;Note\r\n\r\n  \r\n");
  EXPECT_EQ(Run({"import", (folder / "headers.csv").string()}).Out, "New contacts are added: 0\n");
  EXPECT_EQ(Run({"import", (folder / "missing.csv").string()}).Status, 1);
}
