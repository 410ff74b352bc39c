// CLog: the object behind a log handle.
#include <cstring>

#include "zoqlog.h"

namespace {

// One stamped entry, flushed at once so the file is complete after a crash.
// Error entries carry no line end: consecutive ones share a line.
int WriteEntry(FILE* file, const char* text, bool lineEnd) {
    if (file == nullptr) return ZOQLOG_FAIL;
    struct date day;
    struct time now;
    if (ZOQLOG_GetDateTime(&day, &now) != 0) return ZOQLOG_FAIL;
    const int written =
        lineEnd ? fprintf(file, "%04d-%02d-%02d %02d-%02d-%02d-%04d: %s\n", day.da_year,
                          day.da_mon, day.da_day, now.ti_hour, now.ti_min, now.ti_sec,
                          now.ti_hund, text)
                : fprintf(file, "%04d-%02d-%02d %02d-%02d-%02d-%04d: %s", day.da_year,
                          day.da_mon, day.da_day, now.ti_hour, now.ti_min, now.ti_sec,
                          now.ti_hund, text);
    if (written < 0 || fflush(file) != 0) return ZOQLOG_FAIL;
    return ZOQLOG_SUCCESS;
}

int PrintLine(const char* text) {
    if (fprintf(stdout, "%s\n", text) < 0 || fflush(stdout) != 0) return ZOQLOG_FAIL;
    return ZOQLOG_SUCCESS;
}

// strerror is not reentrant; handles of different threads may report at once.
const char* ErrorText(int error, char* buffer, size_t size) {
    return strerror_r(error, buffer, size);
}

constexpr size_t kErrorTextSize = 256;

}  // namespace

CLog::CLog(const char* szLogFilePath, unsigned char bFile, unsigned char bPrintOut)
    : m_szLogFilePath{}, m_pLogFile(nullptr), m_bFile(bFile), m_bPrintOut(bPrintOut) {
    // A path that does not fit is never opened in truncated form: the handle
    // then behaves like one whose file could not be opened.
    if (szLogFilePath == nullptr) return;
    const size_t length = strnlen(szLogFilePath, sizeof(m_szLogFilePath));
    if (length == sizeof(m_szLogFilePath)) return;
    memcpy(m_szLogFilePath, szLogFilePath, length + 1);
    // Close-on-exec: a child process of the application must not inherit it.
    if (m_bFile) m_pLogFile = fopen(m_szLogFilePath, "a+e");
}

CLog::~CLog() {
    if (m_pLogFile != nullptr) fclose(m_pLogFile);
}

int CLog::WriteLogFile(const char* szItem, int nDebugLevel) {
    if (nDebugLevel < 0 || szItem == nullptr) return ZOQLOG_FAIL;
    if (!m_bFile) return PrintLine(szItem);
    return WriteEntry(m_pLogFile, szItem, true);
}

int CLog::WriteLogFile(short dwLastError, int nDebugLevel) {
    if (nDebugLevel < 0) return ZOQLOG_FAIL;
    char buffer[kErrorTextSize];
    const char* text = ErrorText(dwLastError, buffer, sizeof(buffer));
    if (!m_bFile) return PrintLine(text);
    return WriteEntry(m_pLogFile, text, false);
}

void CLog::DisplayError(const char* szError) {
    if (szError != nullptr) PrintLine(szError);
}

void CLog::DisplayError(int nError) {
    char buffer[kErrorTextSize];
    PrintLine(ErrorText(nError, buffer, sizeof(buffer)));
}
