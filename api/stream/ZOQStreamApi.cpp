// The exported ZOQStream_* functions: configuration checks and the stream
// object behind the opaque handle.
#include <new>

#include "frame/ZOQApiForward.h"
#include "stream/ZoqStream.h"
#include "zoqstream.h"

struct ZOQSTREAM {
    ZoqStream stream;
    ZOQSTREAM(CZOQDevice* device, const ZOQSTREAM_CONFIG& config) : stream(device, config) {}
};

namespace {

constexpr int kMinBuffers = 2;
constexpr int kMaxBuffers = 64;

bool Valid(const ZOQSTREAM_CONFIG& config) {
    return (config.format == ZOQSTREAM_FORMAT_PROCESSED || config.format == ZOQSTREAM_FORMAT_RAW) &&
           (config.policy == ZOQSTREAM_DROP_OLDEST || config.policy == ZOQSTREAM_BLOCK) &&
           config.bufferCount >= kMinBuffers && config.bufferCount <= kMaxBuffers;
}

}  // namespace

ZOQ_API int ZOQStream_ConfigInit(ZOQSTREAM_CONFIG* config) {
    if (config == nullptr) return RC_PARAMETER_ERROR;
    *config = ZOQSTREAM_CONFIG{};
    config->format = ZOQSTREAM_FORMAT_PROCESSED;
    config->bufferCount = 4;
    config->policy = ZOQSTREAM_DROP_OLDEST;
    return RC_SUCCESS;
}

ZOQ_API int ZOQStream_Open(int index, const ZOQSTREAM_CONFIG* config, ZOQSTREAM** stream) {
    if (config == nullptr || stream == nullptr || !Valid(*config)) return RC_PARAMETER_ERROR;
    *stream = nullptr;
    // The same answers as ZOQ_CaptureGetSize for an index without a camera.
    return ZoqWithDevice(index, RC_NOT_INITIALIZED, [&](CZOQDevice& device) -> int {
        int rc = device.GetCaptureSize(nullptr, nullptr);
        if (rc != RC_SUCCESS) return rc;
        *stream = new (std::nothrow) ZOQSTREAM(&device, *config);
        return *stream != nullptr ? RC_SUCCESS : RC_ALLOC_FAILED;
    });
}

ZOQ_API int ZOQStream_Start(ZOQSTREAM* stream) {
    return stream != nullptr ? stream->stream.Start() : RC_PARAMETER_ERROR;
}

ZOQ_API int ZOQStream_Stop(ZOQSTREAM* stream) {
    return stream != nullptr ? stream->stream.Stop() : RC_PARAMETER_ERROR;
}

ZOQ_API int ZOQStream_WaitFrame(ZOQSTREAM* stream, unsigned int timeoutMs,
                                ZOQSTREAM_FRAME** frame) {
    return stream != nullptr ? stream->stream.Wait(timeoutMs, frame) : RC_PARAMETER_ERROR;
}

ZOQ_API int ZOQStream_ReleaseFrame(ZOQSTREAM* stream, ZOQSTREAM_FRAME* frame) {
    return stream != nullptr ? stream->stream.Release(frame) : RC_PARAMETER_ERROR;
}

ZOQ_API int ZOQStream_GetStats(ZOQSTREAM* stream, ZOQSTREAM_STATS* stats) {
    if (stream == nullptr || stats == nullptr) return RC_PARAMETER_ERROR;
    stream->stream.Stats(stats);
    return RC_SUCCESS;
}

ZOQ_API int ZOQStream_Close(ZOQSTREAM* stream) {
    if (stream == nullptr) return RC_PARAMETER_ERROR;
    delete stream;
    return RC_SUCCESS;
}
