#pragma once
// The benchmarks' summary: a console reporter that also keeps the median of every benchmark
// (time in microseconds and its counters, such as flushes per operation), the tables of the
// engine benchmark printed from those medians once every benchmark has run, and the helpers the
// other benchmarks print their tables with.
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

// The median of a benchmark by its name; null when it did not run.
const TMedian* FindMedian(const std::map<std::string, TMedian>& medians, const std::string& name);

// The median and a percentile (0..100, by nearest rank) of measured values; 0 without values.
double Median(std::vector<double> values);
double Percentile(std::vector<double> values, double percent);

// A time for a table: "1.87 us", "2.4 ms", "1.82 s".
std::string FormatMicroseconds(double microseconds);

// One row of a table of measures: the given cells, then the target ("< time", empty when the
// target is 0), whether the measured time is under it, and the note.
void PrintTargetRow(const std::vector<std::string>& cells, double measured, double target,
                    const std::string& note);

std::string BenchName(const std::string& measure, const std::string& subject, int records);

// Prints the tables: open, index activation and search, the durable changes against the bare
// work and SQLite, and the size from which the block move outweighs a flush.
void PrintSummary(const std::map<std::string, TMedian>& medians, const std::vector<int>& sizes);
