// SPDX-License-Identifier: MIT
// The window on the screens people have. CTest runs this program once per
// screen (1024 x 768, 1366 x 768, 1600 x 1000) and scale (1, 1.5, 2), through
// the offscreen platform's screen configuration: every number shows whole
// and inside its control and the window, every control can be reached, and
// the picture is drawn at the screen's resolution.
#include <QScreen>
#include <QStyleOptionFrame>
#include <cmath>
#include <map>
#include <numeric>
#include <tuple>

#include "app/fit.h"
#include "app/number_edit.h"
#include "window_driver.h"

using idrova::ArrowButton;

namespace {

// The edit's text as the user sees it: its text area looks exactly like the
// same text, from its first character, in an edit wide enough for all of it;
// Whole: the text also ends inside the area; Head: the text runs on under the
// mark at the area's right end, which the edit shows. Typing (the edit has the
// focus): the area looks like that of an edit of the same size scrolled to
// the caret at the end, as any edit looks while the user types.
enum class Shown { Whole, Head, Typing };
testing::AssertionResult ShowsText(QLineEdit* edit, Shown shown) {
  auto* number = qobject_cast<NumberEdit*>(edit);
  const bool whole = shown == Shown::Whole;
  if (!number || (shown != Shown::Typing && number->Overflows() == whole))
    return testing::AssertionFailure() << "'" << edit->text().toStdString() << "' "
                                       << (whole ? "overflows its edit" : "shows no mark");
  QLineEdit twin;
  twin.setStyle(edit->style());
  twin.setFont(edit->font());
  twin.setPalette(edit->palette());
  twin.setTextMargins(edit->textMargins());
  twin.setReadOnly(edit->isReadOnly());
  twin.resize(shown == Shown::Typing ? edit->width() : 2000, edit->height());
  const QImage blank = twin.grab().toImage().convertToFormat(QImage::Format_RGB32);
  twin.setText(edit->text());
  twin.setCursorPosition(shown == Shown::Typing ? static_cast<int>(edit->text().size()) : 0);
  const QImage seen = edit->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage wide = twin.grab().toImage().convertToFormat(QImage::Format_RGB32);
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.rect = edit->rect();
  option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
  const QRect area = edit->style()
                         ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                         .marginsRemoved(edit->textMargins());
  // The number face is fixed-pitch: the characters that fit whole before the
  // ellipsis show as in the twin.
  const QFontMetricsF metrics(edit->font(), edit);
  const double pitch = metrics.horizontalAdvance('0');
  const double markLeft =
      area.left() + 2 +
      std::floor((area.width() - 4 - metrics.horizontalAdvance("…")) / pitch) * pitch - 1;
  // Pixels are the screen's: the area's columns scaled by its ratio.
  const double ratio = seen.devicePixelRatio();
  const auto device = [ratio](double logical) {
    return static_cast<int>(std::floor(logical * ratio));
  };
  // While the edit has the focus, its ring covers the outer three pixels.
  const QRect seenArea =
      shown == Shown::Typing ? area.intersected(edit->rect().adjusted(3, 3, -3, -3)) : area;
  const int left = device(seenArea.left());
  const int right = device(seenArea.right() + 1) - 1;
  const int last = shown != Shown::Head ? right : device(markLeft + 1) - 1;
  // Ink is whatever the text changed in the twin.
  for (int y = device(seenArea.top()); y < device(seenArea.bottom() + 1); ++y) {
    for (int x = left; x <= last; ++x)
      if (wide.pixel(x, y) != blank.pixel(x, y) && seen.pixel(x, y) != wide.pixel(x, y))
        return testing::AssertionFailure()
               << "'" << edit->text().toStdString()
               << "' does not show from its first character (x " << x << ")";
    if (!whole) continue;
    for (int x = right + 1; x < device(twin.width() - 4); ++x)
      if (wide.pixel(x, y) != blank.pixel(x, y))
        return testing::AssertionFailure()
               << "'" << edit->text().toStdString() << "' runs past the edit (x " << x << ")";
  }
  return testing::AssertionSuccess();
}

// The label holds the whole text in full, inside its own room of its row
// (from the first to the last column it may use), overlapping no other
// control.
testing::AssertionResult ShowsLabel(WindowDriver& w, QLabel* label) {
  constexpr int kRight = TForm1::kClientWidth - 3;  // two pixels short of the edge
  static const std::map<QString, std::pair<int, int>> kRooms = {
      {"Label9", {440, 538}},     {"Label10", {540, 606}},    {"Label11", {608, kRight}},
      {"Label12", {408, 501}},    {"Label13", {470, kRight}}, {"Label14", {380, kRight}},
      {"Label15", {440, kRight}}, {"Label16", {587, kRight}}, {"Label18", {454, 538}},
      {"Label19", {540, 606}},    {"Label20", {608, kRight}}, {"Label22", {454, 538}},
      {"Label23", {540, 606}},    {"Label24", {608, kRight}}, {"Label25", {380, kRight}}};
  const auto [first, last] = kRooms.at(label->objectName());
  const QRect place = label->geometry();
  const int needed = QFontMetrics(label->font()).horizontalAdvance(label->text());
  if (place.left() < first || place.right() > last || place.width() < needed)
    return testing::AssertionFailure()
           << label->objectName().toStdString() << " '" << label->text().toStdString() << "' needs "
           << needed << " px, has " << place.left() << ".." << place.right();
  for (QWidget* other : w.form.Panel1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (other == label || !other->isVisible() || !other->geometry().intersects(place)) continue;
    return testing::AssertionFailure()
           << label->objectName().toStdString() << " '" << label->text().toStdString()
           << "' overlaps " << other->objectName().toStdString();
  }
  return testing::AssertionSuccess();
}

// Name, steps (WindowDriver::Do), the control and what it shows.
const std::tuple<const char*, const char*, const char*, const char*> kFits[] = {
    {"belt 1000 mm longer than the box showed", "layout 500 0 250 -60", "Edit11", "1168.83"},
    {"MXL proposal", "choose MXL1; item RadioGroup1 1", "Edit11", "402.336"},
    {"stepped below -1000", "type Edit1 -1000; calc; click UpDown1 prev", "Edit1", "-1000.1"},
    {"coordinate 99999.9", "type Edit5 99999.8; calc; click UpDown5 next", "Edit5", "99999.9"},
    {"coordinate -9999.9", "type Edit8 -9999.8; calc; click UpDown8 prev", "Edit8", "-9999.9"},
    {"found coordinate 7 characters",
     "layout 4000 0 2000 -10; item RadioGroup1 2; item RadioGroup2 1; type Edit11 8400; calc",
     "Edit8", "-716.11"},
    {"length 9999.99 class", "layout 4900 0 2450.3 -120.7", "Edit11", "9964.76"},
    {"standard length with three decimals", "choose XH1; item RadioGroup1 1; click UpDown10 next 3",
     "Edit11", "66.675"},
    {"pitch of XH", "choose XH1", "Edit10", "22.225"},
    {"pitch of RS50", "choose RS501", "Edit10", "15.875"},
    {"two-wheel length past the right edge", "layout 900 600 450 100", "Label13", "(min 2323.33)"},
    {"two-wheel length of five digits", "layout 49000 0 70 10", "Label13", "(min 98160)"},
    {"diameter of 100 teeth", "click UpDown9 next 90", "Label11", "φ254.65"},
    {"RS240 diameter", "choose RS2401", "Label11", "φ246.59"},
    {"NO 1 of a 100 m pitch", "choose N1; type Edit10 100000; calc; click UpDown3 next 180",
     "Label9", "φ6366459.53"},
    {"RS240 200 teeth on NO 2", "choose RS2401; click UpDown6 next 180", "Label10", "φ4851.24"},
    {"RS240 200 teeth", "choose RS2401; click UpDown9 next 190", "Label11", "φ4851.24"},
    {"RS240 two-wheel length", "choose RS2401", "Label13", "(min 1890.84)"},
    {"tooth count of a fine free pitch", "choose N1; type Edit10 0.001; calc", "Label16",
     "歯数  371424"},
    {"type label RS240", "choose RS2401", "Label12", "種類   RS240"},
    {"direction warning", "item RadioGroup1 1; type Edit11 524; calc", "Label14",
     "警告! 方向指定が間違っています"},
    {"layout warning", "layout 150 0 250 0", "Label14", "警告! この配置のベルト長さは無効です"},
    {"caution", "click UpDown3 prev 10", "Label25", "注意! NO 1 の噛合歯数が6未満です"},
    {"odd chain", "choose RS401; item RadioGroup1 1; click UpDown10 next 81", "Label25",
     "注意! 奇数リンク: オフセットリンクが必要"},
    {"wrap angle and teeth in mesh", "", "Label18", "164.8°"},
    // Eight characters, typed or written by the window, show whole.
    {"typed 12345.67", "type Edit1 12345.67; leave", "Edit1", "12345.67"},
    {"typed -9999.99", "type Edit5 -9999.99; leave", "Edit5", "-9999.99"},
    {"typed 99999.99", "type Edit7 99999.99; leave", "Edit7", "99999.99"},
    {"found coordinate -1297.01", "item RadioGroup1 2; item RadioGroup2 1; type Edit11 3000; calc",
     "Edit8", "-1297.01"},
    {"belt of 20600.01 mm", "layout 10220 0 5110 -20", "Edit11", "20600.01"},
    {"pitch of eight characters", "choose N1; type Edit10 12.34567; leave", "Edit10", "12.34567"},
};

}  // namespace

TEST(WindowFit, EveryNumberShowsWholeInsideItsControlAndTheWindow) {
  for (const auto& [name, steps, control, shown] : kFits) {
    SCOPED_TRACE(name);
    WindowDriver w;
    w.Do(QString::fromUtf8(steps) + "; see " + control + " " + QString::fromUtf8(shown));
    auto* edit = w.form.findChild<QLineEdit*>(control);
    EXPECT_TRUE(edit ? ShowsText(edit, Shown::Whole) : ShowsLabel(w, w.Find<QLabel>(control)));
  }
}

TEST(WindowFit, ATextLongerThanItsEditShowsItsLeadingCharacters) {
  WindowDriver w;
  w.Do("focus Edit1; type Edit1 200000000000000000000");
  EXPECT_TRUE(ShowsText(w.Find<QLineEdit>("Edit1"), Shown::Typing)) << "no mark while typing";
  w.Do("leave");
  EXPECT_TRUE(ShowsText(w.Find<QLineEdit>("Edit1"), Shown::Head));
  // A length written by the program from a far layout.
  w.Do("type Edit4 -123456789; calc");
  EXPECT_TRUE(w.Text("Edit11").startsWith("4000000000002"));
  EXPECT_TRUE(ShowsText(w.Find<QLineEdit>("Edit11"), Shown::Head));
}

TEST(WindowFit, ALabelTooLongForItsRowShrinksThenCutsAndNamesTheWholeValue) {
  WindowDriver w;
  w.Do("choose N1; type Edit10 0.0000001; type Edit4 1e60; calc");
  auto* label = w.Find<QLabel>("Label13");
  EXPECT_TRUE(label->text().startsWith("(min 1999999")) << label->text().toStdString();
  EXPECT_TRUE(label->text().endsWith(QChar(0x2026)));
  EXPECT_EQ(label->font().pixelSize(), idrova::kSmallestLabelPixelSize);
  EXPECT_TRUE(ShowsLabel(w, label));
  EXPECT_TRUE(label->accessibleName().endsWith(")")) << "the name carries the whole value";
  // Back to a realistic layout, the label returns to its face and place.
  w.Do("type Edit4 150; type Edit10 8; calc; see Label13 (min 521.22)");
  EXPECT_EQ(label->font().pixelSize(), 15);
  EXPECT_TRUE(ShowsLabel(w, label));
  EXPECT_EQ(label->y(), 11);
}

// A text exactly as wide as its room, or one pixel wider; at its design
// place, or passing the room's last column by one pixel.
TEST(WindowFit, ALabelFitsItsRoomToThePixel) {
  QLabel label;
  const QString text = QStringLiteral("(min 2323.33)");
  QFont face = label.font();
  face.setPixelSize(15);
  const int width = QFontMetrics(face).horizontalAdvance(text);
  // The room (design left and width, first and last column), the label's left and face.
  const std::tuple<const char*, idrova::LabelRoom, int, int> rows[] = {
      {"as wide as its room", {100, 0, 100, 100 + width - 1}, 100, 15},
      {"a pixel wider than its room", {100, 0, 100, 100 + width - 2}, 100, 14},
      {"passing the last column by one", {101, 0, 50, 100 + width - 1}, 100, 15},
      {"passing it by none", {100, 0, 50, 100 + width - 1}, 100, 15},
  };
  for (const auto& [name, room, left, pixelSize] : rows) {
    idrova::FitLabelText(&label, text, room, 15);
    EXPECT_EQ(std::pair(label.x(), label.font().pixelSize()), std::pair(left, pixelSize)) << name;
    EXPECT_LE(label.geometry().right(), room.MaxRight) << name;
    EXPECT_EQ(label.text(), text) << name;
  }
}

// An edit whose text fills its contents to the pixel leaves none for the
// caret, and shows the text a size smaller.
TEST(WindowFit, ATextFillingItsEditLeavesRoomForTheCaret) {
  WindowDriver w;
  auto* edit = w.Find<NumberEdit>("Edit1");
  edit->setText(QStringLiteral("12345.67"));
  const int designSize = edit->font().pixelSize();
  const double advance = QFontMetricsF(edit->font(), edit).horizontalAdvance(edit->text());
  for (int width = 30; width < 200; ++width) {
    edit->resize(width, edit->height());
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const int contents =
        edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).width();
    if (contents - 4 >= advance && contents - 5 < advance) {  // QLineEdit keeps 2 px either side
      EXPECT_LT(edit->font().pixelSize(), designSize) << "width " << width;
      return;
    }
  }
  ADD_FAILURE() << "no width where the text fills the edit";
}

// The shapes an edit's text is drawn with, left to right: each run of dark
// pixels joined by an edge or a corner, as its box in device pixels.
std::vector<QRect> InkShapes(QLineEdit* edit) {
  const QImage image = edit->grab().toImage();
  const int w = image.width(), h = image.height(), frame = 3 * image.devicePixelRatio();
  std::vector<int> shapeOf(static_cast<std::size_t>(w * h), -1);
  std::vector<QRect> shapes;
  auto dark = [&](int x, int y) {
    return x >= frame && y >= frame && x < w - frame && y < h - frame &&
           qGray(image.pixel(x, y)) < 128;
  };
  for (int y0 = 0; y0 < h; ++y0)
    for (int x0 = 0; x0 < w; ++x0) {
      if (!dark(x0, y0) || shapeOf[static_cast<std::size_t>(y0 * w + x0)] >= 0) continue;
      QRect box(x0, y0, 1, 1);
      std::vector<QPoint> open{{x0, y0}};
      shapeOf[static_cast<std::size_t>(y0 * w + x0)] = static_cast<int>(shapes.size());
      while (!open.empty()) {
        const QPoint p = open.back();
        open.pop_back();
        box |= QRect(p, QSize(1, 1));
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) {
            const int x = p.x() + dx, y = p.y() + dy;
            if (!dark(x, y) || shapeOf[static_cast<std::size_t>(y * w + x)] >= 0) continue;
            shapeOf[static_cast<std::size_t>(y * w + x)] = static_cast<int>(shapes.size());
            open.push_back({x, y});
          }
      }
      shapes.push_back(box);
    }
  std::sort(shapes.begin(), shapes.end(),
            [](const QRect& a, const QRect& b) { return a.left() < b.left(); });
  return shapes;
}

// Regression: where the face shrank to fit eight characters, the face's own
// small bitmaps drew the point a row below the digits, as a comma
// ("12345, 67"). A point sits on the digits' baseline, no taller than wide;
// a minus is a bar in the digits' middle.
TEST(WindowFit, AShrunkFaceKeepsThePointAPointAndTheMinusAMinus) {
  WindowDriver w;
  auto* edit = w.Find<NumberEdit>("Edit1");
  const int designSize = edit->font().pixelSize();
  const int designWidth = edit->width();
  int shrunk = 0;
  for (const QString& text : {QStringLiteral("12345.67"), QStringLiteral("-1234.56")}) {
    for (int width = designWidth; width >= designWidth - 12; width -= 3) {
      edit->resize(width, edit->height());
      edit->setText(text);
      if (edit->font().pixelSize() >= designSize || edit->Overflows()) continue;
      SCOPED_TRACE(testing::Message() << text.toStdString() << " in an edit " << width
                                      << " px wide, face " << edit->font().pixelSize() << " px");
      ++shrunk;
      // The point is the smallest shape; the digits stand on one baseline.
      std::vector<QRect> shapes = InkShapes(edit);
      ASSERT_GE(shapes.size(), 8u);
      const QRect minus = shapes.front();
      if (text.startsWith(u'-')) shapes.erase(shapes.begin());
      const auto smallest =
          std::min_element(shapes.begin(), shapes.end(), [](const QRect& a, const QRect& b) {
            return a.width() * a.height() < b.width() * b.height();
          });
      const QRect point = *smallest;
      shapes.erase(smallest);
      const QRect digits = std::accumulate(shapes.begin(), shapes.end(), shapes.front(),
                                           [](const QRect& a, const QRect& b) { return a | b; });
      // Smoothing on a baseline between device pixels may add a row.
      const int smoothing = edit->devicePixelRatio() > 1 ? 1 : 0;
      EXPECT_LE(point.bottom(), digits.bottom() + smoothing) << "the point hangs below the digits";
      EXPECT_LE(point.height(), point.width() + 1) << "the point is drawn as a stroke";
      EXPECT_LE(point.height(), digits.height() / 4) << "the point is drawn as a stroke";
      if (text.startsWith(u'-')) {
        EXPECT_GE(minus.width(), 2 * minus.height());
        EXPECT_LT(minus.bottom(), digits.bottom() - digits.height() / 4);
        EXPECT_GT(minus.top(), digits.top() + digits.height() / 4);
      }
    }
  }
  EXPECT_GE(shrunk, 4) << "too few shrunk faces seen";
}

// Regression: the proposal that cannot hold its tooth count left the count of
// the standard-length step before it on screen.
TEST(WindowFit, AProposalWhoseToothCountCannotBeHeldShowsDashes) {
  Tell({{"a pitch of 1e-7 mm",
         "choose N1; type Edit10 0.0000001; calc; see Label16 歯数  ---;"
         "item RadioGroup1 1; click UpDown10 next; see Label16 歯数  1;"
         "item RadioGroup1 2; see Label16 歯数  ---"}});
}

// Where the window fits the screen it has the design's size at the design
// place, or the nearest place inside; where it does not, it fills the free
// area, title bar and all, and its content scrolls to every control.
TEST(WindowScreen, EveryControlCanBeReached) {
  WindowDriver w;
  const QRect available = w.form.screen()->availableGeometry();
  const QRect frame = w.form.frameGeometry();
  SCOPED_TRACE(testing::Message() << "screen " << available.width() << " x " << available.height()
                                  << " at " << w.form.devicePixelRatioF());
  EXPECT_TRUE(available.contains(frame));
  const QSize content(TForm1::kClientWidth, TForm1::kClientHeight);
  const QSize chrome = frame.size() - w.form.size();
  // At the design place where the window fits there, else as near as it can.
  const QRect atDesign(TForm1::kDesignPosition, frame.size());
  if (available.contains(atDesign))
    EXPECT_EQ(frame.topLeft(), atDesign.topLeft());
  else
    EXPECT_TRUE(frame.right() == available.right() || frame.bottom() == available.bottom());
  if (available.width() >= content.width() + chrome.width() &&
      available.height() >= content.height() + chrome.height()) {
    EXPECT_EQ(w.form.size(), content);
    EXPECT_EQ(w.form.minimumSize(), w.form.maximumSize());
  } else {
    EXPECT_EQ(frame.size(), (content + chrome).boundedTo(available.size()));
  }
  QScrollArea* box = w.form.ScrollBox1;
  for (QWidget* control : w.form.Panel1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!control->isVisible()) continue;
    const QRect place = control->geometry();
    const QSize room = box->viewport()->size() / 2 - QSize(1, 1);
    box->ensureVisible(place.center().x(), place.center().y(),
                       std::min(place.width() / 2 + 1, room.width()),
                       std::min(place.height() / 2 + 1, room.height()));
    const QRect view = box->viewport()->rect();
    const QRect shown =
        QRect(control->mapTo(box->viewport(), QPoint(0, 0)), control->size()).intersected(view);
    // All of it, or as much as the view holds.
    EXPECT_TRUE(shown.width() >= std::min(control->width(), view.width() - 2) &&
                shown.height() >= std::min(control->height(), view.height() - 2))
        << control->objectName().toStdString() << " cannot be scrolled into view";
  }
  EXPECT_FALSE(w.form.windowIcon().pixmap(48).isNull()) << "the window carries the icon";
}

// The sheet opens beside the main window, touching it, to its right where
// the screen has room there, else to its left; without room on either side
// it covers no more of the main window than it must.
TEST(WindowScreen, TheSheetOpensBesideTheWindow) {
  WindowDriver w;
  const QRect side = w.OpenSheet()->frameGeometry(), main = w.form.frameGeometry();
  const QRect available = w.form.screen()->availableGeometry();
  EXPECT_TRUE(available.contains(side));
  if (available.right() - main.right() >= side.width()) {
    EXPECT_EQ(side.topLeft(), QPoint(main.right() + 1, main.top()));
  } else if (main.left() - available.left() >= side.width()) {
    EXPECT_EQ(side.topRight(), QPoint(main.left() - 1, main.top()));
  } else {
    const int across = available.width() - side.width();
    EXPECT_TRUE(side.left() == available.left() || side.right() == available.right() ||
                side.top() > main.top())
        << "the sheet is not as far from the main window as the screen allows, " << across;
  }
}

TEST(WindowScreen, PlaceInsideKeepsTheDesignPlaceOrTheNearest) {
  const QSize outer = TForm1::kDesignOuterSize;
  const QPoint design = TForm1::kDesignPosition;
  const std::tuple<const char*, QRect, QPoint> rows[] = {
      {"full HD keeps the design place", {0, 0, 1920, 1040}, design},
      {"1600 x 1000 at scale 2", {0, 0, 800, 500}, {105, 20}},
      {"1366 x 768 at 150 %", {0, 0, 911, 512}, {216, 32}},
      {"panel above the free area", {0, 40, 1024, 700}, {298, 117}},
      {"panel left, narrow screen", {64, 0, 900, 768}, {269, 117}},
      {"screen smaller than the window", {0, 0, 640, 400}, {0, 0}},
      {"second screen to the right", {1920, 0, 1280, 984}, {1920, 117}},
  };
  for (const auto& [name, available, place] : rows)
    EXPECT_EQ(idrova::PlaceInside(available, outer, design), place) << name;
}

namespace {

// Every colour other than the background: its pixels, and how many of them
// are the top left of a 2 x 2 block of their colour (most, in a picture blown
// up into blocks).
std::map<QRgb, std::pair<int, int>> InkOf(const QImage& image) {
  std::map<QRgb, std::pair<int, int>> ink;
  for (int y = 0; y + 1 < image.height(); ++y)
    for (int x = 0; x + 1 < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      if (c == image.pixel(0, 0)) continue;
      ++ink[c].first;
      ink[c].second += image.pixel(x + 1, y) == c && image.pixel(x, y + 1) == c &&
                       image.pixel(x + 1, y + 1) == c;
    }
  return ink;
}

}  // namespace

// On a scaled screen the picture is drawn at the screen's resolution, with
// lines and outlines one device pixel wide rather than the 1:1 picture blown
// up into blocks.
TEST(WindowScreen, ThePictureIsDrawnAtTheScreensResolution) {
  WindowDriver w;
  const qreal ratio = w.form.devicePixelRatioF();
  if (ratio < 1.5) GTEST_SKIP() << "an unscaled screen";
  auto* picture = w.Find<QWidget>("Image2");
  EXPECT_EQ(picture->size(), QSize(350, 400)) << "the box keeps its place and size";
  const QPixmap shown = picture->grab();
  EXPECT_EQ(shown.devicePixelRatio(), ratio);
  ASSERT_EQ(shown.size(), QSize(qRound(350 * ratio), qRound(400 * ratio)));
  for (const auto& [x3, y3] : {std::pair("70", "10"), std::pair("70", "-60")}) {
    SCOPED_TRACE(testing::Message() << "tensioner at " << x3 << ", " << y3);
    w.Do(QStringLiteral("type Edit7 %1; type Edit8 %2; calc").arg(x3, y3));
    const auto ink = InkOf(picture->grab().toImage().convertToFormat(QImage::Format_RGB32));
    // The three wheels in their colours and the belt in black, each thin.
    for (const QRgb colour : {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 128, 0), qRgb(0, 0, 0)}) {
      const auto found = ink.find(colour);
      ASSERT_NE(found, ink.end()) << std::hex << colour;
      const auto [pixels, inBlocks] = found->second;
      EXPECT_GT(pixels, 100) << std::hex << colour;
      // Where a belt span leaves its wheel the two lines may touch; a blown-up
      // picture has a quarter of its pixels or more at the top left of a block.
      EXPECT_LT(inBlocks * 20, pixels) << std::hex << colour;
    }
  }
}
