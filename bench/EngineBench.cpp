// The table engine against the bare work it stands for and against SQLite, on contact files of
// 10,000, 100,000 and 1,000,000 generated records:
//   open      read, validate and load every record, against reading the file into one array
//   activate  sorting the array by the 36-byte name
//   find      one FindFirst by name (FindText), key conversion and loading the fields included
//   append, rewrite, delete   one durable change, with the name index active, each moving the
//             most elements it can: the new record sorts first, the rewritten one goes from one
//             end of the name order to the other, the deleted one is the first
// Each durable change is timed alone; what puts the table back (deleting the appended record,
// appending a record for the next delete) runs outside the clock, so every change meets the same
// number of records. Flushes are counted per change (SyncCounter.h).
//
// Usage: EngineBench [--sizes=10000,100000,1000000] [--dir=FOLDER] [Google Benchmark flags]
// The folder (default: the system's temporary folder) must be on the disk whose flushes are to
// be measured, not in memory.

#include <benchmark/benchmark.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "BareWork.h"
#include "BenchFolder.h"
#include "BenchReport.h"
#include "ContactGenerator.h"
#include "SqliteContacts.h"
#include "SyncCounter.h"
#include "UIndex.h"
#include "UTable.h"

namespace {

constexpr std::uint32_t kSeed = 20240601;
// Names outside the generated ones' range: "!" orders before every letter, "я" after every
// capital, in code page 1251 bytes and in UTF-8 alike.
const char* const kFirstName = "!!! First";
const char* const kLastName = "яяя Last";

// Everything one size needs: the contacts, the engine's file, a bare copy and the SQLite
// database, made once and kept while the benchmarks of that size run.
class TSizeWorld {
public:
  explicit TSizeWorld(int records)
      : records_(records), stem_((DataFolder() / ("contacts-" + std::to_string(records))).string()) {
    enginePath_ = stem_ + ".dat";
    barePath_ = stem_ + "-bare.dat";
    sqlitePath_ = stem_ + ".sqlite";
    contacts_ = GenerateContacts(static_cast<std::size_t>(records), kSeed);
    WriteContactFile(enginePath_, contacts_);
    std::filesystem::copy_file(enginePath_, barePath_, std::filesystem::copy_options::overwrite_existing);
    TSqliteContacts::Build(sqlitePath_, contacts_);
    for (const std::string& path : {enginePath_, barePath_, sqlitePath_}) FlushToDisk(path);
  }
  ~TSizeWorld() {
    table_.reset();
    for (const char* suffix : {".dat", "-bare.dat", ".sqlite", ".sqlite-journal", ".sqlite-wal", ".sqlite-shm"}) {
      std::error_code ignored;
      std::filesystem::remove(stem_ + suffix, ignored);
    }
  }

  int Records() const { return records_; }
  const std::vector<TContact>& Contacts() const { return contacts_; }
  const std::string& EnginePath() const { return enginePath_; }
  const std::string& BarePath() const { return barePath_; }
  const std::string& SqlitePath() const { return sqlitePath_; }

  // The open table, in browse state with the name index active.
  TEngineContacts& Table() {
    if (!table_) {
      table_ = std::make_unique<TEngineContacts>(enginePath_);
      table_->table.SetIndex(&table_->byName);
    }
    return *table_;
  }
  void CloseTable() { table_.reset(); }

  // A contact that orders before all others by name.
  TContact FrontContact(std::size_t i) const {
    TContact contact = contacts_[i % contacts_.size()];
    contact.name = kFirstName;
    return contact;
  }

private:
  // So that the first flush measured does not write out the whole set-up.
  static void FlushToDisk(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    if (file != nullptr) {
      fdatasync(fileno(file));
      std::fclose(file);
    }
  }

  int records_;
  std::string stem_;
  std::vector<TContact> contacts_;
  std::string enginePath_, barePath_, sqlitePath_;
  std::unique_ptr<TEngineContacts> table_;
};

std::unique_ptr<TSizeWorld>& CurrentWorld() {
  static std::unique_ptr<TSizeWorld> world;
  return world;
}

// One size at a time is kept; asking for another frees the previous one first.
TSizeWorld& World(int records) {
  std::unique_ptr<TSizeWorld>& world = CurrentWorld();
  if (!world || world->Records() != records) {
    world.reset();
    world = std::make_unique<TSizeWorld>(records);
  }
  return *world;
}

// Times `change` alone; `prepare` and `restore` run outside the clock. Flushes are counted for
// the change only.
template <typename Prepare, typename Change, typename Restore>
void TimeChanges(benchmark::State& state, Prepare prepare, Change change, Restore restore) {
  std::uint64_t flushes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    prepare();
    const std::uint64_t before = FlushCount();
    state.ResumeTiming();
    change();
    state.PauseTiming();
    flushes += FlushCount() - before;
    restore();
    state.ResumeTiming();
  }
  state.counters["flushes"] = benchmark::Counter(static_cast<double>(flushes), benchmark::Counter::kAvgIterations);
}

void Nothing() {}

// --- open, index, search ---

// The engine's open and the baseline alternate within each iteration, so that a disturbance from
// elsewhere on the machine falls on both alike. The benchmark's time is the engine's; the
// baseline's time and the ratio of the two are counters.
void OpenEngineAndBaseline(benchmark::State& state, int records) {
  using Clock = std::chrono::steady_clock;
  TSizeWorld& world = World(records);
  world.CloseTable();
  double engineSeconds = 0;
  double baselineSeconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    std::optional<TEngineContacts> contacts(std::in_place, world.EnginePath());
    const auto opened = Clock::now();
    contacts.reset();
    const auto baselineStart = Clock::now();
    auto bytes = ReadFileInBlocks(world.EnginePath());
    benchmark::DoNotOptimize(bytes.get());
    const auto read = Clock::now();
    bytes.reset();
    const double engine = std::chrono::duration<double>(opened - start).count();
    engineSeconds += engine;
    baselineSeconds += std::chrono::duration<double>(read - baselineStart).count();
    state.SetIterationTime(engine);
  }
  state.counters["baseline_us"] =
      benchmark::Counter(baselineSeconds * 1e6, benchmark::Counter::kAvgIterations);
  state.counters["ratio"] = engineSeconds / baselineSeconds;
}

void ActivateNameIndex(benchmark::State& state, int records) {
  TEngineContacts& contacts = World(records).Table();
  for (auto _ : state) {
    state.PauseTiming();
    contacts.table.SetIndex(&contacts.byId);  // back to file order, in linear time
    state.ResumeTiming();
    contacts.table.SetIndex(&contacts.byName);
  }
}

void FindByName(benchmark::State& state, int records) {
  TSizeWorld& world = World(records);
  TEngineContacts& contacts = world.Table();
  contacts.table.SetIndex(&contacts.byName);
  // Whole names and three-letter beginnings, spread over the file.
  std::vector<std::string> keys;
  for (std::size_t i = 0; i < 1024; ++i) {
    const std::string& name = world.Contacts()[i * 7919 % world.Contacts().size()].name;
    keys.push_back(i % 2 == 0 ? name : name.substr(0, name[0] & 0x80 ? 6 : 3));
  }
  std::size_t i = 0;
  for (auto _ : state) contacts.table.FindText(keys[i++ % keys.size()]);
}

// --- durable changes: engine ---

void AppendEngine(benchmark::State& state, int records) {
  TSizeWorld& world = World(records);
  TEngineContacts& contacts = world.Table();
  std::size_t i = 0;
  TimeChanges(
      state,
      [&] {
        contacts.table.Insert();
        AssignContact(contacts.schema, world.FrontContact(i++));
      },
      [&] { contacts.table.Post(); }, [&] { contacts.table.Delete(); });
}

void RewriteEngine(benchmark::State& state, int records) {
  TEngineContacts& contacts = World(records).Table();
  TTable& table = contacts.table;
  table.GoTo(0);
  TimeChanges(
      state,
      [&] {
        const bool atFront = table.RecNo() == 0;
        table.Edit();
        contacts.schema.name.SetAsString(atFront ? kLastName : kFirstName);
      },
      [&] { table.Post(); }, Nothing);
}

void DeleteEngine(benchmark::State& state, int records) {
  TSizeWorld& world = World(records);
  TEngineContacts& contacts = world.Table();
  std::size_t i = 0;
  TimeChanges(
      state, [&] { contacts.table.GoTo(0); }, [&] { contacts.table.Delete(); },
      [&] {
        contacts.table.Insert();
        AssignContact(contacts.schema, world.FrontContact(i++));
        contacts.table.Post();
      });
}

// --- durable changes: the same work bare ---

std::unique_ptr<TBareContactFile> BareFile(int records) {
  TSizeWorld& world = World(records);
  return std::make_unique<TBareContactFile>(world.BarePath(), records, world.Table().table.ElemSize());
}

void AppendBare(benchmark::State& state, int records) {
  auto bare = BareFile(records);
  TimeChanges(state, Nothing, [&] { bare->Append(); }, [&] { bare->Delete(); });
}

void RewriteBare(benchmark::State& state, int records) {
  auto bare = BareFile(records);
  TimeChanges(state, Nothing, [&] { bare->Rewrite(); }, Nothing);
}

void DeleteBare(benchmark::State& state, int records) {
  auto bare = BareFile(records);
  TimeChanges(state, Nothing, [&] { bare->Delete(); }, [&] { bare->Append(); });
}

void MoveBare(benchmark::State& state, int records) {
  auto bare = BareFile(records);
  TimeChanges(state, Nothing, [&] { bare->MoveElements(); }, Nothing);
}

void FlushOverwriteBare(benchmark::State& state, int records) {
  auto bare = BareFile(records);
  TimeChanges(state, Nothing, [&] { bare->OverwriteAndFlush(); }, Nothing);
}

void FlushAppendBare(benchmark::State& state, int records) {
  auto bare = BareFile(records);
  TimeChanges(state, Nothing, [&] { bare->AppendAndFlush(); }, Nothing);
}

// --- durable changes: SQLite ---

void AppendSqlite(benchmark::State& state, int records, const char* mode) {
  TSizeWorld& world = World(records);
  TSqliteContacts db(world.SqlitePath(), mode);
  std::size_t i = 0;
  std::int64_t id = 0;
  TimeChanges(
      state, Nothing, [&] { id = db.Insert(world.FrontContact(i++)); }, [&] { db.Remove(id); });
}

void RewriteSqlite(benchmark::State& state, int records, const char* mode) {
  TSqliteContacts db(World(records).SqlitePath(), mode);
  const std::int64_t id = db.FirstByName();
  bool atFront = true;
  TimeChanges(
      state, Nothing, [&] { db.Rename(id, atFront ? kLastName : kFirstName); },
      [&] { atFront = !atFront; });
}

void DeleteSqlite(benchmark::State& state, int records, const char* mode) {
  TSizeWorld& world = World(records);
  TSqliteContacts db(world.SqlitePath(), mode);
  std::size_t i = 0;
  std::int64_t id = db.Insert(world.FrontContact(i++));
  TimeChanges(
      state, Nothing, [&] { db.Remove(id); }, [&] { id = db.Insert(world.FrontContact(i++)); });
}

// --- registration ---

// Repetitions and iterations by size: the machine is small and shared, so medians of several
// runs; the largest size moves hundreds of megabytes per change and gets fewer.
struct TPlan {
  int repetitions;
  int changeIterations;
  int openIterations;
  int activateIterations;
};

TPlan PlanFor(int records) {
  if (records <= 10000) return {15, 20, 50, 10};
  if (records <= 100000) return {11, 15, 10, 3};
  return {7, 5, 2, 1};
}

template <typename Function, typename... Extra>
benchmark::internal::Benchmark* Register(const std::string& name, int iterations, int repetitions,
                                         Function function, int records, Extra... extra) {
  return benchmark::RegisterBenchmark(name.c_str(),
                                      [=](benchmark::State& state) { function(state, records, extra...); })
      ->Iterations(iterations)
      ->Repetitions(repetitions)
      ->ReportAggregatesOnly(true)
      ->Unit(benchmark::kMicrosecond);
}

// Timed by the wall clock, not the processor: durable changes spend their time waiting for the disk.
template <typename... Arguments>
void RegisterWallClock(Arguments... arguments) {
  Register(arguments...)->UseRealTime();
}

void RegisterSize(int records, bool first) {
  const TPlan plan = PlanFor(records);
  const int reps = plan.repetitions;
  Register(BenchName("open", "engine", records), plan.openIterations, reps, OpenEngineAndBaseline, records)
      ->UseManualTime();
  RegisterWallClock(BenchName("activate", "engine", records), plan.activateIterations, std::min(reps, 5),
           ActivateNameIndex, records);
  RegisterWallClock(BenchName("find", "engine", records), 100000, reps, FindByName, records);
  const int changes = plan.changeIterations;
  RegisterWallClock(BenchName("append", "engine", records), changes, reps, AppendEngine, records);
  RegisterWallClock(BenchName("append", "bare", records), changes, reps, AppendBare, records);
  RegisterWallClock(BenchName("append", "sqlite-delete", records), changes, reps, AppendSqlite, records, "DELETE");
  RegisterWallClock(BenchName("append", "sqlite-wal", records), changes, reps, AppendSqlite, records, "WAL");
  RegisterWallClock(BenchName("rewrite", "engine", records), changes, reps, RewriteEngine, records);
  RegisterWallClock(BenchName("rewrite", "bare", records), changes, reps, RewriteBare, records);
  RegisterWallClock(BenchName("rewrite", "sqlite-delete", records), changes, reps, RewriteSqlite, records, "DELETE");
  RegisterWallClock(BenchName("rewrite", "sqlite-wal", records), changes, reps, RewriteSqlite, records, "WAL");
  RegisterWallClock(BenchName("delete", "engine", records), changes, reps, DeleteEngine, records);
  RegisterWallClock(BenchName("delete", "bare", records), changes, reps, DeleteBare, records);
  RegisterWallClock(BenchName("delete", "sqlite-delete", records), changes, reps, DeleteSqlite, records, "DELETE");
  RegisterWallClock(BenchName("delete", "sqlite-wal", records), changes, reps, DeleteSqlite, records, "WAL");
  RegisterWallClock(BenchName("move", "bare", records), changes, reps, MoveBare, records);
  if (first) {
    RegisterWallClock(BenchName("flush-overwrite", "bare", records), changes, reps, FlushOverwriteBare, records);
    RegisterWallClock(BenchName("flush-append", "bare", records), changes, reps, FlushAppendBare, records);
  }
}

std::vector<int> ParseSizes(const std::string& text) {
  std::vector<int> sizes;
  std::stringstream list(text);
  for (std::string item; std::getline(list, item, ',');) sizes.push_back(std::stoi(item));
  return sizes;
}


}  // namespace

int main(int argc, char** argv) {
  // The disk's flush time drifts with whatever else the machine does: repetitions of different
  // benchmarks are interleaved at random, so a slow spell falls on every line of a table alike.
  std::vector<char*> arguments(argv, argv + argc);
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  arguments.insert(arguments.begin() + 1, interleave.data());
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  std::vector<int> sizes{10000, 100000, 1000000};
  std::filesystem::path parent = std::filesystem::temp_directory_path();
  for (int i = 1; i < count; ++i) {
    const std::string argument = arguments[static_cast<std::size_t>(i)];
    if (argument.rfind("--sizes=", 0) == 0) {
      sizes = ParseSizes(argument.substr(8));
    } else if (argument.rfind("--dir=", 0) == 0) {
      parent = argument.substr(6);
    } else {
      std::fprintf(stderr, "unknown argument: %s\n", argument.c_str());
      return 2;
    }
  }
  WarnIfInMemory(parent);
  const TBenchFolder folder(parent, "bench");

  RegisterEngineFieldClasses();
  for (std::size_t i = 0; i < sizes.size(); ++i) RegisterSize(sizes[i], i == 0);
  TMedianReporter reporter;
  // One size at a time, so that interleaving never has to build another size's files.
  for (const int records : sizes) {
    benchmark::RunSpecifiedBenchmarks(&reporter, "/" + std::to_string(records) + "/");
  }
  PrintSummary(reporter.Medians(), sizes);

  CurrentWorld().reset();  // closes the last size's files and removes them
  benchmark::Shutdown();
  return 0;
}
