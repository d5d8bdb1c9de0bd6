// SPDX-License-Identifier: MIT
// The window as built and started: design places, captions, start-up
// results, the picture's pixels, zoom, Tab order and activation.
#include <QApplication>
#include <QFontInfo>

#include "app/image_canvas.h"
#include "window_driver.h"

using idrova::ArrowButton;

namespace {

QRgb Pixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
constexpr QRgb kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x008000, kBlack = 0x000000;

}  // namespace

TEST(WindowStart, ShowsTheDesignLayoutComputedAndDrawn) {
  WindowDriver w;
  w.Do(
      "see Edit11 524.29; see Label13 (min 520.56); see Label16 歯数  66; see Label9 φ50.93;"
      "see Label10 φ50.93; see Label11 φ25.46; see Label12 種類    S8M; see Label14 ;"
      "belt 524.285991");
  const idrova::DriveState& s = w.form.State();
  EXPECT_EQ(std::tuple(s.Pitch, s.BeltType, s.Scale, s.OriginX, s.OriginY, s.Direction, s.StepSize,
                       s.StepMultiplier, s.UnknownKind, s.WindingMode, s.BeltTeeth),
            std::tuple(8.0, 8, 1.0, 50, 300, 1, 0.1, 1, 0, 0, 66));
}

TEST(WindowStart, ControlsStandAtTheirDesignPlaces) {
  WindowDriver w;
  EXPECT_EQ(w.form.windowTitle(), "Idrova Ver1.0");
  EXPECT_EQ(w.form.minimumSize(), w.form.maximumSize()) << "the window has a fixed size";
  const std::pair<const char*, QRect> rows[] = {
      {"Edit1", {433, 163, 60, 23}},       {"UpDown1", {493, 163, 20, 20}},
      {"Edit2", {432, 194, 60, 23}},       {"UpDown2", {492, 194, 20, 23}},
      {"Edit3", {455, 224, 35, 23}},       {"UpDown3", {490, 224, 19, 23}},
      {"Edit4", {520, 163, 60, 23}},       {"UpDown4", {580, 163, 20, 20}},
      {"Edit5", {518, 194, 60, 23}},       {"UpDown5", {578, 194, 20, 23}},
      {"Edit6", {541, 222, 35, 23}},       {"UpDown6", {576, 222, 19, 23}},
      {"Edit7", {603, 165, 60, 23}},       {"UpDown7", {662, 165, 20, 20}},
      {"Edit8", {604, 193, 60, 23}},       {"UpDown8", {664, 193, 20, 23}},
      {"Edit9", {626, 221, 35, 23}},       {"UpDown9", {661, 221, 19, 23}},
      {"Edit10", {448, 103, 50, 23}},      {"Edit11", {595, 29, 60, 23}},
      {"UpDown10", {655, 29, 20, 23}},     {"RadioButton1", {408, 14, 60, 17}},
      {"RadioButton2", {408, 35, 60, 17}}, {"RadioGroup1", {503, 38, 82, 92}},
      {"RadioGroup2", {590, 79, 59, 51}},  {"Button1", {592, 288, 75, 25}},
      {"ScrollBar1", {64, 424, 259, 15}},  {"Image1", {20, 20, 350, 400}},
      {"Image2", {20, 20, 350, 400}},
  };
  for (const auto& [name, place] : rows) EXPECT_EQ(w.Find(name)->geometry(), place) << name;
  // Labels keep their top-left corner and grow with their text.
  EXPECT_EQ(w.Find("Label12")->pos(), QPoint(408, 80));
  EXPECT_EQ(w.Find("Label14")->pos(), QPoint(424, 328));
  EXPECT_EQ(w.Find("Label9")->pos(), QPoint(454, 256));
}

TEST(WindowStart, CaptionsColoursAndStates) {
  WindowDriver w;
  w.Do("see Label1 NO 1; off RadioButton2; off RadioGroup2; off UpDown10");
  EXPECT_EQ(w.Find("Label1")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(w.Find("Label2")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(w.Find("Label3")->palette().color(QPalette::WindowText), QColor(0, 128, 128));
  EXPECT_EQ(w.Find<QLineEdit>("Edit11")->palette().color(QPalette::Base), QColor(255, 255, 181));
  EXPECT_EQ(w.Find<QLineEdit>("Edit7")->palette().color(QPalette::Base), QColor(255, 255, 255));
  for (const auto& [edit, readOnly] :
       {std::pair("Edit3", true), {"Edit10", true}, {"Edit7", false}})
    EXPECT_EQ(w.Find<QLineEdit>(edit)->isReadOnly(), readOnly) << edit;
  EXPECT_TRUE(w.Item("RadioGroup1", 0)->isChecked());
  EXPECT_EQ(w.Item("RadioGroup1", 1)->text(), QStringLiteral("x３座標"));
  EXPECT_EQ(w.Item("RadioGroup2", 1)->text(), QStringLiteral("－"));
  EXPECT_EQ(w.Find<QPushButton>("Button1")->text(), QStringLiteral("計算"));
  auto* zoom = w.Find<QScrollBar>("ScrollBar1");
  EXPECT_EQ(std::tuple(zoom->minimum(), zoom->maximum(), zoom->value()), std::tuple(1, 20, 10));
  EXPECT_EQ(QFontInfo(w.form.font()).pixelSize(), 15);

  // Menus exist with all their entries; save and load are disabled.
  auto* types = w.Find<QMenu>("PopupMenu1");
  ASSERT_EQ(types->actions().size(), 24);
  EXPECT_EQ(types->actions().front()->objectName(), "S45M1");
  EXPECT_EQ(types->actions().back()->text(), QStringLiteral("その他"));
  auto* picture = w.Find<QMenu>("PopupMenu2");
  ASSERT_EQ(picture->actions().size(), 2);
  for (QAction* action : picture->actions()) EXPECT_FALSE(action->isEnabled());
}

TEST(WindowStart, TabSkipsTheCoordinateAndToothCountEdits) {
  WindowDriver w;
  QApplication::setActiveWindow(&w.form);
  w.Find("UpDown1")->setFocus();
  const QList<QWidget*> expected = {
      w.Find("UpDown2"), w.Find("UpDown3"),   w.Find("UpDown4"),      w.Find("UpDown5"),
      w.Find("UpDown6"), w.Find("UpDown7"),   w.Find("UpDown8"),      w.Find("UpDown9"),
      w.Find("Edit10"),  w.Find("Edit11"),    w.Find("RadioButton1"), w.Item("RadioGroup1", 0),
      w.Find("Button1"), w.Find("ScrollBar1")};
  for (QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
  }
}

// The picture's pixel rules on the window's own canvas: a rectangle fills
// from its left and top edge up to, not including, its right and bottom;
// an outline lies on its box, inside it; a line leaves out its end pixel,
// unless it is cut at the picture's edge.
TEST(WindowPicture, TheCanvasKeepsItsPixelRules) {
  QImage image(30, 30, QImage::Format_RGB32);
  ImageCanvas canvas(&image);
  canvas.SetBrushColor(Qt::white);
  canvas.FillRect(-5, -5, 40, 40);
  canvas.SetBrushColor(Qt::yellow);
  canvas.FillRect(5, 5, 10, 10);
  canvas.SetPenColor({0, 0, 255});
  canvas.Arc(10, 12, 20, 22, 10, 12, 10, 12);
  canvas.SetPenColor({0, 0, 0});
  canvas.MoveTo(2, 2);
  canvas.LineTo(8, 2);
  canvas.MoveTo(2, 28);
  canvas.LineTo(std::int64_t{1} << 40, 28);
  canvas.MoveTo(0, 25);  // up to the right at 45 degrees, far past the top edge
  canvas.LineTo(std::int64_t{1} << 40, 25 - (std::int64_t{1} << 40));
  const QRgb white = 0xFFFFFF, yellow = 0xFFFF00, blue = 0x0000FF, black = 0x000000;
  const std::tuple<const char*, int, int, QRgb> pixels[] = {
      {"fill's first corner", 5, 5, yellow},
      {"fill's last pixel", 9, 9, yellow},
      {"past the fill's right", 10, 7, white},
      {"past the fill's bottom", 7, 10, white},
      {"outline's left", 10, 17, blue},
      {"outline's right", 19, 17, blue},
      {"outline's top", 15, 12, blue},
      {"outline's bottom", 15, 21, blue},
      {"past its right", 20, 17, white},
      {"past its bottom", 15, 22, white},
      {"inside it", 15, 17, white},
      {"line's first pixel", 2, 2, black},
      {"line's last pixel", 7, 2, black},
      {"line's end", 8, 2, white},
      {"a line cut at the edge", 29, 28, black},
      {"a sloped line on its way to the edge", 20, 5, black},
      {"the sloped line cut at the top edge", 25, 0, black}};
  for (const auto& [name, x, y, colour] : pixels) EXPECT_EQ(Pixel(image, x, y), colour) << name;
}

TEST(WindowPicture, ZoomRedrawsAboutTheFixedOriginWithoutRecomputing) {
  WindowDriver w;
  auto* zoom = w.Find<QScrollBar>("ScrollBar1");
  const double length = w.form.State().BeltLength;
  zoom->setValue(20);
  EXPECT_EQ(w.form.State().Scale, 2.0);
  QImage picture = w.Picture();
  EXPECT_EQ(Pixel(picture, 299, 100), kBlue) << "wheel 2 box (299, 49)-(401, 151)";
  int redInFirstColumn = 0;  // wheel 1's box starts at x = -1, its outline crosses column 0
  for (int y = 280; y < 320; ++y) redInFirstColumn += Pixel(picture, 0, y) == kRed;
  EXPECT_GE(redInFirstColumn, 2);
  EXPECT_NE(Pixel(picture, 0, 299), kRed) << "the leftmost stretch lies at x = -1, cut off";
  zoom->setValue(1);
  picture = w.Picture();
  EXPECT_NEAR(w.form.State().Scale, 0.1, 1e-15);
  EXPECT_EQ(Pixel(picture, 56, 299), kGreen) << "wheel 3 box (56, 298)-(58, 300)";
  EXPECT_EQ(w.form.State().BeltLength, length);
  EXPECT_EQ(w.Text("Label10"), QStringLiteral("φ50.93"));
  EXPECT_EQ(w.Find<PictureBox>("Image1")->Bitmap(), w.Find<PictureBox>("Image2")->Bitmap());
}

TEST(WindowStart, ALaterActivationResetsNothing) {
  WindowDriver w;
  w.Find<QScrollBar>("ScrollBar1")->setValue(15);
  w.ClickArrow("UpDown7", ArrowButton::Next);
  QWidget other;
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  QApplication::setActiveWindow(&other);
  other.hide();
  w.form.hide();
  w.form.show();
  QApplication::setActiveWindow(&w.form);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.form));
  EXPECT_EQ(w.form.State().Scale, 1.5);
  EXPECT_NEAR(w.form.State().Wheel[2].X, 70.1, 1e-12);
  EXPECT_EQ(w.Text("Edit7"), "70.1");
}

TEST(WindowRecalculation, TypedCoordinatesWaitForTheCalculateButton) {
  Tell({{"typed",
         "type Edit1 100; see Edit11 524.29; belt 524.285991; calc; see Edit1 100;"
         "see Edit11 401.96"}});
}
