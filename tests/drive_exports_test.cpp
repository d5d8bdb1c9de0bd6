// SPDX-License-Identifier: MIT
// Tests of the drive exports: for a belt, a chain, a searched tensioner and
// the free type, each format read back by other means (the SVG as XML, the
// PDF by pdftotext and pdfinfo, the drive file by the reader), the page's
// drawing measured on real pixels, and a failed write named in its message.
#include "export/drive_exports.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>
#include <string>
#include <vector>

#include "calc/design_sheet.h"
#include "export/dxf_export.h"
#include "files/drive_of_file.h"
#include "input/catalogue.h"

namespace idrova {
namespace {

struct Drive {
  const char* Name;
  DriveState State;
};

DriveState Calculated(const char* type, int unknown = 0, double requested = 0.0) {
  DriveFile file;
  file.Type = QString::fromLatin1(type);
  file.Pitch = 9.525;
  file.UnknownKind = unknown;
  file.RequestedLength = requested;
  const CalculatedDrive drive = CalculateDrive(file);
  EXPECT_EQ(drive.Warning, 0) << type;
  return drive.State;
}

const std::vector<Drive>& Drives() {
  static const std::vector<Drive> drives = {
      {"design_layout_S8M", Calculated("S8M1")},
      {"chain_RS40", Calculated("RS401")},
      {"tensioner_x_searched", Calculated("XL1", 1, 560.0)},
      {"free_type", Calculated("N1")},
  };
  return drives;
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString OutputOf(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return QString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

QString Simplified(const QString& text) { return text.simplified(); }

class DriveExports : public ::testing::Test {
 protected:
  QString PathOf(const Drive& drive, const char* extension) const {
    return folder_.filePath(QString::fromLatin1(drive.Name) + QLatin1Char('.') +
                            QLatin1StringView(extension));
  }
  QString Exported(const Drive& drive, ExportFormat format, const char* extension) const {
    const QString path = PathOf(drive, extension);
    QString error;
    EXPECT_TRUE(ExportDrive(drive.State, format, path, &error))
        << drive.Name << ": " << error.toStdString();
    EXPECT_TRUE(error.isEmpty()) << drive.Name;
    return path;
  }
  QTemporaryDir folder_;
};

TEST(ExportFormatNamed, NamesOfTheFileChooserAndTheCommandLine) {
  const struct {
    const char* name;
    std::optional<ExportFormat> format;
  } rows[] = {
      {"dxf", ExportFormat::Dxf},  {"SVG", ExportFormat::Svg},      {"Pdf", ExportFormat::Pdf},
      {"txt", ExportFormat::Text}, {"IDROVA", ExportFormat::Drive}, {"text", std::nullopt},
      {"", std::nullopt},          {" svg", std::nullopt},          {"idrova.", std::nullopt},
      {"dx", std::nullopt},
  };
  for (const auto& row : rows)
    EXPECT_EQ(ExportFormatNamed(QString::fromLatin1(row.name)), row.format) << row.name;
}

TEST(DrawingScale, LargestRoundScaleThatFits) {
  const struct {
    const char* name;
    double fit;
    double scale;
    const char* text;
  } rows[] = {
      {"exactly full size", 1.0, 1.0, "1:1"},      {"just below full size", 0.999, 0.5, "1:2"},
      {"a design layout on A4", 0.89, 0.5, "1:2"}, {"between a fifth and a half", 0.3, 0.2, "1:5"},
      {"exactly a tenth", 0.1, 0.1, "1:10"},       {"a long chain drive", 0.0123, 0.01, "1:100"},
      {"a small drive enlarged", 7.3, 5.0, "5:1"}, {"exactly twenty", 20.0, 20.0, "20:1"},
  };
  for (const auto& row : rows) {
    EXPECT_DOUBLE_EQ(DrawingScale(row.fit), row.scale) << row.name;
    EXPECT_EQ(DrawingScaleText(DrawingScale(row.fit)), QLatin1StringView(row.text)) << row.name;
  }
  EXPECT_EQ(DrawingScale(0.0), 0.0);
  EXPECT_EQ(DrawingScale(-1.0), 0.0);
  EXPECT_EQ(DrawingScale(HUGE_VAL), 0.0);
  EXPECT_EQ(DrawingScale(std::nan("")), 0.0);
}

TEST_F(DriveExports, TextIsTheSheetsCopiedText) {
  for (const Drive& drive : Drives()) {
    const char* caption = FindCatalogueEntryByCode(drive.State.BeltType)->Caption;
    const std::string sheet = DesignSheetText(DesignSheetRows(drive.State, caption));
    EXPECT_EQ(Contents(Exported(drive, ExportFormat::Text, "txt")).toStdString(), sheet)
        << drive.Name;
  }
}

TEST_F(DriveExports, DxfIsTheDrawingOfTheDrive) {
  for (const Drive& drive : Drives()) {
    EXPECT_EQ(Contents(Exported(drive, ExportFormat::Dxf, "dxf")).toStdString(),
              DxfOfDrive(drive.State))
        << drive.Name;
  }
}

TEST_F(DriveExports, DriveFileOpensToTheSameDrive) {
  for (const Drive& drive : Drives()) {
    const DriveFileRead read = ReadDriveFile(Exported(drive, ExportFormat::Drive, "idrova"));
    ASSERT_TRUE(read.File) << drive.Name << ": " << read.Error.Message.toStdString();
    const CalculatedDrive again = CalculateDrive(*read.File);
    EXPECT_EQ(again.Warning, 0) << drive.Name;
    EXPECT_EQ(again.State.BeltType, drive.State.BeltType) << drive.Name;
    EXPECT_EQ(again.State.Pitch, drive.State.Pitch) << drive.Name;
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(again.State.Wheel[i].X, drive.State.Wheel[i].X, 1e-9) << drive.Name << i;
      EXPECT_NEAR(again.State.Wheel[i].Y, drive.State.Wheel[i].Y, 1e-9) << drive.Name << i;
      EXPECT_EQ(again.State.Wheel[i].Radius, drive.State.Wheel[i].Radius) << drive.Name << i;
    }
    EXPECT_NEAR(again.State.BeltLength, drive.State.BeltLength, 1e-9) << drive.Name;
  }
}

// What an SVG drawing holds: its size and viewBox, its circles with the
// stroke of their group, and the belt's path.
struct SvgDrawing {
  QString Width, Height;
  std::vector<double> ViewBox;
  struct Circle {
    double X, Y, R;
    QString Stroke;
  };
  std::vector<Circle> Circles;
  std::vector<QPointF> BeltPoints;  // every point of the black path's data
  bool Valid = false;
};

SvgDrawing ReadSvg(const QByteArray& bytes) {
  SvgDrawing svg;
  QXmlStreamReader xml(bytes);
  std::vector<QString> strokes;
  while (!xml.atEnd()) {
    const QXmlStreamReader::TokenType token = xml.readNext();
    if (token == QXmlStreamReader::EndElement && xml.name() == u"g") strokes.pop_back();
    if (token != QXmlStreamReader::StartElement) continue;
    const QXmlStreamAttributes a = xml.attributes();
    if (xml.name() == u"svg") {
      svg.Width = a.value(QLatin1StringView("width")).toString();
      svg.Height = a.value(QLatin1StringView("height")).toString();
      for (const QString& v :
           a.value(QLatin1StringView("viewBox")).toString().split(QLatin1Char(' ')))
        svg.ViewBox.push_back(v.toDouble());
    } else if (xml.name() == u"g") {
      strokes.push_back(a.value(QLatin1StringView("stroke")).toString());
    } else if (xml.name() == u"circle") {
      svg.Circles.push_back({a.value(QLatin1StringView("cx")).toDouble(),
                             a.value(QLatin1StringView("cy")).toDouble(),
                             a.value(QLatin1StringView("r")).toDouble(),
                             strokes.empty() ? QString() : strokes.back()});
    } else if (xml.name() == u"path" && !strokes.empty() && strokes.back() == u"#000000") {
      static const QRegularExpression number(QStringLiteral("-?[0-9.]+(e-?[0-9]+)?"));
      std::vector<double> values;
      for (const QRegularExpressionMatch& m :
           number.globalMatch(a.value(QLatin1StringView("d")).toString()))
        values.push_back(m.captured().toDouble());
      for (std::size_t k = 0; k + 1 < values.size(); k += 2)
        svg.BeltPoints.emplace_back(values[k], values[k + 1]);
    }
  }
  svg.Valid = !xml.hasError();
  return svg;
}

TEST_F(DriveExports, SvgIsToScaleInMillimetresWithYUp) {
  const QString kStrokes[3] = {QStringLiteral("#ff0000"), QStringLiteral("#0000ff"),
                               QStringLiteral("#008000")};
  for (const Drive& drive : Drives()) {
    const DriveState& state = drive.State;
    const SvgDrawing svg = ReadSvg(Contents(Exported(drive, ExportFormat::Svg, "svg")));
    ASSERT_TRUE(svg.Valid) << drive.Name;
    ASSERT_EQ(svg.ViewBox.size(), 4u) << drive.Name;
    // One user unit is one millimetre on paper.
    EXPECT_EQ(svg.Width, QString::number(svg.ViewBox[2]) + QStringLiteral("mm")) << drive.Name;
    EXPECT_EQ(svg.Height, QString::number(svg.ViewBox[3]) + QStringLiteral("mm")) << drive.Name;
    ASSERT_EQ(svg.Circles.size(), 3u) << drive.Name;
    // The generator writes six significant digits.
    const double tolerance = 2e-3;
    const SvgDrawing::Circle& first = svg.Circles[0];
    for (int i = 0; i < 3; ++i) {
      const SvgDrawing::Circle& circle = svg.Circles[static_cast<std::size_t>(i)];
      EXPECT_EQ(circle.Stroke, kStrokes[i]) << drive.Name << " NO " << i + 1;
      EXPECT_NEAR(circle.R, state.Wheel[i].Radius, tolerance) << drive.Name << " NO " << i + 1;
      EXPECT_NEAR(circle.X - first.X, state.Wheel[i].X - state.Wheel[0].X, tolerance)
          << drive.Name << " NO " << i + 1;
      EXPECT_NEAR(first.Y - circle.Y, state.Wheel[i].Y - state.Wheel[0].Y, tolerance)
          << drive.Name << " NO " << i + 1;
      EXPECT_GE(circle.X - circle.R, svg.ViewBox[0]) << drive.Name;
      EXPECT_LE(circle.X + circle.R, svg.ViewBox[0] + svg.ViewBox[2]) << drive.Name;
      EXPECT_GE(circle.Y - circle.R, svg.ViewBox[1]) << drive.Name;
      EXPECT_LE(circle.Y + circle.R, svg.ViewBox[1] + svg.ViewBox[3]) << drive.Name;
    }
    // The belt starts where the span leaving NO 1 starts and comes back there.
    const std::vector<BeltPiece> pieces = BeltLoopPieces(state);
    ASSERT_FALSE(pieces.empty()) << drive.Name;
    ASSERT_GE(svg.BeltPoints.size(), 2u) << drive.Name;
    const QPointF start(first.X + pieces[0].StartX - state.Wheel[0].X,
                        first.Y - (pieces[0].StartY - state.Wheel[0].Y));
    for (const QPointF& end : {svg.BeltPoints.front(), svg.BeltPoints.back()}) {
      EXPECT_NEAR(end.x(), start.x(), tolerance) << drive.Name;
      EXPECT_NEAR(end.y(), start.y(), tolerance) << drive.Name;
    }
    // Every point of the belt lies within the wheels' reach.
    for (const QPointF& point : svg.BeltPoints) {
      EXPECT_GE(point.x(), svg.ViewBox[0]) << drive.Name;
      EXPECT_LE(point.x(), svg.ViewBox[0] + svg.ViewBox[2]) << drive.Name;
    }
  }
}

TEST_F(DriveExports, PdfIsOneA4PageWithEveryFigureOfTheSheetAsText) {
  for (const Drive& drive : Drives()) {
    const QString path = Exported(drive, ExportFormat::Pdf, "pdf");
    const QString info = OutputOf(QStringLiteral("pdfinfo"), {path});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +1\n")))) << drive.Name;
    EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << drive.Name << info.toStdString();
    const QString text =
        Simplified(OutputOf(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}));
    const char* caption = FindCatalogueEntryByCode(drive.State.BeltType)->Caption;
    for (const SheetRow& row : DesignSheetRows(drive.State, caption)) {
      for (const std::string& cell : row.Cells) {
        EXPECT_TRUE(text.contains(Simplified(QString::fromStdString(cell))))
            << drive.Name << ": no \"" << cell << "\" in\n"
            << text.toStdString();
      }
    }
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("縮尺 [0-9]+:[0-9]+"))))
        << drive.Name;
  }
}

TEST(DrivePage, DrawingIsToTheScaleItNames) {
  // A4 less 15 mm margins, at 150 dots an inch; the design layout's 202 mm
  // width does not fit at 1:1 and is drawn at 1:2.
  constexpr double kDotsPerMm = 150 / 25.4;
  QImage page(static_cast<int>(180 * kDotsPerMm), static_cast<int>(267 * kDotsPerMm),
              QImage::Format_RGB32);
  page.setDotsPerMeterX(static_cast<int>(std::lround(kDotsPerMm * 1000)));
  page.setDotsPerMeterY(static_cast<int>(std::lround(kDotsPerMm * 1000)));
  page.fill(Qt::white);
  const DriveState& state = Drives().front().State;
  {
    QPainter painter(&page);
    PaintDrivePage(painter, QRectF(page.rect()), state);
  }
  // The belt wraps NO 1 on its left and bottom and NO 2 on its right and
  // top, so NO 1's right and top edges are red alone and NO 2's left and
  // bottom edges blue alone: the gaps between them are to scale, NO 2 above.
  int redRight = -1, redTop = page.height(), blueLeft = page.width(), blueBottom = -1;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      const QColor c = page.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 80 && c.blue() < 80) {
        redRight = std::max(redRight, x);
        redTop = std::min(redTop, y);
      } else if (c.blue() > 200 && c.red() < 80 && c.green() < 80) {
        blueLeft = std::min(blueLeft, x);
        blueBottom = std::max(blueBottom, y);
      }
    }
  }
  const WheelCircle& one = state.Wheel[0];
  const WheelCircle& two = state.Wheel[1];
  const double scale = 0.5 * kDotsPerMm;
  EXPECT_NEAR(blueLeft - redRight, (two.X - two.Radius - one.X - one.Radius) * scale, 3.0);
  EXPECT_NEAR(redTop - blueBottom, (two.Y - two.Radius - one.Y - one.Radius) * scale, 3.0);
}

TEST_F(DriveExports, FailedWriteIsNamedInBothLanguages) {
  QFile blocker(folder_.filePath(QStringLiteral("a-file")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const struct {
    const char* name;
    ExportFormat format;
  } rows[] = {{"out.dxf", ExportFormat::Dxf},
              {"out.svg", ExportFormat::Svg},
              {"out.pdf", ExportFormat::Pdf},
              {"out.txt", ExportFormat::Text},
              {"out.idrova", ExportFormat::Drive}};
  for (const auto& row : rows) {
    const QString path = blocker.fileName() + QLatin1Char('/') + QLatin1StringView(row.name);
    QString error;
    EXPECT_FALSE(ExportDrive(Drives().front().State, row.format, path, &error)) << row.name;
    const QStringList lines = error.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2) << row.name << ": " << error.toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("「%1」").arg(QLatin1StringView(row.name))))
        << error.toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Cannot "))) << error.toStdString();
    EXPECT_TRUE(lines[1].contains(QLatin1StringView(row.name))) << error.toStdString();
    EXPECT_FALSE(error.contains(folder_.path())) << error.toStdString();
    EXPECT_FALSE(QFile::exists(path)) << row.name;
  }
}

}  // namespace
}  // namespace idrova
