// SPDX-License-Identifier: MIT
// A computed drive written out in each form the window's export command and
// the command line offer: a DXF drawing, an SVG drawing to scale in
// millimetres, a one-page PDF of the design sheet and the drawing, the
// sheet's text, or the drive file. Also the printable page itself, painted
// onto any QPainter (the PDF writer, a printer). Qt Gui and Qt Svg, no widgets.
#pragma once

#include <QRectF>
#include <QString>
#include <QStringView>
#include <optional>

#include "model/drive_state.h"

class QPainter;

namespace idrova {

// What a drive export writes, as the file chooser and the command line name it.
enum class ExportFormat { Dxf, Svg, Pdf, Text, Drive };

// "dxf", "svg", "pdf", "txt", "idrova" (case-insensitive) -> format; nullopt otherwise.
std::optional<ExportFormat> ExportFormatNamed(QStringView name);

// Writes the computed drive `state` (after ComputeBeltPath or the search, as
// the window holds it) to `path` in `format`, atomically (QSaveFile): the
// file is replaced whole or left as it was. On failure returns false and sets
// *error to a two-line message, Japanese then English, naming the file by
// its name without the folder.
//
// The SVG drawing is to scale: one user unit is one millimetre of the
// model, and the width and height attributes are in mm, equal to the
// viewBox's. Y is flipped so that the model's Y points up on the page.
bool ExportDrive(const DriveState& state, ExportFormat format, const QString& path, QString* error);

// Paints the printable page: a title, the design sheet's rows as a table
// (as DesignSheetRows gives them, with the type caption from the catalogue)
// and below it the drawing of the drive to a round scale (DrawingScale),
// named under the drawing, fitted into `page` (device units of `painter`,
// whose device's resolution gives the millimetres).
void PaintDrivePage(QPainter& painter, const QRectF& page, const DriveState& state);

// The largest round drawing scale (paper mm per model mm: 1, 2, 5 times a
// power of ten) not above `fit`; 0 where `fit` is not a positive finite number.
double DrawingScale(double fit);

// How the page names a scale: "1:5" below one, "2:1" above, "1:1".
QString DrawingScaleText(double scale);

}  // namespace idrova
