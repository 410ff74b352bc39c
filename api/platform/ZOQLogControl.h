// Process-wide logging settings and the start/stop of one log file.
#pragma once

constexpr int kLogFolderSize = 260;

extern unsigned char g_bLogEnable;           // newly opened devices start a log
extern char g_szLogFolder[kLogFolderSize];   // last folder set or used
extern char g_szDllPath[32768];              // prefix of the default folder (empty here)
extern void* g_hLog;                         // the platform log
extern unsigned char g_platform_log_enable;  // last state given to the platform log

// Starts a log file named fileName in folder (the default folder "ZOQApiLog"
// when folder is null or empty), creating the folder and recording it in
// g_szLogFolder. 0 when *handle was already set or the log started, -8 when
// the folder cannot be created or the file cannot be started.
int StartLogFile(void** handle, const char* folder, const char* fileName);
// Ends a log file; a null handle is left alone.
void StopLogFile(void** handle);
