#include "Console.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdarg>

namespace zoqcam {

namespace {

FILE* g_out = stdout;
bool g_quiet = false;

void Print(const char* format, va_list args) {
    fputs("zoqcam: ", stderr);
    vfprintf(stderr, format, args);
    fputc('\n', stderr);
}

}  // namespace

void SeparateOutput(bool hideLibraryLines) {
    fflush(stdout);
    const int results = dup(STDOUT_FILENO);
    FILE* out = results >= 0 ? fdopen(results, "w") : nullptr;
    if (out == nullptr) return;  // results and library lines stay together
    g_out = out;
    const int target = hideLibraryLines ? open("/dev/null", O_WRONLY) : STDERR_FILENO;
    if (target >= 0) {
        dup2(target, STDOUT_FILENO);
        if (target != STDERR_FILENO) close(target);
    }
    // The library's lines then appear as they happen, among the tool's own.
    setvbuf(stdout, nullptr, _IOLBF, 0);
}

FILE* Out() {
    return g_out;
}

void SetQuiet(bool quiet) {
    g_quiet = quiet;
}
bool Quiet() {
    return g_quiet;
}

void Note(const char* format, ...) {
    if (g_quiet) return;
    va_list args;
    va_start(args, format);
    Print(format, args);
    va_end(args);
}

void Error(const char* format, ...) {
    va_list args;
    va_start(args, format);
    Print(format, args);
    va_end(args);
}

bool ProgressOnTerminal() {
    return !g_quiet && isatty(STDERR_FILENO);
}

}  // namespace zoqcam
