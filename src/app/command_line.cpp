// SPDX-License-Identifier: MIT
// The command line: reading the arguments, the export without a window, and
// the choice of application object.
#include "app/command_line.h"

#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstring>

#include "calc/solver.h"
#include "files/drive_file.h"
#include "files/drive_of_file.h"

namespace {

const char kUsage[] =
    "Usage: idrova [FILE]\n"
    "       idrova --export FORMAT INPUT OUTPUT\n"
    "Try 'idrova --help' for more information.\n";

// Each line of a message on `out`, after "idrova: ".
void PrintMessage(std::FILE* out, const QString& message) {
  for (const QString& line : message.split(QLatin1Char('\n')))
    std::fprintf(out, "idrova: %s\n", line.toUtf8().constData());
}

// The search's warning in both languages, naming the drive file.
QString WarningMessage(const QString& input, std::int32_t warning) {
  const char* japanese = idrova::WarningText(warning);
  const char* english = warning == idrova::kLengthTooShort
                            ? "the requested length is shorter than the shortest belt"
                            : "the search for the tensioner cannot reach the requested length "
                              "in its direction";
  const QString name = idrova::EscapedForMessage(QFileInfo(input).fileName());
  return QStringLiteral(
             "「%1」: %2 (計算したとおりに書き出します)\n%1: warning: %3; exported as "
             "calculated.")
      .arg(name, QString::fromUtf8(japanese != nullptr ? japanese : ""),
           QLatin1StringView(english));
}

CommandLineRequest Only(CommandLineRequest::Action action) {
  CommandLineRequest request;
  request.What = action;
  return request;
}

CommandLineRequest UsageError(const QString& error) {
  CommandLineRequest request = Only(CommandLineRequest::Action::UsageError);
  request.Error = error;
  return request;
}

// Answers every request but the window's; returns the exit status.
int Answer(const CommandLineRequest& request) {
  switch (request.What) {
    case CommandLineRequest::Action::Help:
      std::fputs(CommandLineHelp().toUtf8().constData(), stdout);
      return kExitOk;
    case CommandLineRequest::Action::Version:
      std::printf("idrova %s\n", IDROVA_VERSION);
      return kExitOk;
    case CommandLineRequest::Action::Export:
      return RunExport(request, stderr);
    case CommandLineRequest::Action::UsageError:
    case CommandLineRequest::Action::Window:
      break;
  }
  PrintMessage(stderr, request.Error);
  std::fputs(kUsage, stderr);
  return kExitUsage;
}

}  // namespace

CommandLineRequest ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption help(
      QStringList{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")});
  const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
  const QCommandLineOption exportAs(QStringLiteral("export"), QString(), QStringLiteral("FORMAT"));
  parser.addOptions({help, version, exportAs});
  if (!parser.parse(arguments)) return UsageError(parser.errorText());
  if (parser.isSet(help)) return Only(CommandLineRequest::Action::Help);
  if (parser.isSet(version)) return Only(CommandLineRequest::Action::Version);
  const QStringList positional = parser.positionalArguments();
  if (!parser.isSet(exportAs)) {
    if (positional.size() > 1)
      return UsageError(
          QStringLiteral("the window opens one file; %1 were given.").arg(positional.size()));
    CommandLineRequest request;
    if (!positional.isEmpty()) request.File = positional.front();
    return request;
  }
  const QString formatName = parser.value(exportAs);
  const std::optional<idrova::ExportFormat> format = idrova::ExportFormatNamed(formatName);
  if (!format) {
    return UsageError(QStringLiteral("unknown export format '%1' (dxf, svg, pdf, txt or idrova).")
                          .arg(formatName));
  }
  if (positional.size() != 2) {
    return UsageError(
        QStringLiteral("--export takes a FORMAT, an INPUT and an OUTPUT file; %1 file(s) given.")
            .arg(positional.size()));
  }
  CommandLineRequest request;
  request.What = CommandLineRequest::Action::Export;
  request.Format = *format;
  request.Input = positional[0];
  request.Output = positional[1];
  return request;
}

QString CommandLineHelp() {
  return QStringLiteral(
      "Usage: idrova [FILE]\n"
      "       idrova --export FORMAT INPUT OUTPUT\n"
      "Lays out a three-wheel toothed-belt or roller-chain drive.\n"
      "\n"
      "With no FILE, the window opens on the design layout; with FILE, a drive\n"
      "file (*.idrova), it opens that drive.\n"
      "\n"
      "Options:\n"
      "  --export FORMAT INPUT OUTPUT  read the drive file INPUT, calculate it as\n"
      "                                the window's Calculate button does, and write\n"
      "                                OUTPUT without opening a window. FORMAT is\n"
      "                                dxf (DXF drawing), svg (SVG drawing, mm),\n"
      "                                pdf (A4 page: design sheet and drawing),\n"
      "                                txt (design sheet, tab-separated UTF-8) or\n"
      "                                idrova (drive file).\n"
      "  -h, --help                    show this help and exit.\n"
      "  -v, --version                 show the version and exit.\n"
      "\n"
      "Exit status: 0 done; 1 INPUT cannot be read or OUTPUT cannot be written;\n"
      "2 a usage error.\n");
}

bool WantsNoWindow(int argc, const char* const* argv) {
  static const char* const kNoWindow[] = {"--export",   "-h", "-?",       "--help",
                                          "--help-all", "-v", "--version"};
  for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
    const char* argument = argv[i];
    if (std::strcmp(argument, "--") == 0) return false;
    if (std::strncmp(argument, "--export=", 9) == 0) return true;
    for (const char* option : kNoWindow)
      if (std::strcmp(argument, option) == 0) return true;
  }
  return false;
}

int RunExport(const CommandLineRequest& request, std::FILE* err) {
  const idrova::DriveFileRead read = idrova::ReadDriveFile(request.Input);
  if (!read.File) {
    PrintMessage(err, read.Error.Message);
    return kExitFileProblem;
  }
  const idrova::CalculatedDrive drive = idrova::CalculateDrive(*read.File);
  if (drive.Warning != idrova::kNoWarning)
    PrintMessage(err, WarningMessage(request.Input, drive.Warning));
  QString error;
  if (!idrova::ExportDrive(drive.State, request.Format, request.Output, &error)) {
    PrintMessage(err, error);
    return kExitFileProblem;
  }
  return kExitOk;
}

int RunCommandLine(int argc, char** argv,
                   const std::function<int(const QString& file)>& startWindow) {
  // The settings (the last folder of the file choosers) live under Idrova/Idrova.
  QCoreApplication::setOrganizationName(QStringLiteral("Idrova"));
  QCoreApplication::setApplicationName(QStringLiteral("Idrova"));
  QCoreApplication::setApplicationVersion(QStringLiteral(IDROVA_VERSION));
  if (WantsNoWindow(argc, argv)) {
    // Nothing is shown: the offscreen platform needs no display, whatever
    // session the shell runs in, and still has the fonts the PDF embeds.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return Answer(ParseCommandLine(QCoreApplication::arguments()));
  }
  QApplication app(argc, argv);  // takes Qt's own options out of the arguments
  // The desktop entry's name, so that a desktop shows the window with its
  // entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.idrova.Idrova"));
  const CommandLineRequest request = ParseCommandLine(QCoreApplication::arguments());
  if (request.What != CommandLineRequest::Action::Window) return Answer(request);
  return startWindow(request.File);
}
