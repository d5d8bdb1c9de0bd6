// SPDX-License-Identifier: MIT
// libFuzzer target for the drive file reader: any bytes are either refused
// with a two-line message or read whole, and a drive that was read is
// written and read back to the same drive.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "files/drive_file.h"

namespace {

// Stops the run; libFuzzer reports it and saves the input as a crash file.
[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "drive_file_fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QString name = QStringLiteral("fuzz.idrova");
  const idrova::DriveFileRead read = idrova::ParseDriveFile(bytes, name);
  if (!read.File) {
    if (read.Error.Problem == idrova::DriveFileProblem::None) Fail("refused without a problem");
    if (read.Error.Message.count(QLatin1Char('\n')) != 1 || !read.Error.Message.contains(name))
      Fail("the message is not two lines naming the file");
    return 0;
  }
  if (read.Error.Problem != idrova::DriveFileProblem::None) Fail("read with a problem");
  const idrova::DriveFileRead again =
      idrova::ParseDriveFile(idrova::DriveFileBytes(*read.File), name);
  if (!again.File) Fail("a drive that was read cannot be read once written");
  if (!(*again.File == *read.File)) Fail("a drive written and read back is another drive");
  return 0;
}
