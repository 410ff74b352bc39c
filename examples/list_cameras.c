/* Lists the attached cameras: device type, serial number, firmware and
 * image size of each. Plain C: the API is a set of C functions.
 *
 *   list_cameras
 *   zoqsim-run --cameras=52,53 -- ./list_cameras     (no camera needed) */
#include <stdio.h>

#include <zoqapi.h>

static int check(int rc, const char* what) {
    char text[ZOQ_ERROR_TEXT_SIZE];
    if (rc == RC_SUCCESS) return 1;
    ZOQ_GetErrorInfo(rc, text);
    fprintf(stderr, "%s: %s (%d)\n", what, text, rc);
    return 0;
}

int main(void) {
    int count, i;
    if (!check(ZOQ_Init(), "ZOQ_Init")) return 1;
    count = ZOQ_DeviceGetCount();
    if (count < 0) {
        check(count, "ZOQ_DeviceGetCount");
        ZOQ_UnInit();
        return 1;
    }
    printf("%d camera(s)\n", count);
    for (i = 0; i < count; ++i) {
        unsigned short type = 0, firmware = 0;
        int serial = 0, width = 0, height = 0;
        /* A camera that could not be opened is counted but reports an error. */
        if (!check(ZOQ_DeviceGetInformation(i, &type, &serial, &firmware),
                   "ZOQ_DeviceGetInformation") ||
            !check(ZOQ_CaptureGetSize(i, &width, &height), "ZOQ_CaptureGetSize"))
            continue;
        printf("camera %d: device type %u, serial %d, firmware %d.%d, %d x %d\n", i, type, serial,
               firmware >> 8, firmware & 0xFF, width, height);
    }
    return check(ZOQ_UnInit(), "ZOQ_UnInit") ? 0 : 1;
}
