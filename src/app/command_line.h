// SPDX-License-Identifier: MIT
// The command line:
//   idrova [FILE]                          the window, opening FILE
//   idrova --export FORMAT INPUT OUTPUT    a drive file exported, no window
//   idrova --help | --version
// Exit status: 0 done; 1 INPUT unreadable or OUTPUT unwritable; 2 a usage
// error. An export runs on the offscreen platform, so it needs no display.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>
#include <functional>

#include "export/drive_exports.h"

// What the command line asks for, as ParseCommandLine reads it.
struct CommandLineRequest {
  enum class Action { Window, Export, Help, Version, UsageError };
  Action What = Action::Window;
  QString File;  // Window: the drive file to open, empty for none
  idrova::ExportFormat Format = idrova::ExportFormat::Drive;  // Export
  QString Input;                                              // Export
  QString Output;                                             // Export
  QString Error;  // UsageError: what was wrong, one line of English
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitFileProblem = 1;
inline constexpr int kExitUsage = 2;

// Reads the arguments (the program's name first, Qt's own options already
// taken out).
CommandLineRequest ParseCommandLine(const QStringList& arguments);

// The help text of --help.
QString CommandLineHelp();

// Whether the raw arguments ask for something other than the window
// (--export, --help, --version before a "--"), so that no window system is
// needed: read before any application object exists.
bool WantsNoWindow(int argc, const char* const* argv);

// Runs an export: reads INPUT, calculates as 計算 does, writes OUTPUT.
// Messages go to `err` as UTF-8 lines starting "idrova: ". A search that
// ends in a warning still exports what the window then shows, with the
// warning on `err`. Returns the exit status.
int RunExport(const CommandLineRequest& request, std::FILE* err);

// The whole command line: creates the application (QGuiApplication on the
// offscreen platform where no window is wanted, QApplication otherwise),
// reads the arguments and either answers them or calls `startWindow` with
// the file to open (empty for none), whose result is the exit status.
int RunCommandLine(int argc, char** argv,
                   const std::function<int(const QString& file)>& startWindow);
