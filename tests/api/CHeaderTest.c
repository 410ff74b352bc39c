/* The API headers are usable from C: this program is compiled as C and calls
 * a few functions that need no camera. */
#include <stdio.h>
#include <string.h>

#include "zoqapi.h"
#include "zoqstream.h"

int main(void) {
    int major = 0, minor = 0, build = 0, revision = 0;
    char text[ZOQ_ERROR_TEXT_SIZE];
    _tagUSBCmd cmd = {0xC0, 0xC9, 0, 0, 5};
    ZOQ_FOV_INFO fov;
    memset(&fov, 0, sizeof fov);
    if (sizeof cmd != 8 || sizeof fov != 44 || sizeof(ZOQ_BAYERMODE) != 4) {
        printf("record sizes differ from the library's\n");
        return 1;
    }
    if (ZOQ_GetVersion(&major, &minor, &build, &revision) != RC_SUCCESS || major != 8) {
        printf("version %d.%d.%d.%d\n", major, minor, build, revision);
        return 1;
    }
    if (ZOQ_GetErrorInfo(RC_TIMEOUT, text) != RC_SUCCESS || strcmp(text, "Time Out") != 0) {
        printf("error text '%s'\n", text);
        return 1;
    }
    if (ZOQ_DeviceGetCount() != RC_NOT_INITIALIZED || ZOQ_VendorCmd(0, &cmd, NULL) != RC_NOT_INITIALIZED) {
        printf("calls before ZOQ_Init must answer RC_NOT_INITIALIZED\n");
        return 1;
    }
    {
        ZOQSTREAM_CONFIG config;
        ZOQSTREAM* stream = NULL;
        if (ZOQStream_ConfigInit(&config) != RC_SUCCESS || config.bufferCount != 4 ||
            ZOQStream_Open(0, &config, &stream) != RC_NOT_INITIALIZED || stream != NULL) {
            printf("a stream before ZOQ_Init must answer RC_NOT_INITIALIZED\n");
            return 1;
        }
    }
    printf("ok\n");
    return 0;
}
