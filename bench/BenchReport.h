#pragma once
// The engine benchmark's summary: a console reporter that also keeps the median of every
// benchmark (time in microseconds and flushes per operation), and the tables printed from those
// medians once every benchmark has run.
//
// Benchmarks are named "<measure>/<subject>/<records>", for example "append/engine/10000".

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

struct TMedian {
  double microseconds = 0;
  // Every counter of the benchmark, by name: "flushes" per operation, for example.
  std::map<std::string, double> counters;

  double Counter(const std::string& name) const;
};

class TMedianReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& reports) override;
  const std::map<std::string, TMedian>& Medians() const { return medians_; }

private:
  std::map<std::string, TMedian> medians_;
};

std::string BenchName(const std::string& measure, const std::string& subject, int records);

// Prints the tables: open, index activation and search, the durable changes against the bare
// work and SQLite, and the size from which the block move outweighs a flush.
void PrintSummary(const std::map<std::string, TMedian>& medians, const std::vector<int>& sizes);
