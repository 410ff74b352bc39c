// The colour image of a frame started earlier with ZOQ_SoftStartCapture.
#include <cstddef>
#include <vector>

#include "frame/ZOQApiForward.h"
#include "zoqbayer.h"

namespace {
// Kept between calls, one for each thread that reads frames this way.
thread_local std::vector<unsigned char> pRawbuf;
}  // namespace

ZOQ_API int ZOQ_ReadRgbDataAfterStart(int index, unsigned char* image) {
    // Size, buffer and read under one hold of the device, so that a window
    // changed by another thread cannot come between them.
    return ZoqWithDevice(index, RC_NOT_INITIALIZED, [&](CZOQDevice& device) -> int {
        int width = 0;
        int height = 0;
        int rc = device.GetCaptureSize(&width, &height);
        if (rc != RC_SUCCESS) return rc;
        if (image == nullptr) return RC_PARAMETER_ERROR;
        const size_t bytes = static_cast<size_t>(device.RawFrameBytes());
        size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
        pRawbuf.resize(bytes > pixels ? bytes : pixels);
        rc = device.ReadRawDataAfterStart(pRawbuf.data());
        if (rc != RC_SUCCESS) return rc;
        if (bytes >= 2 * pixels) {
            // A 16-bit frame: keep the high byte of each sample for the 8-bit
            // demosaic.
            for (size_t i = 0; i < pixels; ++i) pRawbuf[i] = pRawbuf[2 * i + 1];
        }
        if (width < 2 || height < 2) return RC_NOT_SUPPORTED;
        ZOQCFA_Bilinear_RGGB(pRawbuf.data(), width, height, image, 32);
        return RC_SUCCESS;
    });
}
