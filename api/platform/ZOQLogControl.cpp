#include "platform/ZOQLogControl.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/ZOQ_UTIL_linux.h"
#include "zoqapi.h"
#include "zoqlog.h"

unsigned char g_bLogEnable = 1;
char g_szLogFolder[kLogFolderSize] = "";
char g_szDllPath[32768] = "";
void* g_hLog = nullptr;
unsigned char g_platform_log_enable = 0;

int StartLogFile(void** handle, const char* folder, const char* fileName) {
    if (*handle != nullptr) return RC_SUCCESS;
    // folder may be g_szLogFolder itself: take a copy before updating it.
    std::string used = (folder != nullptr && folder[0] != '\0')
                           ? std::string(folder)
                           : std::string(g_szDllPath) + "ZOQApiLog";
    if (CreateDir(used.c_str()) != 0) return RC_FAIL;
    snprintf(g_szLogFolder, sizeof g_szLogFolder, "%s", used.c_str());
    std::string path = used + "/" + fileName;
    if (ZOQLOG_Init(handle, path.c_str(), 1, 1) != ZOQLOG_SUCCESS || *handle == nullptr) {
        *handle = nullptr;
        return RC_FAIL;
    }
    return RC_SUCCESS;
}

void StopLogFile(void** handle) {
    if (*handle == nullptr) return;
    ZOQLOG_UnInit(handle);
    *handle = nullptr;
}
