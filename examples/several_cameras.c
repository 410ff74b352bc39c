/* Captures one colour frame from every camera, one after the other, and
 * saves camera_<serial>.bmp for each. Cameras are numbered 0 .. count - 1 in
 * the order the USB bus lists them; the serial number tells them apart.
 *
 *   several_cameras
 *   zoqsim-run --cameras=52,53,104 -- ./several_cameras */
#include <stdio.h>
#include <stdlib.h>

#include <zoqapi.h>

static int check(int rc, const char* what) {
    char text[ZOQ_ERROR_TEXT_SIZE];
    if (rc == RC_SUCCESS) return 1;
    ZOQ_GetErrorInfo(rc, text);
    fprintf(stderr, "%s: %s (%d)\n", what, text, rc);
    return 0;
}

static int captureOne(int camera) {
    unsigned short type = 0, firmware = 0;
    int serial = 0, width = 0, height = 0, bitCount = 0, ok;
    char name[40];
    unsigned char* image;
    /* The same 640 x 480 window on every camera; ZOQ_HelperSaveToBmp takes
     * the capture's rows as they are. */
    if (!check(ZOQ_DeviceGetInformation(camera, &type, &serial, &firmware),
               "ZOQ_DeviceGetInformation") ||
        !check(ZOQ_CaptureSetFieldOfView(camera, 0, 0, 640, 480, ZOQ_ADDRESSMODE_NORMAL,
                                         ZOQ_ADDRESSMODE_NORMAL),
               "ZOQ_CaptureSetFieldOfView") ||
        !check(ZOQ_CaptureGetSizeEx(camera, &width, &height, &bitCount), "ZOQ_CaptureGetSizeEx"))
        return 0;
    image = malloc((size_t)width * height * (bitCount / 8));
    if (image == NULL) return 0;
    snprintf(name, sizeof name, "camera_%d.bmp", serial);
    ok = check(ZOQ_CaptureRgbData(camera, image), "ZOQ_CaptureRgbData") &&
         check(ZOQ_HelperSaveToBmp(image, width, height, bitCount, name), "ZOQ_HelperSaveToBmp");
    free(image);
    if (ok)
        printf("camera %d (type %u, serial %d): %s, %d x %d, %d bits\n", camera, type, serial, name,
               width, height, bitCount);
    return ok;
}

int main(void) {
    int count, camera, failed = 0;
    if (!check(ZOQ_Init(), "ZOQ_Init")) return 1;
    count = ZOQ_DeviceGetCount();
    if (count < 1) fprintf(stderr, "no camera\n");
    for (camera = 0; camera < count; ++camera) failed += !captureOne(camera);
    if (!check(ZOQ_UnInit(), "ZOQ_UnInit")) return 1;
    return count > 0 && failed == 0 ? 0 : 1;
}
