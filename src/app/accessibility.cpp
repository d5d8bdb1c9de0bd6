// SPDX-License-Identifier: MIT
// Accessible interfaces of the arrow control, the zoom bar, the picture and
// the panel of the controls.
#include "app/accessibility.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QMenu>
#include <limits>

#include "app/arrow_control.h"
#include "app/control_panel.h"
#include "app/picture_box.h"
#include "app/zoom_bar.h"
#include "text/number_text.h"

namespace idrova {

namespace {

constexpr const char* kHiddenProperty = "idrovaHiddenFromScreenReaders";

class ArrowControlAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit ArrowControlAccessible(ArrowControl* arrows)
      : QAccessibleWidget(arrows, QAccessible::SpinBox) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QStringList actionNames() const override {
    return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
  }

  void doAction(const QString& action) override {
    if (action == increaseAction())
      Arrows()->Step(ArrowButton::Next);
    else if (action == decreaseAction())
      Arrows()->Step(ArrowButton::Previous);
    else
      QAccessibleWidget::doAction(action);
  }

  QStringList keyBindingsForAction(const QString& action) const override {
    const bool horizontal = Arrows()->Orientation() == Qt::Horizontal;
    if (action == increaseAction())
      return {horizontal ? QStringLiteral("Right") : QStringLiteral("Up")};
    if (action == decreaseAction())
      return {horizontal ? QStringLiteral("Left") : QStringLiteral("Down")};
    return QAccessibleWidget::keyBindingsForAction(action);
  }

  // The value is the number its edit shows: a coordinate, a tooth count,
  // the requested length.
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value && Arrows()->ValueEdit()) return Arrows()->ValueEdit()->text();
    return QAccessibleWidget::text(t);
  }

  QVariant currentValue() const override {
    const QLineEdit* edit = Arrows()->ValueEdit();
    if (!edit) return Arrows()->Position();
    try {
      return StrToFloat(edit->text().toStdString());
    } catch (const ConversionError&) {
      return {};  // a text being typed that is no number yet
    }
  }
  // The value is changed by the arrows, each step one click.
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override {
    return Arrows()->Buddy() ? QVariant(Arrows()->Maximum())
                             : QVariant(std::numeric_limits<double>::max());
  }
  QVariant minimumValue() const override {
    return Arrows()->Buddy() ? QVariant(Arrows()->Minimum())
                             : QVariant(std::numeric_limits<double>::lowest());
  }
  QVariant minimumStepSize() const override { return Arrows()->StepSize(); }

 private:
  ArrowControl* Arrows() const { return static_cast<ArrowControl*>(widget()); }
};

// The zoom bar's value is the picture's scale, 0.1 to 2 pixels per mm.
class ZoomBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit ZoomBarAccessible(ZoomBar* bar) : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  // The description leads with the scale too: AT-SPI bridges that pass on
  // no value text (Qt 6.4's passes the number alone) still say "1 px/mm".
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Bar()->ScaleText();
    if (t == QAccessible::Description)
      return Bar()->ScaleText() + u'\n' + QAccessibleWidget::text(t);
    return QAccessibleWidget::text(t);
  }
  QVariant currentValue() const override { return Bar()->Scale(); }
  void setCurrentValue(const QVariant& value) override { Bar()->SetScale(value.toDouble()); }
  QVariant maximumValue() const override { return ZoomBar::ScaleOf(Bar()->maximum()); }
  QVariant minimumValue() const override { return ZoomBar::ScaleOf(Bar()->minimum()); }
  QVariant minimumStepSize() const override { return ZoomBar::ScaleOf(1); }

 private:
  ZoomBar* Bar() const { return static_cast<ZoomBar*>(widget()); }
};

// The panel's children as a screen reader sees them: the widgets Qt would
// list, less those marked hidden.
class PanelAccessible : public QAccessibleWidget {
 public:
  explicit PanelAccessible(QWidget* panel) : QAccessibleWidget(panel, QAccessible::Pane) {}

  int childCount() const override { return static_cast<int>(Children().size()); }
  QAccessibleInterface* child(int index) const override {
    const QList<QWidget*> children = Children();
    if (index < 0 || index >= children.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(children[index]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child ? static_cast<int>(Children().indexOf(child->object())) : -1;
  }

 private:
  QList<QWidget*> Children() const {
    QList<QWidget*> shown;
    for (QObject* object : widget()->children()) {
      auto* child = qobject_cast<QWidget*>(object);
      if (child && !child->isWindow() && !qobject_cast<QMenu*>(child) &&
          !child->property(kHiddenProperty).toBool())
        shown.append(child);
    }
    return shown;
  }
};

// A widget left out of its panel: nothing to see for a screen reader.
class HiddenAccessible : public QAccessibleWidget {
 public:
  explicit HiddenAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::NoRole) {}
  QAccessible::State state() const override {
    QAccessible::State hidden = QAccessibleWidget::state();
    hidden.invisible = true;
    hidden.focusable = false;
    return hidden;
  }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget && widget->property(kHiddenProperty).toBool()) return new HiddenAccessible(widget);
  if (className == QLatin1String("ArrowControl"))
    return new ArrowControlAccessible(static_cast<ArrowControl*>(object));
  if (className == QLatin1String("ZoomBar"))
    return new ZoomBarAccessible(static_cast<ZoomBar*>(object));
  if (className == QLatin1String("ControlPanel")) return new PanelAccessible(widget);
  if (className == QLatin1String("PictureBox"))
    return new QAccessibleWidget(widget, QAccessible::Graphic);
  return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
}

void HideFromScreenReaders(QWidget* widget) { widget->setProperty(kHiddenProperty, true); }

}  // namespace idrova
