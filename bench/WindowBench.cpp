// How long the main window takes to appear over a large contact book, against the open of the
// book alone, and how long one search key press takes through the window (the key event, the
// window's key filter and search, the status text and a full paint of the window).
//
// Usage: WindowBench [--records=1000000] [--dir=FOLDER] [--rounds=5]
// Runs on the offscreen platform under the Ukrainian collation, as GridBench does. Prints medians.

#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "AboutForm.h"
#include "BenchFolder.h"
#include "BenchReport.h"
#include "BookData.h"
#include "ContactGenerator.h"
#include "EditForm.h"
#include "MainForm.h"
#include "Options.h"
#include "TextIntface.h"
#include "UField.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Opens the book alone; returns milliseconds.
double TimeOpen(const fs::path& folder) {
  TBook book(folder.string() + "/");
  const auto start = Clock::now();
  book.Open(false);
  return Milliseconds(Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
  int records = 1000000, rounds = 5;
  fs::path parent = fs::temp_directory_path();
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--records=", 10) == 0) records = std::atoi(argv[i] + 10);
    else if (std::strncmp(argv[i], "--dir=", 6) == 0) parent = argv[i] + 6;
    else if (std::strncmp(argv[i], "--rounds=", 9) == 0) rounds = std::atoi(argv[i] + 9);
  }
  setenv("LC_ALL", "uk_UA.UTF-8", 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  SelectLanguage(2);
  RegisterEngineFieldClasses();

  const TBenchFolder benchFolder(parent, "window-bench");
  const fs::path& folder = benchFolder.Path();
  std::printf("Writing %d contacts...\n", records);
  WriteContactFile((folder / "book.dat").string(), GenerateContacts(static_cast<std::size_t>(records), 20240601));
  std::ofstream(folder / CfgFileName).flush();
  CreateProgOptions(folder.string());
  ProgOptions->SetTestDate(Now());  // no update check

  // The open alone and the open followed by the window up to its first painted frame, in
  // alternation so that the machine's slow spells fall on both.
  std::vector<double> opens, windows, openParts;
  for (int round = 0; round < rounds; ++round) {
    opens.push_back(TimeOpen(folder));
    TBook book(folder.string() + "/");
    const auto start = Clock::now();
    book.Open(false);
    const auto opened = Clock::now();
    {
      TMainFormBook form(book);
      auto* about = new TFormAbout(&form);
      auto* edit = new TFormEdit(&form);
      form.AttachDialogs(about, edit);
      form.TintDialogs();
      form.show();
      form.repaint();  // the first frame, painted now
      windows.push_back(Milliseconds(Clock::now() - start));
      openParts.push_back(Milliseconds(opened - start));
    }
  }

  // Key presses through the window: sampled names typed key by key in the name column.
  std::vector<double> keys;
  {
    TBook book(folder.string() + "/");
    book.Open(false);
    TMainFormBook form(book);
    auto* about = new TFormAbout(&form);
    auto* edit = new TFormEdit(&form);
    form.AttachDialogs(about, edit);
    form.resize(800, 600);
    form.show();
    QApplication::setActiveWindow(&form);
    form.repaint();
    TDataGrid& grid = *form.GridBook;
    const std::vector<TContact> sample = GenerateContacts(200, 7);
    for (const TContact& contact : sample) {
      const QString name = QString::fromStdString(contact.name).left(8);
      for (QChar c : name) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        const auto start = Clock::now();
        QApplication::sendEvent(&grid, &press);
        // A full paint of the window into a picture: an upper bound of what the screen needs.
        const QPixmap frame = form.grab();
        keys.push_back(Milliseconds(Clock::now() - start));
      }
      grid.StopSearch();
    }
  }

  const double open = Median(opens), window = Median(windows);
  std::printf("\n| measure (%d contacts, medians of %d rounds) | value |\n|---|---:|\n", records, rounds);
  std::printf("| TBook.Open alone | %.1f ms |\n", open);
  std::printf("| open + main window to its first painted frame | %.1f ms |\n", window);
  std::printf("| of which the window (after the open) | %.1f ms |\n", window - Median(openParts));
  std::printf("| window appears / open alone | %.2f (target < 2) |\n", window / open);
  std::printf("| search key press through the window, median (%zu keys) | %.3f ms |\n", keys.size(), Median(keys));
  std::printf("| search key press, 90th percentile | %.3f ms |\n", Percentile(keys, 90));
  std::printf("| search key press, slowest | %.3f ms (target < 16) |\n",
              *std::max_element(keys.begin(), keys.end()));

  FreeProgOptions();
  return 0;
}
