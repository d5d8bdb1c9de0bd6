// SPDX-License-Identifier: MIT
// Tests of the command line's reading: what each argument list asks for,
// which lists need no window system, and that the window is started with
// the file named, or not at all on a usage error.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Action = CommandLineRequest::Action;

QStringList Arguments(std::initializer_list<const char*> arguments) {
  QStringList list{QStringLiteral("idrova")};
  for (const char* argument : arguments) list.append(QString::fromUtf8(argument));
  return list;
}

TEST(CommandLine, EachArgumentListAsksForOneThing) {
  const struct {
    const char* name;
    QStringList arguments;
    Action action;
    const char* file;  // the window's file, or the export's input
  } rows[] = {
      {"nothing", Arguments({}), Action::Window, ""},
      {"a drive file", Arguments({"drive.idrova"}), Action::Window, "drive.idrova"},
      {"a file named like an option", Arguments({"--", "--export"}), Action::Window, "--export"},
      {"two files", Arguments({"a.idrova", "b.idrova"}), Action::UsageError, ""},
      {"an unknown option", Arguments({"--bogus"}), Action::UsageError, ""},
      {"an unknown short option", Arguments({"-x", "a.idrova"}), Action::UsageError, ""},
      {"help", Arguments({"--help"}), Action::Help, ""},
      {"short help", Arguments({"-h"}), Action::Help, ""},
      {"help after a file", Arguments({"a.idrova", "--help"}), Action::Help, ""},
      {"version", Arguments({"--version"}), Action::Version, ""},
      {"short version", Arguments({"-v"}), Action::Version, ""},
      {"an export", Arguments({"--export", "svg", "in.idrova", "out.svg"}), Action::Export,
       "in.idrova"},
      {"an export with =", Arguments({"--export=PDF", "in.idrova", "out.pdf"}), Action::Export,
       "in.idrova"},
      {"an export, files first", Arguments({"in.idrova", "out.txt", "--export", "txt"}),
       Action::Export, "in.idrova"},
      {"an export without its format", Arguments({"--export"}), Action::UsageError, ""},
      {"an export without files", Arguments({"--export", "dxf"}), Action::UsageError, ""},
      {"an export with one file", Arguments({"--export", "dxf", "in.idrova"}), Action::UsageError,
       ""},
      {"an export with three files", Arguments({"--export", "dxf", "a", "b", "c"}),
       Action::UsageError, ""},
      {"an unknown format", Arguments({"--export", "png", "in.idrova", "out.png"}),
       Action::UsageError, ""},
      {"an export and an unknown option",
       Arguments({"--export", "svg", "in.idrova", "out.svg", "--bogus"}), Action::UsageError, ""},
  };
  for (const auto& row : rows) {
    const CommandLineRequest request = ParseCommandLine(row.arguments);
    EXPECT_EQ(request.What, row.action) << row.name;
    const QString& file = request.What == Action::Export ? request.Input : request.File;
    EXPECT_EQ(file, QString::fromUtf8(row.file)) << row.name;
    EXPECT_EQ(request.Error.isEmpty(), row.action != Action::UsageError)
        << row.name << ": " << request.Error.toStdString();
  }
}

TEST(CommandLine, ExportReadsFormatInputAndOutput) {
  const CommandLineRequest request =
      ParseCommandLine(Arguments({"--export", "IDROVA", "in.idrova", "out.idrova"}));
  ASSERT_EQ(request.What, Action::Export);
  EXPECT_EQ(request.Format, idrova::ExportFormat::Drive);
  EXPECT_EQ(request.Input, QStringLiteral("in.idrova"));
  EXPECT_EQ(request.Output, QStringLiteral("out.idrova"));
  EXPECT_TRUE(ParseCommandLine(Arguments({"--export", "png", "a", "b"})).Error.contains("png"));
}

TEST(CommandLine, OnlyTheWindowNeedsAWindowSystem) {
  const struct {
    const char* name;
    std::vector<const char*> argv;
    bool noWindow;
  } rows[] = {
      {"nothing", {"idrova"}, false},
      {"a file", {"idrova", "a.idrova"}, false},
      {"a Qt option", {"idrova", "-platform", "xcb"}, false},
      {"an export", {"idrova", "--export", "svg", "a", "b"}, true},
      {"an export with =", {"idrova", "--export=svg", "a", "b"}, true},
      {"help", {"idrova", "--help"}, true},
      {"short help", {"idrova", "-h"}, true},
      {"version", {"idrova", "--version"}, true},
      {"a file named --export", {"idrova", "--", "--export"}, false},
      {"a file called export", {"idrova", "export"}, false},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(WantsNoWindow(static_cast<int>(row.argv.size()), row.argv.data()), row.noWindow)
        << row.name;
  }
}

// Runs the command line with a window that only notes what it was given.
struct WindowRun {
  int Status = -1;
  bool Started = false;
  QString File;
};

WindowRun RunWithFakeWindow(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  WindowRun run;
  run.Status =
      RunCommandLine(static_cast<int>(arguments.size()), argv.data(), [&run](const QString& file) {
        run.Started = true;
        run.File = file;
        return 7;
      });
  return run;
}

TEST(CommandLine, WindowStartsWithTheFileNamed) {
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    bool started;
    const char* file;
    int status;
  } rows[] = {
      {"no file", {"idrova"}, true, "", 7},
      {"a file", {"idrova", "drive.idrova"}, true, "drive.idrova", 7},
      {"a Qt option and a file",
       {"idrova", "-style", "fusion", "drive.idrova"},
       true,
       "drive.idrova",
       7},
      {"two files", {"idrova", "a.idrova", "b.idrova"}, false, "", kExitUsage},
      {"an unknown option", {"idrova", "--bogus"}, false, "", kExitUsage},
      {"help", {"idrova", "--help"}, false, "", kExitOk},
  };
  for (const auto& row : rows) {
    const WindowRun run = RunWithFakeWindow(row.arguments);
    EXPECT_EQ(run.Started, row.started) << row.name;
    EXPECT_EQ(run.File, QString::fromUtf8(row.file)) << row.name;
    EXPECT_EQ(run.Status, row.status) << row.name;
  }
}

}  // namespace
