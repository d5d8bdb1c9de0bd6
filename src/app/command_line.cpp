// SPDX-License-Identifier: MIT
// Reporting the arguments that Idrova ignores.
#include "app/command_line.h"

int ReportIgnoredArguments(int argc, char** argv, std::FILE* out) {
  int reported = 0;
  for (int i = 1; i < argc; ++i) {
    if (argv[i] == nullptr) continue;
    std::fprintf(out, "idrova: takes no options or files; ignored: %s\n", argv[i]);
    ++reported;
  }
  return reported;
}
