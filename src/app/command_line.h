// SPDX-License-Identifier: MIT
// The command line: Idrova takes no options and no files of its own.
#pragma once

#include <cstdio>

// Reports each argument left after Qt has taken its own options (argv[1]
// onwards) on `out` as ignored, one line each, so that a mistyped option or
// a file name does not pass unnoticed; the window starts all the same.
// Returns the number of arguments reported.
int ReportIgnoredArguments(int argc, char** argv, std::FILE* out);
