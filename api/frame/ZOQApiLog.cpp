// Per-camera log files: on by default, in "ZOQApiLog" or a chosen folder.
#include <cstdio>
#include <cstring>

#include "ZoqOut.h"
#include "frame/ZOQApiForward.h"
#include "platform/ZOQLogControl.h"

ZOQ_API int ZOQ_LogSet(bool enable, const char* folder) {
    g_bLogEnable = enable ? 1 : 0;
    // Longer folder names are cut to the 259 characters the setting holds.
    if (folder != nullptr) snprintf(g_szLogFolder, sizeof g_szLogFolder, "%s", folder);
    if (g_pBusManager != nullptr) g_pBusManager->LogSet(enable, folder);
    return RC_SUCCESS;
}

ZOQ_API int ZOQ_LogGet(bool* enable, char* folder) {
    zoq::Put(enable, g_bLogEnable != 0);
    if (folder != nullptr) memcpy(folder, g_szLogFolder, sizeof g_szLogFolder);
    return RC_SUCCESS;
}
