/* Streams processed frames from the first camera for a while and prints the
 * stream's statistics every second and at the end.
 *
 *   stream_stats [SECONDS]
 *
 * A simulated camera on a link as fast as a real USB 2.0 one:
 *   zoqsim-run --cameras=52@40MB/s -- ./stream_stats */
#define _POSIX_C_SOURCE 199309L

#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <zoqapi.h>
#include <zoqstream.h>

static double Now(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

static int Ok(int rc, const char* what) {
    char text[ZOQ_ERROR_TEXT_SIZE];
    if (rc == RC_SUCCESS) return 1;
    ZOQ_GetErrorInfo(rc, text);
    fprintf(stderr, "%s: %s (%d)\n", what, text, rc);
    return 0;
}

static void PrintStats(ZOQSTREAM* stream, const char* label) {
    ZOQSTREAM_STATS stats;
    ZOQStream_GetStats(stream, &stats);
    printf("%s: delivered %llu, failed %llu, dropped %llu; %.2f fps, %.1f MB/s; buffers %.1f MB\n",
           label, stats.delivered, stats.failed, stats.dropped, stats.framesPerSecond,
           stats.bytesPerSecond / 1e6, (double)stats.bufferBytes / 1e6);
}

int main(int argc, char** argv) {
    int seconds = 10, width = 0, height = 0, bitCount = 0, second = 0, rc = 0;
    double start = 0.0;
    ZOQSTREAM_CONFIG config;
    ZOQSTREAM* stream = NULL;
    if (argc > 1) seconds = atoi(argv[1]);
    if (!Ok(ZOQ_Init(), "ZOQ_Init")) return 1;
    if (ZOQ_DeviceGetCount() < 1) {
        fprintf(stderr, "no camera\n");
        ZOQ_UnInit();
        return 1;
    }
    ZOQ_CaptureGetSizeEx(0, &width, &height, &bitCount);
    printf("camera 0: %d x %d, %d bits a pixel, streaming for %d s\n", width, height, bitCount,
           seconds);

    ZOQStream_ConfigInit(&config); /* processed frames, 4 buffers, drop oldest */
    if (!Ok(ZOQStream_Open(0, &config, &stream), "ZOQStream_Open") ||
        !Ok(ZOQStream_Start(stream), "ZOQStream_Start")) {
        ZOQStream_Close(stream);
        ZOQ_UnInit();
        return 1;
    }
    start = Now();
    while (Now() - start < seconds) {
        ZOQSTREAM_FRAME* frame = NULL;
        rc = ZOQStream_WaitFrame(stream, 1000, &frame);
        if (rc == RC_SUCCESS) {
            /* frame->data holds frame->bytes of the image when frame->status
             * is RC_SUCCESS; use it here, then give the buffer back. */
            if (frame->status != RC_SUCCESS) Ok(frame->status, "frame");
            ZOQStream_ReleaseFrame(stream, frame);
        } else if (rc != RC_TIMEOUT) {
            Ok(rc, "ZOQStream_WaitFrame");
            break;
        }
        if ((int)(Now() - start) > second) {
            char label[16];
            snprintf(label, sizeof label, "%3d s", ++second);
            PrintStats(stream, label);
        }
    }
    ZOQStream_Stop(stream);
    PrintStats(stream, "total");
    ZOQStream_Close(stream);
    ZOQ_UnInit();
    return rc == RC_SUCCESS || rc == RC_TIMEOUT ? 0 : 1;
}
