// SPDX-License-Identifier: MIT
// Tooltips and accessible names of the window's controls.
#include "app/control_texts.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace idrova {

namespace {

// Every control of the window. Accessible names say what a control holds;
// tooltips say what it does, with the gestures and keys that are not seen.
const ControlText kTexts[] = {
    {"Edit1", "NO 1 の X 座標", "NO 1 の中心の X 座標 (mm)。入力後「計算」で反映",
     "X of wheel NO 1's centre (mm); typed values take effect with 計算 (calculate)", false,
     "X of NO 1"},
    {"Edit2", "NO 1 の Y 座標", "NO 1 の中心の Y 座標 (mm)。入力後「計算」で反映",
     "Y of wheel NO 1's centre (mm); typed values take effect with 計算 (calculate)", false,
     "Y of NO 1"},
    {"Edit3", "NO 1 の歯数", "NO 1 の歯数 (10～200)。右の矢印で変更",
     "Tooth count of NO 1 (10 to 200); change it with the arrows beside it", false,
     "the tooth count of NO 1"},
    {"Edit4", "NO 2 の X 座標", "NO 2 の中心の X 座標 (mm)。入力後「計算」で反映",
     "X of wheel NO 2's centre (mm); typed values take effect with 計算 (calculate)", false,
     "X of NO 2"},
    {"Edit5", "NO 2 の Y 座標", "NO 2 の中心の Y 座標 (mm)。入力後「計算」で反映",
     "Y of wheel NO 2's centre (mm); typed values take effect with 計算 (calculate)", false,
     "Y of NO 2"},
    {"Edit6", "NO 2 の歯数", "NO 2 の歯数 (10～200)。右の矢印で変更",
     "Tooth count of NO 2 (10 to 200); change it with the arrows beside it", false,
     "the tooth count of NO 2"},
    {"Edit7", "NO 3 の X 座標", "テンショナ NO 3 の X 座標 (mm)。x３座標を解くときの結果欄",
     "X of the tensioner NO 3 (mm); the result while solving for x3", false, "X of NO 3"},
    {"Edit8", "NO 3 の Y 座標", "テンショナ NO 3 の Y 座標 (mm)。Y3座標を解くときの結果欄",
     "Y of the tensioner NO 3 (mm); the result while solving for Y3", false, "Y of NO 3"},
    {"Edit9", "NO 3 の歯数", "NO 3 の歯数 (10～200)。右の矢印で変更",
     "Tooth count of NO 3 (10 to 200); change it with the arrows beside it", false,
     "the tooth count of NO 3"},
    {"Edit10", "ピッチ", "ピッチ (mm)。種類「その他」のときだけ入力でき、「計算」で反映",
     "Pitch (mm); editable only for the type その他 (other), read by 計算", false, "the pitch"},
    {"Edit11", "ベルト長さ", "ベルト長さ (mm)。全長を解くときは結果、座標を解くときは指定長さ",
     "Belt length (mm): the result for 全長, the requested length when solving for x3 or Y3", false,
     "the belt length"},
    {"UpDown1", "NO 1 の X 座標の矢印",
     "NO 1 の X を 0.1 mm 増減。PageUp/PageDown で 10 mm、右クリックで 0.1/10 mm "
     "切替、押し続けで加速",
     "Step X of NO 1 by 0.1 mm; Page Up/Down: 10 mm; right-click: 0.1/10 mm; hold to speed up"},
    {"UpDown2", "NO 1 の Y 座標の矢印",
     "NO 1 の Y を 0.1 mm 増減。PageUp/PageDown で 10 mm、右クリックで 0.1/10 mm "
     "切替、押し続けで加速",
     "Step Y of NO 1 by 0.1 mm; Page Up/Down: 10 mm; right-click: 0.1/10 mm; hold to speed up"},
    {"UpDown3", "NO 1 の歯数の矢印", "NO 1 の歯数を 1 増減 (矢印キーでも)",
     "Add or take one tooth of NO 1 (arrow keys too)"},
    {"UpDown4", "NO 2 の X 座標の矢印",
     "NO 2 の X を 0.1 mm 増減。PageUp/PageDown で 10 mm、右クリックで 0.1/10 mm "
     "切替、押し続けで加速",
     "Step X of NO 2 by 0.1 mm; Page Up/Down: 10 mm; right-click: 0.1/10 mm; hold to speed up"},
    {"UpDown5", "NO 2 の Y 座標の矢印",
     "NO 2 の Y を 0.1 mm 増減。PageUp/PageDown で 10 mm、右クリックで 0.1/10 mm "
     "切替、押し続けで加速",
     "Step Y of NO 2 by 0.1 mm; Page Up/Down: 10 mm; right-click: 0.1/10 mm; hold to speed up"},
    {"UpDown6", "NO 2 の歯数の矢印", "NO 2 の歯数を 1 増減 (矢印キーでも)",
     "Add or take one tooth of NO 2 (arrow keys too)"},
    {"UpDown7", "NO 3 の X 座標の矢印",
     "NO 3 の X を 0.1 mm 増減。PageUp/PageDown で 10 mm、右クリックで 0.1/10 mm "
     "切替、押し続けで加速",
     "Step X of NO 3 by 0.1 mm; Page Up/Down: 10 mm; right-click: 0.1/10 mm; hold to speed up"},
    {"UpDown8", "NO 3 の Y 座標の矢印",
     "NO 3 の Y を 0.1 mm 増減。PageUp/PageDown で 10 mm、右クリックで 0.1/10 mm "
     "切替、押し続けで加速",
     "Step Y of NO 3 by 0.1 mm; Page Up/Down: 10 mm; right-click: 0.1/10 mm; hold to speed up"},
    {"UpDown9", "NO 3 の歯数の矢印", "NO 3 の歯数を 1 増減 (矢印キーでも)",
     "Add or take one tooth of NO 3 (arrow keys too)"},
    {"UpDown10", "標準ベルト長さの矢印",
     "指定長さを標準ベルト長さ (その他の種類は1ピッチ) ずつ送る。座標を解くときだけ",
     "Step the requested length through standard belt lengths (whole pitches for other types)"},
    {"Label1", "NO 1", "NO 1: 駆動側の車 (赤)", "NO 1: a working wheel (red)"},
    {"Label2", "NO 2", "NO 2: 駆動側の車 (青)", "NO 2: a working wheel (blue)"},
    {"Label3", "NO 3", "NO 3: テンショナ (緑)", "NO 3: the tensioner (green)"},
    {"Label4", "X 座標の行", "この行は各車の中心の X 座標 (mm)",
     "This row: X of each wheel's centre (mm)"},
    {"Label5", "Y 座標の行", "この行は各車の中心の Y 座標 (mm)",
     "This row: Y of each wheel's centre (mm)"},
    {"Label6", "歯数の行", "この行は各車の歯数", "This row: the tooth count of each wheel"},
    {"Label7", "ピッチ", "ベルトまたはチェーンのピッチ (mm)", "Pitch of the belt or chain (mm)"},
    {"Label8", "直径の行", "この行は各車のピッチ円直径 (mm)",
     "This row: the pitch diameter of each wheel (mm)"},
    {"Label9", "NO 1 の直径", "NO 1 のピッチ円直径 (mm)", "Pitch diameter of NO 1 (mm)", true},
    {"Label10", "NO 2 の直径", "NO 2 のピッチ円直径 (mm)", "Pitch diameter of NO 2 (mm)", true},
    {"Label11", "NO 3 の直径", "NO 3 のピッチ円直径 (mm)", "Pitch diameter of NO 3 (mm)", true},
    {"Label12", "ベルト・チェーンの種類",
     "ベルト・チェーンの種類。右クリック、Shift+F10 またはメニューキーで種類メニュー",
     "Belt or chain type; right-click, Shift+F10 or the Menu key opens the type menu", true},
    {"Label13", "最小ベルト長さ", "NO 1 と NO 2 だけに掛けたベルトの長さ (mm)",
     "Length of the belt around NO 1 and NO 2 alone (mm)", true},
    {"Label14", "警告", "警告の行: 指定長さ、方向、配置の警告",
     "Warning line: requested length, direction, layout", true},
    {"Label15", "種類の番号", "S5M を選んだことを示す番号",
     "Shows the menu number of S5M once it was chosen", true},
    {"Label16", "ベルトの歯数", "ベルト長さを歯数で表したもの (切り上げ)",
     "The belt length in whole teeth (rounded up)", true},
    {"Label17", "巻付角の行", "この行は各車に巻き付いたベルトの角度",
     "This row: the angle of belt wrapped on each wheel"},
    {"Label18", "NO 1 の巻付角", "NO 1 に巻き付いたベルトの角度 (度)",
     "Angle of belt wrapped on NO 1 (degrees)", true},
    {"Label19", "NO 2 の巻付角", "NO 2 に巻き付いたベルトの角度 (度)",
     "Angle of belt wrapped on NO 2 (degrees)", true},
    {"Label20", "NO 3 の巻付角", "NO 3 に巻き付いたベルトの角度 (度)",
     "Angle of belt wrapped on NO 3 (degrees)", true},
    {"Label21", "噛合歯数の行", "この行は各車でベルトと噛み合う歯数",
     "This row: the teeth in mesh with the belt on each wheel"},
    {"Label22", "NO 1 の噛合歯数", "NO 1 でベルトと噛み合う歯数 (整数に切り捨て)",
     "Teeth of NO 1 in mesh with the belt (whole teeth)", true},
    {"Label23", "NO 2 の噛合歯数", "NO 2 でベルトと噛み合う歯数 (整数に切り捨て)",
     "Teeth of NO 2 in mesh with the belt (whole teeth)", true},
    {"Label24", "NO 3 の噛合歯数", "NO 3 でベルトと噛み合う歯数 (整数に切り捨て)",
     "Teeth of NO 3 in mesh with the belt (whole teeth)", true},
    {"Label25", "設計の注意",
     "NO 1・NO 2 の設計の注意: ベルトは噛合 6 歯以上・巻付角 60°以上、チェーンは 120°以上",
     "Design caution for NO 1 and NO 2: belts 6 teeth in mesh and 60 deg, chains 120 deg", true},
    {"RadioButton1", "内掛", "内掛: すべての車をベルトの内側に掛ける",
     "Inner winding: every wheel inside the belt loop"},
    {"RadioButton2", "外掛", "外掛: 未対応", "Outer winding: not available"},
    {"RadioGroup1", "未知数", "解く量を選ぶ。矢印キーで項目を移動",
     "What to solve for; arrow keys move between the items"},
    {"RadioGroup1/0", "全長", "全長: ベルト長さを求める", "Total length: compute the belt length"},
    {"RadioGroup1/1", "x３座標", "x３座標: 指定長さになる NO 3 の X を探す",
     "x3: find the X of NO 3 that gives the requested length"},
    {"RadioGroup1/2", "Y3座標", "Y3座標: 指定長さになる NO 3 の Y を探す",
     "Y3: find the Y of NO 3 that gives the requested length"},
    {"RadioGroup2", "方向", "座標を探す向き。矢印キーで項目を移動",
     "Which way the search moves NO 3; arrow keys move between the items"},
    {"RadioGroup2/0", "プラス方向", "＋: 座標を増やす向きに探す",
     "+: search toward larger coordinates"},
    {"RadioGroup2/1", "マイナス方向", "－: 座標を減らす向きに探す",
     "−: search toward smaller coordinates"},
    {"Button1", "計算", "入力をすべて読み込んで計算する (Enter、Space でも)",
     "Read every input and calculate (Enter or Space too)"},
    {"Button2", "詳細", "ドライブの詳細 (設計表) を別の窓で開く (F4)。標準長さの一覧は F5",
     "Open the drive's design sheet in a window of its own (F4); the list of standard lengths: F5"},
    {"Form2", "ドライブの詳細", "ドライブの詳細: 車、スパン、長さ、注意の一覧",
     "The drive's design sheet: wheels, spans, lengths and cautions"},
    {"RadioGroup3", "その他の車", "種類「その他」の車: ベルト用プーリかチェーン用スプロケットか",
     "Wheels of the type その他 (other): belt pulleys or chain sprockets"},
    {"FreeRuleBelt", "ベルト用プーリ",
     "その他の車をベルト用プーリとする (直径は歯数×ピッチ÷π、噛合 6 歯・巻付角 60°)",
     "The other type's wheels are belt pulleys (diameter z p / pi; 6 teeth, 60 deg)"},
    {"FreeRuleChain", "チェーン用スプロケット",
     "その他の車をチェーン用スプロケットとする (巻付角 120°、リンク数)",
     "The other type's wheels are chain sprockets (120 deg of wrap; links)"},
    {"StringGrid1", "設計表", "ドライブの数値。Ctrl+C ですべてをコピー",
     "The drive's figures; Ctrl+C copies the whole sheet"},
    {"CopyButton", "コピー", "設計表をタブ区切りでクリップボードへ (Ctrl+C でも)",
     "Put the sheet on the clipboard, tab-separated, for a spreadsheet (Ctrl+C too)"},
    {"OpenButton", "開く", "保存したドライブ (*.idrova) を開く (Ctrl+O)",
     "Open a saved drive (*.idrova) (Ctrl+O)"},
    {"SaveButton", "保存", "ドライブをファイルに保存 (Ctrl+S、名前を付けて: Ctrl+Shift+S)",
     "Save the drive to its file (Ctrl+S; under another name: Ctrl+Shift+S)"},
    {"ExportButton", "書き出し",
     "CAD 用 DXF、図の SVG、設計表と図の PDF、設計表のテキストに書き出す",
     "Export to DXF for CAD, the drawing as SVG, the sheet and drawing as PDF, or the sheet as "
     "text"},
    {"PrintButton", "印刷", "設計表と図を A4 1 ページに印刷 (Ctrl+P)",
     "Print the sheet and the drawing on one A4 page (Ctrl+P)"},
    {"Button3", "一覧", "張れる標準長さと、それぞれの NO 3 の位置の一覧を開く (F5)",
     "Open the list of standard lengths that fit, with the tensioner's place for each (F5)"},
    {"Form3", "標準長さの一覧", "張れる標準長さの一覧: Enter かダブルクリックで主窓に適用",
     "Standard lengths that fit; Enter or a double-click applies one in the main window"},
    {"StringGrid2", "張れる標準長さ",
     "標準長さごとの NO 3 の位置と巻付角・噛合歯数。Enter かダブルクリックで適用、Ctrl+C "
     "でコピー",
     "The tensioner's place, wraps and teeth in mesh for each standard length; Enter or a "
     "double-click applies it, Ctrl+C copies the list"},
    {"Label26", "一覧の結果", "張れる本数と、この方向では届かない本数",
     "How many standard lengths fit, and how many this direction cannot reach", true},
    {"Form3/CopyButton", "コピー", "一覧をタブ区切りでクリップボードへ (Ctrl+C でも)",
     "Put the list on the clipboard, tab-separated, for a spreadsheet (Ctrl+C too)"},
    {"ScrollBar1", "図の拡大率", "図の拡大縮小 (0.1～2 px/mm)。右・上キーで拡大、左・下キーで縮小",
     "Zoom of the picture (0.1 to 2 px/mm); Right/Up zoom in, Left/Down zoom out"},
    {"Image1", "ベルト配置の図の控え", "ベルト配置の図", "The drive drawn to scale"},
    {"Image2", "ベルト配置の図", "ベルト配置の図: NO 1 赤、NO 2 青、NO 3 緑、ベルトは黒",
     "The drive to scale: NO 1 red, NO 2 blue, NO 3 green, belt spans black"},
};

}  // namespace

std::span<const ControlText> ControlTexts() { return kTexts; }

const ControlText* ControlTextOf(const QString& key) {
  for (const ControlText& row : kTexts)
    if (key == QLatin1String(row.Name)) return &row;
  return nullptr;
}

QString ControlKey(const QWidget* widget) {
  auto* item = qobject_cast<const QRadioButton*>(widget);
  if (item && item->objectName().isEmpty()) {
    if (auto* group = qobject_cast<const QGroupBox*>(item->parentWidget())) {
      const qsizetype index = group->findChildren<QRadioButton*>().indexOf(item);
      return QStringLiteral("%1/%2").arg(group->objectName()).arg(index);
    }
  }
  return widget->objectName();
}

namespace {
// A control's row: the one of its window ("Form3/CopyButton") where that
// window names its own, otherwise the row of its name.
const ControlText* RowOf(const QWidget* widget) {
  const QString key = ControlKey(widget);
  if (const QWidget* window = widget->window(); window && window != widget)
    if (const ControlText* own = ControlTextOf(window->objectName() + QLatin1Char('/') + key))
      return own;
  return ControlTextOf(key);
}
}  // namespace

QString AccessibleNameOf(const QWidget* widget, const QString* value) {
  const ControlText* row = RowOf(widget);
  if (!row) return {};
  const QString name = QString::fromUtf8(row->AccessibleName);
  const auto* label = qobject_cast<const QLabel*>(widget);
  if (!row->ShowsValue || !label) return name;
  const QString shown = value ? *value : label->text();
  return shown.isEmpty() ? name : name + QStringLiteral(": ") + shown;
}

void ApplyControlTexts(QWidget* window) {
  QWidgetList widgets = window->findChildren<QWidget*>();
  widgets.prepend(window);
  for (QWidget* widget : widgets) {
    const ControlText* row = RowOf(widget);
    if (!row) continue;
    widget->setToolTip(QString::fromUtf8(row->TipJapanese) + QLatin1Char('\n') +
                       QString::fromUtf8(row->TipEnglish));
    widget->setAccessibleName(AccessibleNameOf(widget));
  }
}

}  // namespace idrova
