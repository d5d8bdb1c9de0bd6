// SPDX-License-Identifier: MIT
// What a screen reader is told, through Qt's accessibility as AT-SPI gets
// it: CTest runs this program with the accessibility bus on
// (with-screen-reader.sh), so that Qt tells every accessibility event.
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <algorithm>
#include <utility>
#include <vector>

#include "window_driver.h"

using idrova::ArrowButton;

// What a screen reader is told, as AT-SPI receives it from Qt.
TEST(WindowDesktop, AScreenReaderHearsValuesAndResults) {
  using Heard = std::pair<QAccessible::Event, QObject*>;  // what was told, of what
  static std::vector<Heard>* heard = nullptr;
  std::vector<Heard> events;
  heard = &events;
  WindowDriver w;
  // Qt's bridge reaches the accessibility bus a moment after start.
  for (int waited = 0; !QAccessible::isActive() && waited < 5000; waited += 50) QTest::qWait(50);
  ASSERT_TRUE(QAccessible::isActive()) << "run with tests/with-screen-reader.sh";
  const auto before = QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
    heard->push_back({event->type(), event->object()});
  });
  auto valueOf = [](QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->valueInterface();
  };
  auto told = [&events](QAccessible::Event type, QObject* object) {
    return std::find(events.begin(), events.end(), Heard(type, object)) != events.end();
  };
  // The arrows' value is their edit's number, told when it changes.
  w.ClickArrow("UpDown7", ArrowButton::Next);
  EXPECT_EQ(valueOf(w.Find("UpDown7"))->currentValue().toDouble(), 70.1);
  EXPECT_TRUE(told(QAccessible::ValueChanged, w.Find("UpDown7")));
  EXPECT_EQ(valueOf(w.Find("UpDown9"))->currentValue().toInt(), 10);
  // 計算 tells what it found, on itself.
  events.clear();
  w.Calculate();
  EXPECT_TRUE(told(QAccessible::DescriptionChanged, w.Find("Button1")));
  EXPECT_EQ(w.Find("Button1")->accessibleDescription(),
            QStringLiteral("ベルト長さ %1、%2").arg(w.Text("Edit11"), w.Text("Label16")));
  // The zoom bar's value is the scale.
  auto* zoom = w.Find<QScrollBar>("ScrollBar1");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(zoom)->text(QAccessible::Value),
            QStringLiteral("1 px/mm"));
  events.clear();
  zoom->setValue(15);
  EXPECT_TRUE(told(QAccessible::ValueChanged, zoom));
  EXPECT_EQ(valueOf(zoom)->currentValue().toDouble(), 1.5) << "what a reader reads on the change";
  EXPECT_EQ(QAccessible::queryAccessibleInterface(zoom)->text(QAccessible::Value),
            QStringLiteral("1.5 px/mm"));
  // Also where the bridge passes on no value text: the description leads with it.
  EXPECT_TRUE(told(QAccessible::DescriptionChanged, zoom));
  EXPECT_TRUE(QAccessible::queryAccessibleInterface(zoom)
                  ->text(QAccessible::Description)
                  .startsWith(QStringLiteral("1.5 px/mm\n図の拡大縮小")));
  // The picture is heard once: its copy beneath is not in the tree.
  QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(w.form.Panel1);
  QObjectList children;
  for (int i = 0; i < panel->childCount(); ++i) children << panel->child(i)->object();
  EXPECT_FALSE(children.contains(w.Find("Image1")));
  EXPECT_TRUE(children.contains(w.Find("Image2")));
  // The coarse step shows on the arrows, in their tooltip and description.
  w.ClickArrow("UpDown1", ArrowButton::Next, 1, Qt::RightButton);
  for (const char* name : {"UpDown1", "UpDown8"}) {
    auto* arrows = w.Find<ArrowControl>(name);
    EXPECT_TRUE(arrows->Coarse()) << name;
    EXPECT_EQ(arrows->accessibleDescription(), QStringLiteral("10 mm 刻み / 10 mm steps"));
    EXPECT_TRUE(arrows->toolTip().contains(QStringLiteral("10 mm steps"))) << name;
  }
  QAccessible::installUpdateHandler(before);
}
