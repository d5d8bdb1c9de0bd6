// SPDX-License-Identifier: MIT
// TForm1 and the keyboard: the Tab order, the type menu keys, typing into a
// coordinate from its arrows, and the keys of the tooth-count arrows.
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>

#include "app/control_texts.h"
#include "app/focus_frame_style.h"
#include "app/form1.h"

namespace {
// The arrow control a coordinate edit is typed into from, or nullptr.
ArrowControl* ArrowsTypingInto(const QWidget* window, const QWidget* edit) {
  if (!qobject_cast<const QLineEdit*>(edit)) return nullptr;
  for (ArrowControl* arrows : window->findChildren<ArrowControl*>())
    if (arrows->TypingEdit() == edit) return arrows;
  return nullptr;
}
}  // namespace

// Tab walks the design order: the coordinate and tooth-count edits (click
// focus only) are skipped, disabled controls too, and a radio group is
// entered at its selected item. From a coordinate edit typed into from its
// arrows, Tab goes on as from those arrows.
bool TForm1::focusNextPrevChild(bool next) {
  auto stopOf = [this](QWidget* w) -> QWidget* {
    for (QWidget* stop : tabOrder_)
      if (w == stop || (qobject_cast<QGroupBox*>(stop) && stop->isAncestorOf(w))) return stop;
    return nullptr;
  };
  auto target = [](QWidget* stop) -> QWidget* {
    if (auto* group = qobject_cast<QGroupBox*>(stop)) {
      for (QRadioButton* item : group->findChildren<QRadioButton*>())
        if (item->isChecked()) return item;
      return nullptr;
    }
    return stop;
  };
  const qsizetype count = tabOrder_.size();
  QWidget* focus = QApplication::focusWidget();
  if (ArrowControl* arrows = ArrowsTypingInto(this, focus)) focus = arrows;
  const qsizetype current = tabOrder_.indexOf(stopOf(focus));
  for (qsizetype step = 1; step <= count; ++step) {
    const qsizetype start = current < 0 ? (next ? -1 : count) : current;
    const qsizetype index = ((start + (next ? step : -step)) % count + count) % count;
    QWidget* candidate = target(tabOrder_[index]);
    const bool clickOnly =
        qobject_cast<QLineEdit*>(candidate) && !(candidate->focusPolicy() & Qt::TabFocus);
    if (candidate && !clickOnly && candidate->isEnabled() && candidate->isVisible()) {
      candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return true;
    }
  }
  return QWidget::focusNextPrevChild(next);
}

// Every control gets the window's focus frame, its tooltip and accessible
// name, and passes its keys by the window first (the type menu keys, Return
// on the calculate button); an edit shows its text from the first character
// once it loses the focus.
void TForm1::SetUpKeyboardAndLook() {
  focusStyle_ = new idrova::FocusFrameStyle();
  focusStyle_->setParent(this);
  installEventFilter(this);
  for (QWidget* widget : findChildren<QWidget*>()) {
    if (qobject_cast<QMenu*>(widget) || widget == errorMessage_) continue;
    widget->setStyle(focusStyle_);
    widget->installEventFilter(this);
  }
  idrova::ApplyControlTexts(this);
  PopupMenu1->setAccessibleName(QStringLiteral("種類メニュー"));
  PopupMenu2->setAccessibleName(QStringLiteral("図のメニュー"));
}

namespace {
bool IsTypeMenuKey(const QKeyEvent& key) {
  return key.key() == Qt::Key_Menu ||
         (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier);
}
}  // namespace

bool TForm1::KeyFilter(QObject* watched, QEvent* event) {
  // Edits keep their own edit menu; every other control opens the type menu.
  // A key an edit leaves unhandled reaches the window too: the focus decides.
  const bool edit = qobject_cast<QLineEdit*>(watched) != nullptr ||
                    qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr;
  switch (event->type()) {
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (!edit && IsTypeMenuKey(*key)) {
        OpenTypeMenuFromKeyboard();
        return true;
      }
      const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
      if (watched == Button1 && enter) {
        if (Button1->isEnabled()) Button1->click();
        return true;
      }
      // In a coordinate edit: Return goes to 計算 and presses it (which then
      // tells what it found), Escape goes back to its arrows; Shift+F10 in
      // any edit opens the edit's own menu.
      if (ArrowControl* arrows = ArrowsTypingInto(this, qobject_cast<QWidget*>(watched))) {
        if (enter && key->modifiers() == Qt::NoModifier) {
          Button1->setFocus(Qt::OtherFocusReason);
          if (Button1->isEnabled()) Button1->click();
          return true;
        }
        if (key->key() == Qt::Key_Escape) {
          arrows->setFocus(Qt::OtherFocusReason);
          return true;
        }
      }
      if (auto* field = qobject_cast<QLineEdit*>(watched);
          field && key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
        const QPoint at = field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, field->mapToGlobal(at));
        QCoreApplication::sendEvent(field, &menu);
        return true;
      }
      break;
    }
    case QEvent::ContextMenu:
      if (!edit &&
          static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        OpenTypeMenuFromKeyboard();
        return true;
      }
      break;
    case QEvent::FocusOut:
      if (auto* left = qobject_cast<QLineEdit*>(watched)) left->setCursorPosition(0);
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

// The type menu opened from the keyboard stands below the type label, its
// first entry ready for the arrow keys and Return.
void TForm1::OpenTypeMenuFromKeyboard() {
  PopupMenu1->popup(Label12->mapToGlobal(QPoint(0, Label12->height())));
  PopupMenu1->setActiveAction(PopupMenu1->actions().first());
}
