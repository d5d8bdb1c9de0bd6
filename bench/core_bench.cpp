// Benchmarks of the plain C++ core: the belt path per case, the tensioner
// search on the design layout and the slowest search that still ends.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench_table.h"
#include "calc/solver.h"
#include "geometry/hull.h"
#include "model/drive_state.h"

namespace {

using idrova::DriveState;
using idrova::PathCase;

constexpr double kRadius20 = 25.464790894703256;  // 20 teeth at 8 mm
constexpr double kRadius10 = 12.732395447351628;  // 10 teeth at 8 mm

// Wheels (0, 0), (150, 100), (70, 10) with 20, 20 and 10 teeth of the S8M
// belt, inner winding, start values applied.
DriveState DesignLayout() {
  DriveState state;
  idrova::ApplyStartValues(state);
  state.Pitch = 8.0;
  state.BeltType = 8;
  state.WindingMode = 0;
  state.Teeth[0] = 20.0;
  state.Teeth[1] = 20.0;
  state.Teeth[2] = 10.0;
  state.Wheel[0] = {0.0, 0.0, kRadius20};
  state.Wheel[1] = {150.0, 100.0, kRadius20};
  state.Wheel[2] = {70.0, 10.0, kRadius10};
  return state;
}

DriveState WithTensioner(double x, double y, double radius) {
  DriveState state = DesignLayout();
  state.Wheel[2] = {x, y, radius};
  return state;
}

// ------------------------------------------------------------- belt path

void BM_ComputeBeltPath(benchmark::State& st, DriveState state, PathCase expected) {
  if (idrova::ComputeBeltPath(state) != expected) {
    st.SkipWithError("the layout gives another path case");
    return;
  }
  for (auto _ : st) {
    benchmark::DoNotOptimize(idrova::ComputeBeltPath(state));
    benchmark::ClobberMemory();
  }
}
BENCHMARK_CAPTURE(BM_ComputeBeltPath, design_case_C, DesignLayout(), PathCase::C);
BENCHMARK_CAPTURE(BM_ComputeBeltPath, case_A, WithTensioner(60.0, 90.0, kRadius10), PathCase::A);
BENCHMARK_CAPTURE(BM_ComputeBeltPath, case_B, WithTensioner(75.0, 50.0, kRadius10), PathCase::B);
BENCHMARK_CAPTURE(BM_ComputeBeltPath, case_D, WithTensioner(75.0, 50.0, 40.0), PathCase::D);

// The layout check: the tight belt around all three pitch circles.
void BM_TightBeltLength(benchmark::State& st, DriveState state) {
  for (auto _ : st) {
    benchmark::DoNotOptimize(idrova::TightBeltLength(state.Wheel));
    benchmark::ClobberMemory();
  }
}
BENCHMARK_CAPTURE(BM_TightBeltLength, design_case_C, DesignLayout());
BENCHMARK_CAPTURE(BM_TightBeltLength, case_A, WithTensioner(60.0, 90.0, kRadius10));
BENCHMARK_CAPTURE(BM_TightBeltLength, case_B, WithTensioner(75.0, 50.0, kRadius10));
BENCHMARK_CAPTURE(BM_TightBeltLength, case_D, WithTensioner(75.0, 50.0, 40.0));

// ----------------------------------------------------------------- search

DriveState SearchSetup(DriveState state, std::int32_t unknownKind, double requestedMm,
                       std::int32_t direction) {
  state.UnknownKind = unknownKind;
  state.SpecifiedLength = requestedMm;
  state.Direction = direction;
  return state;
}

// The drive is reset before each search by copying a prepared state into
// the working one; this is the cost of that copy alone, to be taken off the
// search figures.
void BM_DriveStateCopy(benchmark::State& st) {
  const DriveState prepared = SearchSetup(DesignLayout(), 1, 528.0, 1);
  DriveState working;
  for (auto _ : st) {
    benchmark::DoNotOptimize(&prepared);
    working = prepared;
    benchmark::DoNotOptimize(&working);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DriveStateCopy);

void BM_Search(benchmark::State& st, DriveState prepared, std::int32_t expectedWarning,
               std::int64_t expectedIterations) {
  DriveState working;
  idrova::SearchResult result;
  for (auto _ : st) {
    benchmark::DoNotOptimize(&prepared);
    working = prepared;
    result = idrova::SearchUnknownCoordinate(working);
    benchmark::DoNotOptimize(result);
    benchmark::ClobberMemory();
  }
  if (result.Warning != expectedWarning ||
      (expectedIterations >= 0 && result.Iterations != expectedIterations)) {
    st.SkipWithError("the search ended otherwise than expected");
    return;
  }
  st.counters["iterations"] = static_cast<double>(result.Iterations);
}

// The requested length of the proposal for the design layout (66 teeth).
BENCHMARK_CAPTURE(BM_Search, design_x3_528_plus, SearchSetup(DesignLayout(), 1, 528.0, 1),
                  idrova::kNoWarning, 44)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, design_y3_528_minus, SearchSetup(DesignLayout(), 2, 528.0, -1),
                  idrova::kNoWarning, -1)
    ->Unit(benchmark::kMicrosecond);

// The slowest search that still ends: a level drive, wheels 1 and 2 on the
// X axis, the tensioner inside the loop on the centre line. Moving in +X it
// stays on that line, never touches the belt and runs every one of the
// kMaxSearchIterations steps; a request just above the two-wheel belt keeps
// each step at the least step.
DriveState SlowestSearch() {
  DriveState state = DesignLayout();
  state.Wheel[1] = {150.0, 0.0, kRadius20};
  state.Wheel[2] = {75.0, 0.0, kRadius10};
  idrova::ComputeBeltPath(state);
  return SearchSetup(state, 1, state.MinBeltLength + 0.008, 1);
}
BENCHMARK_CAPTURE(BM_Search, slowest_bounded, SlowestSearch(), idrova::kWrongDirection,
                  idrova::kMaxSearchIterations)
    ->Unit(benchmark::kMillisecond);

// -------------------------------------------------------- summary table

void WriteTable(const idrova::bench::TableReporter& results, const std::string& file) {
  using idrova::bench::Format;
  using idrova::bench::JudgedTime;
  using idrova::bench::TableReporter;
  idrova::bench::TableRows rows(file);

  const idrova::bench::NamedRun kPaths[] = {
      {"BM_ComputeBeltPath/design_case_C", "ComputeBeltPath, design layout (case C)"},
      {"BM_ComputeBeltPath/case_A", "ComputeBeltPath, case A (wheel 3 at 60, 90)"},
      {"BM_ComputeBeltPath/case_B", "ComputeBeltPath, case B (wheel 3 at 75, 50)"},
      {"BM_ComputeBeltPath/case_D", "ComputeBeltPath, case D (wheel 3 at 75, 50, radius 40)"},
  };
  for (const auto& path : kPaths) {
    const auto* run = results.Find(path.Name);
    rows.Add(path.Measure, run ? JudgedTime(*run, 1e9, "%.0f ns", 350.0) : "not measured",
             "≤ 350 ns/call");
  }

  const idrova::bench::NamedRun kChecks[] = {
      {"BM_TightBeltLength/design_case_C", "TightBeltLength, design layout (case C)"},
      {"BM_TightBeltLength/case_A", "TightBeltLength, case A layout"},
      {"BM_TightBeltLength/case_B", "TightBeltLength, case B layout"},
      {"BM_TightBeltLength/case_D", "TightBeltLength, case D layout"},
  };
  for (const auto& check : kChecks) {
    const auto* run = results.Find(check.Name);
    rows.Add(check.Measure,
             run ? Format("%.0f ns", TableReporter::Seconds(*run) * 1e9) +
                       Format("; wall %.0f ns", TableReporter::WallSeconds(*run) * 1e9)
                 : "not measured",
             "— (none set)");
  }

  const auto* copy = results.Find("BM_DriveStateCopy");
  if (copy)
    rows.Add("DriveState copy (the reset before each search, taken off below)",
             Format("%.0f ns", TableReporter::Seconds(*copy) * 1e9) +
                 Format("; wall %.0f ns", TableReporter::WallSeconds(*copy) * 1e9),
             "—");

  const struct {
    const char* Name;
    const char* Measure;
    double UnitsPerSecond;
    const char* Format;
    double Limit;
    const char* Target;
  } kSearches[] = {
      {"BM_Search/design_x3_528_plus", "Search loop, design layout, X3 528 direction +1", 1e6,
       "%.2f µs", 30.0, "≤ 30 µs"},
      {"BM_Search/design_y3_528_minus", "Search loop, design layout, Y3 528 direction −1", 1e6,
       "%.2f µs", 30.0, "≤ 30 µs"},
      {"BM_Search/slowest_bounded",
       "Slowest bounded search (level drive, tensioner on the centre line, +X)", 1e3, "%.1f ms",
       250.0, "≤ 250 ms"},
  };
  for (const auto& search : kSearches) {
    if (const auto* run = results.Find(search.Name)) {
      rows.Add(search.Measure,
               JudgedTime(*run, search.UnitsPerSecond, search.Format, search.Limit, copy) +
                   Format("; %.0f iterations", TableReporter::Counter(*run, "iterations")),
               search.Target);
    } else {
      rows.Add(search.Measure, "not measured", search.Target);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string table = idrova::bench::TakeTableOption(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  idrova::bench::TableReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  WriteTable(reporter, table);
  benchmark::Shutdown();
  return 0;
}
