// Pixel helpers of the image writers: row flip, channel swap, 32->24 bits.
// All work on rows without padding.
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "imagefile/ZOQImageFile.h"
#include "zoqapi.h"

namespace {

size_t PixelCount(int width, int height) {
    return static_cast<size_t>(width) * static_cast<size_t>(height);
}

// Swaps the first and third byte of every pixel, step bytes apart.
void SwapRedBlue(unsigned char* data, size_t pixels, size_t step) {
    for (unsigned char* end = data + pixels * step; data != end; data += step)
        std::swap(data[0], data[2]);
}

// Block copies through a small stack buffer: memcpy speed, no allocation.
void SwapRows(unsigned char* a, unsigned char* b, size_t bytes) {
    unsigned char block[4096];
    for (size_t done = 0; done < bytes; done += sizeof(block)) {
        const size_t n = std::min(sizeof(block), bytes - done);
        memcpy(block, a + done, n);
        memcpy(a + done, b + done, n);
        memcpy(b + done, block, n);
    }
}

}  // namespace

ZOQ_API int Helper_FlipBmp(unsigned char* data, int width, int height, int bitCount) {
    if (data == nullptr || width <= 0 || height <= 0 || bitCount <= 0 || bitCount % 8 != 0)
        return RC_PARAMETER_ERROR;
    const size_t row = zoq::imagefile::RowBytes(width, bitCount);
    unsigned char* top = data;
    unsigned char* bottom = data + row * static_cast<size_t>(height - 1);
    // The middle row of an odd height stays where it is.
    for (; top < bottom; top += row, bottom -= row) SwapRows(top, bottom, row);
    return RC_SUCCESS;
}

ZOQ_API int Helper_BGR24ToRGB24(unsigned char* data, int width, int height) {
    if (data == nullptr || width <= 0 || height <= 0) return RC_PARAMETER_ERROR;
    SwapRedBlue(data, PixelCount(width, height), 3);
    return RC_SUCCESS;
}

ZOQ_API int Helper_BGRToRGB(unsigned char* data, int width, int height, int bitCount) {
    if (data == nullptr || width <= 0 || height <= 0 || (bitCount != 24 && bitCount != 32))
        return RC_PARAMETER_ERROR;
    SwapRedBlue(data, PixelCount(width, height), static_cast<size_t>(bitCount / 8));
    return RC_SUCCESS;
}

ZOQ_API int Helper_Rgb32ToRgb24(unsigned char* src, int width, int height, unsigned char* dst) {
    if (src == nullptr || dst == nullptr || width <= 0 || height <= 0) return RC_PARAMETER_ERROR;
    const unsigned char* end = src + PixelCount(width, height) * 4;
    for (; src != end; src += 4, dst += 3) {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
    }
    return RC_SUCCESS;
}
