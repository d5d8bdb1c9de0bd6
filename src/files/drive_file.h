// SPDX-License-Identifier: MIT
// A drive file (*.idrova): the values a person types into the window, as
// UTF-8 JSON, read with every check of a bad file and written atomically.
//
//   {"format": "idrova-drive", "version": 1, "type": "S8M1", "pitch": 8,
//    "freeRule": "sprocket", "unknown": "length", "direction": 1,
//    "requestedLength": 528, "lengthIndex": 12, "zoom": 10,
//    "wheels": [{"x": 0, "y": 0, "teeth": 20}, {...}, {...}]}
//
// "type" is a type menu entry's name ("S45M1" ... "RS2401", "N1" for the free
// type). "pitch" and "freeRule" are read only for the free type, "direction"
// and "requestedLength" only when the unknown is "x3" or "y3"; the writer
// writes them all. "lengthIndex" and "zoom" are optional. Keys the reader
// does not know are ignored. Lengths are mm.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace idrova {

struct DriveFileWheel {
  double X = 0.0;  // mm
  double Y = 0.0;  // mm
  int Teeth = 20;  // 10 ... 200
  bool operator==(const DriveFileWheel&) const = default;
};

// What a drive file holds. The reader fills the keys it does not read for a
// type or unknown with the values shown here (for a catalogue type, Pitch is
// the catalogue's pitch).
struct DriveFile {
  QString Type = QStringLiteral("S8M1");  // a type menu entry's name
  double Pitch = 8.0;                     // mm
  bool FreeTypeIsBelt = false;            // the free type's wheels: pulleys (true) or sprockets
  // NO 1, NO 2, NO 3; the window's design layout to start with.
  DriveFileWheel Wheels[3] = {{0.0, 0.0, 20}, {150.0, 100.0, 20}, {70.0, 10.0, 10}};
  std::int32_t UnknownKind = 0;             // 0 belt length, 1 X of NO 3, 2 Y of NO 3
  std::int32_t Direction = 1;               // search direction, +1 or -1
  double RequestedLength = 0.0;             // mm
  std::optional<std::int32_t> LengthIndex;  // the standard-length index (DriveState::LengthIndex)
  std::optional<int> Zoom;                  // the zoom bar's position 1 ... 20
  bool operator==(const DriveFile&) const = default;
};

// What was wrong with a drive file, or with the saving of one.
enum class DriveFileProblem {
  None,
  CannotRead,    // missing, a folder, no permission
  TooLarge,      // over kMaxDriveFileBytes
  NotJson,       // not JSON at all
  Truncated,     // JSON that ends too early
  NotObject,     // JSON, but not an object
  WrongFormat,   // "format" is not "idrova-drive"
  NewerVersion,  // "version" above kDriveFileVersion
  MissingKey,
  WrongKind,    // a key holding the wrong kind of value (a string for a number ...)
  UnknownType,  // "type" names no type menu entry
  OutOfRange,   // a value the window's fields do not take
  CannotWrite,  // the save failed (no permission, full disk)
};

struct DriveFileError {
  DriveFileProblem Problem = DriveFileProblem::None;
  QString Key;      // the key at fault ("wheels[1].teeth"), empty where there is none
  QString Message;  // two lines, Japanese then English, naming the file
};

struct DriveFileRead {
  std::optional<DriveFile> File;  // set only when the whole file was read
  DriveFileError Error;           // Problem::None when File is set
};

inline constexpr int kDriveFileVersion = 1;
inline constexpr qint64 kMaxDriveFileBytes = 1024 * 1024;
// The largest magnitude of a coordinate, the pitch and the requested length,
// mm. The window's general number format writes plain digits below 1e15, a
// double still holds every 0.125 mm there, and no drive comes near it
// (a kilometre is 1e6 mm); what lies beyond is a damaged or made-up file.
inline constexpr double kMaxDriveFileMm = 1e15;

// A text as a message shows it, on the message's own line: line breaks and
// other control characters are written as \uXXXX.
QString EscapedForMessage(const QString& text);

// Reads and checks the file at `path`. Messages name the file by its name
// without the folder.
DriveFileRead ReadDriveFile(const QString& path);

// Checks the bytes of a drive file; `fileName` is the name the messages show.
DriveFileRead ParseDriveFile(const QByteArray& bytes, const QString& fileName);

// The bytes the writer writes: indented UTF-8 JSON ending in a newline.
// Numbers are written in their shortest text that reads back to the same
// double; a zero's sign is not kept.
QByteArray DriveFileBytes(const DriveFile& drive);

// Writes the drive to `path` through QSaveFile: the file is replaced whole
// or, on failure, left as it was. A drive the reader would refuse is not
// written (Problem as the reader gives it). Returns Problem::None on success.
DriveFileError WriteDriveFile(const QString& path, const DriveFile& drive);

}  // namespace idrova
