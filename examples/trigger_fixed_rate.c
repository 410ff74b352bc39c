/* Runs the first camera in the fixed-frame-rate trigger mode at 10 frames a
 * second and times a few captures. The camera turns the rate into a frame
 * period in its own units; ZOQ_GetFixedFrameRateEx reports the rate it keeps.
 *
 *   trigger_fixed_rate [FPS]
 *   zoqsim-run -- ./trigger_fixed_rate 10 */
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

static int run(float fps) {
    const int camera = 0;
    int width = 0, height = 0, supported = 0, rc, i;
    float kept = 0;
    unsigned int ms = 0;
    unsigned char* frame;
    if (ZOQ_DeviceGetCount() < 1) {
        fprintf(stderr, "no camera\n");
        return 0;
    }
    if (!check(ZOQ_QueryFunction(camera, ZOQ_FUNC_TRIGGERMODE_3, &supported), "ZOQ_QueryFunction"))
        return 0;
    /* The rate can only be set in trigger mode 3; the camera model may still
     * refuse the mode. */
    rc = supported ? ZOQ_TriggerModeSet(camera, ZOQ_TRIGGERMODE_FIXED_FRAMERATE) : RC_NOT_SUPPORTED;
    if (rc == RC_NOT_SUPPORTED) {
        printf("this camera has no fixed-frame-rate mode\n");
        return 1;
    }
    if (!check(rc, "ZOQ_TriggerModeSet") ||
        !check(ZOQ_SetFixedFrameRateEx(camera, fps), "ZOQ_SetFixedFrameRateEx") ||
        !check(ZOQ_GetFixedFrameRateEx(camera, &kept), "ZOQ_GetFixedFrameRateEx") ||
        !check(ZOQ_CaptureSetFieldOfView(camera, 0, 0, 640, 480, ZOQ_ADDRESSMODE_NORMAL,
                                         ZOQ_ADDRESSMODE_NORMAL),
               "ZOQ_CaptureSetFieldOfView") ||
        !check(ZOQ_CaptureGetSize(camera, &width, &height), "ZOQ_CaptureGetSize"))
        return 0;
    printf("fixed frame rate: asked %.2f, camera keeps %.2f frames a second\n", fps, kept);
    frame = malloc((size_t)width * height);
    if (frame == NULL) return 0;
    check(ZOQ_StartTimeCounter(), "ZOQ_StartTimeCounter");
    for (i = 0; i < 5; ++i)
        if (!check(ZOQ_CaptureRawData(camera, frame), "ZOQ_CaptureRawData")) break;
    free(frame);
    if (i < 5 || !check(ZOQ_CheckTimePassedMilSec(&ms), "ZOQ_CheckTimePassedMilSec")) return 0;
    printf("5 frames of %d x %d in %u ms\n", width, height, ms);
    /* Back to free-running triggers for the next program. */
    return check(ZOQ_TriggerModeSet(camera, ZOQ_TRIGGERMODE_FREERUN), "ZOQ_TriggerModeSet");
}

int main(int argc, char** argv) {
    float fps = argc > 1 ? (float)atof(argv[1]) : 10.0f;
    int ok;
    if (!check(ZOQ_Init(), "ZOQ_Init")) return 1;
    ok = run(fps);
    ok = check(ZOQ_UnInit(), "ZOQ_UnInit") && ok;
    return ok ? 0 : 1;
}
