#include "BenchReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

std::string Number(double value, const char* format) {
  char text[32];
  std::snprintf(text, sizeof(text), format, value);
  return text;
}

// "a / b" as a ratio, or "-" when either is missing.
std::string Ratio(const TMedian* a, const TMedian* b) {
  if (a == nullptr || b == nullptr || b->microseconds <= 0) return "-";
  return Number(a->microseconds / b->microseconds, "%.2f");
}

std::string Time(const TMedian* median, bool withFlushes) {
  if (median == nullptr) return "-";
  char text[48];
  if (withFlushes) {
    std::snprintf(text, sizeof(text), "%.0f (%.1f)", median->microseconds, median->Counter("flushes"));
  } else if (median->microseconds >= 1000) {
    std::snprintf(text, sizeof(text), "%.1f ms", median->microseconds / 1000);
  } else {
    std::snprintf(text, sizeof(text), "%.2f us", median->microseconds);
  }
  return text;
}

void PrintOpenAndSearch(const std::map<std::string, TMedian>& medians, const std::vector<int>& sizes) {
  std::printf("\n| records | open | baseline read | open / baseline | activate name index | FindFirst |\n");
  std::printf("|---:|---:|---:|---:|---:|---:|\n");
  for (const int n : sizes) {
    const TMedian* open = FindMedian(medians, BenchName("open", "engine", n));
    TMedian baseline;
    if (open != nullptr) baseline.microseconds = open->Counter("baseline_us");
    std::printf("| %d | %s | %s | %s | %s | %s |\n", n, Time(open, false).c_str(),
                Time(open ? &baseline : nullptr, false).c_str(),
                open ? Number(open->Counter("ratio"), "%.2f").c_str() : "-",
                Time(FindMedian(medians, BenchName("activate", "engine", n)), false).c_str(),
                Time(FindMedian(medians, BenchName("find", "engine", n)), false).c_str());
  }
}

void PrintChanges(const std::map<std::string, TMedian>& medians, const std::vector<int>& sizes) {
  std::printf("\nDurable changes: median microseconds per change (flushes per change)\n\n");
  std::printf("| records | change | engine | bare | engine / bare | SQLite DELETE | engine / DELETE "
              "| SQLite WAL | engine / WAL |\n");
  std::printf("|---:|---|---:|---:|---:|---:|---:|---:|---:|\n");
  for (const int n : sizes) {
    for (const char* change : {"append", "rewrite", "delete"}) {
      const TMedian* engine = FindMedian(medians, BenchName(change, "engine", n));
      const TMedian* bare = FindMedian(medians, BenchName(change, "bare", n));
      const TMedian* journal = FindMedian(medians, BenchName(change, "sqlite-delete", n));
      const TMedian* wal = FindMedian(medians, BenchName(change, "sqlite-wal", n));
      std::printf("| %d | %s | %s | %s | %s | %s | %s | %s | %s |\n", n, change,
                  Time(engine, true).c_str(), Time(bare, true).c_str(), Ratio(engine, bare).c_str(),
                  Time(journal, true).c_str(), Ratio(engine, journal).c_str(),
                  Time(wal, true).c_str(), Ratio(engine, wal).c_str());
    }
  }
}

// The block move grows with the records, a flush does not: from about flush / (move per record)
// records on, one move costs more than one flush.
void PrintCrossover(const std::map<std::string, TMedian>& medians, const std::vector<int>& sizes) {
  const TMedian* overwrite = FindMedian(medians, BenchName("flush-overwrite", "bare", sizes.front()));
  const TMedian* append = FindMedian(medians, BenchName("flush-append", "bare", sizes.front()));
  std::printf("\n| records | block move of all elements but one |\n|---:|---:|\n");
  double perRecord = 0;
  bool crossed = false;
  for (const int n : sizes) {
    const TMedian* move = FindMedian(medians, BenchName("move", "bare", n));
    std::printf("| %d | %s |\n", n, Time(move, false).c_str());
    // The rate of the first size whose move outweighs the flush: a smaller array moves within
    // the cache, faster per record than the ones beyond the crossing.
    if (move == nullptr || crossed) continue;
    perRecord = move->microseconds / n;
    crossed = overwrite != nullptr && move->microseconds > overwrite->microseconds;
  }
  if (overwrite == nullptr || append == nullptr || perRecord <= 0) return;
  std::printf("\nOne bare flush: %.0f us after an overwrite, %.0f us after an append (the file grows).\n",
              overwrite->microseconds, append->microseconds);
  std::printf("The block move outweighs one flush from about %.0f records (after an overwrite) "
              "and %.0f records (after an append).\n",
              std::round(overwrite->microseconds / perRecord), std::round(append->microseconds / perRecord));
}

}  // namespace

double TMedian::Counter(const std::string& name) const {
  const auto found = counters.find(name);
  return found == counters.end() ? 0 : found->second;
}

std::string BenchName(const std::string& measure, const std::string& subject, int records) {
  return measure + "/" + subject + "/" + std::to_string(records);
}

void TMedianReporter::ReportRuns(const std::vector<Run>& reports) {
  ConsoleReporter::ReportRuns(reports);
  for (const Run& run : reports) {
    if (run.aggregate_name != "median") continue;
    TMedian median;
    median.microseconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e6;
    for (const auto& [name, counter] : run.counters) median.counters[name] = counter.value;
    medians_[run.run_name.function_name] = median;
  }
}

void PrintSummary(const std::map<std::string, TMedian>& medians, const std::vector<int>& sizes) {
  if (sizes.empty()) return;
  PrintOpenAndSearch(medians, sizes);
  PrintChanges(medians, sizes);
  PrintCrossover(medians, sizes);
}

const TMedian* FindMedian(const std::map<std::string, TMedian>& medians, const std::string& name) {
  const auto found = medians.find(name);
  return found == medians.end() ? nullptr : &found->second;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Percentile(std::vector<double> values, double percent) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const double rank = std::ceil(percent / 100 * static_cast<double>(values.size()));
  return values[static_cast<std::size_t>(std::clamp(rank, 1.0, static_cast<double>(values.size()))) - 1];
}

std::string FormatMicroseconds(double microseconds) {
  char text[32];
  if (microseconds >= 1e6) {
    std::snprintf(text, sizeof(text), "%.2f s", microseconds / 1e6);
  } else if (microseconds >= 1000) {
    std::snprintf(text, sizeof(text), "%.1f ms", microseconds / 1000);
  } else {
    std::snprintf(text, sizeof(text), "%.2f us", microseconds);
  }
  return text;
}

void PrintTargetRow(const std::vector<std::string>& cells, double measured, double target,
                    const std::string& note) {
  std::printf("|");
  for (const std::string& cell : cells) std::printf(" %s |", cell.c_str());
  std::printf(" %s | %s | %s |\n", target > 0 ? ("< " + FormatMicroseconds(target)).c_str() : "",
              target <= 0 ? "" : measured < target ? "yes" : "NO", note.c_str());
}
