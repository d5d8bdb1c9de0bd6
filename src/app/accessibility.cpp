// SPDX-License-Identifier: MIT
// Accessible interfaces of the arrow control and the picture.
#include "app/accessibility.h"

#include <QAccessibleWidget>

#include "app/arrow_control.h"
#include "app/picture_box.h"

namespace idrova {

namespace {

class ArrowControlAccessible : public QAccessibleWidget {
 public:
  explicit ArrowControlAccessible(ArrowControl* arrows)
      : QAccessibleWidget(arrows, QAccessible::SpinBox) {}

  QStringList actionNames() const override {
    return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
  }

  void doAction(const QString& action) override {
    auto* arrows = static_cast<ArrowControl*>(widget());
    if (action == increaseAction())
      arrows->Step(ArrowButton::Next);
    else if (action == decreaseAction())
      arrows->Step(ArrowButton::Previous);
    else
      QAccessibleWidget::doAction(action);
  }

  QStringList keyBindingsForAction(const QString& action) const override {
    auto* arrows = static_cast<const ArrowControl*>(widget());
    const bool horizontal = arrows->Orientation() == Qt::Horizontal;
    if (action == increaseAction())
      return {horizontal ? QStringLiteral("Right") : QStringLiteral("Up")};
    if (action == decreaseAction())
      return {horizontal ? QStringLiteral("Left") : QStringLiteral("Down")};
    return QAccessibleWidget::keyBindingsForAction(action);
  }

  // An attached control reads out the count it writes into its edit.
  QString text(QAccessible::Text t) const override {
    auto* arrows = static_cast<const ArrowControl*>(widget());
    if (t == QAccessible::Value && arrows->Buddy()) return arrows->Buddy()->text();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String("ArrowControl"))
    return new ArrowControlAccessible(static_cast<ArrowControl*>(object));
  if (className == QLatin1String("PictureBox"))
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
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

}  // namespace idrova
