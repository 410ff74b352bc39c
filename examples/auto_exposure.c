/* Lets auto exposure find the exposure time for a mean level of 128, then
 * measures the white balance once and saves a balanced frame as balanced.jpg.
 * Both run inside the captures: auto exposure on raw frames, white balance on
 * the first RGB frame after the mode is set.
 *
 *   auto_exposure
 *   zoqsim-run -- ./auto_exposure */
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

/* Called on this thread, inside ZOQ_CaptureRawData, after every evaluation. */
static void onExposure(ZOQ_AE_STATUS status, int exposureMs, void* context) {
    ZOQ_AE_STATUS* last = (ZOQ_AE_STATUS*)context;
    *last = status;
    printf("  auto exposure: status %d, exposure %d ms\n", (int)status, exposureMs);
}

static int autoExposure(int camera, unsigned char* frame) {
    ZOQ_AE_STATUS last = ZOQ_AE_CHANGED;
    bool running = true;
    float ms = 0;
    int frames = 0;
    /* At most 20 exposure changes towards a mean level of 128, between 0.1
     * and 100 ms. */
    if (!check(ZOQ_AESetExposureTimeRange(camera, 0.1f, 100.0f), "ZOQ_AESetExposureTimeRange") ||
        !check(ZOQ_AESetCallbackEx(camera, onExposure, &last), "ZOQ_AESetCallbackEx") ||
        !check(ZOQ_AEStart(camera, true, 20, 128), "ZOQ_AEStart"))
        return 0;
    while (running && frames < 30) {
        if (!check(ZOQ_CaptureRawData(camera, frame), "ZOQ_CaptureRawData") ||
            !check(ZOQ_AEGetStatusEx(camera, &running, NULL, NULL), "ZOQ_AEGetStatusEx"))
            return 0;
        ++frames;
    }
    if (!check(ZOQ_AEStart(camera, false, 20, 128), "ZOQ_AEStart") ||
        !check(ZOQ_ExposureTimeGet(camera, &ms), "ZOQ_ExposureTimeGet"))
        return 0;
    printf("auto exposure %s after %d frames: %.2f ms\n",
           last == ZOQ_AE_CONVERGED ? "converged" : "stopped", frames, ms);
    return 1;
}

static int whiteBalance(int camera, unsigned char* image, int width, int height, int bitCount) {
    float gains[3] = {0, 0, 0};
    int mono = 0, rc;
    if (!check(ZOQ_QueryFunction(camera, ZOQ_FUNC_MONOCHROME, &mono), "ZOQ_QueryFunction"))
        return 0;
    if (mono) {
        printf("monochrome camera: no white balance\n");
        return 1;
    }
    /* A software mode switches the camera's own white balance off first; a
     * camera without one answers RC_NOT_SUPPORTED, and the mode is set all
     * the same. */
    rc = ZOQ_WhiteBalanceSet(camera, ZOQ_WB_SOFT_AUTO_ONCE);
    if (rc == RC_NOT_SUPPORTED) rc = RC_SUCCESS;
    if (!check(rc, "ZOQ_WhiteBalanceSet") ||
        !check(ZOQ_CaptureRgbData(camera, image), "ZOQ_CaptureRgbData") ||
        !check(ZOQ_WhiteBalanceMatrixGet(camera, gains), "ZOQ_WhiteBalanceMatrixGet") ||
        !check(ZOQ_HelperSaveToJpg(image, width, height, bitCount, 90, "balanced.jpg"),
               "ZOQ_HelperSaveToJpg"))
        return 0;
    printf("white balance gains: red %.3f, green %.3f, blue %.3f; saved balanced.jpg\n", gains[0],
           gains[1], gains[2]);
    return 1;
}

static int run(void) {
    const int camera = 0;
    int width = 0, height = 0, bitCount = 0, ok = 0;
    unsigned char* buffer;
    if (ZOQ_DeviceGetCount() < 1) {
        fprintf(stderr, "no camera\n");
        return 0;
    }
    if (!check(ZOQ_CaptureSetFieldOfView(camera, 0, 0, 1024, 768, ZOQ_ADDRESSMODE_NORMAL,
                                         ZOQ_ADDRESSMODE_NORMAL),
               "ZOQ_CaptureSetFieldOfView") ||
        !check(ZOQ_CaptureGetSizeEx(camera, &width, &height, &bitCount), "ZOQ_CaptureGetSizeEx"))
        return 0;
    /* One buffer for both: the RGB image is the larger. */
    buffer = malloc((size_t)width * height * (bitCount / 8));
    if (buffer == NULL) return 0;
    ok = autoExposure(camera, buffer) && whiteBalance(camera, buffer, width, height, bitCount);
    free(buffer);
    return ok;
}

int main(void) {
    int ok;
    if (!check(ZOQ_Init(), "ZOQ_Init")) return 1;
    ok = run();
    ok = check(ZOQ_UnInit(), "ZOQ_UnInit") && ok;
    return ok ? 0 : 1;
}
