/** @file zoqstream.h
 * @brief Continuous acquisition from one camera (libzoqapi).
 *
 * A stream keeps a camera busy. A reader thread triggers a frame and reads
 * it from the bus while a processing thread runs the image pipeline on the
 * frame before, so frames come at the rate of the camera and its bus
 * whenever processing a frame takes less time than transferring one. Frames
 * land in a pool of buffers allocated when the stream starts; take them with
 * ZOQStream_WaitFrame and give each back with ZOQStream_ReleaseFrame, or
 * have them passed to a callback.
 *
 * @code
 *     ZOQSTREAM_CONFIG config;
 *     ZOQStream_ConfigInit(&config);          // processed frames, 4 buffers
 *     ZOQSTREAM* stream = NULL;
 *     ZOQStream_Open(0, &config, &stream);    // camera 0, after ZOQ_Init
 *     ZOQStream_Start(stream);
 *     for (int i = 0; i < 100; ++i) {
 *         ZOQSTREAM_FRAME* frame = NULL;
 *         if (ZOQStream_WaitFrame(stream, 2000, &frame) != RC_SUCCESS) break;
 *         if (frame->status == RC_SUCCESS)
 *             use(frame->data, frame->width, frame->height, frame->bitCount);
 *         ZOQStream_ReleaseFrame(stream, frame);
 *     }
 *     ZOQStream_Stop(stream);
 *     ZOQStream_Close(stream);                // before ZOQ_UnInit
 * @endcode
 *
 * @par Frames
 * Every frame the stream triggers gets the next sequence number,
 * from 0 at each start. A frame is good (status RC_SUCCESS) only when it
 * arrived whole and went through the pipeline; otherwise its record carries
 * the code a single capture would have returned (a failed transfer, the
 * reset or recovery that followed it) and no data, or RC_BAD_FRAME when the
 * window, the Bayer mode or the transfer width changed between its read and
 * its processing. After a failure the stream carries on: an unplugged camera
 * is recovered (ZOQ_CaptureSetRecover and the capture time-out apply as for
 * single captures) and the stream goes on once it is back. Frames come out
 * in sequence order; numbers are missing only where frames were dropped.
 *
 * @par Buffers
 * When the application falls behind and every buffer is in use,
 * ZOQSTREAM_DROP_OLDEST drops the oldest frame that waits for the
 * application (or, when the application holds every buffer, the frame just
 * read), so the camera keeps going and the newest frames are kept;
 * ZOQSTREAM_BLOCK stops triggering until a buffer is free, so nothing is
 * dropped and the frame rate follows the application.
 *
 * @par Threads
 * The stream's two threads share the camera with the application:
 * other functions of zoqapi.h may be called for the same camera while it
 * streams (a change of settings waits for the frame on the bus and applies
 * from the next one). Callbacks run on the stream's processing thread.
 * Close every stream before ZOQ_UnInit; a stream's functions are not to be
 * called once ZOQStream_Close has begun.
 *
 * Return codes are those of zoq_errors.h. */
#ifndef ZOQSTREAM_H
#define ZOQSTREAM_H

#include "zoq_errors.h"
#include "zoq_export.h"

ZOQ_BEGIN_C

/** What a frame holds. */
typedef enum ZOQSTREAM_FORMAT {
    /** The frame as ZOQ_CaptureRgbData delivers it: the Bayer mode's 8-, 24-
     * or 32-bit image after the whole pipeline. */
    ZOQSTREAM_FORMAT_PROCESSED = 0,
    /** The frame as ZOQ_CaptureRawData delivers it: one sample a pixel (two
     * bytes with 16-bit transfer) after the raw corrections. */
    ZOQSTREAM_FORMAT_RAW = 1
} ZOQSTREAM_FORMAT;

/** What happens when the application falls behind (see Buffers above). */
typedef enum ZOQSTREAM_POLICY {
    ZOQSTREAM_DROP_OLDEST = 0, /**< drop the oldest waiting frame; the camera keeps going */
    ZOQSTREAM_BLOCK = 1        /**< stop triggering until a buffer is free; nothing dropped */
} ZOQSTREAM_POLICY;

/** One frame. The record and its data belong to the stream: valid until
 * ZOQStream_ReleaseFrame, or until the callback returns. */
typedef struct ZOQSTREAM_FRAME {
    unsigned char* data;            /**< NULL unless status is RC_SUCCESS */
    int bytes;                      /**< bytes at data */
    int width;                      /**< pixels */
    int height;                     /**< rows (frames stacked by multi-frame capture included) */
    int bitCount;                   /**< bits a pixel: 8, 24, 32; raw: 8 or 16 */
    int format;                     /**< ZOQSTREAM_FORMAT */
    unsigned long long sequence;    /**< 0, 1, 2, ... from the start */
    unsigned long long timestampNs; /**< CLOCK_MONOTONIC when the frame had arrived */
    int status;                     /**< RC_SUCCESS, or why the frame failed */
    int bayerMode;                  /**< the ZOQ_BAYERMODE of the frame's processing: its row
                                         order and channels, whatever the mode is now */
} ZOQSTREAM_FRAME;

/** Called on the stream's processing thread with every frame, good or failed,
 * in sequence order. It may call the library, the stream's own
 * ZOQStream_GetStats included, but not ZOQStream_Stop or ZOQStream_Close. */
typedef void (*ZOQSTREAM_CALLBACK)(const ZOQSTREAM_FRAME* frame, void* context);

/** How a stream runs; fill it with ZOQStream_ConfigInit, then change what
 * differs. */
typedef struct ZOQSTREAM_CONFIG {
    int format;                  /**< ZOQSTREAM_FORMAT; default PROCESSED */
    int bufferCount;             /**< frames in the pool, 2 to 64; default 4 */
    int policy;                  /**< ZOQSTREAM_POLICY; default DROP_OLDEST */
    ZOQSTREAM_CALLBACK callback; /**< NULL (default): take frames with ZOQStream_WaitFrame */
    void* context;               /**< passed to the callback */
} ZOQSTREAM_CONFIG;

/** Counters of the run since the last start. Frames handed over count once
 * they reach the application (ZOQStream_WaitFrame or the callback); when a
 * stream has stopped and its frames have been taken, delivered + failed +
 * dropped is the number of frames it triggered. */
typedef struct ZOQSTREAM_STATS {
    unsigned long long delivered;   /**< good frames */
    unsigned long long failed;      /**< frames with an error status */
    unsigned long long dropped;     /**< frames the application never saw */
    unsigned long long discarded;   /**< of the failed: RC_BAD_FRAME, geometry changed */
    double framesPerSecond;         /**< good frames per second since the start */
    double bytesPerSecond;          /**< their bytes on the bus per second */
    unsigned long long bufferBytes; /**< memory the stream's buffers hold now */
} ZOQSTREAM_STATS;

/** A stream (opaque). */
typedef struct ZOQSTREAM ZOQSTREAM;

/** Fills config with the defaults. */
ZOQ_EXPORT int ZOQStream_ConfigInit(ZOQSTREAM_CONFIG* config);
/** A stopped stream on camera `index`. RC_PARAMETER_ERROR for a config out
 * of range; the codes of ZOQ_CaptureGetSize for an index that names no
 * usable camera. */
ZOQ_EXPORT int ZOQStream_Open(int index, const ZOQSTREAM_CONFIG* config, ZOQSTREAM** stream);
/** Allocates the buffers for the current geometry and starts the threads.
 * RC_ILLEGAL_OPERATION when it runs already. */
ZOQ_EXPORT int ZOQStream_Start(ZOQSTREAM* stream);
/** Returns once the frame on the bus has arrived or failed (at most one
 * capture time-out, or one recovery) and the frame in processing is done;
 * the frame that was on the bus, and any not yet processed, count as
 * dropped. Frames processed and not yet taken can still be taken afterwards;
 * the next start drops them. Stopping a stopped stream does nothing. */
ZOQ_EXPORT int ZOQStream_Stop(ZOQSTREAM* stream);
/** The next frame in sequence order. RC_TIMEOUT after timeoutMs without one;
 * RC_ILLEGAL_OPERATION when the stream is stopped (or stops meanwhile) and
 * no frame waits, or when frames go to a callback. */
ZOQ_EXPORT int ZOQStream_WaitFrame(ZOQSTREAM* stream, unsigned int timeoutMs,
                                   ZOQSTREAM_FRAME** frame);
/** Gives a frame from ZOQStream_WaitFrame back to the pool. */
ZOQ_EXPORT int ZOQStream_ReleaseFrame(ZOQSTREAM* stream, ZOQSTREAM_FRAME* frame);
/** The counters of the current or last run. */
ZOQ_EXPORT int ZOQStream_GetStats(ZOQSTREAM* stream, ZOQSTREAM_STATS* stats);
/** Stops the stream and frees it with all its buffers, taken frames too. */
ZOQ_EXPORT int ZOQStream_Close(ZOQSTREAM* stream);

ZOQ_END_C

#endif
