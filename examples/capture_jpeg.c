/* Captures colour frames from the first camera and saves them as JPEG files
 * frame_N.jpg. An RGB capture is demosaiced, white balanced and colour
 * corrected by the library; in the camera's default Bayer mode its rows run
 * bottom-up, as the file writers take them.
 *
 *   capture_jpeg [COUNT]
 *   zoqsim-run -- ./capture_jpeg 3 */
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

static int capture(int count) {
    const int camera = 0;
    int sensorWidth = 0, sensorHeight = 0, width = 0, height = 0, bitCount = 0, saved = 0;
    unsigned char* image;
    if (ZOQ_DeviceGetCount() < 1) {
        fprintf(stderr, "no camera\n");
        return 0;
    }
    /* A 1024 x 768 window in the middle of the sensor, 15 ms exposure. */
    if (!check(ZOQ_CaptureGetDefaultFieldOfView(camera, NULL, NULL, &sensorWidth, &sensorHeight,
                                                NULL, NULL),
               "ZOQ_CaptureGetDefaultFieldOfView") ||
        !check(ZOQ_CaptureSetFieldOfView(camera, (sensorWidth - 1024) / 2, (sensorHeight - 768) / 2,
                                         1024, 768, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL),
               "ZOQ_CaptureSetFieldOfView") ||
        !check(ZOQ_ExposureTimeSet(camera, 15.0f), "ZOQ_ExposureTimeSet") ||
        !check(ZOQ_CaptureGetSizeEx(camera, &width, &height, &bitCount), "ZOQ_CaptureGetSizeEx"))
        return 0;
    image = malloc((size_t)width * height * (bitCount / 8));
    if (image == NULL) return 0;
    for (; saved < count; ++saved) {
        char name[32];
        snprintf(name, sizeof name, "frame_%d.jpg", saved);
        if (!check(ZOQ_CaptureRgbData(camera, image), "ZOQ_CaptureRgbData") ||
            !check(ZOQ_HelperSaveToJpg(image, width, height, bitCount, 90, name), name))
            break;
        printf("%s: %d x %d, %d bits a pixel\n", name, width, height, bitCount);
    }
    free(image);
    return saved == count;
}

int main(int argc, char** argv) {
    int count = argc > 1 ? atoi(argv[1]) : 3;
    int ok;
    if (count < 1) count = 1;
    if (!check(ZOQ_Init(), "ZOQ_Init")) return 1;
    ok = capture(count);
    ok = check(ZOQ_UnInit(), "ZOQ_UnInit") && ok;
    return ok ? 0 : 1;
}
