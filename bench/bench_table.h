// SPDX-License-Identifier: MIT
// Shared by the benchmark programs: a console reporter that also keeps each
// benchmark's result, and the rows of the summary table that scripts/bench.sh
// prints (| measure | figure | target |), written to the file named by
// --table=FILE.
#pragma once

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace idrova::bench {

// A benchmark's registered name and the measure it stands for in the table.
struct NamedRun {
  const char* Name;
  const char* Measure;
};

// Prints as the console reporter does and keeps, per benchmark, the median
// of its repetitions (or its only run).
class TableReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal.
  TableReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      // Benchmarks are named by function (or BENCHMARK_CAPTURE) name; the
      // options that the full name carries are left out.
      const std::string& name = run.run_name.function_name;
      if (run.run_type == Run::RT_Iteration) single_[name] = run;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") medians_[name] = run;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // The result of a benchmark by its name, or nullptr when it did not run or
  // failed.
  const Run* Find(const std::string& name) const {
    if (auto it = medians_.find(name); it != medians_.end()) return &it->second;
    if (auto it = single_.find(name); it != single_.end()) return &it->second;
    return nullptr;
  }

  // Seconds per iteration of this thread's CPU time. The benchmarks are
  // single-threaded and do no I/O, so on an idle machine this is the wall
  // time; on a busy one (other builds on the few cores) it is the part that
  // is the program's own, where the wall time also counts waiting for a core.
  static double Seconds(const Run& run) {
    return run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
  }
  // Wall-clock seconds per iteration.
  static double WallSeconds(const Run& run) {
    return run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
  }

  static double Counter(const Run& run, const char* name) {
    auto it = run.counters.find(name);
    return it == run.counters.end() ? 0.0 : it->second.value;
  }

 private:
  std::map<std::string, Run> single_;
  std::map<std::string, Run> medians_;
};

// Takes --table=FILE out of the command line (before benchmark::Initialize
// sees it) and returns FILE, or an empty string.
inline std::string TakeTableOption(int& argc, char** argv) {
  constexpr const char* kOption = "--table=";
  std::string file;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], kOption, std::strlen(kOption)) == 0)
      file = argv[i] + std::strlen(kOption);
    else
      argv[kept++] = argv[i];
  }
  argc = kept;
  argv[argc] = nullptr;
  return file;
}

// Appends table rows to a file; without a file the rows go to stdout.
class TableRows {
 public:
  explicit TableRows(const std::string& file)
      : out_(file.empty() ? stdout : std::fopen(file.c_str(), "a")) {}
  ~TableRows() {
    if (out_ && out_ != stdout) std::fclose(out_);
  }
  TableRows(const TableRows&) = delete;
  TableRows& operator=(const TableRows&) = delete;

  void Add(const std::string& measure, const std::string& figure, const std::string& target) {
    if (out_)
      std::fprintf(out_, "| %s | %s | %s |\n", measure.c_str(), figure.c_str(), target.c_str());
  }

 private:
  std::FILE* out_;
};

inline std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// "312 ns (ok)" or "412 ns (ABOVE)": the figure with its verdict against an
// upper bound in the same unit.
inline std::string Judged(const char* format, double value, double limit) {
  return Format(format, value) + (value <= limit ? " (ok)" : " (ABOVE)");
}

// The same against a lower bound: "4.1 × (ok)" or "1.8 × (BELOW)".
inline std::string JudgedAtLeast(const char* format, double value, double least) {
  return Format(format, value) + (value >= least ? " (ok)" : " (BELOW)");
}

// A time per iteration in the given unit (1e9 for ns, 1e6 for µs, ...),
// judged on CPU time, with the wall time beside it: "161 ns (ok); wall
// 297 ns". The time of a `baseline` run, if given, is taken off both.
inline std::string JudgedTime(const benchmark::BenchmarkReporter::Run& run, double unitsPerSecond,
                              const char* format, double limit,
                              const benchmark::BenchmarkReporter::Run* baseline = nullptr) {
  const double cpu =
      (TableReporter::Seconds(run) - (baseline ? TableReporter::Seconds(*baseline) : 0.0)) *
      unitsPerSecond;
  const double wall =
      (TableReporter::WallSeconds(run) - (baseline ? TableReporter::WallSeconds(*baseline) : 0.0)) *
      unitsPerSecond;
  return Judged(format, cpu, limit) + "; wall " + Format(format, wall);
}

}  // namespace idrova::bench
