#include "platform/winfunction_linux.h"

#include <cstdarg>
#include <cstdio>

#include "zoqlog.h"

void ZOQLOG_OUTPUT(void* hLog, int nLevel, const char* format, ...) {
    if (nLevel < 0 || hLog == nullptr) return;
    char line[kLogMessageSize];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    ZOQLOG_OutputString(hLog, line, 0);
}

void ZOQLOG_OUTPUT_LASTERROR(void*, int) {}
void ZOQDBG_OUTPUT(bool, int, const char*, ...) {}
void ZOQDBG_OUTPUT_STRING(int, const char*) {}
void ZOQDBG_OUTPUT_LASTERROR(bool, int) {}
void ZOQDBG_ASSERT_FAIL(const char*, int) {}
