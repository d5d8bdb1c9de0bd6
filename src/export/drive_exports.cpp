// SPDX-License-Identifier: MIT
// The drive written out as DXF, SVG, PDF, the sheet's text or a drive file,
// and the printable page.
#include "export/drive_exports.h"

#include <QByteArray>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "calc/design_sheet.h"
#include "draw/layout_drawing.h"
#include "export/dxf_export.h"
#include "files/drive_file.h"
#include "files/drive_of_file.h"
#include "input/catalogue.h"

namespace idrova {
namespace {

constexpr double kMmPerInch = 25.4;
// The SVG's resolution: ten device units a millimetre, so that a size in
// whole millimetres is a whole number of units.
constexpr int kSvgDotsPerInch = 254;
constexpr double kSvgMarginMm = 5.0;
// Lines, marks and labels of a drawing, in millimetres of paper.
constexpr double kLineWidthMm = 0.25;
constexpr double kCentreMarkMm = 2.0;  // half the length of a centre mark's strokes
constexpr double kLabelMm = 3.0;       // a wheel label's height
// The page.
constexpr double kPageMarginMm = 15.0;
constexpr double kTitlePoints = 14.0;
constexpr double kTablePoints = 9.0;
constexpr double kCellPaddingMm = 1.2;
constexpr double kGridLineMm = 0.1;
constexpr std::size_t kSheetColumns = 7;  // the widest rows: a wheel and its six figures

const QStringList kJapaneseFonts = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};

QString ExportFailure(const QString& path, const QString& reason) {
  const QString name = EscapedForMessage(QFileInfo(path).fileName());
  return QStringLiteral("「%1」に書き出せません: %2。\nCannot export %1: %3.")
      .arg(name, reason, reason);
}

bool Fail(const QString& path, const QString& reason, QString* error) {
  if (error != nullptr) *error = ExportFailure(path, reason);
  return false;
}

bool WriteBytes(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    return Fail(path, file.errorString(), error);
  return true;
}

QColor ColorOf(Rgb rgb) { return QColor(rgb.R, rgb.G, rgb.B); }

QString TypeCaption(const DriveState& state) {
  const CatalogueEntry* type = FindCatalogueEntryByCode(state.BeltType);
  return type != nullptr ? QString::fromUtf8(type->Caption) : QString();
}

std::vector<SheetRow> SheetRows(const DriveState& state) {
  return DesignSheetRows(state, TypeCaption(state).toStdString());
}

// The drive's extent in model millimetres (Y up): the three pitch circles,
// which hold the belt between them. Empty where a figure is not finite.
struct Extent {
  double MinX = 0.0, MinY = 0.0, MaxX = 0.0, MaxY = 0.0;
  bool Valid = false;
  double Width() const { return MaxX - MinX; }
  double Height() const { return MaxY - MinY; }
};

Extent DriveExtent(const DriveState& state) {
  Extent extent;
  extent.MinX = extent.MinY = HUGE_VAL;
  extent.MaxX = extent.MaxY = -HUGE_VAL;
  for (const WheelCircle& wheel : state.Wheel) {
    const double r = std::fabs(wheel.Radius);
    extent.MinX = std::min(extent.MinX, wheel.X - r);
    extent.MaxX = std::max(extent.MaxX, wheel.X + r);
    extent.MinY = std::min(extent.MinY, wheel.Y - r);
    extent.MaxY = std::max(extent.MaxY, wheel.Y + r);
  }
  extent.Valid = std::isfinite(extent.Width()) && std::isfinite(extent.Height());
  return extent;
}

// Model millimetres to device units: `Scale` units a millimetre, the
// model's origin at `OriginX`, `OriginY`, Y flipped (device Y grows down).
struct ModelView {
  double Scale = 1.0;
  double OriginX = 0.0;
  double OriginY = 0.0;
  QPointF At(double x, double y) const { return {OriginX + x * Scale, OriginY - y * Scale}; }
};

// Sizes of the drawing's lines, marks and labels, in device units.
struct DrawingSizes {
  double LineWidth = 0.0;
  double CentreMark = 0.0;
  int LabelPixels = 0;
};

// An arc of the model as cubic Bézier segments of at most a quarter turn,
// from the arc's own end points, so that the loop joins exactly where the
// pieces meet (QPainterPath::arcTo places an arc's ends only to about a
// thousandth of its radius).
void AddArc(QPainterPath& path, const BeltPiece& arc, const ModelView& view) {
  const int segments = std::max(1, static_cast<int>(std::ceil(arc.Turn / (std::numbers::pi / 2))));
  const double step = arc.Turn / segments;
  const double handle = 4.0 / 3.0 * std::tan(step / 4.0) * arc.Radius;
  for (int k = 0; k < segments; ++k) {
    const double from = arc.StartAngle + step * k;
    const double to = from + step;
    const double x0 = arc.CentreX + arc.Radius * std::cos(from);
    const double y0 = arc.CentreY + arc.Radius * std::sin(from);
    const bool last = k + 1 == segments;
    const double x3 = last ? arc.EndX : arc.CentreX + arc.Radius * std::cos(to);
    const double y3 = last ? arc.EndY : arc.CentreY + arc.Radius * std::sin(to);
    path.cubicTo(view.At(x0 - handle * std::sin(from), y0 + handle * std::cos(from)),
                 view.At(x3 + handle * std::sin(to), y3 - handle * std::cos(to)), view.At(x3, y3));
  }
}

QPainterPath BeltPath(const std::vector<BeltPiece>& pieces, const ModelView& view) {
  QPainterPath path;
  if (pieces.empty()) return path;
  path.moveTo(view.At(pieces.front().StartX, pieces.front().StartY));
  for (const BeltPiece& piece : pieces) {
    if (piece.IsArc) {
      AddArc(path, piece, view);
    } else {
      path.lineTo(view.At(piece.EndX, piece.EndY));
    }
  }
  path.closeSubpath();
  return path;
}

// The wheels' pitch circles in their colours, each with a centre mark and
// its name, and the belt as one closed black loop.
void DrawDrive(QPainter& painter, const DriveState& state, const ModelView& view,
               const DrawingSizes& sizes) {
  static constexpr Rgb kWheelPens[3] = {kWheel1Pen, kWheel2Pen, kWheel3Pen};
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(Qt::NoBrush);
  QFont label;
  label.setFamilies(kJapaneseFonts);
  label.setPixelSize(std::max(1, sizes.LabelPixels));
  painter.setFont(label);
  for (int i = 0; i < 3; ++i) {
    const WheelCircle& wheel = state.Wheel[i];
    QPen pen(ColorOf(kWheelPens[i]), sizes.LineWidth);
    pen.setCosmetic(false);
    painter.setPen(pen);
    const QPointF centre = view.At(wheel.X, wheel.Y);
    const double r = std::fabs(wheel.Radius) * view.Scale;
    painter.drawEllipse(centre, r, r);
    const double mark = sizes.CentreMark;
    painter.drawLine(centre - QPointF(mark, 0), centre + QPointF(mark, 0));
    painter.drawLine(centre - QPointF(0, mark), centre + QPointF(0, mark));
    if (sizes.LabelPixels > 0)
      painter.drawText(centre + QPointF(mark, -mark), QStringLiteral("NO %1").arg(i + 1));
  }
  QPen belt(ColorOf(kSpanPen), sizes.LineWidth);
  belt.setCosmetic(false);
  belt.setJoinStyle(Qt::RoundJoin);
  painter.setPen(belt);
  painter.drawPath(BeltPath(BeltLoopPieces(state), view));
  painter.restore();
}

bool WriteSvg(const DriveState& state, const QString& path, QString* error) {
  Extent extent = DriveExtent(state);
  if (!extent.Valid) extent = {0.0, 0.0, 0.0, 0.0, true};
  // Whole millimetres around the drive with a margin, so that the size in
  // mm that the generator writes equals the viewBox.
  const double left = std::floor(extent.MinX - kSvgMarginMm);
  const double top = std::ceil(extent.MaxY + kSvgMarginMm);
  const double width = std::ceil(extent.MaxX + kSvgMarginMm) - left;
  const double height = top - std::floor(extent.MinY - kSvgMarginMm);
  const double unitsPerMm = kSvgDotsPerInch / kMmPerInch;
  if (!(width * unitsPerMm < INT_MAX && height * unitsPerMm < INT_MAX))
    return Fail(path, QStringLiteral("too large to draw"), error);

  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return Fail(path, file.errorString(), error);
  QSvgGenerator svg;
  svg.setOutputDevice(&file);
  svg.setResolution(kSvgDotsPerInch);
  svg.setSize(QSize(static_cast<int>(std::lround(width * unitsPerMm)),
                    static_cast<int>(std::lround(height * unitsPerMm))));
  svg.setViewBox(QRectF(0.0, 0.0, width, height));
  svg.setTitle(QStringLiteral("Idrova"));
  svg.setDescription(QStringLiteral("%1, mm").arg(TypeCaption(state)));
  QPainter painter;
  if (!painter.begin(&svg)) return Fail(path, file.errorString(), error);
  DrawDrive(painter, state, {1.0, -left, top},
            {kLineWidthMm, kCentreMarkMm, static_cast<int>(kLabelMm)});
  painter.end();
  if (!file.commit()) return Fail(path, file.errorString(), error);
  return true;
}

bool WritePdf(const DriveState& state, const QString& path, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return Fail(path, file.errorString(), error);
  {
    QPdfWriter pdf(&file);
    pdf.setTitle(QStringLiteral("Idrova — ドライブの詳細"));
    pdf.setCreator(QStringLiteral("Idrova"));
    pdf.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                    QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm),
                    QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&pdf)) return Fail(path, file.errorString(), error);
    PaintDrivePage(painter, QRectF(0.0, 0.0, pdf.width(), pdf.height()), state);
    painter.end();
  }
  if (!file.commit()) return Fail(path, file.errorString(), error);
  return true;
}

// The sheet's rows as a table: each column as wide as its widest cell, but
// for a row's last cell, which takes the room of the columns the row leaves
// free (as the sheet window shows them). Returns the table's height.
class SheetTable {
 public:
  SheetTable(std::vector<SheetRow> rows, const QFont& font, const QPaintDevice* device,
             double padding)
      : rows_(std::move(rows)), plain_(font), bold_(plain_), device_(device), padding_(padding) {
    bold_.setBold(true);
    Measure();
  }

  double Width() const {
    double width = 0.0;
    for (double column : widths_) width += column;
    return std::max(width, spanning_);
  }
  double Height() const { return rowHeight_ * static_cast<double>(rows_.size()); }

  // Shrinks the type so that the table is no wider than `width`.
  void FitWidth(double width) {
    for (int attempt = 0; attempt < 4 && Width() > width; ++attempt) {
      const double size = plain_.pointSizeF() * width / Width() * 0.98;
      plain_.setPointSizeF(size);
      bold_.setPointSizeF(size);
      Measure();
    }
  }

  void Paint(QPainter& painter, QPointF topLeft, double lineWidth) const {
    painter.save();
    painter.setPen(QPen(Qt::black, lineWidth));
    const double tableWidth = Width();
    double y = topLeft.y();
    for (const SheetRow& row : rows_) {
      painter.setFont(row.Heading ? bold_ : plain_);
      double x = topLeft.x();
      for (std::size_t c = 0; c < row.Cells.size(); ++c) {
        const bool last = c + 1 == row.Cells.size();
        const double cell = last ? topLeft.x() + tableWidth - x : widths_[c];
        const QRectF box(x, y, cell, rowHeight_);
        painter.drawRect(box);
        painter.drawText(box.adjusted(padding_, 0.0, -padding_, 0.0),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(row.Cells[c]));
        x += cell;
      }
      y += rowHeight_;
    }
    painter.restore();
  }

 private:
  void Measure() {
    const QFontMetricsF plain(plain_, device_);
    const QFontMetricsF bold(bold_, device_);
    const auto cellWidth = [&](const SheetRow& row, std::size_t c) {
      return (row.Heading ? bold : plain).horizontalAdvance(QString::fromStdString(row.Cells[c])) +
             2 * padding_;
    };
    widths_.assign(kSheetColumns, 0.0);
    for (const SheetRow& row : rows_) {
      if (row.Cells.empty()) continue;
      const std::size_t fixed =
          row.Cells.size() < kSheetColumns ? row.Cells.size() - 1 : row.Cells.size();
      for (std::size_t c = 0; c < fixed && c < kSheetColumns; ++c)
        widths_[c] = std::max(widths_[c], cellWidth(row, c));
    }
    spanning_ = 0.0;
    for (const SheetRow& row : rows_) {
      if (row.Cells.empty() || row.Cells.size() >= kSheetColumns) continue;
      double before = 0.0;
      for (std::size_t c = 0; c + 1 < row.Cells.size(); ++c) before += widths_[c];
      spanning_ = std::max(spanning_, before + cellWidth(row, row.Cells.size() - 1));
    }
    rowHeight_ = plain.height() * 1.5;
  }

  std::vector<SheetRow> rows_;
  QFont plain_;
  QFont bold_;
  const QPaintDevice* device_;
  double padding_;
  std::vector<double> widths_;
  double spanning_ = 0.0;  // the room the rows' last cells need
  double rowHeight_ = 0.0;
};

}  // namespace

std::optional<ExportFormat> ExportFormatNamed(QStringView name) {
  static const struct {
    const char* Name;
    ExportFormat Format;
  } kNames[] = {{"dxf", ExportFormat::Dxf},
                {"svg", ExportFormat::Svg},
                {"pdf", ExportFormat::Pdf},
                {"txt", ExportFormat::Text},
                {"idrova", ExportFormat::Drive}};
  for (const auto& entry : kNames) {
    if (name.compare(QLatin1StringView(entry.Name), Qt::CaseInsensitive) == 0) return entry.Format;
  }
  return std::nullopt;
}

bool ExportDrive(const DriveState& state, ExportFormat format, const QString& path,
                 QString* error) {
  switch (format) {
    case ExportFormat::Dxf:
      return WriteBytes(path, QByteArray::fromStdString(DxfOfDrive(state)), error);
    case ExportFormat::Text:
      return WriteBytes(path, QByteArray::fromStdString(DesignSheetText(SheetRows(state))), error);
    case ExportFormat::Drive: {
      const DriveFileError written = WriteDriveFile(path, DriveFileOfState(state));
      if (written.Problem == DriveFileProblem::None) return true;
      if (error != nullptr) *error = written.Message;
      return false;
    }
    case ExportFormat::Svg:
      return WriteSvg(state, path, error);
    case ExportFormat::Pdf:
      return WritePdf(state, path, error);
  }
  return Fail(path, QStringLiteral("unknown format"), error);
}

double DrawingScale(double fit) {
  if (!(fit > 0.0) || !std::isfinite(fit)) return 0.0;
  const double decade = std::pow(10.0, std::floor(std::log10(fit)));
  double scale = 0.0;
  // A step below the decade too, where log10 rounds up on a power of ten.
  for (const double power : {decade / 10.0, decade, decade * 10.0}) {
    for (const double step : {1.0, 2.0, 5.0}) {
      const double candidate = step * power;
      if (candidate <= fit * (1.0 + 1e-12)) scale = std::max(scale, candidate);
    }
  }
  return scale;
}

QString DrawingScaleText(double scale) {
  if (scale >= 1.0) return QStringLiteral("%1:1").arg(std::llround(scale));
  return QStringLiteral("1:%1").arg(std::llround(1.0 / scale));
}

void PaintDrivePage(QPainter& painter, const QRectF& page, const DriveState& state) {
  const QPaintDevice* device = painter.device();
  const double unitsPerMm = (device != nullptr ? device->logicalDpiX() : 96) / kMmPerInch;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setPen(Qt::black);

  QFont title;
  title.setFamilies(kJapaneseFonts);
  title.setPointSizeF(kTitlePoints);
  title.setBold(true);
  painter.setFont(title);
  const QFontMetricsF titleMetrics(title, device);
  double y = page.top();
  painter.drawText(QPointF(page.left(), y + titleMetrics.ascent()),
                   QStringLiteral("Idrova — ドライブの詳細"));
  y += titleMetrics.height() * 1.6;

  QFont text;
  text.setFamilies(kJapaneseFonts);
  text.setPointSizeF(kTablePoints);
  SheetTable table(SheetRows(state), text, device, kCellPaddingMm * unitsPerMm);
  table.FitWidth(page.width());
  table.Paint(painter, QPointF(page.left(), y), kGridLineMm * unitsPerMm);
  y += table.Height() + 8.0 * unitsPerMm;

  painter.setFont(text);
  const QFontMetricsF textMetrics(text, device);
  const QRectF area(page.left(), y, page.width(), page.bottom() - y - textMetrics.height() * 1.5);
  const Extent extent = DriveExtent(state);
  const double fit = std::min(area.width() / std::max(extent.Width(), 1e-9),
                              area.height() / std::max(extent.Height(), 1e-9)) /
                     unitsPerMm;
  const double scale = extent.Valid && area.height() > 0.0 ? DrawingScale(fit) : 0.0;
  if (scale > 0.0) {
    const double units = scale * unitsPerMm;
    const QPointF middle = area.center();
    const ModelView view{units, middle.x() - (extent.MinX + extent.Width() / 2) * units,
                         middle.y() + (extent.MinY + extent.Height() / 2) * units};
    DrawDrive(painter, state, view,
              {kLineWidthMm * unitsPerMm, kCentreMarkMm * unitsPerMm,
               static_cast<int>(std::lround(kLabelMm * unitsPerMm))});
    painter.setPen(Qt::black);
    painter.setFont(text);
    painter.drawText(QPointF(page.left(), page.bottom() - textMetrics.descent()),
                     QStringLiteral("縮尺 %1 (mm)").arg(DrawingScaleText(scale)));
  }
  painter.restore();
}

}  // namespace idrova
