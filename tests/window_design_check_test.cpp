// SPDX-License-Identifier: MIT
// The design check through the real window: wrap angle and teeth in mesh of
// every wheel, the caution for the working wheels, and the real belt length
// for reference where the layout check finds the shown length not real.
#include "window_driver.h"

namespace {

struct CheckRow {
  const char* Name;
  const char* Steps;      // WindowDriver::Do
  const char* Wraps[3];   // Label18..Label20; nullptr: not pinned
  const char* Meshes[3];  // Label22..Label24
  const char* Caution;    // Label25
};

const CheckRow kChecks[] = {
    {"design layout", "", {"164.8°", "171.4°", "23.8°"}, {"9", "9", "0"}, ""},
    {"NO 1 at 10 teeth",
     "teeth UpDown3 10",
     {"150.4°", "175.4°", "34.2°"},
     {"4", "9", "0"},
     "注意! NO 1 の噛合歯数が6未満です"},
    {"NO 1 at 13 teeth: 5 in mesh",
     "teeth UpDown3 13",
     {},
     {"5"},
     "注意! NO 1 の噛合歯数が6未満です"},
    {"NO 1 at 14 teeth: 6 in mesh", "teeth UpDown3 14", {}, {"6"}, ""},
    {"NO 2 short of teeth, NO 1 checked first and fine",
     "teeth UpDown6 12",
     {},
     {"9", "5", "0"},
     "注意! NO 2 の噛合歯数が6未満です"},
    {"RS40", "choose RS401", {"170.9°", "174.9°", "14.2°"}, {"9", "9", "0"}, ""},
    {"RS40, tensioner at (70, -60)",
     "choose RS401; layout 150 100 70 -60",
     {"118.3°", "156.7°", "85°"},
     {},
     "注意! NO 1 の巻付角が120°未満です"},
    {"RS40, tensioner at (70, -40)",
     "choose RS401; layout 150 100 70 -40",
     {"131°", "160.6°", "68.5°"},
     {},
     ""},
    {"belt with teeth enough but little wrap on NO 1",
     "teeth UpDown3 60; layout 600 0 -250 -150",
     {"48.4°", "166°", "145.6°"},
     {"8", "9", "4"},
     "注意! NO 1 の巻付角が60°未満です"},
    {"free type follows the chain rule",
     "choose N1; type Edit10 8; layout 150 100 70 -60",
     {"113.6°", "154.3°", "92.1°"},
     {},
     "注意! NO 1 の巻付角が120°未満です"},
    {"free type, enough wrap",
     "choose N1; type Edit10 8; layout 150 100 70 -40",
     {"125.6°"},
     {},
     ""},
    {"tensioner inside the two-wheel belt touches nothing",
     "layout 150 100 75 50",
     {nullptr, nullptr, "0°"},
     {nullptr, nullptr, "0"},
     ""},
    {"layout whose belt length is not real",
     "layout 150 0 250 0",
     {"---", "---", "---"},
     {"---", "---", "---"},
     "参考: 実際のベルト長さ 621.62"},
};

}  // namespace

TEST(WindowDesignCheck, WrapAnglesTeethInMeshAndTheCaution) {
  for (const CheckRow& row : kChecks) {
    SCOPED_TRACE(row.Name);
    WindowDriver w;
    w.Do(QString::fromUtf8(row.Steps));
    for (int i = 0; i < 3; ++i) {
      const QByteArray wrap = "Label" + QByteArray::number(18 + i);
      const QByteArray mesh = "Label" + QByteArray::number(22 + i);
      // A row names the figures it pins; the others may be anything.
      const auto pinned = [&w](const QByteArray& label, const char* figure) {
        return figure ? QString::fromUtf8(figure) : w.Text(label);
      };
      EXPECT_EQ(w.Text(wrap), pinned(wrap, row.Wraps[i])) << wrap.data();
      EXPECT_EQ(w.Text(mesh), pinned(mesh, row.Meshes[i])) << mesh.data();
    }
    EXPECT_EQ(w.Text("Label25"), QString::fromUtf8(row.Caution));
    EXPECT_NE(w.Text("Label14").left(3), QStringLiteral("注意!")) << "the caution keeps its line";
  }
}
