/* Captures raw frames (one byte a sample, rows top to bottom, no padding)
 * from the first camera into raw_N.raw and prints their mean level.
 *
 *   capture_raw [COUNT]
 *   zoqsim-run -- ./capture_raw 3 */
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

static int save(const char* path, const unsigned char* data, size_t size) {
    FILE* file = fopen(path, "wb");
    int ok = file != NULL && fwrite(data, 1, size, file) == size;
    if (file != NULL && fclose(file) != 0) ok = 0;
    if (!ok) perror(path);
    return ok;
}

static int capture(int count) {
    const int camera = 0;
    int width = 0, height = 0, i;
    unsigned char* frame;
    if (ZOQ_DeviceGetCount() < 1) {
        fprintf(stderr, "no camera\n");
        return 0;
    }
    /* A 640 x 480 window at the top left of the sensor, 10 ms exposure. */
    if (!check(ZOQ_CaptureSetFieldOfView(camera, 0, 0, 640, 480, ZOQ_ADDRESSMODE_NORMAL,
                                         ZOQ_ADDRESSMODE_NORMAL),
               "ZOQ_CaptureSetFieldOfView") ||
        !check(ZOQ_ExposureTimeSet(camera, 10.0f), "ZOQ_ExposureTimeSet") ||
        !check(ZOQ_CaptureGetSize(camera, &width, &height), "ZOQ_CaptureGetSize"))
        return 0;
    frame = malloc((size_t)width * height);
    if (frame == NULL) return 0;
    for (i = 0; i < count; ++i) {
        char path[32];
        double sum = 0;
        size_t p;
        if (!check(ZOQ_CaptureRawData(camera, frame), "ZOQ_CaptureRawData")) break;
        for (p = 0; p < (size_t)width * height; ++p) sum += frame[p];
        snprintf(path, sizeof path, "raw_%d.raw", i);
        if (!save(path, frame, (size_t)width * height)) break;
        printf("%s: %d x %d, mean level %.1f\n", path, width, height,
               sum / ((double)width * height));
    }
    free(frame);
    return i == count;
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
