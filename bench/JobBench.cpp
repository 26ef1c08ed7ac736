// The export and print jobs on large books, timed as the user meets them:
//   JobBench [--export=100000] [--print=10000] [--dir=/tmp]
// The export writes a generated book of --export contacts to CSV through the export job and
// sets it against writing the same lines in one plain buffered loop; the print lays out and
// writes --print contacts as a PDF report through the print manager's own path.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QApplication>

#include "BenchFolder.h"
#include "BookDataOpen.h"
#include "ContactGenerator.h"
#include "EximRep.h"
#include "Print.h"
#include "TextIntface.h"
#include "UField.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

int Argument(int argc, char** argv, const std::string& name, int fallback) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument.starts_with(name + "=")) return std::atoi(argument.c_str() + name.size() + 1);
  }
  return fallback;
}

std::string Folder(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument.starts_with("--dir=")) return argument.substr(6);
  }
  return fs::temp_directory_path().string();
}

// A book of count generated contacts in its own folder, open and in name order.
void OpenGeneratedBook(const fs::path& folder, int count) {
  fs::create_directories(folder);
  WriteContactFile((folder / "book.dat").string(), GenerateContacts(static_cast<std::size_t>(count), 7));
  Book = std::make_unique<TBook>(folder.string() + "/");
  Book->Open(false);
}

std::vector<std::string> FileLines(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line + "\n");
  return lines;
}

void TimeExport(const fs::path& folder, int count) {
  OpenGeneratedBook(folder / "export", count);
  const fs::path csv = folder / "export" / "out.csv";
  SetJobDialogs({[&](const TFileRequest&) { return std::optional<std::string>(csv.string()); },
                 [](const std::string& text, const std::string&, int, const std::string&,
                    const std::string&, const std::string&, const std::string&) {
                   std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
                   return 1;
                 }});
  const auto jobStart = Clock::now();
  {
    TCsvExport job;
    job.Execute();
  }
  const double job = Seconds(jobStart);

  const std::vector<std::string> lines = FileLines(csv);
  const auto plainStart = Clock::now();
  {
    std::ofstream plain(folder / "export" / "plain.csv", std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) plain << line;
  }
  const double plain = Seconds(plainStart);
  std::printf("export %d contacts: %.3f s (%.1f MB); the same bytes in a plain loop: %.3f s; ratio %.1f\n",
              count, job, static_cast<double>(fs::file_size(csv)) / 1e6, plain, job / plain);
  Book.reset();
}

void TimePrint(const fs::path& folder, int count) {
  OpenGeneratedBook(folder / "print", count);
  CreatePrintManager();
  const fs::path pdf = folder / "print" / "list.pdf";
  PrintManager->SetOutputFile(pdf.string());
  PrintManager->PageNoFormat = CurrentTexts().PageNoFormat;
  const auto start = Clock::now();
  {
    TListReport job;
    job.Execute();
  }
  const double seconds = Seconds(start);
  const int pages = PrintManager->PageCount();
  std::printf("print %d contacts to PDF: %.3f s, %d pages, %.0f pages/s (%.1f MB)\n", count, seconds,
              pages, pages / seconds, static_cast<double>(fs::file_size(pdf)) / 1e6);
  FreePrintManager();
  Book.reset();
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  RegisterEngineFieldClasses();
  SelectLanguage(2);
  const TBenchFolder folder(Folder(argc, argv), "jobbench");
  TimeExport(folder.Path(), Argument(argc, argv, "--export", 100000));
  TimePrint(folder.Path(), Argument(argc, argv, "--print", 10000));
  ClearFieldClassRegistry();
  return 0;
}
