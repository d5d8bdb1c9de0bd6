// SPDX-License-Identifier: MIT
// Tests of the drive file: every kind of bad file is refused with its key
// and a message naming the file, drives read back bit for bit, and a failed
// save leaves the earlier file whole.
#include "files/drive_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <random>

#include "files/drive_of_file.h"
#include "input/catalogue.h"

namespace idrova {
namespace {

using P = DriveFileProblem;

// The free type with an unknown tensioner coordinate: every key is read.
const char* const kGood =
    R"({"format": "idrova-drive", "version": 1, "type": "N1", "pitch": 12.7,
        "freeRule": "sprocket", "wheels": [{"x": 0, "y": 0, "teeth": 20},
        {"x": 150, "y": 100, "teeth": 20}, {"x": 70, "y": 10, "teeth": 10}],
        "unknown": "x3", "direction": 1, "requestedLength": 528})";

QByteArray Replaced(const char* from, const char* to) {
  QByteArray bytes(kGood);
  EXPECT_TRUE(bytes.contains(from)) << from;
  return bytes.replace(from, to);
}

TEST(DriveFile, HandWrittenFileWithWholeNumbersReads) {
  const DriveFileRead read = ParseDriveFile(kGood, "drive.idrova");
  ASSERT_TRUE(read.File) << read.Error.Message.toStdString();
  const DriveFile& file = *read.File;
  EXPECT_EQ(file.Type, "N1");
  EXPECT_EQ(file.Pitch, 12.7);
  EXPECT_FALSE(file.FreeTypeIsBelt);
  EXPECT_EQ(file.Wheels[1], (DriveFileWheel{150.0, 100.0, 20}));
  EXPECT_EQ(file.Wheels[2], (DriveFileWheel{70.0, 10.0, 10}));
  EXPECT_EQ(file.UnknownKind, 1);
  EXPECT_EQ(file.RequestedLength, 528.0);
  EXPECT_FALSE(file.LengthIndex || file.Zoom);
}

TEST(DriveFile, DamagedFilesAreRefusedNamingTheKey) {
  struct Row {
    const char* name;
    QByteArray bytes;
    P problem;
    const char* key;
  };
  const Row rows[] = {
      {"empty", "", P::NotJson, ""},
      {"not JSON", "S8M 20 20 10", P::NotJson, ""},
      {"garbage after the object", QByteArray(kGood) + "}", P::NotJson, ""},
      {"truncated", QByteArray(kGood).left(120), P::Truncated, ""},
      {"an array", "[1, 2, 3]", P::NotObject, ""},
      {"another format", Replaced("idrova-drive", "idrova-sheet"), P::WrongFormat, "format"},
      // Regression: a line break in a shown text made the message three lines.
      {"format with a line break", Replaced("idrova-drive", R"(idrova-\ndrive)"), P::WrongFormat,
       "format"},
      {"format missing", Replaced(R"("format")", R"("formats")"), P::MissingKey, "format"},
      {"version missing", Replaced(R"("version")", R"("ver")"), P::MissingKey, "version"},
      {"version a string", Replaced(R"("version": 1)", R"("version": "1")"), P::WrongKind,
       "version"},
      {"version 1.5", Replaced(R"("version": 1)", R"("version": 1.5)"), P::NewerVersion, "version"},
      {"version 2", Replaced(R"("version": 1)", R"("version": 2)"), P::NewerVersion, "version"},
      {"version 0", Replaced(R"("version": 1)", R"("version": 0)"), P::OutOfRange, "version"},
      {"unknown type", Replaced(R"("N1")", R"("S8M")"), P::UnknownType, "type"},
      {"type a number", Replaced(R"("N1")", "8"), P::WrongKind, "type"},
      {"pitch zero", Replaced("12.7", "0"), P::OutOfRange, "pitch"},
      {"pitch negative", Replaced("12.7", "-12.7"), P::OutOfRange, "pitch"},
      {"pitch beyond 1e15", Replaced("12.7", "1.0000000000000002e15"), P::OutOfRange, "pitch"},
      {"pitch null", Replaced("12.7", "null"), P::WrongKind, "pitch"},
      {"free rule unknown", Replaced(R"("sprocket")", R"("belt")"), P::OutOfRange, "freeRule"},
      {"wheels missing", Replaced(R"("wheels")", R"("wheel")"), P::MissingKey, "wheels"},
      {"two wheels", Replaced(R"(, {"x": 70, "y": 10, "teeth": 10})", ""), P::WrongKind, "wheels"},
      {"wheels an object",
       QByteArray(kGood).replace(R"("wheels": [)", R"("wheels": {"a": [)").replace("}],", "}]},"),
       P::WrongKind, "wheels"},
      {"wheel a number", Replaced(R"({"x": 70, "y": 10, "teeth": 10})", "3"), P::WrongKind,
       "wheels[2]"},
      {"x missing", Replaced(R"("x": 150)", R"("X": 150)"), P::MissingKey, "wheels[1].x"},
      {"y a string", Replaced(R"("y": 100)", R"("y": "100")"), P::WrongKind, "wheels[1].y"},
      {"x beyond 1e15", Replaced(R"("x": 150)", R"("x": -2e15)"), P::OutOfRange, "wheels[1].x"},
      {"x too large a number", Replaced(R"("x": 150)", R"("x": 1e400)"), P::NotJson, ""},
      {"teeth a string", Replaced(R"("teeth": 10)", R"("teeth": "10")"), P::WrongKind,
       "wheels[2].teeth"},
      {"teeth 20.5", Replaced(R"("teeth": 10)", R"("teeth": 20.5)"), P::OutOfRange,
       "wheels[2].teeth"},
      {"teeth 9", Replaced(R"("teeth": 10)", R"("teeth": 9)"), P::OutOfRange, "wheels[2].teeth"},
      {"teeth 201", Replaced(R"("teeth": 10)", R"("teeth": 201)"), P::OutOfRange,
       "wheels[2].teeth"},
      {"unknown z3", Replaced(R"("x3")", R"("z3")"), P::OutOfRange, "unknown"},
      {"unknown missing", Replaced(R"("unknown")", R"("unknowns")"), P::MissingKey, "unknown"},
      {"direction 0", Replaced(R"("direction": 1)", R"("direction": 0)"), P::OutOfRange,
       "direction"},
      {"direction 2", Replaced(R"("direction": 1)", R"("direction": 2)"), P::OutOfRange,
       "direction"},
      {"direction true", Replaced(R"("direction": 1)", R"("direction": true)"), P::WrongKind,
       "direction"},
      {"requested length missing", Replaced(R"("requestedLength")", R"("length")"), P::MissingKey,
       "requestedLength"},
      {"length index 0.5", Replaced(R"("unknown")", R"("lengthIndex": 0.5, "unknown")"),
       P::OutOfRange, "lengthIndex"},
      {"length index beyond 32 bits",
       Replaced(R"("unknown")", R"("lengthIndex": 2147483648, "unknown")"), P::OutOfRange,
       "lengthIndex"},
      {"zoom 21", Replaced(R"("unknown")", R"("zoom": 21, "unknown")"), P::OutOfRange, "zoom"},
  };
  for (const Row& row : rows) {
    const DriveFileRead read = ParseDriveFile(row.bytes, "bad.idrova");
    EXPECT_FALSE(read.File) << row.name;
    EXPECT_EQ(read.Error.Problem, row.problem) << row.name;
    EXPECT_EQ(read.Error.Key, row.key) << row.name;
    const QStringList lines = read.Error.Message.split('\n');
    ASSERT_EQ(lines.size(), 2) << row.name;
    EXPECT_TRUE(lines[0].startsWith("「bad.idrova」を開けません: ")) << row.name;
    EXPECT_TRUE(lines[1].startsWith("Cannot open bad.idrova: ")) << row.name;
    if (*row.key) {
      EXPECT_TRUE(lines[1].contains(row.key)) << row.name;
    }
  }
}

// Keys that are read only for some types and unknowns are not checked for
// the others; keys the reader does not know are ignored.
TEST(DriveFile, KeysNotReadAreNotChecked) {
  const struct {
    const char* name;
    QByteArray bytes;
  } rows[] = {
      {"catalogue type, bad pitch and rule", QByteArray(kGood)
                                                 .replace(R"("N1")", R"("RS401")")
                                                 .replace("12.7", R"("wide")")
                                                 .replace(R"("sprocket")", "7")},
      {"length unknown, bad direction and length",
       QByteArray(kGood)
           .replace(R"("x3")", R"("length")")
           .replace(R"("direction": 1)", R"("direction": 0)")
           .replace("528", "null")},
      {"keys of a later program",
       QByteArray(kGood).replace(R"("unknown")", R"("colour": [1, 2], "note": {}, "unknown")")},
  };
  for (const auto& row : rows) {
    const DriveFileRead read = ParseDriveFile(row.bytes, "drive.idrova");
    EXPECT_TRUE(read.File) << row.name << ": " << read.Error.Message.toStdString();
  }
}

TEST(DriveFile, MessageTexts) {
  const DriveFileRead missing =
      ParseDriveFile(Replaced(R"("wheels")", R"("wheel")"), "drive.idrova");
  EXPECT_EQ(missing.Error.Message,
            "「drive.idrova」を開けません: \"wheels\" がありません。\n"
            "Cannot open drive.idrova: the key \"wheels\" is missing.");
  const DriveFileRead teeth =
      ParseDriveFile(Replaced(R"("teeth": 10)", R"("teeth": 20.5)"), "drive.idrova");
  EXPECT_EQ(teeth.Error.Message,
            "「drive.idrova」を開けません: \"wheels[2].teeth\" の 20.5 は使えません "
            "(10 から 200 までの整数)。\n"
            "Cannot open drive.idrova: \"wheels[2].teeth\" holds 20.5; it takes a whole number "
            "from 10 to 200.");
}

// Finite doubles of every size up to the limit, the edge values among them;
// a zero is written without its sign, so none is drawn.
double RandomMm(std::mt19937_64& random) {
  static const double kEdges[] = {0.0,
                                  0.1,
                                  1e-300,
                                  5e-324,
                                  123456.789012345,
                                  kMaxDriveFileMm,
                                  -kMaxDriveFileMm,
                                  0.30000000000000004};
  if (random() % 4 == 0) return kEdges[random() % std::size(kEdges)];
  double value = 0.0;
  do {
    value = std::bit_cast<double>(random());
  } while (!(std::fabs(value) <= kMaxDriveFileMm) || value == 0.0);
  return value;
}

TEST(DriveFile, RandomDrivesReadBackBitForBit) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  std::mt19937_64 random(20240611);
  const auto catalogue = Catalogue();
  const auto bits = [](double value) { return std::bit_cast<std::uint64_t>(value); };
  for (int n = 0; n < 300; ++n) {
    const CatalogueEntry& entry = catalogue[n % catalogue.size()];
    DriveFile drive;
    drive.Type = entry.Name;
    drive.Pitch = entry.Free ? std::fabs(RandomMm(random)) : entry.Pitch;
    if (drive.Pitch == 0.0) drive.Pitch = 5e-324;
    drive.FreeTypeIsBelt = entry.Free && random() % 2 == 0;
    for (DriveFileWheel& wheel : drive.Wheels)
      wheel = {RandomMm(random), RandomMm(random), static_cast<int>(10 + random() % 191)};
    drive.UnknownKind = static_cast<std::int32_t>(n / catalogue.size() % 3);
    if (drive.UnknownKind != 0) {
      drive.Direction = random() % 2 == 0 ? 1 : -1;
      drive.RequestedLength = RandomMm(random);
    }
    if (n % 2 == 0) drive.LengthIndex = static_cast<std::int32_t>(random());
    if (n % 3 == 0) drive.Zoom = static_cast<int>(1 + random() % 20);

    const QString path = folder.filePath(QStringLiteral("drive%1.idrova").arg(n));
    const DriveFileError written = WriteDriveFile(path, drive);
    ASSERT_EQ(written.Problem, P::None) << written.Message.toStdString();
    const DriveFileRead read = ReadDriveFile(path);
    ASSERT_TRUE(read.File) << n << ": " << read.Error.Message.toStdString();
    EXPECT_EQ(*read.File, drive) << n;
    EXPECT_EQ(bits(read.File->Pitch), bits(drive.Pitch)) << n;
    EXPECT_EQ(bits(read.File->RequestedLength), bits(drive.RequestedLength)) << n;
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(bits(read.File->Wheels[i].X), bits(drive.Wheels[i].X)) << n;
      EXPECT_EQ(bits(read.File->Wheels[i].Y), bits(drive.Wheels[i].Y)) << n;
    }
  }
}

TEST(DriveFile, FilesThatCannotBeRead) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QByteArray good = DriveFileBytes(DriveFile{});
  const auto write = [&](const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  };
  // A drive padded with blanks to just 1 MiB still opens; one byte more does not.
  const QByteArray fits = good + QByteArray(kMaxDriveFileBytes - good.size(), ' ');
  const QString fitting = write("fits.idrova", fits);
  const QString large = write("large.idrova", fits + ' ');
  const struct {
    const char* name;
    QString path;
    P problem;
  } rows[] = {
      {"1 MiB", fitting, P::None},
      {"over 1 MiB", large, P::TooLarge},
      {"missing", folder.filePath("missing.idrova"), P::CannotRead},
      {"a folder", folder.path(), P::CannotRead},
  };
  for (const auto& row : rows) {
    const DriveFileRead read = ReadDriveFile(row.path);
    EXPECT_EQ(read.Error.Problem, row.problem) << row.name;
    EXPECT_EQ(read.File.has_value(), row.problem == P::None) << row.name;
    if (row.problem != P::None) {
      EXPECT_TRUE(read.Error.Message.contains(QFileInfo(row.path).fileName())) << row.name;
    }
  }
}

TEST(DriveFile, FileWithoutReadPermission) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = folder.filePath("locked.idrova");
  ASSERT_EQ(WriteDriveFile(path, DriveFile{}).Problem, P::None);
  QFile::setPermissions(path, QFileDevice::WriteOwner);
  if (::access(path.toLocal8Bit().constData(), R_OK) == 0)
    GTEST_SKIP() << "permissions are not enforced for this user (root)";
  EXPECT_EQ(ReadDriveFile(path).Error.Problem, P::CannotRead);
}

TEST(DriveFile, FailedSaveNamesTheFileAndWritesNothing) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString plain = folder.filePath("plain.txt");
  QFile(plain).open(QIODevice::WriteOnly);
  // A path under a regular file fails for every user.
  const DriveFileError error = WriteDriveFile(plain + "/drive.idrova", DriveFile{});
  EXPECT_EQ(error.Problem, P::CannotWrite);
  EXPECT_TRUE(error.Message.startsWith("「drive.idrova」に保存できません: "));
  EXPECT_TRUE(error.Message.contains("\nCannot save drive.idrova: "));

  // A drive the reader would refuse is not written.
  DriveFile bad;
  bad.Wheels[0].Teeth = 5;
  const QString badPath = folder.filePath("bad.idrova");
  const DriveFileError refused = WriteDriveFile(badPath, bad);
  EXPECT_EQ(refused.Problem, P::OutOfRange);
  EXPECT_EQ(refused.Key, "wheels[0].teeth");
  EXPECT_FALSE(QFile::exists(badPath));
}

TEST(DriveFile, FailedSaveLeavesTheEarlierFileWhole) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = folder.filePath("drive.idrova");
  DriveFile first;
  first.Wheels[2].X = 71.5;
  ASSERT_EQ(WriteDriveFile(path, first).Problem, P::None);
  QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  const bool enforced = ::access(folder.path().toLocal8Bit().constData(), W_OK) != 0;
  DriveFile second;
  second.Wheels[2].X = 99.0;
  const DriveFileError error = WriteDriveFile(path, second);
  QFile::setPermissions(folder.path(),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  if (!enforced) GTEST_SKIP() << "permissions are not enforced for this user (root)";
  EXPECT_EQ(error.Problem, P::CannotWrite);
  const DriveFileRead read = ReadDriveFile(path);
  ASSERT_TRUE(read.File);
  EXPECT_EQ(read.File->Wheels[2].X, 71.5);
}

// The state a file gives is the one it was saved from, and the design
// layout's chain opens to the chain rule's radii and its belt length.
TEST(DriveFile, StateOfAFileAndBack) {
  DriveFile drive;
  drive.Type = "RS401";  // the design layout as a chain drive
  drive.Zoom = 15;
  drive.LengthIndex = 42;
  const CalculatedDrive calculated = CalculateDrive(drive);
  const DriveState& state = calculated.State;
  EXPECT_EQ(state.BeltType, 40);
  EXPECT_NEAR(state.Wheel[2].Radius, 12.7 / std::sin(kPi / 10) / 2, 1e-12);
  EXPECT_EQ(state.Case, PathCase::C);
  EXPECT_GT(state.BeltLength, state.MinBeltLength);
  drive.Pitch = 12.7;
  EXPECT_EQ(DriveFileOfState(state), drive);

  // With the tensioner's X unknown the search runs to the requested length.
  drive.UnknownKind = 1;
  drive.RequestedLength = state.BeltLength + 20.0;
  const CalculatedDrive searched = CalculateDrive(drive);
  EXPECT_EQ(searched.Warning, 0);
  EXPECT_NEAR(searched.State.BeltLength, drive.RequestedLength, 0.005);
}

}  // namespace
}  // namespace idrova
