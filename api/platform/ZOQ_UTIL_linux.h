// Small platform functions used by the logging code.
#pragma once

// Local time, field by field (milliseconds in the last field).
struct ZOQ_SYSTEMTIME {
    unsigned short wYear;
    unsigned short wMonth;      // 1-12
    unsigned short wDayOfWeek;  // 0 = Sunday
    unsigned short wDay;
    unsigned short wHour;
    unsigned short wMinute;
    unsigned short wSecond;
    unsigned short wMilliseconds;
};

// Fills the record; leaves it unchanged when the clock cannot be read.
void GetLocalTime(ZOQ_SYSTEMTIME* time);

// Creates every missing level of a folder path (mode 0755). 0, or -1 when a
// level cannot be created or the path is longer than kMaxCreateDirPath.
constexpr int kMaxCreateDirPath = 254;
int CreateDir(const char* path);

// The library's own folder is not looked up on this platform.
int GetDllPath(int);
void GetModuleFileName();
