// SPDX-License-Identifier: MIT
// Writes the DXF drawings of a few drives, each with a JSON file of what a
// DXF reader must find in it (the wheels and the belt length), for
// dxf_check.py. Usage: dxf_samples FOLDER. Exits non-zero when a drive does
// not come out in the case it was chosen for.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "export/dxf_export.h"
#include "files/drive_of_file.h"

namespace {

struct Sample {
  const char* Name;
  const char* Type;
  idrova::DriveFileWheel Tensioner;
  idrova::PathCase Case;
  int UnknownKind = 0;
  double RequestedLength = 0.0;
};

const Sample kSamples[] = {
    {"design_belt", "S8M1", {70, 10, 10}, idrova::PathCase::C},
    {"design_chain", "RS401", {70, 10, 10}, idrova::PathCase::C},
    {"tensioner_left", "S8M1", {60, 90, 10}, idrova::PathCase::A},
    {"tensioner_inside_the_loop", "S8M1", {75, 50, 10}, idrova::PathCase::B},
    {"tensioner_wrapped_twice", "S8M1", {75, 50, 32}, idrova::PathCase::D},
    {"tensioner_x_searched", "XL1", {70, 10, 10}, idrova::PathCase::C, 1, 560.0},
};

bool Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dxf_samples FOLDER\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) return 1;
  int status = 0;
  for (const Sample& sample : kSamples) {
    idrova::DriveFile file;
    file.Type = QString::fromLatin1(sample.Type);
    file.Wheels[2] = sample.Tensioner;
    file.UnknownKind = sample.UnknownKind;
    file.RequestedLength = sample.RequestedLength;
    const idrova::CalculatedDrive drive = idrova::CalculateDrive(file);
    const idrova::DriveState& state = drive.State;
    if (state.Case != sample.Case || drive.Warning != 0) {
      std::fprintf(stderr, "%s: not the case it stands for\n", sample.Name);
      status = 1;
    }
    QJsonArray wheels;
    for (const idrova::WheelCircle& wheel : state.Wheel)
      wheels.append(QJsonArray{wheel.X, wheel.Y, wheel.Radius});
    const QJsonObject expected{{QStringLiteral("wheels"), wheels},
                               {QStringLiteral("length"), state.BeltLength}};
    const QString name = QString::fromLatin1(sample.Name);
    if (!Write(folder.filePath(name + ".dxf"), QByteArray::fromStdString(DxfOfDrive(state))) ||
        !Write(folder.filePath(name + ".json"), QJsonDocument(expected).toJson())) {
      std::fprintf(stderr, "%s: cannot write\n", sample.Name);
      status = 1;
    }
  }
  return status;
}
