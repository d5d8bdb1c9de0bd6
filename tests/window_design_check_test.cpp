// SPDX-License-Identifier: MIT
// The design check through the real window: wrap angle and teeth in mesh of
// every wheel, the caution for the working wheels, and the real belt length
// for reference where the layout check finds the shown length not real.
#include <functional>

#include "text/number_text.h"
#include "window_driver.h"

using idrova::ArrowButton;

namespace {

using Steps = std::function<void(WindowDriver&)>;

void PlaceTensioner(WindowDriver& w, const char* x, const char* y) {
  w.Type("Edit7", x);
  w.Type("Edit8", y);
  w.Calculate();
}

struct CheckRow {
  const char* Name;
  Steps Do;
  const char* Wraps[3];   // Label18..Label20
  const char* Meshes[3];  // Label22..Label24
  const char* Caution;    // Label25
};

const CheckRow kChecks[] = {
    {"design layout", [](WindowDriver&) {}, {"164.8°", "171.4°", "23.8°"}, {"9", "9", "0"}, ""},
    {"NO 1 at 10 teeth",
     [](WindowDriver& w) { w.ClickArrow("UpDown3", ArrowButton::Previous, 10); },
     {"150.4°", "175.4°", "34.2°"},
     {"4", "9", "0"},
     "注意! NO 1 の噛合歯数が6未満です"},
    {"NO 1 at 13 teeth: 5 in mesh",
     [](WindowDriver& w) { w.ClickArrow("UpDown3", ArrowButton::Previous, 7); },
     {nullptr, nullptr, nullptr},
     {"5", nullptr, nullptr},
     "注意! NO 1 の噛合歯数が6未満です"},
    {"NO 1 at 14 teeth: 6 in mesh",
     [](WindowDriver& w) { w.ClickArrow("UpDown3", ArrowButton::Previous, 6); },
     {nullptr, nullptr, nullptr},
     {"6", nullptr, nullptr},
     ""},
    {"NO 2 short of teeth, NO 1 checked first and fine",
     [](WindowDriver& w) { w.ClickArrow("UpDown6", ArrowButton::Previous, 8); },
     {nullptr, nullptr, nullptr},
     {"9", "5", "0"},
     "注意! NO 2 の噛合歯数が6未満です"},
    {"RS40",
     [](WindowDriver& w) { w.Choose("RS401"); },
     {"170.9°", "174.9°", "14.2°"},
     {"9", "9", "0"},
     ""},
    {"RS40, tensioner at (70, -60)",
     [](WindowDriver& w) {
       w.Choose("RS401");
       PlaceTensioner(w, "70", "-60");
     },
     {"118.3°", "156.7°", "85°"},
     {nullptr, nullptr, nullptr},
     "注意! NO 1 の巻付角が120°未満です"},
    {"RS40, tensioner at (70, -40)",
     [](WindowDriver& w) {
       w.Choose("RS401");
       PlaceTensioner(w, "70", "-40");
     },
     {"131°", "160.6°", "68.5°"},
     {nullptr, nullptr, nullptr},
     ""},
    {"belt with teeth enough but little wrap on NO 1",
     [](WindowDriver& w) {
       w.ClickArrow("UpDown3", ArrowButton::Next, 40);
       w.Type("Edit4", "600");
       w.Type("Edit5", "0");
       PlaceTensioner(w, "-250", "-150");
     },
     {"48.4°", "166°", "145.6°"},
     {"8", "9", "4"},
     "注意! NO 1 の巻付角が60°未満です"},
    {"free type follows the chain rule",
     [](WindowDriver& w) {
       w.Choose("N1");
       w.Type("Edit10", "8");
       PlaceTensioner(w, "70", "-60");
     },
     {"113.6°", "154.3°", "92.1°"},
     {nullptr, nullptr, nullptr},
     "注意! NO 1 の巻付角が120°未満です"},
    {"free type, enough wrap",
     [](WindowDriver& w) {
       w.Choose("N1");
       w.Type("Edit10", "8");
       PlaceTensioner(w, "70", "-40");
     },
     {"125.6°", nullptr, nullptr},
     {nullptr, nullptr, nullptr},
     ""},
    {"tensioner inside the two-wheel belt touches nothing",
     [](WindowDriver& w) { PlaceTensioner(w, "75", "50"); },
     {nullptr, nullptr, "0°"},
     {nullptr, nullptr, "0"},
     ""},
    {"layout whose belt length is not real",
     [](WindowDriver& w) {
       w.Type("Edit5", "0");
       PlaceTensioner(w, "250", "0");
     },
     {"---", "---", "---"},
     {"---", "---", "---"},
     "参考: 実際のベルト長さ 621.62"},
};

}  // namespace

TEST(WindowDesignCheck, WrapAnglesTeethInMeshAndTheCaution) {
  for (const CheckRow& row : kChecks) {
    SCOPED_TRACE(row.Name);
    WindowDriver w;
    row.Do(w);
    for (int i = 0; i < 3; ++i) {
      const QByteArray wrap = "Label" + QByteArray::number(18 + i);
      const QByteArray mesh = "Label" + QByteArray::number(22 + i);
      if (row.Wraps[i]) {
        EXPECT_EQ(w.Text(wrap), QString::fromUtf8(row.Wraps[i])) << wrap.data();
      }
      if (row.Meshes[i]) {
        EXPECT_EQ(w.Text(mesh), QString::fromUtf8(row.Meshes[i])) << mesh.data();
      }
    }
    EXPECT_EQ(w.Text("Label25"), QString::fromUtf8(row.Caution));
    EXPECT_NE(w.Text("Label14").left(3), QStringLiteral("注意!")) << "the caution keeps its line";
  }
}

TEST(WindowDesignCheck, TheLayoutWarningAndTheReferenceGoTogether) {
  WindowDriver w;
  w.Type("Edit5", "0");
  PlaceTensioner(w, "250", "0");
  EXPECT_EQ(w.Text("Edit11"), "460");
  EXPECT_EQ(w.Text("Label14"), QStringLiteral("警告! この配置のベルト長さは無効です"));
  // Back to a real layout: figures and no reference.
  PlaceTensioner(w, "70", "10");
  EXPECT_EQ(w.Text("Label14"), QString());
  EXPECT_EQ(w.Text("Label25"), QString());
  EXPECT_EQ(w.Text("Label22"), "10");
}

// The readouts describe the path the picture shows: the proposal and the
// standard-length steps, which compute no path, leave them as they were;
// the restore after a failed search rewrites them for the restored path.
TEST(WindowDesignCheck, ReadoutsChangeExactlyWithANewlyComputedPicture) {
  WindowDriver w;
  w.ClickArrow("UpDown3", ArrowButton::Previous, 10);  // caution on NO 1
  const QString caution = w.Text("Label25");
  ASSERT_FALSE(caution.isEmpty());
  w.ClickItem("RadioGroup1", 1);                   // the proposal
  w.ClickArrow("UpDown10", ArrowButton::Next);     // a standard length
  w.Find<QScrollBar>("ScrollBar1")->setValue(15);  // a zoom redraws the same path
  EXPECT_EQ(w.Text("Label22"), "4");
  EXPECT_EQ(w.Text("Label25"), caution);
  // A search that cannot reach the length restores the tensioner and redraws.
  // (It asks for a shorter belt while the tensioner moves the way that lengthens it.)
  w.ClickItem("RadioGroup1", 1);
  w.Type("Edit11", idrova::FormatFloat("###0.##", w.form.State().BeltLength - 1).c_str());
  w.Calculate();
  ASSERT_EQ(w.Text("Label14"), QStringLiteral("警告! 方向指定が間違っています"));
  EXPECT_EQ(w.Text("Label25"), caution);
  EXPECT_EQ(w.Text("Label22"), "4");
}

TEST(WindowDesignCheck, NewLabelsFitAndSpeak) {
  WindowDriver w;
  w.ClickArrow("UpDown3", ArrowButton::Previous, 10);
  for (const char* name : {"Label17", "Label18", "Label19", "Label20", "Label21", "Label22",
                           "Label23", "Label24", "Label25"}) {
    auto* label = w.Find<QLabel>(name);
    const QRect place = label->geometry();
    EXPECT_GE(place.width(), QFontMetrics(label->font()).horizontalAdvance(label->text())) << name;
    EXPECT_LT(place.right(), TForm1::kClientWidth) << name;
    for (QWidget* other : w.form.Panel1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (other != label && other->isVisible()) {
        EXPECT_FALSE(other->geometry().intersects(place))
            << name << " overlaps " << other->objectName().toStdString();
      }
    EXPECT_FALSE(QRect(448, 416, 30, 15).intersects(place)) << name << " keeps Label15's place";
  }
  EXPECT_EQ(w.Find<QLabel>("Label18")->accessibleName(), QStringLiteral("NO 1 の巻付角: 150.4°"));
  EXPECT_EQ(w.Find<QLabel>("Label25")->accessibleName(),
            QStringLiteral("設計の注意: 注意! NO 1 の噛合歯数が6未満です"));
}
