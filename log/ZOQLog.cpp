// The exported ZOQLOG_* functions: handles over CLog.
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstring>
#include <ctime>
#include <new>

#include "zoqlog.h"

namespace {

// Longest formatted message of ZOQLOG_OutputStringEx, terminator included.
constexpr size_t kMessageSize = 1024;

using LogPath = char[ZOQLOG_MAX_PATH];

// Appends text to path; refuses, leaving path unchanged, when the result and
// its terminator would not fit: a truncated path would name another file.
bool AppendPath(LogPath& path, const char* text) {
    const size_t used = strlen(path);
    const size_t length = strlen(text);
    if (length >= sizeof(path) - used) return false;
    memcpy(path + used, text, length + 1);
    return true;
}

// The full path of the running executable; its length, or -1.
ssize_t ReadExecutablePath(char* buffer, size_t size) {
    const ssize_t length = readlink("/proc/self/exe", buffer, size - 1);
    if (length < 0) return -1;
    buffer[length] = '\0';
    return length;
}

bool IsDirectory(const char* path) {
    struct stat status;
    return lstat(path, &status) == 0 && S_ISDIR(status.st_mode);
}

// The folder part of the path: "ZOQLog" beside the executable unless the
// caller names one.
bool AppendFolder(LogPath& path, const char* szFolder) {
    if (szFolder != nullptr && szFolder[0] != '\0') return AppendPath(path, szFolder);
    char executable[PATH_MAX];
    if (ReadExecutablePath(executable, sizeof(executable)) < 0) return false;
    char* slash = strrchr(executable, '/');
    if (slash != nullptr) slash[1] = '\0';
    else executable[0] = '\0';
    return AppendPath(path, executable) && AppendPath(path, "ZOQLog");
}

bool AppendFileName(LogPath& path, const char* szLogFileName) {
    if (szLogFileName != nullptr && szLogFileName[0] != '\0')
        return AppendPath(path, szLogFileName);
    struct date day;
    struct time now;
    if (ZOQLOG_GetDateTime(&day, &now) != 0) return false;
    char name[64];
    snprintf(name, sizeof(name), ZOQLOG_FILE_NAME "%04d%02d%02d(%02d%02d%02d).txt", day.da_year,
             day.da_mon, day.da_day, now.ti_hour, now.ti_min, now.ti_sec);
    return AppendPath(path, name);
}

}  // namespace

ZOQ_API int ZOQLOG_Init(void** hZOQLog, const char* szLogFilePath, unsigned char bFile,
                        unsigned char bPrintOut) {
    if (hZOQLog == nullptr) return ZOQLOG_FAIL;
    *hZOQLog = nullptr;
    // The path only matters in file mode; there it must fit with its terminator.
    if (bFile && (szLogFilePath == nullptr ||
                  strnlen(szLogFilePath, ZOQLOG_MAX_PATH) == ZOQLOG_MAX_PATH))
        return ZOQLOG_FAIL;
    *hZOQLog = new (std::nothrow) CLog(szLogFilePath, bFile, bPrintOut);
    return *hZOQLog != nullptr ? ZOQLOG_SUCCESS : ZOQLOG_FAIL;
}

ZOQ_API int ZOQLOG_InitEx(void** hLog, int hModule, const char* szFolder,
                          const char* szLogFileName, unsigned char bFile,
                          unsigned char bPrintOut) {
    (void)hModule;
    if (hLog == nullptr) return ZOQLOG_FAIL;
    *hLog = nullptr;
    LogPath path = "";
    if (!AppendFolder(path, szFolder)) return ZOQLOG_FAIL;
    if (!IsDirectory(path) && mkdir(path, 0775) != 0) return ZOQLOG_FAIL;
    if (!AppendPath(path, "/") || !AppendFileName(path, szLogFileName)) return ZOQLOG_FAIL;
    return ZOQLOG_Init(hLog, path, bFile, bPrintOut);
}

ZOQ_API int ZOQLOG_UnInit(void** hZOQLog) {
    if (hZOQLog == nullptr || *hZOQLog == nullptr) return ZOQLOG_FAIL;
    delete static_cast<CLog*>(*hZOQLog);
    *hZOQLog = nullptr;
    return ZOQLOG_SUCCESS;
}

ZOQ_API int ZOQLOG_OutputString(void* hZOQLog, const char* szItem, int nDebugLevel) {
    if (hZOQLog == nullptr) return ZOQLOG_FAIL;
    return static_cast<CLog*>(hZOQLog)->WriteLogFile(szItem, nDebugLevel);
}

ZOQ_API int ZOQLOG_OutputStringEx(void* hLog, int nDebugLevel, const char* lpszFormat, ...) {
    if (hLog == nullptr || lpszFormat == nullptr || nDebugLevel < 0) return ZOQLOG_FAIL;
    char message[kMessageSize];
    va_list args;
    va_start(args, lpszFormat);
    const int length = vsnprintf(message, sizeof(message), lpszFormat, args);
    va_end(args);
    if (length < 0) return ZOQLOG_FAIL;
    // The entry adds its own line end, so each of these is followed by an
    // empty line; the extra byte keeps it for a message of full length.
    char entry[kMessageSize + 1];
    snprintf(entry, sizeof(entry), "%s\n", message);
    return ZOQLOG_OutputString(hLog, entry, nDebugLevel);
}

ZOQ_API int ZOQLOG_OutputError(void* hZOQLog, short dwLastError, int nDebugLevel) {
    if (hZOQLog == nullptr) return ZOQLOG_FAIL;
    return static_cast<CLog*>(hZOQLog)->WriteLogFile(dwLastError, nDebugLevel);
}

ZOQ_API int ZOQLOG_OutputLastError(void* hLog, int nDebugLevel) {
    return ZOQLOG_OutputError(hLog, static_cast<short>(errno), nDebugLevel);
}

ZOQ_API int ZOQLOG_GetAppPath(int hModule, char* szPath) {
    (void)hModule;
    if (szPath == nullptr) return -1;
    char executable[PATH_MAX];
    ssize_t length = ReadExecutablePath(executable, sizeof(executable));
    if (length < 0) {
        szPath[0] = '\0';
        return -1;
    }
    // Always terminated within the caller's ZOQLOG_MAX_PATH bytes.
    if (length > ZOQLOG_MAX_PATH - 1) length = ZOQLOG_MAX_PATH - 1;
    memcpy(szPath, executable, static_cast<size_t>(length));
    szPath[length] = '\0';
    return static_cast<int>(length);
}

ZOQ_API int ZOQLOG_GetDateTime(struct date* pdt, struct time* ptm) {
    if (pdt == nullptr || ptm == nullptr) return -1;
    struct timeval clock;
    if (gettimeofday(&clock, nullptr) != 0) return -1;
    struct tm local;
    if (localtime_r(&clock.tv_sec, &local) == nullptr) return -1;
    pdt->da_year = local.tm_year + 1900;
    pdt->da_mon = static_cast<char>(local.tm_mon + 1);
    pdt->da_day = static_cast<char>(local.tm_mday);
    ptm->ti_hour = static_cast<unsigned char>(local.tm_hour);
    ptm->ti_min = static_cast<unsigned char>(local.tm_min);
    ptm->ti_sec = static_cast<unsigned char>(local.tm_sec);
    ptm->ti_hund = static_cast<int>(clock.tv_usec / 1000);
    return 0;
}
