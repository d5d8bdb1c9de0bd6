// SPDX-License-Identifier: MIT
// TForm1's drive files: a drive opened and saved (*.idrova), the commands
// and keys that do it in the main window and the sheet, the sheet's title
// naming the file with Qt's modified mark, the question before unsaved
// changes are lost, and drive files dropped on either window.
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QUrl>
#include <charconv>

#include "app/form1.h"
#include "export/drive_exports.h"
#include "files/drive_of_file.h"
#include "input/catalogue.h"
#include "input/standard_lengths.h"
#include "text/number_text.h"

namespace {

constexpr const char* kLastFolderKey = "files/lastFolder";
const QString kDriveFilter = QStringLiteral("Idrova ドライブ / drive (*.idrova)");

// A number as a person would type it to give exactly this double: the
// window's own format where that reads back to it, otherwise the shortest
// text that does.
QString TypedNumber(double value) {
  const std::string shown = idrova::FloatToStr(value);
  try {
    if (idrova::StrToFloat(shown) == value) return QString::fromStdString(shown);
  } catch (const idrova::ConversionError&) {
  }
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, value);
  return QString::fromLatin1(text, written.ptr - text);
}

}  // namespace

QString idrova::DroppedDrive(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls())
    if (url.isLocalFile() &&
        url.toLocalFile().endsWith(QStringLiteral(".idrova"), Qt::CaseInsensitive))
      return url.toLocalFile();
  return {};
}

// The file commands live in actions shared by the main window and the
// sheet, so that their keys work in both.
void TForm1::BuildFileCommands() {
  auto command = [this](const char* name, const QKeySequence& keys, void (TForm1::*run)()) {
    auto* action = new QAction(this);
    action->setObjectName(name);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, run] { (this->*run)(); });
    addAction(action);
    fileActions_.append(action);
  };
  command("OpenAction", QKeySequence::Open, &TForm1::OpenCommand);
  command("SaveAction", QKeySequence(Qt::CTRL | Qt::Key_S), &TForm1::SaveCommand);
  command("SaveAsAction", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &TForm1::SaveAsCommand);
  command("PrintAction", QKeySequence::Print, &TForm1::PrintCommand);
  setAcceptDrops(true);
}

void TForm1::WireSheetFileCommands() {
  sheet_->addActions(fileActions_);
  connect(sheet_->OpenButton, &QPushButton::clicked, this, &TForm1::OpenCommand);
  connect(sheet_->SaveButton, &QPushButton::clicked, this, &TForm1::SaveAsCommand);
  connect(sheet_->ExportButton, &QPushButton::clicked, this, &TForm1::ExportCommand);
  connect(sheet_->PrintButton, &QPushButton::clicked, this, &TForm1::PrintCommand);
  connect(sheet_, &DesignSheetWindow::driveDropped, this, &TForm1::OpenDroppedDrive);
  ShowDriveTitle();
}

// Opening a file does what a user would do by hand with its values, in the
// order a user would: the type (with the free type's pitch and wheel
// rule), the belt length as the unknown, the teeth and the coordinates, 計算;
// then, where the file solves for a coordinate, that unknown, the direction
// and the requested length, and 計算 again. The first 計算 leaves nothing of
// the drive shown before on the screen, also where the search then warns
// and keeps the picture. A file that cannot be read changes nothing.
bool TForm1::OpenDrive(const QString& path) {
  const idrova::DriveFileRead read = idrova::ReadDriveFile(path);
  if (!read.File) {
    ShowFileMessage(read.Error.Message);
    return false;
  }
  const idrova::DriveFile& drive = *read.File;
  const idrova::CatalogueEntry* entry = idrova::FindCatalogueEntry(drive.Type.toStdString());
  auto* type = PopupMenu1->findChild<QAction*>(drive.Type);
  if (!entry || !type) {  // the reader knows every type of the menu
    ShowFileMessage(QStringLiteral("「%1」の種類 %2 はありません。\nNo type %2 in %1.")
                        .arg(QFileInfo(path).fileName(), drive.Type));
    return false;
  }
  type->trigger();
  if (entry->Free) {
    Edit10->setText(TypedNumber(drive.Pitch));
    FreeRuleClick(drive.FreeTypeIsBelt);
  }
  const QList<QRadioButton*> unknowns = RadioGroup1->findChildren<QRadioButton*>();
  unknowns.at(0)->click();
  QLineEdit* const teeth[3] = {Edit3, Edit6, Edit9};
  QLineEdit* const xs[3] = {Edit1, Edit4, Edit7};
  QLineEdit* const ys[3] = {Edit2, Edit5, Edit8};
  for (int i = 0; i < 3; ++i) {
    teeth[i]->setText(QString::number(drive.Wheels[i].Teeth));
    xs[i]->setText(TypedNumber(drive.Wheels[i].X));
    ys[i]->setText(TypedNumber(drive.Wheels[i].Y));
  }
  if (drive.Zoom) ScrollBar1->setValue(*drive.Zoom);
  Button1Click();
  if (drive.UnknownKind != 0) {
    unknowns.at(drive.UnknownKind)->click();
    RadioGroup2->findChildren<QRadioButton*>().at(drive.Direction > 0 ? 0 : 1)->click();
    // A request that is the standard length the file names is stepped to
    // with the length arrows, as it was chosen; any other is typed.
    idrova::DriveState stepped = state_;
    if (drive.LengthIndex && (idrova::SelectStandardLength(stepped, *drive.LengthIndex),
                              stepped.SpecifiedLength == drive.RequestedLength)) {
      ShowStandardLength(idrova::SelectStandardLength(state_, *drive.LengthIndex));
    } else {
      Edit11->setText(TypedNumber(drive.RequestedLength));
      if (drive.LengthIndex) state_.LengthIndex = *drive.LengthIndex;
    }
    Button1Click();
  }
  drivePath_ = QFileInfo(path).absoluteFilePath();
  savedDrive_ = WindowDrive();
  RememberFolder(path);
  ShowDriveTitle();
  return true;
}

// The drive the window holds, as a file keeps it: the state, with the
// requested length as the length field shows it while a coordinate is
// solved for (the field may hold a length not yet calculated).
idrova::DriveFile TForm1::WindowDrive() const {
  idrova::DriveFile drive = idrova::DriveFileOfState(state_);
  if (state_.UnknownKind != 0) {
    try {
      drive.RequestedLength = idrova::StrToFloat(Edit11->text().toStdString());
    } catch (const idrova::ConversionError&) {
    }
  }
  drive.Zoom = ScrollBar1->value();
  return drive;
}

bool TForm1::SaveDrive(const QString& path) {
  const idrova::DriveFile drive = WindowDrive();
  const idrova::DriveFileError error = idrova::WriteDriveFile(path, drive);
  if (error.Problem != idrova::DriveFileProblem::None) {
    ShowFileMessage(error.Message);
    return false;
  }
  drivePath_ = QFileInfo(path).absoluteFilePath();
  savedDrive_ = drive;
  RememberFolder(path);
  ShowDriveTitle();
  return true;
}

bool TForm1::DriveModified() const { return !drivePath_.isEmpty() && WindowDrive() != savedDrive_; }

// The sheet's title names the drive's file once it has one, with Qt's mark
// while the window holds changes the file does not.
void TForm1::ShowDriveTitle() {
  if (!sheet_) return;
  const QString title = QStringLiteral("ドライブの詳細");
  sheet_->setWindowTitle(
      drivePath_.isEmpty()
          ? title
          : title + QStringLiteral(" — %1[*]").arg(QFileInfo(drivePath_).fileName()));
  sheet_->setWindowModified(DriveModified());
}

void TForm1::ShowFileMessage(const QString& message) {
  errorMessage_->setText(message);
  ShowErrorMessage(nullptr);
}

QString TForm1::LastFolder() const {
  const QString folder = QSettings().value(kLastFolderKey).toString();
  return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::homePath();
}

void TForm1::RememberFolder(const QString& path) {
  QSettings().setValue(kLastFolderKey, QFileInfo(path).absolutePath());
}

// Where the user is: the sheet when it is the active window, else the main window.
QWidget* TForm1::CommandWindow() {
  return sheet_ && sheet_->isActiveWindow() ? static_cast<QWidget*>(sheet_) : this;
}

// Before the drive is replaced or the window closes: a drive that was opened
// or saved and has changed since is saved, left or kept, as the user says.
// A drive never saved goes without a question. True to go on.
bool TForm1::MayLeaveDrive() {
  if (!DriveModified()) return true;
  QMessageBox ask(QMessageBox::Warning, QStringLiteral("Idrova"),
                  QStringLiteral("「%1」への変更を保存しますか?\nSave the changes to %1?")
                      .arg(QFileInfo(drivePath_).fileName()),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, CommandWindow());
  ask.setObjectName("SaveQuestion");
  ask.setDefaultButton(QMessageBox::Save);
  switch (ask.exec()) {
    case QMessageBox::Save:
      return SaveDrive(drivePath_);
    case QMessageBox::Discard:
      return true;
    default:
      return false;
  }
}

void TForm1::OpenCommand() {
  if (!MayLeaveDrive()) return;
  const QString path = QFileDialog::getOpenFileName(
      CommandWindow(), QStringLiteral("ドライブを開く / Open a drive"), LastFolder(), kDriveFilter);
  if (!path.isEmpty()) OpenDrive(path);
}

void TForm1::SaveCommand() {
  if (drivePath_.isEmpty())
    SaveAsCommand();
  else
    SaveDrive(drivePath_);
}

void TForm1::SaveAsCommand() {
  const QString start =
      drivePath_.isEmpty() ? LastFolder() + QStringLiteral("/drive.idrova") : drivePath_;
  QString path = QFileDialog::getSaveFileName(
      CommandWindow(), QStringLiteral("ドライブを保存 / Save the drive"), start, kDriveFilter);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".idrova");
  SaveDrive(path);
}

// Exports what the window shows, in the form the chosen file type names:
// DXF for CAD, the drawing as SVG, the sheet and the drawing as a PDF page,
// the sheet's text. The chooser starts in the last folder, with the drive's
// name where it has a file.
void TForm1::ExportCommand() {
  static const struct {
    const char* Filter;
    idrova::ExportFormat Format;
    const char* Suffix;
  } kTypes[] = {
      {"DXF (CAD) (*.dxf)", idrova::ExportFormat::Dxf, "dxf"},
      {"SVG 図 / drawing (*.svg)", idrova::ExportFormat::Svg, "svg"},
      {"PDF 設計表と図 / sheet and drawing (*.pdf)", idrova::ExportFormat::Pdf, "pdf"},
      {"テキスト 設計表 / sheet as text (*.txt)", idrova::ExportFormat::Text, "txt"},
  };
  QStringList filters;
  for (const auto& type : kTypes) filters << QString::fromUtf8(type.Filter);
  const QString name =
      drivePath_.isEmpty() ? QStringLiteral("drive") : QFileInfo(drivePath_).completeBaseName();
  QString chosen = filters.front();
  QString path = QFileDialog::getSaveFileName(CommandWindow(), QStringLiteral("書き出し / Export"),
                                              LastFolder() + u'/' + name + QStringLiteral(".dxf"),
                                              filters.join(QStringLiteral(";;")), &chosen);
  if (path.isEmpty()) return;
  const auto& type = kTypes[std::max<qsizetype>(0, filters.indexOf(chosen))];
  // The file's own suffix decides where it names a format, else the type chosen.
  std::optional<idrova::ExportFormat> format = idrova::ExportFormatNamed(QFileInfo(path).suffix());
  if (!format || *format == idrova::ExportFormat::Drive) {
    format = type.Format;
    path += u'.' + QString::fromLatin1(type.Suffix);
  }
  QString error;
  if (!idrova::ExportDrive(state_, *format, path, &error)) {
    ShowFileMessage(error);
    return;
  }
  RememberFolder(path);
}

// Prints the page the PDF export writes, through the desktop's print dialog.
void TForm1::PrintCommand() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setDocName(drivePath_.isEmpty() ? QStringLiteral("Idrova")
                                          : QFileInfo(drivePath_).fileName());
  QPrintDialog dialog(&printer, CommandWindow());
  dialog.setObjectName("PrintDialog");
  if (dialog.exec() != QDialog::Accepted) return;
  QPainter painter;
  if (!painter.begin(&printer)) {
    ShowFileMessage(QStringLiteral("印刷を始められません。\nPrinting could not start."));
    return;
  }
  const QRectF page(QPointF(0, 0),
                    printer.pageLayout().paintRectPixels(printer.resolution()).size());
  idrova::PaintDrivePage(painter, page, state_);
}

void TForm1::OpenDroppedDrive(const QString& path) {
  if (MayLeaveDrive()) OpenDrive(path);
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (MayLeaveDrive())
    event->accept();
  else
    event->ignore();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!idrova::DroppedDrive(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const QString path = idrova::DroppedDrive(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  OpenDroppedDrive(path);
}
