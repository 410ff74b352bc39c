#include "platform/ZOQ_UTIL_linux.h"

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>

void GetLocalTime(ZOQ_SYSTEMTIME* out) {
    if (out == nullptr) return;
    timeval now{};
    if (gettimeofday(&now, nullptr) != 0) return;
    tm local{};
    time_t seconds = now.tv_sec;
    if (localtime_r(&seconds, &local) == nullptr) return;
    out->wYear = static_cast<unsigned short>(local.tm_year + 1900);
    out->wMonth = static_cast<unsigned short>(local.tm_mon + 1);
    out->wDayOfWeek = static_cast<unsigned short>(local.tm_wday);
    out->wDay = static_cast<unsigned short>(local.tm_mday);
    out->wHour = static_cast<unsigned short>(local.tm_hour);
    out->wMinute = static_cast<unsigned short>(local.tm_min);
    out->wSecond = static_cast<unsigned short>(local.tm_sec);
    out->wMilliseconds = static_cast<unsigned short>(now.tv_usec / 1000);
}

int CreateDir(const char* path) {
    if (path == nullptr) return -1;
    size_t length = strlen(path);
    // A longer path would be cut short and create folders nobody asked for.
    if (length > kMaxCreateDirPath) return -1;
    char copy[kMaxCreateDirPath + 2];
    memcpy(copy, path, length + 1);
    if (length == 0 || copy[length - 1] != '/') {
        copy[length] = '/';
        copy[length + 1] = '\0';
    }
    for (char* p = copy + 1; *p != '\0'; ++p) {
        if (*p != '/') continue;
        *p = '\0';
        if (access(copy, F_OK) != 0 && mkdir(copy, 0755) != 0) {
            perror("mkdir   error");
            return -1;
        }
        *p = '/';
    }
    return 0;
}

int GetDllPath(int) {
    return 1;
}

void GetModuleFileName() {}
