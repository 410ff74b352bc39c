/* Lists the attached cameras. Plain C: the API is a set of C functions.
 *
 *   list_cameras [--simulate[=52,53]] */
#include <stdio.h>

#include "ExampleSimulation.h"
#include "zoqapi.h"

int main(int argc, char** argv) {
    int count, i;
    if (zoq_example_simulate(&argc, argv) != 0) return 1;
    if (ZOQ_Init() != RC_SUCCESS) return 1;
    count = ZOQ_DeviceGetCount();
    printf("%d camera(s)\n", count);
    for (i = 0; i < count; ++i) {
        unsigned short type = 0, firmware = 0;
        int serial = 0, width = 0, height = 0;
        int rc = ZOQ_DeviceGetInformation(i, &type, &serial, &firmware);
        if (rc != RC_SUCCESS) {
            char text[ZOQ_ERROR_TEXT_SIZE];
            ZOQ_GetErrorInfo(rc, text);
            printf("camera %d: %s\n", i, text);
            continue;
        }
        ZOQ_CaptureGetSize(i, &width, &height);
        printf("camera %d: device type %u, serial %d, firmware %d.%d, %d x %d\n", i, type, serial,
               firmware >> 8, firmware & 0xFF, width, height);
    }
    ZOQ_UnInit();
    return 0;
}
