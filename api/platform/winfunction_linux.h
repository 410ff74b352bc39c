// The API's log line writer and the debug-output channel of other platforms.
#pragma once

// Longest log message in bytes, terminator included; longer ones are cut.
constexpr int kLogMessageSize = 260;

// Formats one line into the log of hLog (nothing for a null handle or a
// negative level); the log library adds the time stamp and line end.
void ZOQLOG_OUTPUT(void* hLog, int nLevel, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
void ZOQLOG_OUTPUT_LASTERROR(void* hLog, int nLevel);
void ZOQDBG_OUTPUT(bool enable, int nLevel, const char* format, ...);
void ZOQDBG_OUTPUT_STRING(int nLevel, const char* text);
void ZOQDBG_OUTPUT_LASTERROR(bool enable, int nLevel);
void ZOQDBG_ASSERT_FAIL(const char* file, int line);
