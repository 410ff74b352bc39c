// Where zoqcam writes: results to standard output, everything else
// (applied settings, progress, statistics, errors) to standard error. The
// library prints a few fixed lines of its own on standard output; they are
// moved to standard error, or hidden with --quiet.
#pragma once

#include <cstdio>

namespace zoqcam {

// Exit statuses.
constexpr int kOk = 0;
constexpr int kFailed = 1;  // a camera or a file failed
constexpr int kUsage = 2;   // the command line, or a value this camera cannot take

// Moves the library's standard output to standard error (or nowhere) and
// keeps the original standard output for Out(). Call once, before ZOQ_Init.
void SeparateOutput(bool hideLibraryLines);
// The stream for results.
FILE* Out();

// Messages on standard error, each line starting "zoqcam: ". Note() stays
// silent with --quiet; Error() never does.
void SetQuiet(bool quiet);
bool Quiet();
void Note(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Error(const char* format, ...) __attribute__((format(printf, 1, 2)));

// True when standard error is a terminal (progress is rewritten in place).
bool ProgressOnTerminal();

}  // namespace zoqcam
