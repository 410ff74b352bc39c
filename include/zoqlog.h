/** @file zoqlog.h
 * @brief libzoqlog: time-stamped log files, one file per handle.
 *
 * A handle (void*) comes from ZOQLOG_Init or ZOQLOG_InitEx and is released
 * with ZOQLOG_UnInit. Entries are flushed at once, so a log is complete even
 * after a crash. No locking: use one handle from one thread at a time. */
#ifndef ZOQLOG_H
#define ZOQLOG_H

#include <stdio.h>

#include "zoq_export.h"

/** Result of a successful call. */
#define ZOQLOG_SUCCESS 0
/** Result of a failed call. */
#define ZOQLOG_FAIL 1
/** Name part of the log folder. */
#define ZOQLOG_DIR_NAME "ZOQLOG"
/** Leading part of a default log file name. */
#define ZOQLOG_FILE_NAME "LOG"
#ifndef MAX_PATH
/** Path buffer size of the log library's callers. */
#define MAX_PATH 128
#endif
/** Bytes a log file path may use, terminator included. */
#define ZOQLOG_MAX_PATH 128

/** Local date of ZOQLOG_GetDateTime(). */
struct date {
    int da_year; /**< four-digit year */
    char da_day; /**< day of the month, 1-31 */
    char da_mon; /**< month, 1-12 */
};

/** Local time of ZOQLOG_GetDateTime(). */
struct time {
    unsigned char ti_min;  /**< minute, 0-59 */
    unsigned char ti_hour; /**< hour, 0-23 */
    unsigned char ti_sec;  /**< second, 0-59 */
    int ti_hund;           /**< milliseconds of the current second, 0-999 */
};

ZOQ_BEGIN_C

/** @name Log handles and output
 * All return #ZOQLOG_SUCCESS or #ZOQLOG_FAIL unless noted; the output
 * functions fail on a null handle, a negative level (nothing is written) or
 * a file that could not be opened. Levels are the caller's: any level of 0
 * or more is written. */
///@{

/** Starts a log. @p bFile 1: append stamped entries to szLogFilePath (created if missing);
 * bFile 0: plain lines on standard output. A file path that does not fit
 * ZOQLOG_MAX_PATH bytes is refused and *hZOQLog stays null; a file that
 * cannot be opened still gives a handle, whose writes then fail. */
ZOQ_EXPORT int ZOQLOG_Init(void** hZOQLog, const char* szLogFilePath, unsigned char bFile,
                           unsigned char bPrintOut);
/** Starts a log in szFolder + "/" + szLogFileName; an empty folder means "ZOQLog"
 * beside the executable, an empty name `LOG<date>(<time>).txt`. The folder
 * is created when missing (one level); a path that does not fit
 * ZOQLOG_MAX_PATH bytes is refused. */
ZOQ_EXPORT int ZOQLOG_InitEx(void** hLog, int hModule, const char* szFolder,
                             const char* szLogFileName, unsigned char bFile,
                             unsigned char bPrintOut);
/** Ends a log and sets the handle to null. */
ZOQ_EXPORT int ZOQLOG_UnInit(void** hZOQLog);
/** Writes one entry, stamped with the local date and time. */
ZOQ_EXPORT int ZOQLOG_OutputString(void* hZOQLog, const char* szItem, int nDebugLevel);
/** Writes one entry formatted printf-style; the message is cut at 1023
 * characters. */
ZOQ_EXPORT int ZOQLOG_OutputStringEx(void* hLog, int nDebugLevel, const char* lpszFormat, ...)
    __attribute__((format(printf, 3, 4)));
/** Writes the system error text of an error number. */
ZOQ_EXPORT int ZOQLOG_OutputError(void* hZOQLog, short dwLastError, int nDebugLevel);
/** Writes the system error text of the last error (errno). */
ZOQ_EXPORT int ZOQLOG_OutputLastError(void* hLog, int nDebugLevel);
/** Path of the running executable into szPath (ZOQLOG_MAX_PATH bytes),
 * always terminated, cut when longer; returns the characters placed or -1. */
ZOQ_EXPORT int ZOQLOG_GetAppPath(int hModule, char* szPath);
/** Local date and time now; 0, or -1 for a null pointer or an unreadable clock. */
ZOQ_EXPORT int ZOQLOG_GetDateTime(struct date* pdt, struct time* ptm);
///@}

ZOQ_END_C

#ifdef __cplusplus
/** The object behind a log handle. */
class ZOQ_EXPORT CLog {
public:
    /** Opens the log as ZOQLOG_Init() describes. */
    CLog(const char* szLogFilePath, unsigned char bFile, unsigned char bPrintOut);
    /** Closes the file. */
    virtual ~CLog();
    CLog(const CLog&) = delete;
    CLog& operator=(const CLog&) = delete;

    /** One entry; 0 on success, 1 when nothing was written. */
    int WriteLogFile(const char* szItem, int nDebugLevel);
    /** The system error text of dwLastError; error entries share a line. */
    int WriteLogFile(short dwLastError, int nDebugLevel);
    /** Prints a message on standard output. */
    void DisplayError(const char* szError);
    /** Prints the system error text of an error number on standard output. */
    void DisplayError(int nError);

private:
    char m_szLogFilePath[ZOQLOG_MAX_PATH];
    FILE* m_pLogFile;
    unsigned char m_bFile;
    unsigned char m_bPrintOut;
};
#endif

#endif
