// The grid of the main window over the contact book on a large generated file (1,000,000
// contacts by default), in a window of 800 x 600 pixels on the offscreen platform:
//   key      one typed character in the name, home telephone or birthday column: the key event
//            through the grid, the book's search it starts, and a synchronous repaint of the whole
//            window. The typed texts are sampled contacts' values typed key by key, each a new
//            search; birthdays as day.month.year, .month.year and ..year. The window is painted
//            whole, into an image of its size, after every key.
//   scroll   one repaint of the whole window after a scroll by a page, and how many cells it
//            painted (each painted cell asks the table for its text once) against the visible ones.
// A key that makes another order active builds that index over every contact: the first key in
// a column whose order is not active, and the "." or ".." that opens a birthday typed in another
// order. Such keys are timed apart from the others and reported on a line of their own.
//
// Usage: GridBench [--records=1000000] [--dir=FOLDER] [Google Benchmark flags]
// Per key press the table gives the median and the 90th percentile (medians of the repetitions).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchFolder.h"
#include "BenchReport.h"
#include "BookData.h"
#include "ContactGenerator.h"
#include "DataGrid.h"
#include "DesignFont.h"
#include "TextConst.h"
#include "TextIntface.h"
#include "TypedTexts.h"
#include "UField.h"
#include "UserCollation.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kSeed = 20240601;
// A Cyrillic locale: the collation the user of a Ukrainian desktop gets.
const char* const kLocale = "uk_UA.UTF-8";
constexpr int kEnglish = 2;
constexpr double kFrameMicroseconds = 16000;
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;

struct TOptions {
  int records = 1000000;
  fs::path parent = fs::temp_directory_path();
};

TOptions& Options() {
  static TOptions options;
  return options;
}

double Microseconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::micro>(to - from).count();
}

// The grid's cell painter with a count of the cells it painted.
class TCountingPainter : public QAbstractItemDelegate {
public:
  TCountingPainter(QAbstractItemDelegate* painter, QObject* parent)
      : QAbstractItemDelegate(parent), painter_(painter) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    ++Painted;
    painter_->paint(painter, option, index);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return painter_->sizeHint(option, index);
  }
  mutable int Painted = 0;

private:
  QAbstractItemDelegate* painter_;
};

// --- the world: the book, the grid over it, the typed texts ---

class TWorld {
public:
  enum { ColName = 1, ColHouse, ColWork, ColBirth };

  TWorld() {
    const std::vector<TContact> contacts =
        GenerateContacts(static_cast<std::size_t>(Options().records), kSeed);
    WriteContactFile((DataFolder() / "book.dat").string(), contacts);
    names_ = SampledNames(contacts, 400);
    houses_ = SampledHouses(contacts, 400);
    births_ = SampledBirths(contacts, 400);
    book_ = std::make_unique<TBook>(DataFolder().string());
    book_->Open(false);
    MakeGrid();
  }
  ~TWorld() {
    grid_.reset();
    book_.reset();
  }
  TWorld(const TWorld&) = delete;
  TWorld& operator=(const TWorld&) = delete;

  TDataGrid& Grid() { return *grid_; }
  TTableBook& Table() { return book_->Table(); }
  TCountingPainter& Painter() { return *painter_; }
  const std::vector<std::string>& Names() const { return names_; }
  const std::vector<std::string>& Houses() const { return houses_; }
  const std::vector<std::string>& Births(int order) const {
    return births_[static_cast<std::size_t>(order)];
  }

  // Moves to the column as a click would, ending any search.
  void SelectColumn(int column) {
    grid_->StopSearch();
    grid_->setCurrentIndex(grid_->model()->index(grid_->Row(), column - grid_->FixedCols()));
    QApplication::processEvents();
  }

  // One key press of a typed character, as the window receives it: the grid's search.
  void Press(QChar character) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
    QApplication::sendEvent(grid_.get(), &press);
  }

  // Every pixel of the window painted at once: captions, indicator, every visible cell, scroll
  // bar. The event loop would often paint less (only the current cell while the found contact
  // stays in view); this is the most a key press can cost.
  void PaintWindow() { grid_->render(&frame_); }

private:
  // The four columns of the main window, each searching through the book.
  void MakeGrid() {
    TTableBook& table = book_->Table();
    const TTextRecord& texts = CurrentTexts();
    const std::vector<TDataColumn> columns = {
        {TTableBook::FieldName, Qt::AlignLeft, 130, texts.ColName, &table.IndName, true},
        {TTableBook::FieldHouse, Qt::AlignRight, 80, texts.ColHouse, &table.IndHouse, true},
        {TTableBook::FieldWork, Qt::AlignRight, 80, texts.ColWork, &table.IndWork, true},
        {TTableBook::FieldBirth, Qt::AlignHCenter, 80, texts.ColBirth, &table.IndBirthDay, true}};
    grid_ = std::make_unique<TDataGrid>(nullptr, false, columns, &table);
    grid_->OnSearchChange = [this](std::string& text) {
      switch (grid_->Col()) {
        case ColName: book_->FindName(text); break;
        case ColHouse: book_->FindHouse(text); break;
        case ColWork: book_->FindWork(text); break;
        case ColBirth: book_->FindBirth(text); break;
        default: break;
      }
    };
    painter_ = new TCountingPainter(grid_->itemDelegate(), grid_.get());
    grid_->setItemDelegate(painter_);
    grid_->setFont(DesignFont());
    grid_->resize(kWindowWidth, kWindowHeight);
    frame_ = QImage(grid_->size(), QImage::Format_ARGB32_Premultiplied);
    grid_->show();
    QApplication::setActiveWindow(grid_.get());
    grid_->setFocus();
    QApplication::processEvents();
  }

  std::unique_ptr<TBook> book_;
  std::unique_ptr<TDataGrid> grid_;
  TCountingPainter* painter_ = nullptr;
  QImage frame_;
  std::vector<std::string> names_;
  std::vector<std::string> houses_;
  std::array<std::vector<std::string>, 3> births_;
};

std::unique_ptr<TWorld>& CurrentWorld() {
  static std::unique_ptr<TWorld> world;
  return world;
}

TWorld& World() {
  if (!CurrentWorld()) CurrentWorld() = std::make_unique<TWorld>();
  return *CurrentWorld();
}

// The keys that made another order active, in microseconds.
std::vector<double>& OrderSwitches() {
  static std::vector<double> times;
  return times;
}

// --- the benchmarks ---

// Counters of one repetition: the median, 90th percentile and maximum of its times, and the
// cells painted per repaint.
void SetCounters(benchmark::State& state, const std::vector<double>& times, double cells) {
  using benchmark::Counter;
  state.counters["p50_us"] = Median(times);
  state.counters["p90_us"] = Percentile(times, 90);
  state.counters["max_us"] = times.empty() ? 0 : Percentile(times, 100);
  state.counters["cells"] = times.empty() ? 0 : cells / static_cast<double>(times.size());
}

// Each iteration times one key press that keeps the active order; one that changes it is
// timed apart and the next key follows within the same iteration.
void TypeInColumn(benchmark::State& state, int column, const std::vector<std::string>& values) {
  TWorld& world = World();
  world.SelectColumn(column);
  std::vector<QString> typed;
  for (const std::string& value : values) typed.push_back(QString::fromStdString(value));
  std::size_t text = 0;
  qsizetype position = 0;
  std::vector<double> times, searches;
  double cells = 0;
  for (auto _ : state) {
    for (;;) {
      if (position == typed[text].size()) {  // the next text is a new search
        world.Grid().StopSearch();
        QApplication::processEvents();
        text = (text + 1) % typed.size();
        position = 0;
      }
      const TIndex* const order = world.Table().GetIndex();
      world.Painter().Painted = 0;
      const auto start = Clock::now();
      world.Press(typed[text][position++]);
      const auto searched = Clock::now();
      world.PaintWindow();
      const double microseconds = Microseconds(start, Clock::now());
      const int painted = world.Painter().Painted;
      QApplication::processEvents();  // what the key left for the event loop, untimed
      if (world.Table().GetIndex() != order) {
        OrderSwitches().push_back(microseconds);
        continue;
      }
      state.SetIterationTime(microseconds / 1e6);
      times.push_back(microseconds);
      searches.push_back(Microseconds(start, searched));
      cells += painted;
      break;
    }
  }
  world.Grid().StopSearch();
  SetCounters(state, times, cells);
  state.counters["search_us"] = Median(searches);
}

// The cells of the rows the viewport shows, wholly or partly.
int VisibleCells(TDataGrid& grid) {
  const int first = grid.rowAt(0);
  int last = grid.rowAt(grid.viewport()->height() - 1);
  if (last < 0) last = grid.model()->rowCount() - 1;
  return (last - first + 1) * grid.model()->columnCount();
}

void ScrollByPage(benchmark::State& state) {
  TWorld& world = World();
  world.SelectColumn(TWorld::ColName);
  QScrollBar* bar = world.Grid().verticalScrollBar();
  std::vector<double> times;
  double cells = 0, visible = 0;
  for (auto _ : state) {
    if (bar->value() + bar->pageStep() > bar->maximum()) {
      bar->setValue(0);
    } else {
      bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    }
    world.Painter().Painted = 0;
    const auto start = Clock::now();
    world.PaintWindow();
    const double microseconds = Microseconds(start, Clock::now());
    state.SetIterationTime(microseconds / 1e6);
    times.push_back(microseconds);
    cells += world.Painter().Painted;
    visible += VisibleCells(world.Grid());
    QApplication::processEvents();
  }
  SetCounters(state, times, cells);
  state.counters["visible"] = visible / static_cast<double>(times.size());
}

void Register(const char* name, int iterations, const std::function<void(benchmark::State&)>& function) {
  benchmark::RegisterBenchmark(name, function)
      ->Iterations(iterations)
      ->Repetitions(3)
      ->ReportAggregatesOnly(true)
      ->UseManualTime()
      ->Unit(benchmark::kMicrosecond);
}

void RegisterAll() {
  using benchmark::State;
  Register("key/name", 2000, [](State& s) { TypeInColumn(s, TWorld::ColName, World().Names()); });
  Register("key/house", 2000, [](State& s) { TypeInColumn(s, TWorld::ColHouse, World().Houses()); });
  Register("key/birth-day", 1500,
           [](State& s) { TypeInColumn(s, TWorld::ColBirth, World().Births(BirthByDay)); });
  Register("key/birth-month", 1000,
           [](State& s) { TypeInColumn(s, TWorld::ColBirth, World().Births(BirthByMonth)); });
  // Every "..year" search activates the month order and then the year order: few of them.
  Register("key/birth-year", 40,
           [](State& s) { TypeInColumn(s, TWorld::ColBirth, World().Births(BirthByYear)); });
  Register("scroll/page", 1000, ScrollByPage);
}

// --- the report ---

void KeyRow(const std::string& what, const TMedian* m, const std::string& note) {
  if (m == nullptr) return;
  const double p90 = m->Counter("p90_us");
  PrintTargetRow({what, FormatMicroseconds(m->Counter("p50_us")), FormatMicroseconds(p90)}, p90,
                 kFrameMicroseconds, note);
}

void PrintTable(const std::map<std::string, TMedian>& medians) {
  std::printf("\n%d contacts; collation locale \"%s\" (LC_ALL=%s); window %d x %d.\n",
              Options().records, UserCollationLocale().c_str(), kLocale, kWindowWidth, kWindowHeight);
  std::printf("Per key press or repaint; medians of the repetitions; met: the 90th percentile under the target.\n\n");
  std::printf("| measure | median | 90th percentile | target | met | note |\n|---|---:|---:|---:|---|---|\n");
  struct TLine {
    const char* name;
    const char* label;
  };
  for (const TLine& line : {TLine{"key/name", "key in the name column + repaint"},
                            TLine{"key/house", "key in the home column + repaint"},
                            TLine{"key/birth-day", "key in the birthday column, d.m.y + repaint"},
                            TLine{"key/birth-month", "key in the birthday column, .m.y + repaint"},
                            TLine{"key/birth-year", "key in the birthday column, ..y + repaint"}}) {
    if (const TMedian* m = FindMedian(medians, line.name)) {
      char note[128];
      std::snprintf(note, sizeof(note), "key event and search %s (median); max %s; %.0f cells painted",
                    FormatMicroseconds(m->Counter("search_us")).c_str(),
                    FormatMicroseconds(m->Counter("max_us")).c_str(), m->Counter("cells"));
      KeyRow(line.label, m, note);
    }
  }
  if (const TMedian* m = FindMedian(medians, "scroll/page")) {
    char note[96];
    std::snprintf(note, sizeof(note), "%.0f cell texts asked for, %.0f cells visible",
                  m->Counter("cells"), m->Counter("visible"));
    KeyRow("repaint of the window after a scroll by a page", m, note);
  }
  const std::vector<double>& switches = OrderSwitches();
  if (!switches.empty()) {
    char note[128];
    std::snprintf(note, sizeof(note), "%zu keys; each builds the new order's index over every contact",
                  switches.size());
    PrintTargetRow({"key that makes another order active", FormatMicroseconds(Median(switches)),
                    FormatMicroseconds(Percentile(switches, 90))},
                   Percentile(switches, 90), kFrameMicroseconds, note);
  }
}

bool ParseArguments(int count, char** arguments) {
  TOptions& options = Options();
  for (int i = 1; i < count; ++i) {
    const std::string argument = arguments[i];
    if (argument.rfind("--records=", 0) == 0) {
      options.records = std::stoi(argument.substr(10));
    } else if (argument.rfind("--dir=", 0) == 0) {
      options.parent = argument.substr(6);
    } else {
      std::fprintf(stderr, "unknown argument: %s\n", argument.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // Before the first comparison: the collator is opened once, from the environment.
  setenv("LC_ALL", kLocale, 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  if (!ParseArguments(argc, argv)) return 2;
  QApplication application(argc, argv);
  const TBenchFolder folder(Options().parent, "gridbench");

  RegisterEngineFieldClasses();
  SelectLanguage(kEnglish);
  int status = 0;
  try {
    RegisterAll();
    TMedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintTable(reporter.Medians());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "GridBench: %s\n", error.what());
    status = 1;
  }
  CurrentWorld().reset();
  benchmark::Shutdown();
  return status;
}
