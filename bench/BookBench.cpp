// The contact book on a large generated file (1,000,000 contacts by default, Latin and Cyrillic
// names) under a Cyrillic locale's collation:
//   activate   making the name order current with the locale's collation, against the same
//              field in byte order (a plain string field over a copy of the file) and against
//              SQLite's CREATE INDEX with the same ICU collation (and with its byte order)
//   find       one FindName, FindHouse or FindBirth call with a typed text, as one key press of
//              the grid's search; the typed texts are every beginning of sampled contacts' values
//   birthdays  one GetBirthdays call, with the month order current, on each day of a week
//   import     the real bookctl adding a generated CSV file to a new book, against the number of
//              small write + fdatasync rounds the same disk manages per second
//
// Usage: BookBench [--records=1000000] [--import=10000] [--dir=FOLDER] [--bookctl=PATH]
//                  [Google Benchmark flags]
// The folder (default: the system's temporary folder) must be on the disk whose flushes are to be
// measured, not in memory. bookctl is looked for at ../bookctl/bookctl beside this program.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/vfs.h>
#include <unicode/ucol.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchFolder.h"
#include "BenchReport.h"
#include "BookData.h"
#include "ContactGenerator.h"
#include "CsvFormat.h"
#include "SqliteContacts.h"
#include "TextIntface.h"
#include "TypedTexts.h"
#include "UTable.h"
#include "UserCollation.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kSeed = 20240601;
constexpr std::uint32_t kImportSeed = 20240602;
// A Cyrillic locale: the collation the user of a Ukrainian desktop gets.
const char* const kLocale = "uk_UA.UTF-8";
constexpr int kEnglish = 2;

struct TOptions {
  int records = 1000000;
  int importCount = 10000;
  fs::path parent = fs::temp_directory_path();
  fs::path bookctl;
};

TOptions& Options() {
  static TOptions options;
  return options;
}

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// --- SQLite with the locale's ICU collation ---

struct TCollatorCloser {
  void operator()(UCollator* collator) const { ucol_close(collator); }
};

// The collator the contact book uses: the user's locale at secondary strength.
UCollator* BookCollator() {
  static const std::unique_ptr<UCollator, TCollatorCloser> collator = [] {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* opened = ucol_open(UserCollationLocale().c_str(), &status);
    if (U_FAILURE(status)) throw std::runtime_error("ICU collator does not open");
    ucol_setStrength(opened, UCOL_SECONDARY);
    return std::unique_ptr<UCollator, TCollatorCloser>(opened);
  }();
  return collator.get();
}

int CompareUtf8(void*, int lengthA, const void* a, int lengthB, const void* b) {
  UErrorCode status = U_ZERO_ERROR;
  return ucol_strcollUTF8(BookCollator(), static_cast<const char*>(a), lengthA,
                          static_cast<const char*>(b), lengthB, &status);
}

class TSqliteNames {
public:
  explicit TSqliteNames(const std::string& path) {
    if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) throw std::runtime_error("cannot open " + path);
    sqlite3_create_collation(db_, "USER_ICU", SQLITE_UTF8, nullptr, CompareUtf8);
    // Index building in memory, as the engine's is: no flushes, no temporary files, a cache
    // that holds the whole table.
    Execute("PRAGMA synchronous=OFF; PRAGMA temp_store=MEMORY; PRAGMA cache_size=-1000000");
    Execute("DROP INDEX IF EXISTS contacts_name");
    Execute("SELECT count(name) FROM contacts");  // the table into the cache
  }
  ~TSqliteNames() { sqlite3_close(db_); }
  TSqliteNames(const TSqliteNames&) = delete;
  TSqliteNames& operator=(const TSqliteNames&) = delete;

  // Seconds to build the index; the index is dropped again outside the clock.
  double CreateIndex(const char* collation) {
    const auto start = Clock::now();
    Execute(std::string("CREATE INDEX bench_name ON contacts(name COLLATE ") + collation + ")");
    const double seconds = Seconds(start, Clock::now());
    Execute("DROP INDEX bench_name");
    return seconds;
  }

private:
  void Execute(const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
      const std::string text = message ? message : "?";
      sqlite3_free(message);
      throw std::runtime_error(sql + ": " + text);
    }
  }

  sqlite3* db_ = nullptr;
};

// --- the world: the book, a byte-order twin of its file, SQLite, typed texts ---

class TWorld {
public:
  TWorld() : contacts_(GenerateContacts(static_cast<std::size_t>(Options().records), kSeed)) {
    const std::string bookPath = (DataFolder() / "book.dat").string();
    WriteContactFile(bookPath, contacts_);
    fs::copy_file(bookPath, DataFolder() / "plain.dat");
    BuildSqlite();
    book_ = std::make_unique<TBook>(DataFolder().string());
    book_->Open(false);
    plain_ = std::make_unique<TEngineContacts>((DataFolder() / "plain.dat").string());
    sqlite_ = std::make_unique<TSqliteNames>((DataFolder() / "book.sqlite").string());
    MakeTypedTexts();
  }

  TBook& Book() { return *book_; }
  TEngineContacts& Plain() { return *plain_; }
  TSqliteNames& Sqlite() { return *sqlite_; }
  const std::vector<std::string>& TypedNames() const { return typedNames_; }
  const std::vector<std::string>& TypedHouses() const { return typedHouses_; }
  // By the order the typed text selects: day first, month first (leading "."), year ("..").
  const std::vector<std::string>& TypedBirths(int order) const { return typedBirths_[order]; }

private:
  void BuildSqlite() {
    const std::string path = (DataFolder() / "book.sqlite").string();
    // The rows as the engine's bench has them; TSqliteNames drops their name index.
    TSqliteContacts::Build(path, contacts_);
  }

  // Every beginning of sampled values, as the user types them key by key.
  void MakeTypedTexts() {
    for (const std::string& name : SampledNames(contacts_, 400)) Append(typedNames_, EveryBeginning(name));
    for (const std::string& house : SampledHouses(contacts_, 400)) Append(typedHouses_, EveryBeginning(house));
    const auto births = SampledBirths(contacts_, 400);
    for (int order = 0; order < 3; ++order) {
      const std::size_t skipped = static_cast<std::size_t>(order);  // the leading separators
      for (const std::string& birth : births[static_cast<std::size_t>(order)]) {
        Append(typedBirths_[order], EveryBeginning(birth, skipped));
      }
    }
  }
  static void Append(std::vector<std::string>& to, const std::vector<std::string>& texts) {
    to.insert(to.end(), texts.begin(), texts.end());
  }

  std::vector<TContact> contacts_;
  std::unique_ptr<TBook> book_;
  std::unique_ptr<TEngineContacts> plain_;
  std::unique_ptr<TSqliteNames> sqlite_;
  std::vector<std::string> typedNames_;
  std::vector<std::string> typedHouses_;
  std::vector<std::string> typedBirths_[3];
};

std::unique_ptr<TWorld>& CurrentWorld() {
  static std::unique_ptr<TWorld> world;
  return world;
}

TWorld& World() {
  if (!CurrentWorld()) CurrentWorld() = std::make_unique<TWorld>();
  return *CurrentWorld();
}

// --- in-process benchmarks ---

// The four builds alternate within each iteration, so that a disturbance from elsewhere on the
// machine falls on all alike. The benchmark's time is the book's; the others are counters.
void ActivateName(benchmark::State& state) {
  TWorld& world = World();
  TTableBook& book = world.Book().Table();
  TEngineContacts& plain = world.Plain();
  double bytes = 0, icu = 0, binary = 0;
  for (auto _ : state) {
    book.SetIndex(&book.IndID);  // back to file order, in linear time
    plain.table.SetIndex(&plain.byId);
    const auto start = Clock::now();
    book.SetIndex(&book.IndName);
    const auto collated = Clock::now();
    plain.table.SetIndex(&plain.byName);
    const auto byteOrder = Clock::now();
    state.SetIterationTime(Seconds(start, collated));
    bytes += Seconds(collated, byteOrder);
    icu += world.Sqlite().CreateIndex("USER_ICU");
    binary += world.Sqlite().CreateIndex("BINARY");
  }
  using benchmark::Counter;
  state.counters["bytes_us"] = Counter(bytes * 1e6, Counter::kAvgIterations);
  state.counters["sqlite_icu_us"] = Counter(icu * 1e6, Counter::kAvgIterations);
  state.counters["sqlite_binary_us"] = Counter(binary * 1e6, Counter::kAvgIterations);
}

// The switch GetBirthdays makes at start-up, when the name order is current.
void ActivateBirthMonth(benchmark::State& state) {
  TTableBook& book = World().Book().Table();
  for (auto _ : state) {
    state.PauseTiming();
    book.SetIndex(&book.IndID);
    state.ResumeTiming();
    book.SetIndex(&book.IndBirthMonth);
  }
}

template <typename Search>
void TimeSteps(benchmark::State& state, const std::vector<std::string>& typed, Search search) {
  std::size_t i = 0;
  std::string text;
  for (auto _ : state) {
    text = typed[i++ % typed.size()];
    search(text);
  }
}

void FindName(benchmark::State& state) {
  TBook& book = World().Book();
  book.FindName("");  // the name order current outside the clock
  TimeSteps(state, World().TypedNames(), [&](std::string& text) { book.FindName(text); });
}

void FindHouse(benchmark::State& state) {
  TBook& book = World().Book();
  std::string none;
  book.FindHouse(none);
  TimeSteps(state, World().TypedHouses(), [&](std::string& text) { book.FindHouse(text); });
}

void FindBirth(benchmark::State& state, int order) {
  TBook& book = World().Book();
  std::string first = World().TypedBirths(order).front();
  book.FindBirth(first);
  TimeSteps(state, World().TypedBirths(order), [&](std::string& text) { book.FindBirth(text); });
}

// Each day of one week in turn, Friday (four days of reminders) included.
void GetBirthdays(benchmark::State& state) {
  TBook& book = World().Book();
  book.Table().SetIndex(&book.Table().IndBirthMonth);
  const TDateTime monday = EncodeDate(2025, 3, 3);
  std::vector<std::string> reminders;
  std::size_t found = 0;
  int day = 0;
  for (auto _ : state) {
    state.PauseTiming();
    SetClock([today = monday + day++ % 7 + 0.5] { return today; });
    state.ResumeTiming();
    book.GetBirthdays(reminders);
    found += reminders.size();
  }
  SetClock({});
  state.counters["reminders"] = benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}

benchmark::internal::Benchmark* Register(const char* name, int iterations, int repetitions,
                                         const std::function<void(benchmark::State&)>& function) {
  return benchmark::RegisterBenchmark(name, function)
      ->Iterations(iterations)
      ->Repetitions(repetitions)
      ->ReportAggregatesOnly(true)
      ->Unit(benchmark::kMicrosecond);
}

void RegisterAll() {
  // Wall-clock time: on a shared machine the processor time would hide waiting for it.
  Register("activate/name", 1, 5, ActivateName)->UseManualTime();
  Register("activate/birth-month", 1, 5, ActivateBirthMonth)->UseRealTime();
  Register("find/name", 20000, 7, FindName)->UseRealTime();
  Register("find/house", 20000, 7, FindHouse)->UseRealTime();
  Register("find/birth-day", 20000, 7, [](benchmark::State& s) { FindBirth(s, 0); })->UseRealTime();
  Register("find/birth-month", 20000, 7, [](benchmark::State& s) { FindBirth(s, 1); })->UseRealTime();
  Register("find/birth-year", 20000, 7, [](benchmark::State& s) { FindBirth(s, 2); })->UseRealTime();
  Register("birthdays", 70, 7, GetBirthdays)->UseRealTime();
}

// --- bookctl import and the disk's flush rate ---

// A CSV file of generated contacts, as the export writes it (English header and dates).
void WriteImportFile(const fs::path& path, int count) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << CsvFileLine(CurrentTexts().CsvHeader);
  for (const TContact& c : GenerateContacts(static_cast<std::size_t>(count), kImportSeed)) {
    const std::string birth =
        c.birth == 0 ? std::string() : FormatDateTime(CurrentFormat().ShortDateFormat, c.birth, CurrentFormat());
    file << CsvFileLine(CsvJoinLine({c.name, c.house, c.work, c.mobile, birth, c.note}));
  }
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// Runs the command and returns its standard output; throws when it fails.
std::string RunCommand(const std::string& command) {
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot run " + command);
  std::string output;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof(buffer), pipe)) > 0;) output.append(buffer, n);
  if (pclose(pipe) != 0) throw std::runtime_error("failed: " + command + "\n" + output);
  return output;
}

struct TImportResult {
  double seconds = 0;             // medians of the rounds
  double overwriteRate = 0;
  double appendRate = 0;
  double flushesPerContact = -1;  // -1: not counted (no strace)
};

std::string ImportCommand(const fs::path& data, const fs::path& csv) {
  return Quoted(Options().bookctl) + " --data " + Quoted(data) + " --lang eng import " + Quoted(csv);
}

void RemoveBook(const fs::path& data) {
  std::error_code ignored;
  fs::remove(data, ignored);
  fs::remove(data.parent_path() / "book.cfg", ignored);
}

// Seconds for bookctl to import the file into a new book.
double ImportOnce(const fs::path& data, const fs::path& csv, int count) {
  RemoveBook(data);
  const auto start = Clock::now();
  const std::string output = RunCommand(ImportCommand(data, csv));
  const double seconds = Seconds(start, Clock::now());
  if (output.find(std::to_string(count)) == std::string::npos) {
    throw std::runtime_error("bookctl did not add every contact:\n" + output);
  }
  return seconds;
}

// The flushes bookctl asks for, counted under strace on a smaller file; -1 without strace.
double FlushesPerContact(const fs::path& data) {
  if (std::system("strace -V > /dev/null 2>&1") != 0) return -1;
  const int small = std::min(Options().importCount, 1000);
  const fs::path csv = DataFolder() / "import-small.csv";
  const fs::path trace = DataFolder() / "strace.txt";
  WriteImportFile(csv, small);
  RemoveBook(data);
  RunCommand("strace -f -qq -e trace=fsync,fdatasync -o " + Quoted(trace) + " " + ImportCommand(data, csv) +
             " > /dev/null");
  std::ifstream lines(trace);
  int flushes = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.find("fdatasync(") != std::string::npos || line.find("fsync(") != std::string::npos) ++flushes;
  }
  return static_cast<double>(flushes) / small;
}

// Small writes, each followed by fdatasync, for about a second: rounds per second. Overwriting
// in place needs only the data on the disk; appending also the new size.
double FlushRate(bool append) {
  const fs::path path = DataFolder() / "flush.bin";
  const int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
  if (descriptor < 0) throw std::runtime_error("cannot create " + path.string());
  const std::vector<char> record(356, 'x');
  if (pwrite(descriptor, record.data(), record.size(), 0) < 0) throw std::runtime_error("write failed");
  fdatasync(descriptor);
  off_t end = static_cast<off_t>(record.size());
  int rounds = 0;
  const auto start = Clock::now();
  while (Seconds(start, Clock::now()) < 1.0) {
    const off_t at = append ? end : 0;
    if (pwrite(descriptor, record.data(), record.size(), at) < 0) throw std::runtime_error("write failed");
    end += append ? static_cast<off_t>(record.size()) : 0;
    fdatasync(descriptor);
    ++rounds;
  }
  const double seconds = Seconds(start, Clock::now());
  close(descriptor);
  fs::remove(path);
  return rounds / seconds;
}

// Three rounds of one import and the two bare flush loops: the disk's flush rate drifts with what
// else the machine does, so the import and its yardstick are measured side by side.
TImportResult TimeImport() {
  const int count = Options().importCount;
  const fs::path csv = DataFolder() / "import.csv";
  const fs::path data = DataFolder() / "import.dat";
  WriteImportFile(csv, count);
  std::vector<double> imports, overwrites, appends;
  for (int round = 0; round < 3; ++round) {
    imports.push_back(ImportOnce(data, csv, count));
    overwrites.push_back(FlushRate(false));
    appends.push_back(FlushRate(true));
  }
  TImportResult result{Median(imports), Median(overwrites), Median(appends), FlushesPerContact(data)};
  RemoveBook(data);
  return result;
}

// --- the report ---

void Row(const std::string& what, double microseconds, double targetMicroseconds, const std::string& note) {
  PrintTargetRow({what, FormatMicroseconds(microseconds)}, microseconds, targetMicroseconds, note);
}

void PrintSearches(const std::map<std::string, TMedian>& medians) {
  std::printf("\n%d contacts; collation locale \"%s\" (LC_ALL=%s); dates as \"%s\".\n", Options().records,
              UserCollationLocale().c_str(), kLocale, CurrentFormat().ShortDateFormat.c_str());
  std::printf("Medians of the repetitions.\n\n| measure | median | target | met | note |\n|---|---:|---:|---|---|\n");
  if (const TMedian* m = FindMedian(medians, "activate/name")) {
    const double bytes = m->Counter("bytes_us");
    const double icu = m->Counter("sqlite_icu_us");
    const double binary = m->Counter("sqlite_binary_us");
    char note[160];
    std::snprintf(note, sizeof(note), "%.2f x byte order (target < 2)", m->microseconds / bytes);
    Row("activate IndName, locale collation", m->microseconds, 1e6, note);
    Row("activate Name, byte order (plain string field)", bytes, 0, "");
    std::snprintf(note, sizeof(note), "book / SQLite ICU = %.2f", m->microseconds / icu);
    Row("SQLite CREATE INDEX, same ICU collation", icu, 0, note);
    Row("SQLite CREATE INDEX, byte order (BINARY)", binary, 0, "");
  }
  if (const TMedian* m = FindMedian(medians, "activate/birth-month")) {
    Row("activate IndBirthMonth (GetBirthdays from the name order)", m->microseconds, 0, "");
  }
  struct TTarget {
    const char* name;
    const char* label;
    double target;
  };
  for (const TTarget& t : {TTarget{"find/name", "FindName, one step", 5},
                           TTarget{"find/house", "FindHouse, one step", 5},
                           TTarget{"find/birth-day", "FindBirth day.month.year, one step", 20},
                           TTarget{"find/birth-month", "FindBirth .month.year, one step", 20},
                           TTarget{"find/birth-year", "FindBirth ..year, one step", 20}}) {
    if (const TMedian* m = FindMedian(medians, t.name)) Row(t.label, m->microseconds, t.target, "");
  }
  if (const TMedian* m = FindMedian(medians, "birthdays")) {
    char note[96];
    std::snprintf(note, sizeof(note), "%.0f reminders per call, month order current", m->Counter("reminders"));
    Row("GetBirthdays", m->microseconds, 1000, note);
  }
}

void PrintImport(const TImportResult& import) {
  const int count = Options().importCount;
  const double perSecond = count / import.seconds;
  std::printf("\n| bookctl import of %d contacts | |\n|---|---:|\n", count);
  std::printf("| whole run (median of 3) | %.2f s |\n", import.seconds);
  std::printf("| contacts per second | %.0f |\n", perSecond);
  if (import.flushesPerContact >= 0) {
    std::printf("| flushes per contact (strace, %d contacts) | %.2f |\n", std::min(count, 1000),
                import.flushesPerContact);
  }
  std::printf("| disk: write + fdatasync per second, in place | %.0f |\n", import.overwriteRate);
  std::printf("| disk: write + fdatasync per second, appending | %.0f |\n", import.appendRate);
  if (import.flushesPerContact > 0) {
    std::printf("| flushes per second during the import | %.0f |\n", perSecond * import.flushesPerContact);
  }
}

bool ParseArguments(int count, char** arguments) {
  TOptions& options = Options();
  options.bookctl = fs::read_symlink("/proc/self/exe").parent_path() / ".." / "bookctl" / "bookctl";
  for (int i = 1; i < count; ++i) {
    const std::string argument = arguments[i];
    if (argument.rfind("--records=", 0) == 0) {
      options.records = std::stoi(argument.substr(10));
    } else if (argument.rfind("--import=", 0) == 0) {
      options.importCount = std::stoi(argument.substr(9));
    } else if (argument.rfind("--dir=", 0) == 0) {
      options.parent = argument.substr(6);
    } else if (argument.rfind("--bookctl=", 0) == 0) {
      options.bookctl = argument.substr(10);
    } else {
      std::fprintf(stderr, "unknown argument: %s\n", argument.c_str());
      return false;
    }
  }
  if (!fs::exists(options.bookctl)) {
    std::fprintf(stderr, "bookctl not found at %s; pass --bookctl=PATH\n", options.bookctl.c_str());
    return false;
  }
  options.bookctl = fs::canonical(options.bookctl);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // Before the first comparison: the collator is opened once, from the environment.
  setenv("LC_ALL", kLocale, 1);
  benchmark::Initialize(&argc, argv);
  if (!ParseArguments(argc, argv)) return 2;
  WarnIfInMemory(Options().parent);
  const TBenchFolder folder(Options().parent, "bookbench");

  RegisterEngineFieldClasses();
  SelectLanguage(kEnglish);
  int status = 0;
  try {
    RegisterAll();
    TMedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    CurrentWorld().reset();  // frees the million contacts before bookctl runs
    const TImportResult import = TimeImport();
    PrintSearches(reporter.Medians());
    PrintImport(import);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "BookBench: %s\n", error.what());
    status = 1;
  }
  CurrentWorld().reset();
  benchmark::Shutdown();
  return status;
}
