// SPDX-License-Identifier: MIT
// Benchmarks of the real window, offscreen: a stepper click and a press of
// the calculate button, each driven by mouse events as a user would.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "app/form1.h"
#include "bench_table.h"

namespace {

TForm1* form = nullptr;  // the one window, created in main()

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  int Count = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Count;
    return QObject::eventFilter(watched, event);
  }
};

PaintCounter* image2Paints = nullptr;

// Selects an item of the unknown-quantity group: 0 total length, 1 X3, 2 Y3.
void SelectUnknown(int item) {
  QRadioButton* button = form->RadioGroup1->findChildren<QRadioButton*>().at(item);
  if (!button->isChecked()) QTest::mouseClick(button, Qt::LeftButton);
  QCoreApplication::processEvents();
}

// One click on UpDown7 (X of wheel 3): a press and release in the right half
// ("next") or the left half ("previous") of the horizontal arrow control.
// Successive clicks alternate, so the tensioner goes 70 -> 70.1 -> 70 and the
// picture stays that of the design layout. With `repaint` the event loop then
// runs once, so the window also paints the new bitmaps onto the screen.
void BM_StepperClick(benchmark::State& st, bool repaint) {
  // The benchmark runs this function several times; each run starts where
  // the last one left off, at 70 or 70.1.
  SelectUnknown(0);
  if (std::fabs(form->State().Wheel[2].X - 70.0) > 0.15) {
    form->Edit7->setText("70");
    QTest::mouseClick(form->Button1, Qt::LeftButton);  // takes the typed 70 over
  }
  QCoreApplication::processEvents();
  ArrowControl* arrows = form->UpDown7;
  const QPoint next(arrows->width() * 3 / 4, arrows->height() / 2);
  const QPoint previous(arrows->width() / 4, arrows->height() / 2);
  const int paintsBefore = image2Paints->Count;
  bool forward = form->State().Wheel[2].X < 70.05;
  for (auto _ : st) {
    const QPoint at = forward ? next : previous;
    QTest::mousePress(arrows, Qt::LeftButton, {}, at);
    QTest::mouseRelease(arrows, Qt::LeftButton, {}, at);
    if (repaint) QCoreApplication::processEvents();
    forward = !forward;
  }
  const QString x = form->Edit7->text();
  if (x != "70" && x != "70.1") {
    st.SkipWithError("the clicks did not step X of wheel 3 by 0.1 mm");
    return;
  }
  if (repaint && image2Paints->Count - paintsBefore < static_cast<int>(st.iterations())) {
    st.SkipWithError("the picture was not painted after every click");
    return;
  }
  st.counters["paints"] = image2Paints->Count - paintsBefore;
}
BENCHMARK_CAPTURE(BM_StepperClick, bitmaps, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_StepperClick, with_repaint, true)->Unit(benchmark::kMicrosecond);

// The same clicks with the design sheet and the list of fitting lengths
// open beside the window, which follow every one of them, over the clicks
// with both closed. Batches of clicks alternate between the two, each pair
// of batches gives one ratio, and the median of those is reported as the
// counter "ratio" (robust against a machine whose speed drifts). In the Y3
// mode the list searches every standard length anew after the clicks: a
// burst of clicks rebuilds it once, as a held arrow does.
void BM_SheetOpenOverClosed(benchmark::State& st, bool repaint, int unknown) {
  constexpr int kBatch = 50;
  SelectUnknown(0);
  if (std::fabs(form->State().Wheel[2].X - 70.0) > 0.15) {  // another benchmark moved it
    form->Edit7->setText("70");
    QTest::mouseClick(form->Button1, Qt::LeftButton);
  }
  SelectUnknown(unknown);
  ArrowControl* arrows = form->UpDown7;
  const QPoint next(arrows->width() * 3 / 4, arrows->height() / 2);
  const QPoint previous(arrows->width() / 4, arrows->height() / 2);
  bool followed = true;
  auto clicks = [&](bool sheetOpen) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kBatch; ++i) {
      const QPoint at = i % 2 == 0 ? next : previous;
      QTest::mousePress(arrows, Qt::LeftButton, {}, at);
      QTest::mouseRelease(arrows, Qt::LeftButton, {}, at);
      if (repaint) QCoreApplication::processEvents();
      if (sheetOpen && i == 0)
        followed = followed && form->Form2()->Text().contains(
                                   QStringLiteral("\nNO 3\t%1\t").arg(form->Edit7->text()));
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  QTest::mouseClick(form->Button2, Qt::LeftButton);  // both built before the timing
  QTest::keyClick(form->Button1, Qt::Key_F5);
  std::vector<double> ratios;
  for (auto _ : st) {
    form->Form2()->close();
    form->Form3()->close();
    QCoreApplication::processEvents();
    const double closed = clicks(false);
    QTest::mouseClick(form->Button2, Qt::LeftButton);
    QTest::keyClick(form->Button1, Qt::Key_F5);
    QCoreApplication::processEvents();
    ratios.push_back(clicks(true) / closed);
  }
  const bool listed = unknown == 0 ? form->Form3()->Text().isEmpty()
                                   : form->Form3()->Text().startsWith(QStringLiteral("長さ"));
  if (!followed || !listed) {
    st.SkipWithError("the open sheet or list did not follow the clicks");
    return;
  }
  form->Form2()->close();
  form->Form3()->close();
  SelectUnknown(0);
  std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 2, ratios.end());
  st.counters["ratio"] = ratios[ratios.size() / 2];
}
BENCHMARK_CAPTURE(BM_SheetOpenOverClosed, bitmaps, false, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SheetOpenOverClosed, with_repaint, true, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SheetOpenOverClosed, y3_with_repaint, true, 2)->Unit(benchmark::kMillisecond);

// The calculate button in the X3 mode with the proposed 528 mm: it takes over
// the inputs, searches X of wheel 3 from 70 (44 steps to 84.93), writes the
// found coordinate (recalculating and redrawing) and redraws once more.
// Between presses, outside the timing, X is typed back to 70.
void BM_CalculateX3(benchmark::State& st, bool repaint) {
  SelectUnknown(0);
  form->Edit7->setText("70");
  SelectUnknown(1);
  if (form->Edit11->text() != "528") {
    st.SkipWithError("the X3 mode did not propose 528");
    return;
  }
  for (auto _ : st) {
    st.PauseTiming();
    form->Edit7->setText("70");
    form->Edit11->setText("528");
    QCoreApplication::processEvents();
    st.ResumeTiming();
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    if (repaint) QCoreApplication::processEvents();
  }
  if (form->Edit7->text() != "84.93" || !form->Label14->text().isEmpty()) {
    st.SkipWithError("the search did not find X = 84.93");
    return;
  }
  SelectUnknown(0);
}
BENCHMARK_CAPTURE(BM_CalculateX3, bitmaps, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CalculateX3, with_repaint, true)->Unit(benchmark::kMicrosecond);

void WriteTable(const idrova::bench::TableReporter& results, const std::string& file) {
  using idrova::bench::JudgedTime;
  idrova::bench::TableRows rows(file);
  const idrova::bench::NamedRun kRows[] = {
      {"BM_StepperClick/bitmaps",
       "Stepper click on UpDown7 (step X3, recalculate, redraw both bitmaps)"},
      {"BM_StepperClick/with_repaint", "Stepper click on UpDown7, plus the window repaint"},
      {"BM_CalculateX3/bitmaps", "Calculate button, X3 mode, 528 (search, recalculation, redraw)"},
      {"BM_CalculateX3/with_repaint", "Calculate button, X3 mode, 528, plus the window repaint"},
  };
  for (const auto& row : kRows) {
    const auto* run = results.Find(row.Name);
    rows.Add(row.Measure, run ? JudgedTime(*run, 1e6, "%.0f µs", 1000.0) : "not measured",
             "≤ 1 ms");
  }
  const idrova::bench::NamedRun kSheet[] = {
      {"BM_SheetOpenOverClosed/bitmaps",
       "Stepper click with the sheet and the list open, over closed (全長)"},
      {"BM_SheetOpenOverClosed/with_repaint",
       "Stepper click and repaint with the sheet and the list open, over closed (全長)"},
      {"BM_SheetOpenOverClosed/y3_with_repaint",
       "Stepper click and repaint with the sheet and the list open, over closed (Y3 searched)"},
  };
  for (const auto& row : kSheet) {
    const auto* run = results.Find(row.Name);
    rows.Add(row.Measure,
             run ? idrova::bench::Judged("%.2f ×",
                                         idrova::bench::TableReporter::Counter(*run, "ratio"), 1.2)
                 : "not measured",
             "≤ 1.2 ×");
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string table = idrova::bench::TakeTableOption(argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  TForm1 window;
  PaintCounter paints;
  window.Image2->installEventFilter(&paints);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  form = &window;
  image2Paints = &paints;

  idrova::bench::TableReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  WriteTable(reporter, table);
  benchmark::Shutdown();
  return 0;
}
