// SPDX-License-Identifier: MIT
// Benchmarks of the plain C++ core: the belt path per case beside the lean
// computation of its two lengths, the tensioner search on the design layout
// and the slowest search that still ends, each also the straightforward way
// (every contact from a vector difference, the whole path in every search
// step) for the before-and-after ratios.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "bench_table.h"
#include "calc/fitting_lengths.h"
#include "calc/solver.h"
#include "geometry/hull.h"
#include "input/standard_lengths.h"
#include "input/wheel_sizing.h"
#include "lean_lengths.h"
#include "model/drive_state.h"
#include "straightforward_path.h"

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

void BM_ComputeBeltPathBefore(benchmark::State& st, DriveState state, PathCase expected) {
  if (idrova::straightforward::ComputePath(state) != expected) {
    st.SkipWithError("the layout gives another path case");
    return;
  }
  for (auto _ : st) {
    benchmark::DoNotOptimize(idrova::straightforward::ComputePath(state));
    benchmark::ClobberMemory();
  }
}

// The two lengths alone, the lean way; they must agree with ComputeBeltPath.
void BM_LeanLengths(benchmark::State& st, DriveState state, PathCase) {
  const idrova::bench::LeanLengths lean = idrova::bench::ComputeLeanLengths(state.Wheel);
  idrova::ComputeBeltPath(state);
  if (!(std::fabs(lean.BeltLength - state.BeltLength) <= 1e-9 &&
        std::fabs(lean.MinBeltLength - state.MinBeltLength) <= 1e-9)) {
    st.SkipWithError("the lean lengths disagree with ComputeBeltPath");
    return;
  }
  for (auto _ : st) {
    benchmark::DoNotOptimize(&state);
    benchmark::DoNotOptimize(idrova::bench::ComputeLeanLengths(state.Wheel));
    benchmark::ClobberMemory();
  }
}

// The ratio of the two above, robust against a machine whose speed drifts
// (other work on a shared host): batches of lean lengths and of whole paths
// alternate, each pair of batches gives one ratio, and the median of those
// is reported as the counter "ratio".
void BM_PathOverLean(benchmark::State& st, DriveState state, PathCase) {
  constexpr int kBatch = 200;
  std::vector<double> ratios;
  using Clock = std::chrono::steady_clock;
  for (auto _ : st) {
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < kBatch; ++i) {
      benchmark::DoNotOptimize(&state);
      benchmark::DoNotOptimize(idrova::bench::ComputeLeanLengths(state.Wheel));
    }
    const Clock::time_point middle = Clock::now();
    for (int i = 0; i < kBatch; ++i) {
      benchmark::DoNotOptimize(idrova::ComputeBeltPath(state));
      benchmark::ClobberMemory();
    }
    const Clock::time_point end = Clock::now();
    ratios.push_back(std::chrono::duration<double>(end - middle).count() /
                     std::chrono::duration<double>(middle - start).count());
  }
  std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 2, ratios.end());
  st.counters["ratio"] = ratios[ratios.size() / 2];
}

// The same four layouts for all four.
#define IDROVA_PATH_LAYOUTS(function)                                                     \
  BENCHMARK_CAPTURE(function, design_case_C, DesignLayout(), PathCase::C);                \
  BENCHMARK_CAPTURE(function, case_A, WithTensioner(60.0, 90.0, kRadius10), PathCase::A); \
  BENCHMARK_CAPTURE(function, case_B, WithTensioner(75.0, 50.0, kRadius10), PathCase::B); \
  BENCHMARK_CAPTURE(function, case_D, WithTensioner(75.0, 50.0, 40.0), PathCase::D)
IDROVA_PATH_LAYOUTS(BM_ComputeBeltPath);
IDROVA_PATH_LAYOUTS(BM_LeanLengths);
IDROVA_PATH_LAYOUTS(BM_ComputeBeltPathBefore);
IDROVA_PATH_LAYOUTS(BM_PathOverLean);

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

using SearchFunction = idrova::SearchResult (*)(DriveState&);

void RunSearch(benchmark::State& st, SearchFunction search, DriveState prepared,
               std::int32_t expectedWarning, std::int64_t expectedIterations) {
  DriveState working;
  idrova::SearchResult result;
  for (auto _ : st) {
    benchmark::DoNotOptimize(&prepared);
    working = prepared;
    result = search(working);
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

void BM_Search(benchmark::State& st, DriveState prepared, std::int32_t expectedWarning,
               std::int64_t expectedIterations) {
  RunSearch(st, idrova::SearchUnknownCoordinate, prepared, expectedWarning, expectedIterations);
}

// The search with the whole path in every step, as it was before the steps
// computed the lengths alone.
void BM_SearchBefore(benchmark::State& st, DriveState prepared, std::int32_t expectedWarning,
                     std::int64_t expectedIterations) {
  RunSearch(st, idrova::straightforward::Search, prepared, expectedWarning, expectedIterations);
}

// The requested length of the proposal for the design layout (66 teeth).
#define IDROVA_DESIGN_SEARCHES(function)                                                      \
  BENCHMARK_CAPTURE(function, design_x3_528_plus, SearchSetup(DesignLayout(), 1, 528.0, 1),   \
                    idrova::kNoWarning, 44)                                                   \
      ->Unit(benchmark::kMicrosecond);                                                        \
  BENCHMARK_CAPTURE(function, design_y3_528_minus, SearchSetup(DesignLayout(), 2, 528.0, -1), \
                    idrova::kNoWarning, -1)                                                   \
      ->Unit(benchmark::kMicrosecond)
IDROVA_DESIGN_SEARCHES(BM_Search);
IDROVA_DESIGN_SEARCHES(BM_SearchBefore);

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
BENCHMARK_CAPTURE(BM_SearchBefore, slowest_bounded, SlowestSearch(), idrova::kWrongDirection,
                  idrova::kMaxSearchIterations)
    ->Unit(benchmark::kMillisecond);

// ------------------------------------------------ the list of fitting lengths

// The whole list of S5M's 64 standard lengths for a layout: one search per
// length from the tensioner where it stands.
DriveState AsS5M(DriveState state, std::int32_t unknownKind, std::int32_t direction) {
  state.BeltType = 5;
  state.Pitch = 5.0;
  idrova::UpdateWheelRadii(state);
  return SearchSetup(state, unknownKind, 0.0, direction);
}

void BM_FittingLengths(benchmark::State& st, DriveState start, std::size_t expectedRows) {
  const idrova::StandardSeries series{idrova::StandardTeethTable(5), 5.0, 5.0, false};
  idrova::FittingLengths list;
  for (auto _ : st) {
    benchmark::DoNotOptimize(&start);
    list = idrova::ListFittingLengths(start, series);
    benchmark::DoNotOptimize(list.Rows.data());
    benchmark::ClobberMemory();
  }
  if (list.Rows.size() != expectedRows) {
    st.SkipWithError(("the list holds " + std::to_string(list.Rows.size()) + " lengths").c_str());
    return;
  }
  st.counters["rows"] = static_cast<double>(list.Rows.size());
  st.counters["stopped"] = list.TooLong ? 1.0 : 0.0;
}
// The design layout, both ways; and the slowest list: the level drive of
// the slowest search, where the first length's search crosses the loop at
// the least step and the list stops at its budget of search steps.
BENCHMARK_CAPTURE(BM_FittingLengths, s5m_design_x3_plus, AsS5M(DesignLayout(), 1, 1), 50)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FittingLengths, s5m_design_y3_minus, AsS5M(DesignLayout(), 2, -1), 50)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FittingLengths, s5m_slowest, AsS5M(SlowestSearch(), 1, 1), 1)
    ->Unit(benchmark::kMillisecond);

// -------------------------------------------------------- summary table

void WriteTable(const idrova::bench::TableReporter& results, const std::string& file) {
  using idrova::bench::Format;
  using idrova::bench::Judged;
  using idrova::bench::JudgedAtLeast;
  using idrova::bench::JudgedTime;
  using idrova::bench::TableReporter;
  idrova::bench::TableRows rows(file);

  // The path beside the lean lengths and the straightforward path, all
  // three from this one run.
  const struct {
    const char* Layout;
    const char* Measure;
  } kPaths[] = {
      {"design_case_C", "ComputeBeltPath, design layout (case C)"},
      {"case_A", "ComputeBeltPath, case A (wheel 3 at 60, 90)"},
      {"case_B", "ComputeBeltPath, case B (wheel 3 at 75, 50)"},
      {"case_D", "ComputeBeltPath, case D (wheel 3 at 75, 50, radius 40)"},
  };
  for (const auto& path : kPaths) {
    const std::string layout = path.Layout;
    const auto* run = results.Find("BM_ComputeBeltPath/" + layout);
    const auto* lean = results.Find("BM_LeanLengths/" + layout);
    const auto* ratio = results.Find("BM_PathOverLean/" + layout);
    const auto* before = results.Find("BM_ComputeBeltPathBefore/" + layout);
    std::string figure = run ? JudgedTime(*run, 1e9, "%.0f ns", 350.0) : "not measured";
    if (run && lean)
      figure += Format("; lean lengths %.0f ns", TableReporter::Seconds(*lean) * 1e9);
    if (ratio) figure += "; ratio " + Judged("%.2f", TableReporter::Counter(*ratio, "ratio"), 1.5);
    if (run && before)
      figure += Format("; straightforward path %.0f ns", TableReporter::Seconds(*before) * 1e9);
    rows.Add(path.Measure, figure, "≤ 350 ns/call; ≤ 1.5 × the lean lengths");
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
    double LeastSpeedUp;  // 0: none set
    const char* Target;
  } kSearches[] = {
      {"design_x3_528_plus", "Search loop, design layout, X3 528 direction +1", 1e6, "%.2f µs",
       30.0, 0.0, "≤ 30 µs"},
      {"design_y3_528_minus", "Search loop, design layout, Y3 528 direction −1", 1e6, "%.2f µs",
       30.0, 0.0, "≤ 30 µs"},
      {"slowest_bounded", "Slowest bounded search (level drive, tensioner on the centre line, +X)",
       1e3, "%.1f ms", 250.0, 2.0, "≤ 250 ms; ≥ 2 × faster than the whole path in every step"},
  };
  for (const auto& search : kSearches) {
    const std::string name = search.Name;
    const auto* run = results.Find("BM_Search/" + name);
    const auto* before = results.Find("BM_SearchBefore/" + name);
    if (!run) {
      rows.Add(search.Measure, "not measured", search.Target);
      continue;
    }
    std::string figure =
        JudgedTime(*run, search.UnitsPerSecond, search.Format, search.Limit, copy) +
        Format("; %.0f iterations", TableReporter::Counter(*run, "iterations"));
    if (before) {
      const double copySeconds = copy ? TableReporter::Seconds(*copy) : 0.0;
      const double beforeSeconds = TableReporter::Seconds(*before) - copySeconds;
      const double speedUp = beforeSeconds / (TableReporter::Seconds(*run) - copySeconds);
      figure +=
          "; the whole path in every step " +
          Format(search.Format, beforeSeconds * search.UnitsPerSecond) + ", " +
          (search.LeastSpeedUp > 0.0 ? JudgedAtLeast("%.1f × faster", speedUp, search.LeastSpeedUp)
                                     : Format("%.1f × faster", speedUp));
    }
    rows.Add(search.Measure, figure, search.Target);
  }

  const idrova::bench::NamedRun kLists[] = {
      {"BM_FittingLengths/s5m_design_x3_plus", "List of fitting S5M lengths, design layout, X3 +"},
      {"BM_FittingLengths/s5m_design_y3_minus", "List of fitting S5M lengths, design layout, Y3 −"},
      {"BM_FittingLengths/s5m_slowest",
       "List of fitting S5M lengths, slowest layout (stops at its budget of search steps)"},
  };
  for (const auto& list : kLists) {
    const auto* run = results.Find(list.Name);
    rows.Add(list.Measure,
             run ? JudgedTime(*run, 1e3, "%.2f ms", 20.0) +
                       Format("; %.0f lengths", TableReporter::Counter(*run, "rows"))
                 : "not measured",
             "≤ 20 ms");
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
