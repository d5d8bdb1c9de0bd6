// SPDX-License-Identifier: MIT
// The drive file's reader, with its checks and messages, and its writer.
#include "files/drive_file.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QLocale>
#include <QSaveFile>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <utility>

#include "input/catalogue.h"
#include "input/wheel_sizing.h"

namespace idrova {
namespace {

const QString kFormat = QStringLiteral("idrova-drive");
const char* const kUnknownNames[3] = {"length", "x3", "y3"};
// A text from the file is shown up to this many characters in a message.
constexpr int kMaxShownText = 40;

// A problem without the file's name: the part of the message after
// "Cannot open NAME:" (or "Cannot save NAME:"), in both languages.
struct Problem {
  DriveFileProblem Kind = DriveFileProblem::None;
  QString Key;
  QString Japanese;
  QString English;
};

// A text from the file, escaped and cut short where it is long.
QString Shown(const QString& text) {
  const QString shown = EscapedForMessage(text.left(kMaxShownText));
  return text.size() > kMaxShownText ? shown + QStringLiteral("…") : shown;
}

DriveFileError OpenError(const QString& fileName, const Problem& problem) {
  return {problem.Kind, problem.Key,
          QStringLiteral("「%1」を開けません: %2\nCannot open %1: %3")
              .arg(EscapedForMessage(fileName), problem.Japanese, problem.English)};
}

DriveFileError SaveError(const QString& fileName, const Problem& problem) {
  return {problem.Kind, problem.Key,
          QStringLiteral("「%1」に保存できません: %2\nCannot save %1: %3")
              .arg(EscapedForMessage(fileName), problem.Japanese, problem.English)};
}

QString NumberText(double value) {
  return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// How a value of the file is shown in a message: strings in quotes, numbers
// as the shortest text of their double.
QString ValueText(const QJsonValue& value) {
  if (value.isString()) return QLatin1Char('"') + Shown(value.toString()) + QLatin1Char('"');
  if (value.isDouble()) return NumberText(value.toDouble());
  if (value.isBool()) return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
  if (value.isNull()) return QStringLiteral("null");
  return value.isArray() ? QStringLiteral("[…]") : QStringLiteral("{…}");
}

Problem MissingKey(const QString& key) {
  return {DriveFileProblem::MissingKey, key, QStringLiteral("\"%1\" がありません。").arg(key),
          QStringLiteral("the key \"%1\" is missing.").arg(key)};
}

// `japanese` and `english` name what the key should hold ("数値", "a number").
Problem WrongKind(const QString& key, const QJsonValue& value, const char* japanese,
                  const char* english) {
  return {DriveFileProblem::WrongKind, key,
          QStringLiteral("\"%1\" の %2 は%3ではありません。")
              .arg(key, ValueText(value), QString::fromUtf8(japanese)),
          QStringLiteral("\"%1\" holds %2, which is not %3.")
              .arg(key, ValueText(value), QString::fromUtf8(english))};
}

// `japanese` and `english` say what the key takes ("10 から 200 までの整数").
Problem OutOfRange(const QString& key, const QJsonValue& value, const char* japanese,
                   const char* english) {
  return {DriveFileProblem::OutOfRange, key,
          QStringLiteral("\"%1\" の %2 は使えません (%3)。")
              .arg(key, ValueText(value), QString::fromUtf8(japanese)),
          QStringLiteral("\"%1\" holds %2; it takes %3.")
              .arg(key, ValueText(value), QString::fromUtf8(english))};
}

// Reads the checked values out of one JSON object. The first problem found
// stops the reading; `problem` keeps it.
class Reader {
 public:
  explicit Reader(Problem& problem) : problem_(problem) {}

  bool Failed() const { return problem_.Kind != DriveFileProblem::None; }

  // The value of a key that must be present, or nullopt (and the problem).
  std::optional<QJsonValue> Required(const QJsonObject& object, const QString& key,
                                     const QString& shownKey) {
    if (Failed()) return std::nullopt;
    const auto found = object.constFind(key);
    if (found == object.constEnd()) {
      problem_ = MissingKey(shownKey);
      return std::nullopt;
    }
    return found.value();
  }

  std::optional<QString> String(const QJsonObject& object, const QString& key) {
    const std::optional<QJsonValue> value = Required(object, key, key);
    if (!value) return std::nullopt;
    if (!value->isString()) {
      problem_ = WrongKind(key, *value, "文字列", "a string");
      return std::nullopt;
    }
    return value->toString();
  }

  // One of `names`; returns its index.
  std::optional<int> Choice(const QJsonObject& object, const QString& key,
                            std::initializer_list<const char*> names, const char* japanese,
                            const char* english) {
    const std::optional<QString> text = String(object, key);
    if (!text) return std::nullopt;
    int index = 0;
    for (const char* name : names) {
      if (*text == QLatin1String(name)) return index;
      ++index;
    }
    problem_ = OutOfRange(key, QJsonValue(*text), japanese, english);
    return std::nullopt;
  }

  // A length in mm: finite, of magnitude at most kMaxDriveFileMm; with
  // `positive`, above zero as well.
  std::optional<double> Length(const QJsonObject& object, const QString& key,
                               const QString& shownKey, bool positive) {
    const std::optional<QJsonValue> value = Required(object, key, shownKey);
    if (!value) return std::nullopt;
    if (!value->isDouble()) {
      problem_ = WrongKind(shownKey, *value, "数値", "a number");
      return std::nullopt;
    }
    const double number = value->toDouble();
    if (!(std::fabs(number) <= kMaxDriveFileMm) || (positive && !(number > 0.0))) {
      problem_ =
          positive ? OutOfRange(shownKey, *value, "0 より大きく 1e15 以下の mm",
                                "more than 0 and at most 1e15 mm")
                   : OutOfRange(shownKey, *value, "-1e15 から 1e15 までの mm", "-1e15 to 1e15 mm");
      return std::nullopt;
    }
    return number;
  }

  // A whole number from `lowest` to `highest`; `range` and `englishRange`
  // say so in the message.
  std::optional<std::int64_t> Whole(const QJsonValue& value, const QString& key,
                                    std::int64_t lowest, std::int64_t highest,
                                    const char* japaneseRange, const char* englishRange) {
    if (Failed()) return std::nullopt;
    if (!value.isDouble()) {
      problem_ = WrongKind(key, value, "数値", "a number");
      return std::nullopt;
    }
    const double number = value.toDouble();
    if (!(number >= static_cast<double>(lowest) && number <= static_cast<double>(highest)) ||
        number != std::floor(number)) {
      problem_ = OutOfRange(key, value, japaneseRange, englishRange);
      return std::nullopt;
    }
    return static_cast<std::int64_t>(number);
  }

  std::optional<std::int64_t> Whole(const QJsonObject& object, const QString& key,
                                    std::int64_t lowest, std::int64_t highest,
                                    const char* japaneseRange, const char* englishRange) {
    const std::optional<QJsonValue> value = Required(object, key, key);
    if (!value) return std::nullopt;
    return Whole(*value, key, lowest, highest, japaneseRange, englishRange);
  }

  void Fail(Problem problem) {
    if (!Failed()) problem_ = std::move(problem);
  }

 private:
  Problem& problem_;
};

// The checks of the keys, in the order they are written.
std::optional<DriveFile> ReadObject(const QJsonObject& object, Problem& problem) {
  Reader read(problem);
  DriveFile drive;

  const std::optional<QString> format = read.String(object, QStringLiteral("format"));
  if (format && *format != kFormat) {
    read.Fail({DriveFileProblem::WrongFormat, QStringLiteral("format"),
               QStringLiteral("Idrova のドライブファイルではありません (\"format\" が %1)。")
                   .arg(ValueText(QJsonValue(*format))),
               QStringLiteral("it is not an Idrova drive file (\"format\" is %1).")
                   .arg(ValueText(QJsonValue(*format)))});
  }
  // A version below 1 was never written; one above is a newer file, whose
  // keys may mean what this reader cannot know, so it is not half-read.
  const std::optional<QJsonValue> version =
      read.Required(object, QStringLiteral("version"), QStringLiteral("version"));
  if (version && version->isDouble() && version->toDouble() > kDriveFileVersion) {
    read.Fail({DriveFileProblem::NewerVersion, QStringLiteral("version"),
               QStringLiteral("版 %1 のファイルです。この Idrova が読めるのは版 %2 までです。")
                   .arg(ValueText(*version))
                   .arg(kDriveFileVersion),
               QStringLiteral("it is of version %1; this Idrova reads versions up to %2.")
                   .arg(ValueText(*version))
                   .arg(kDriveFileVersion)});
  }
  if (version) read.Whole(*version, QStringLiteral("version"), 1, 1, "版 1", "version 1");

  const std::optional<QString> type = read.String(object, QStringLiteral("type"));
  const CatalogueEntry* entry = nullptr;
  if (type) {
    entry = FindCatalogueEntry(type->toStdString());
    if (entry == nullptr) {
      read.Fail({DriveFileProblem::UnknownType, QStringLiteral("type"),
                 QStringLiteral("\"type\" の %1 という種類はありません。")
                     .arg(ValueText(QJsonValue(*type))),
                 QStringLiteral("there is no type %1 (key \"type\").")
                     .arg(ValueText(QJsonValue(*type)))});
    }
  }
  if (entry != nullptr) {
    drive.Type = QString::fromUtf8(entry->Name);
    drive.Pitch = entry->Pitch;
    if (entry->Free) {
      if (auto pitch = read.Length(object, QStringLiteral("pitch"), QStringLiteral("pitch"), true))
        drive.Pitch = *pitch;
      if (auto rule = read.Choice(object, QStringLiteral("freeRule"), {"sprocket", "pulley"},
                                  "\"sprocket\" か \"pulley\"", "\"sprocket\" or \"pulley\""))
        drive.FreeTypeIsBelt = *rule == 1;
    }
  }

  if (const std::optional<QJsonValue> wheels =
          read.Required(object, QStringLiteral("wheels"), QStringLiteral("wheels"))) {
    const QJsonArray array = wheels->toArray();
    if (!wheels->isArray() || array.size() != 3) {
      read.Fail(WrongKind(QStringLiteral("wheels"), *wheels, "3 つの車の配列",
                          "an array of three wheels"));
    }
    for (int i = 0; i < 3 && !read.Failed(); ++i) {
      const QString at = QStringLiteral("wheels[%1]").arg(i);
      if (!array[i].isObject()) {
        read.Fail(WrongKind(at, array[i], "オブジェクト", "an object"));
        break;
      }
      const QJsonObject wheel = array[i].toObject();
      DriveFileWheel& into = drive.Wheels[i];
      if (auto x = read.Length(wheel, QStringLiteral("x"), at + QStringLiteral(".x"), false))
        into.X = *x;
      if (auto y = read.Length(wheel, QStringLiteral("y"), at + QStringLiteral(".y"), false))
        into.Y = *y;
      const QString teethKey = at + QStringLiteral(".teeth");
      if (auto teeth = read.Required(wheel, QStringLiteral("teeth"), teethKey)) {
        if (auto whole = read.Whole(*teeth, teethKey, kMinTeeth, kMaxTeeth,
                                    "10 から 200 までの整数", "a whole number from 10 to 200"))
          into.Teeth = static_cast<int>(*whole);
      }
    }
  }

  if (auto unknown = read.Choice(object, QStringLiteral("unknown"), {"length", "x3", "y3"},
                                 "\"length\"、\"x3\" か \"y3\"", "\"length\", \"x3\" or \"y3\"")) {
    drive.UnknownKind = *unknown;
    if (drive.UnknownKind != 0) {
      if (auto direction =
              read.Whole(object, QStringLiteral("direction"), -1, 1, "1 か -1", "1 or -1")) {
        if (*direction == 0) {
          read.Fail(OutOfRange(QStringLiteral("direction"), QJsonValue(0), "1 か -1", "1 or -1"));
        } else {
          drive.Direction = static_cast<std::int32_t>(*direction);
        }
      }
      if (auto length = read.Length(object, QStringLiteral("requestedLength"),
                                    QStringLiteral("requestedLength"), false))
        drive.RequestedLength = *length;
    }
  }

  // The optional keys, checked when present.
  constexpr std::int64_t kIndexLowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kIndexHighest = std::numeric_limits<std::int32_t>::max();
  if (object.contains(QStringLiteral("lengthIndex"))) {
    if (auto index = read.Whole(object, QStringLiteral("lengthIndex"), kIndexLowest, kIndexHighest,
                                "32 ビットの整数", "a 32-bit whole number"))
      drive.LengthIndex = static_cast<std::int32_t>(*index);
  }
  if (object.contains(QStringLiteral("zoom"))) {
    if (auto zoom = read.Whole(object, QStringLiteral("zoom"), 1, 20, "1 から 20 までの整数",
                               "a whole number from 1 to 20"))
      drive.Zoom = static_cast<int>(*zoom);
  }

  if (read.Failed()) return std::nullopt;
  return drive;
}

Problem NotJson(const QByteArray& bytes, const QJsonParseError& error) {
  if (bytes.trimmed().isEmpty()) {
    return {DriveFileProblem::NotJson, QString(), QStringLiteral("ファイルが空です。"),
            QStringLiteral("the file is empty.")};
  }
  // The parser ran into the end of the text: a file cut short.
  if (error.offset >= bytes.size() && error.error != QJsonParseError::GarbageAtEnd) {
    return {DriveFileProblem::Truncated, QString(),
            QStringLiteral("ファイルが途中で終わっています (%1)。").arg(error.errorString()),
            QStringLiteral("the file ends too early (%1).").arg(error.errorString())};
  }
  return {DriveFileProblem::NotJson, QString(),
          QStringLiteral("JSON として読めません (%1 バイト目: %2)。")
              .arg(error.offset)
              .arg(error.errorString()),
          QStringLiteral("it is not JSON (at byte %1: %2).")
              .arg(error.offset)
              .arg(error.errorString())};
}

Problem ParseProblem(const QByteArray& bytes, std::optional<DriveFile>& drive) {
  QJsonParseError parseError;
  const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
  if (parseError.error != QJsonParseError::NoError) return NotJson(bytes, parseError);
  if (!document.isObject()) {
    return {DriveFileProblem::NotObject, QString(),
            QStringLiteral("JSON のオブジェクト ({…}) ではありません。"),
            QStringLiteral("the JSON is not an object ({…}).")};
  }
  Problem problem;
  drive = ReadObject(document.object(), problem);
  return problem;
}

}  // namespace

// A text as a message shows it, on the message's own line: line breaks and
// other control characters are written as \uXXXX.
QString EscapedForMessage(const QString& text) {
  QString shown;
  for (const QChar c : text) {
    const QChar::Category category = c.category();
    if (category == QChar::Other_Control || category == QChar::Separator_Line ||
        category == QChar::Separator_Paragraph) {
      shown += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    } else {
      shown += c;
    }
  }
  return shown;
}

DriveFileRead ParseDriveFile(const QByteArray& bytes, const QString& fileName) {
  DriveFileRead result;
  const Problem problem = ParseProblem(bytes, result.File);
  if (problem.Kind != DriveFileProblem::None) {
    result.File.reset();
    result.Error = OpenError(fileName, problem);
  }
  return result;
}

DriveFileRead ReadDriveFile(const QString& path) {
  const QFileInfo info(path);
  const QString fileName = info.fileName();
  DriveFileRead result;
  if (info.isDir()) {
    result.Error = OpenError(fileName, {DriveFileProblem::CannotRead, QString(),
                                        QStringLiteral("ファイルではなくフォルダです。"),
                                        QStringLiteral("it is a folder, not a file.")});
    return result;
  }
  const QString tooLargeJapanese = QStringLiteral("1 MiB を超える大きさです。");
  const QString tooLargeEnglish = QStringLiteral("it is larger than 1 MiB.");
  if (info.size() > kMaxDriveFileBytes) {
    result.Error = OpenError(
        fileName, {DriveFileProblem::TooLarge, QString(), tooLargeJapanese, tooLargeEnglish});
    return result;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    result.Error =
        OpenError(fileName, {DriveFileProblem::CannotRead, QString(),
                             QStringLiteral("読めません (%1)。").arg(file.errorString()),
                             QStringLiteral("it cannot be read (%1).").arg(file.errorString())});
    return result;
  }
  // One byte beyond the limit tells a file that grew since, or a device
  // without a size, from one that fits.
  const QByteArray bytes = file.read(kMaxDriveFileBytes + 1);
  if (file.error() != QFileDevice::NoError) {
    result.Error =
        OpenError(fileName, {DriveFileProblem::CannotRead, QString(),
                             QStringLiteral("読めません (%1)。").arg(file.errorString()),
                             QStringLiteral("it cannot be read (%1).").arg(file.errorString())});
    return result;
  }
  if (bytes.size() > kMaxDriveFileBytes) {
    result.Error = OpenError(
        fileName, {DriveFileProblem::TooLarge, QString(), tooLargeJapanese, tooLargeEnglish});
    return result;
  }
  return ParseDriveFile(bytes, fileName);
}

QByteArray DriveFileBytes(const DriveFile& drive) {
  QJsonArray wheels;
  for (const DriveFileWheel& wheel : drive.Wheels) {
    wheels.append(QJsonObject{{QStringLiteral("x"), wheel.X},
                              {QStringLiteral("y"), wheel.Y},
                              {QStringLiteral("teeth"), wheel.Teeth}});
  }
  const int unknown = drive.UnknownKind >= 0 && drive.UnknownKind < 3 ? drive.UnknownKind : 0;
  QJsonObject object{
      {QStringLiteral("format"), kFormat},
      {QStringLiteral("version"), kDriveFileVersion},
      {QStringLiteral("type"), drive.Type},
      {QStringLiteral("pitch"), drive.Pitch},
      {QStringLiteral("freeRule"),
       drive.FreeTypeIsBelt ? QStringLiteral("pulley") : QStringLiteral("sprocket")},
      {QStringLiteral("wheels"), wheels},
      {QStringLiteral("unknown"), QString::fromLatin1(kUnknownNames[unknown])},
      {QStringLiteral("direction"), drive.Direction},
      {QStringLiteral("requestedLength"), drive.RequestedLength},
  };
  if (drive.LengthIndex) object.insert(QStringLiteral("lengthIndex"), *drive.LengthIndex);
  if (drive.Zoom) object.insert(QStringLiteral("zoom"), *drive.Zoom);
  return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

DriveFileError WriteDriveFile(const QString& path, const DriveFile& drive) {
  const QString fileName = QFileInfo(path).fileName();
  const QByteArray bytes = DriveFileBytes(drive);
  // The writer keeps to what the reader takes, so a saved drive always opens.
  // An unknown kind out of range is not in the bytes at all; it is caught here.
  std::optional<DriveFile> check;
  Problem problem = ParseProblem(bytes, check);
  if (problem.Kind == DriveFileProblem::None && (drive.UnknownKind < 0 || drive.UnknownKind > 2)) {
    problem = OutOfRange(QStringLiteral("unknown"), QJsonValue(drive.UnknownKind),
                         "\"length\"、\"x3\" か \"y3\"", "\"length\", \"x3\" or \"y3\"");
  }
  if (problem.Kind != DriveFileProblem::None) return SaveError(fileName, problem);

  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    const QString reason = file.errorString();
    return SaveError(fileName, {DriveFileProblem::CannotWrite, QString(),
                                reason + QStringLiteral("。"), reason});
  }
  return {};
}

}  // namespace idrova
