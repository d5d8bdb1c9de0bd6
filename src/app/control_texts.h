// SPDX-License-Identifier: MIT
// The window's texts for people beyond its captions: the tooltip of every
// control (one Japanese line, then one English line) and its accessible
// name for screen readers, one row per control.
#pragma once

#include <QString>
#include <QWidget>
#include <span>

namespace idrova {

struct ControlText {
  const char* Name;  // objectName of the control; radio items as "RadioGroup1/0"
  const char* AccessibleName;
  const char* TipJapanese;
  const char* TipEnglish;
  bool ShowsValue = false;       // a label whose text is a value: its name carries the value
  const char* EnglishName = "";  // an edit's field, as a message names it in English
};

std::span<const ControlText> ControlTexts();

// The row of a control or radio item, or nullptr.
const ControlText* ControlTextOf(const QString& key);

// Sets the tooltip and the accessible name of every control of `window`
// that has a row; a label that shows a value gets its name with the value
// (see AccessibleNameOf).
void ApplyControlTexts(QWidget* window);

// The key of a widget in the table: its objectName, or "Group/index" for an
// unnamed item of a radio group.
QString ControlKey(const QWidget* widget);

// The accessible name of a control as it stands: the row's name, and for a
// value label the value after it ("NO 1 の直径: φ50.93"; the bare name while
// the label is empty). `value` stands for the label's text where the label
// shows less than the whole value. Empty for a widget without a row.
QString AccessibleNameOf(const QWidget* widget, const QString* value = nullptr);

}  // namespace idrova
