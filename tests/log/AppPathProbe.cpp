// Prints "<result> <length>" and the path ZOQLOG_GetAppPath placed.
#include <cstdio>
#include <cstring>

#include "zoqlog.h"

int main() {
    char path[ZOQLOG_MAX_PATH];
    memset(path, 'x', sizeof(path));
    const int result = ZOQLOG_GetAppPath(0, path);
    // Only a terminator within the buffer makes strnlen stop short of its size.
    printf("%d %zu\n%.*s\n", result, strnlen(path, sizeof(path)), ZOQLOG_MAX_PATH, path);
    return 0;
}
